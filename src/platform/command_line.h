#pragma once

#include <string>
#include <vector>

namespace quorvane {

// The program's arguments as UTF-8 text. On Windows they are read from the
// wide command line, so names outside the system's code page arrive whole.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Standard output and standard error pass bytes as they are: on Windows "\n"
// stays "\n" (not "\r\n"), and a console shows the UTF-8 text as UTF-8.
void UseBinaryStandardStreams();

}  // namespace quorvane
