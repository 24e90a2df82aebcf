#include <iconv.h>

#include <mutex>
#include <unordered_map>

#include "platform/code_page.h"

namespace quorvane {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// One converter per code page, kept for the life of the process; iconv's
// state is reset before each use, under the lock.
class Converters {
 public:
  Converters() = default;
  Converters(const Converters&) = delete;
  Converters& operator=(const Converters&) = delete;
  ~Converters() {
    for (auto& [code_page, converter] : open_) {
      if (converter != kNoConverter) iconv_close(converter);
    }
  }

  std::string Convert(unsigned code_page, std::string_view bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    iconv_t converter = Get(code_page);
    if (converter == kNoConverter) converter = Get(1252);
    std::string out;
    out.resize(bytes.size() * 4 + 4);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    size_t in_left = bytes.size();
    char* at = out.data();
    size_t out_left = out.size();
    while (in_left > 0) {
      if (iconv(converter, &in, &in_left, &at, &out_left) != static_cast<size_t>(-1)) break;
      // An undefined or cut-off sequence: one byte becomes "?".
      iconv(converter, nullptr, nullptr, nullptr, nullptr);
      *at++ = '?';
      --out_left;
      ++in;
      --in_left;
    }
    out.resize(out.size() - out_left);
    return out;
  }

 private:
  iconv_t Get(unsigned code_page) {
    auto it = open_.find(code_page);
    if (it == open_.end()) {
      std::string name = "CP" + std::to_string(code_page);
      it = open_.emplace(code_page, iconv_open("UTF-8", name.c_str())).first;
    }
    return it->second;
  }

  std::mutex mutex_;
  std::unordered_map<unsigned, iconv_t> open_;
};

}  // namespace

std::string CodePageToUtf8(unsigned code_page, std::string_view bytes) {
  static Converters converters;
  return converters.Convert(code_page, bytes);
}

}  // namespace quorvane
