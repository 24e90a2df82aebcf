#include "database/serial_date.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace quorvane::db {
namespace {

using std::chrono::day;
using std::chrono::days;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::year;
using std::chrono::year_month_day;

constexpr sys_days kDayZero = sys_days{year{1899} / 12 / 30};
constexpr double kSecondsPerDay = 86400.0;

// Reads exactly `width` digits at `pos`.
std::optional<int> Digits(std::string_view text, size_t pos, size_t width) {
  if (pos + width > text.size()) return std::nullopt;
  int value = 0;
  for (size_t i = pos; i < pos + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// Seconds since midnight of "HH:MM:SS" at `pos`, which must end the text.
std::optional<int> TimeOfDay(std::string_view text, size_t pos) {
  auto h = Digits(text, pos, 2);
  auto m = Digits(text, pos + 3, 2);
  auto s = Digits(text, pos + 6, 2);
  if (!h || !m || !s || text.size() != pos + 8 || text[pos + 2] != ':' || text[pos + 5] != ':' ||
      *h > 23 || *m > 59 || *s > 59) {
    return std::nullopt;
  }
  return *h * 3600 + *m * 60 + *s;
}

double Serial(long day_number, int seconds) {
  double fraction = seconds / kSecondsPerDay;
  return day_number >= 0 ? day_number + fraction : day_number - fraction;
}

}  // namespace

std::optional<double> SerialFromDateText(std::string_view text) {
  if (text.size() == 8) {
    auto seconds = TimeOfDay(text, 0);
    if (!seconds) return std::nullopt;
    return Serial(0, *seconds);
  }
  auto y = Digits(text, 0, 4);
  auto m = Digits(text, 5, 2);
  auto d = Digits(text, 8, 2);
  if (!y || !m || !d || text[4] != '-' || text[7] != '-') return std::nullopt;
  year_month_day date{year{*y}, month{static_cast<unsigned>(*m)}, day{static_cast<unsigned>(*d)}};
  if (!date.ok()) return std::nullopt;
  int seconds = 0;
  if (text.size() > 10) {
    if (text[10] != ' ' && text[10] != 'T') return std::nullopt;
    auto time = TimeOfDay(text, 11);
    if (!time) return std::nullopt;
    seconds = *time;
  } else if (text.size() != 10) {
    return std::nullopt;
  }
  return Serial((sys_days{date} - kDayZero).count(), seconds);
}

std::optional<std::string> DateTimeText(double serial_days) {
  // Years 1 to 9999 lie within about 3.7 million days of day zero.
  if (!std::isfinite(serial_days) || std::fabs(serial_days) > 3.0e6) return std::nullopt;
  double whole = std::trunc(serial_days);
  long long seconds = std::llround(std::fabs(serial_days - whole) * kSecondsPerDay);
  sys_days date = kDayZero + days{static_cast<long>(whole)};
  if (seconds >= 86400) {
    date += days{1};
    seconds -= 86400;
  }
  year_month_day ymd{date};
  int y = static_cast<int>(ymd.year());
  if (y < 1 || y > 9999) return std::nullopt;
  char buffer[80];
  std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u %02lld:%02lld:%02lld", y,
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                seconds / 3600, seconds / 60 % 60, seconds % 60);
  return std::string(buffer);
}

}  // namespace quorvane::db
