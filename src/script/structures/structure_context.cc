#include "script/structures/structure_context.h"

#include <array>

#include "platform/line.h"
#include "script/abl_text.h"
#include "script/script_session.h"

namespace quorvane {

void StructureContext::Write(int column, std::string_view text) const {
  session.run.files[FileRole::kMain].WriteLine(Line::At(column, text));
}

void StructureContext::WriteEmptyLine() const { session.run.files[FileRole::kMain].WriteLine(); }

void StructureContext::WriteLines(std::span<const PlacedLine> lines) const {
  for (const PlacedLine& line : lines) {
    if (line.column == 0) {
      WriteEmptyLine();
    } else {
      Write(line.column, Named(line.text));
    }
  }
}

void StructureContext::Init(std::string_view statement) const { WriteInitLine(session, statement); }

std::string StructureContext::Named(std::string_view pattern) const {
  std::string text;
  for (size_t at = 0; at < pattern.size(); ++at) {
    std::string_view mark = pattern.substr(at, 3);
    if (mark == "{I}") {
      text += identifier;
      at += 2;
    } else if (mark == "{S}") {
      text += side_variable;
      at += 2;
    } else {
      text += pattern[at];
    }
  }
  return text;
}

std::optional<std::string_view> ObjectSideName(const Variant& alignment) {
  static constexpr std::array<std::string_view, 3> kSides = {"NEUTRAL", "CLAN", "INNER_SPHERE"};
  for (size_t side = 0; side < kSides.size(); ++side) {
    if (EqualsNumber(alignment, static_cast<double>(side))) return kSides[side];
  }
  return std::nullopt;
}

std::string CaptureTest(const StructureContext& structure) {
  return structure.Named(
      "if ((IsCaptured({I}) == 1) AND (objectSide({I}) <> {S}) AND ({S} <> -2)) then");
}

void InitLinkedObjectSide(const StructureContext& structure, int32_t object_id) {
  if (std::optional<std::string_view> side = ObjectSideName(structure.alignment)) {
    structure.Init("objectChangeSides(" + std::to_string(object_id) + "," + std::string(*side) +
                   ")");
  }
}

}  // namespace quorvane
