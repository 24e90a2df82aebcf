#include "../targets.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t max_size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quorvane::fuzz::EditedMission(data, size);
  return 0;
}

// Mostly structured edits of the mission; now and then the engine's own
// mutation of the bytes.
extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t max_size,
                                          unsigned int seed) {
  size_t mutated = quorvane::fuzz::MutateEditedMission(data, size, max_size, seed);
  return mutated != 0 ? mutated : LLVMFuzzerMutate(data, size, max_size);
}
