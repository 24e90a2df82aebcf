#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace quorvane {

// Keeps what a C library prints on the process's standard output and
// standard error, from construction to Finish, out of the terminal: both are
// sent to a temporary file meanwhile. Not for use from two threads at once.
class OutputCapture {
 public:
  OutputCapture();
  ~OutputCapture();
  OutputCapture(const OutputCapture&) = delete;
  OutputCapture& operator=(const OutputCapture&) = delete;

  // Ends the capture; the lines printed meanwhile, blanks trimmed, empty
  // lines and repeats left out: the first few of them and a count of the rest.
  std::vector<std::string> Finish();

 private:
  std::FILE* file_ = nullptr;
  int saved_out_ = -1;
  int saved_err_ = -1;
};

}  // namespace quorvane
