#include "../targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quorvane::fuzz::SqliteFile(data, size);
  return 0;
}
