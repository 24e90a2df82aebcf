#include "platform/output_capture.h"

#include <unistd.h>

#include <algorithm>
#include <string_view>
#include <unordered_set>

namespace quorvane {
namespace {

constexpr int kOut = 1;
constexpr int kErr = 2;
// A damaged file can make a library print a line per page; the first lines tell enough.
constexpr size_t kMaxLines = 5;

std::string_view Trimmed(std::string_view line) {
  constexpr std::string_view kBlanks = " \t\r";
  size_t first = line.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

OutputCapture::OutputCapture() {
  std::fflush(nullptr);
  file_ = std::tmpfile();
  if (file_ == nullptr) return;
  saved_out_ = dup(kOut);
  saved_err_ = dup(kErr);
  if (saved_out_ < 0 || saved_err_ < 0 || dup2(fileno(file_), kOut) < 0 ||
      dup2(fileno(file_), kErr) < 0) {
    Finish();
  }
}

OutputCapture::~OutputCapture() { Finish(); }

std::vector<std::string> OutputCapture::Finish() {
  std::vector<std::string> lines;
  if (file_ == nullptr) return lines;
  std::fflush(nullptr);
  if (saved_out_ >= 0) {
    dup2(saved_out_, kOut);
    close(saved_out_);
  }
  if (saved_err_ >= 0) {
    dup2(saved_err_, kErr);
    close(saved_err_);
  }
  saved_out_ = saved_err_ = -1;
  std::rewind(file_);
  std::string text;
  char buffer[4096];
  for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, file_)) > 0;) {
    text.append(buffer, read);
  }
  std::fclose(file_);
  file_ = nullptr;
  std::unordered_set<std::string> seen;
  size_t more = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string line(Trimmed(std::string_view(text).substr(start, end - start)));
    start = end + 1;
    if (line.empty() || !seen.insert(line).second) continue;
    if (lines.size() < kMaxLines) {
      lines.push_back(std::move(line));
    } else {
      ++more;
    }
  }
  if (more > 0) lines.push_back("(" + std::to_string(more) + " more lines)");
  return lines;
}

}  // namespace quorvane
