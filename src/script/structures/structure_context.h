#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "database/database.h"
#include "platform/variant.h"
#include "script/script_lines.h"

namespace quorvane {

struct ScriptSession;

// Counters of one structure include run; their final values are written at
// the end of the include.
struct StructureCounts {
  int16_t object_list = 0;       // structures whose identifier names an ObjectList element
  int16_t perimeter_alarms = 0;  // perimeter alarms, for the alarm reset block
  int16_t mech_bays = 0;         // Clan mech bays
  int16_t vehicle_bays = 0;      // Clan vehicle bays
};

// The structure being written and what its behaviour writes with: the open
// files of the session, the linked-object rows, the run's counters and the
// values formed once per structure.
struct StructureContext {
  StructureContext(ScriptSession& session, db::Recordset& associates, StructureCounts& counts,
                   bool multiplayer)
      : session(session), associates(associates), counts(counts), multiplayer(multiplayer) {}

  ScriptSession& session;
  db::Recordset& associates;
  StructureCounts& counts;
  bool multiplayer;

  std::string identifier;     // the ABL variable holding the object number, as stored
  std::string side_variable;  // the variable holding the structure's current side
  std::string structure_id;   // StructureID, as joined into the link criteria
  Variant alignment;          // 0 neutral, 1 Clan, 2 Inner Sphere
  Variant initial_damage;
  bool captureable = false;

  // A line of the structure include, its text starting in `column`.
  void Write(int column, std::string_view text) const;
  // A line of the structure include as it stands (starting in column 1, or
  // carrying its indentation in the literal).
  void Write(std::string_view text) const { Write(1, text); }
  void WriteEmptyLine() const;
  // Writes a fixed line list with the structure's names filled in: "{I}" in a
  // text stands for the structure identifier and "{S}" for its side variable.
  void WriteLines(std::span<const PlacedLine> lines) const;
  // A statement of the _INIT include (five blanks in front, ";" at the end).
  void Init(std::string_view statement) const;

  // `pattern` with "{I}" and "{S}" replaced by the identifier and side variable.
  std::string Named(std::string_view pattern) const;

  // The side a captured structure's objects pass to in its statements: the
  // message parameter in a multiplayer mission, the player otherwise.
  std::string_view CapturingSide() const { return multiplayer ? "MsgParams" : "INNER_SPHERE"; }
};

// The ABL name of an object side from a structure's Alignment: 0 NEUTRAL,
// 1 CLAN, 2 INNER_SPHERE; nothing for any other value or Null.
std::optional<std::string_view> ObjectSideName(const Variant& alignment);

// "if" line of a capture: the structure is captured, by a side other than the
// one it is on, and its capture is not used up (-2).
std::string CaptureTest(const StructureContext& structure);

// Init line that puts a linked object on its structure's side at the start.
void InitLinkedObjectSide(const StructureContext& structure, int32_t object_id);

}  // namespace quorvane
