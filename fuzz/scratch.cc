#include "scratch.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "platform/file_calls.h"

namespace quorvane::fuzz {

const std::string& ScratchFolder() {
  static const std::string folder = [] {
    std::string pattern;
    try {
      pattern = files::MakeUniqueFolder(
          files::Utf8Path(std::filesystem::temp_directory_path() / "quorvane-fuzz-"));
    } catch (const std::system_error&) {
      Fault("cannot create a scratch folder");
    }
    static struct Remover {
      std::string path;
      ~Remover() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
      }
    } remover{pattern};
    return pattern;
  }();
  return folder;
}

std::string WriteScratchFile(const std::string& name, const uint8_t* data, size_t size) {
  std::string path = ScratchFolder() + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out.flush()) Fault("cannot write " + path);
  return path;
}

void Fault(const std::string& reason) {
  std::fprintf(stderr, "quorvane fuzz: %s\n", reason.c_str());
  std::abort();
}

}  // namespace quorvane::fuzz
