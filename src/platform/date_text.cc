#include "platform/date_text.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace quorvane {
namespace {

std::string IsoDate(std::chrono::sys_days day) {
  std::chrono::year_month_day ymd(day);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
  return buffer;
}

// The last second of 9999-12-31.
constexpr int64_t kLastEpochSecond = 253402300799;

// The digits of a whole number, all of `text`.
std::optional<int64_t> Digits(std::string_view text) {
  int64_t value = 0;
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

bool IsSourceDateEpoch(std::string_view text) {
  auto seconds = Digits(text);
  return seconds && *seconds <= kLastEpochSecond;
}

std::string DateText(double serial_days) {
  using namespace std::chrono;
  constexpr sys_days kEpoch = sys_days(year(1899) / December / 30);
  // Negative serials count days backwards but the fraction still runs forward.
  double whole = std::trunc(serial_days);
  double fraction = std::fabs(serial_days - whole);
  long seconds = std::lround(fraction * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    whole += serial_days < 0 ? -1 : 1;
  }
  char time_text[64];
  std::snprintf(time_text, sizeof time_text, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  if (whole == 0 && seconds != 0) return time_text;
  std::string date = IsoDate(kEpoch + days(static_cast<long>(whole)));
  return seconds == 0 ? date : date + " " + time_text;
}

std::string CreationDate(const std::string& date) {
  using namespace std::chrono;
  if (!date.empty()) return date;
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
      epoch != nullptr && IsSourceDateEpoch(epoch)) {
    return IsoDate(floor<days>(sys_seconds(seconds(std::strtoll(epoch, nullptr, 10)))));
  }
  return IsoDate(floor<days>(system_clock::now()));
}

bool IsCreationDate(std::string_view text) {
  using namespace std::chrono;
  constexpr std::string_view kForm = "dddd-dd-dd";
  if (text.size() != kForm.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    bool digit = text[i] >= '0' && text[i] <= '9';
    if (kForm[i] == 'd' ? !digit : text[i] != kForm[i]) return false;
  }
  auto number = [&](size_t at, size_t count) {
    return std::stoi(std::string(text.substr(at, count)));
  };
  return year_month_day(year(number(0, 4)), month(static_cast<unsigned>(number(5, 2))),
                        day(static_cast<unsigned>(number(8, 2))))
      .ok();
}

}  // namespace quorvane
