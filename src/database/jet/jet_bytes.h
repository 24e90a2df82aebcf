#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <string_view>

namespace quorvane::db {

// Thrown when a read would leave its bytes: the reader's sign of a damaged
// file, turned into the right message where it is caught.
class JetOutOfBounds : public std::exception {
 public:
  const char* what() const noexcept override { return "a read past the end of its bytes"; }
};

// A run of bytes of the file (a page, a row, a value) through which every
// read of the Jet reader goes: each read is checked against the run, and
// numbers are read little-endian whatever their alignment.
class JetBytes {
 public:
  JetBytes() = default;
  JetBytes(const unsigned char* data, size_t size) : data_(data), size_(size) {}

  const unsigned char* data() const { return data_; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  // Whether `count` bytes from `at` lie inside.
  bool Holds(size_t at, size_t count) const { return at <= size_ && count <= size_ - at; }

  uint8_t U8(size_t at) const {
    Check(at, 1);
    return data_[at];
  }
  uint16_t U16(size_t at) const {
    Check(at, 2);
    return static_cast<uint16_t>(data_[at] | data_[at + 1] << 8);
  }
  uint32_t U32(size_t at) const {
    Check(at, 4);
    return static_cast<uint32_t>(data_[at]) | static_cast<uint32_t>(data_[at + 1]) << 8 |
           static_cast<uint32_t>(data_[at + 2]) << 16 | static_cast<uint32_t>(data_[at + 3]) << 24;
  }
  uint64_t U64(size_t at) const { return U32(at) | static_cast<uint64_t>(U32(at + 4)) << 32; }

  // The bytes from `at` on, `count` of them.
  JetBytes Slice(size_t at, size_t count) const {
    Check(at, count);
    return JetBytes(data_ + at, count);
  }
  JetBytes From(size_t at) const {
    Check(at, 0);
    return JetBytes(data_ + at, size_ - at);
  }

  std::string_view View() const {
    return std::string_view(reinterpret_cast<const char*>(data_), size_);
  }

 private:
  void Check(size_t at, size_t count) const {
    if (!Holds(at, count)) throw JetOutOfBounds();
  }

  const unsigned char* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace quorvane::db
