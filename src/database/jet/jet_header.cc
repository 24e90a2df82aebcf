#include "database/jet/jet_header.h"

#include <array>
#include <cstring>
#include <utility>

#include "database/database.h"

namespace quorvane::db {
namespace {

constexpr char kMagic[] = "\0\1\0\0Standard Jet DB";
constexpr size_t kVersionOffset = 0x14;
// Jet hides part of the header by an RC4 stream of a fixed key, XORed over
// these bytes.
constexpr size_t kMaskedOffset = 0x18;
constexpr size_t kJet3MaskedSize = 126;
constexpr size_t kJet4MaskedSize = 128;
constexpr std::array<uint8_t, 4> kMaskKey = {0xC7, 0xDA, 0x39, 0x6B};
constexpr size_t kCodePageOffset = 0x3C;
constexpr size_t kDatabaseKeyOffset = 0x3E;

// The RC4 key stream of kMaskKey, `size` bytes of it.
std::array<uint8_t, kJet4MaskedSize> MaskStream(size_t size) {
  std::array<uint8_t, 256> state;
  for (size_t i = 0; i < state.size(); ++i) state[i] = static_cast<uint8_t>(i);
  for (size_t i = 0, j = 0; i < state.size(); ++i) {
    j = (j + state[i] + kMaskKey[i % kMaskKey.size()]) & 0xFF;
    std::swap(state[i], state[j]);
  }
  std::array<uint8_t, kJet4MaskedSize> stream{};
  for (size_t n = 0, i = 0, j = 0; n < size; ++n) {
    i = (i + 1) & 0xFF;
    j = (j + state[i]) & 0xFF;
    std::swap(state[i], state[j]);
    stream[n] = state[(state[i] + state[j]) & 0xFF];
  }
  return stream;
}

// The Windows code pages a Jet 3 file may name; any other is read as
// Windows-1252, the code page of the files this compiler's users write.
unsigned KnownCodePage(unsigned code_page) {
  switch (code_page) {
    case 874:
    case 932:
    case 936:
    case 949:
    case 950:
    case 1250:
    case 1251:
    case 1253:
    case 1254:
    case 1255:
    case 1256:
    case 1257:
    case 1258:
      return code_page;
    default:
      return 1252;
  }
}

}  // namespace

void ToggleJetHeaderMask(std::span<unsigned char> page, int jet_version) {
  const size_t masked_size = jet_version == 3 ? kJet3MaskedSize : kJet4MaskedSize;
  if (page.size() < kMaskedOffset + masked_size) return;
  std::array<uint8_t, kJet4MaskedSize> stream = MaskStream(masked_size);
  for (size_t i = 0; i < masked_size; ++i) page[kMaskedOffset + i] ^= stream[i];
}

JetHeader ReadJetHeader(const JetBytes& page, int jet_version) {
  const size_t masked_size = jet_version == 3 ? kJet3MaskedSize : kJet4MaskedSize;
  if (!page.Holds(0, kMaskedOffset + masked_size) ||
      std::memcmp(page.data(), kMagic, sizeof kMagic) != 0) {
    throw OpenError("the Jet file's header cannot be read");
  }
  if (page.U8(kVersionOffset) != (jet_version == 3 ? 0 : 1)) {
    throw OpenError("the Jet file's header is inconsistent");
  }
  std::array<uint8_t, kMaskedOffset + kJet4MaskedSize> plain{};
  std::memcpy(plain.data(), page.data(), kMaskedOffset + masked_size);
  ToggleJetHeaderMask(plain, jet_version);
  JetBytes unmasked(plain.data(), plain.size());
  JetHeader header;
  header.jet_version = jet_version;
  header.code_page = KnownCodePage(unmasked.U16(kCodePageOffset));
  header.database_key = unmasked.U32(kDatabaseKeyOffset);
  if (header.database_key != 0) {
    throw OpenError("the Jet file is encrypted (its database key is not zero); it cannot be read");
  }
  return header;
}

}  // namespace quorvane::db
