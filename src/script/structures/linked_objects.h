#pragma once

#include <cstdint>
#include <functional>

#include "database/database.h"
#include "platform/variant.h"
#include "script/structures/structure_context.h"

namespace quorvane {

// An object linked to a structure: a row of StructureAssociates. Its fields
// are read when asked for, so a prisoner row without a map position is fine.
class LinkedObject {
 public:
  explicit LinkedObject(const db::Recordset& row) : row_(row) {}

  // The game's object number from the row's Block, Vertex and Number.
  int32_t ObjectId() const;
  // The object starts switched off (Inactive is true).
  bool Inactive() const;
  // The unit a prison holds.
  const Variant& AssignmentIndex() const;

 private:
  const db::Recordset& row_;
};

// Visits the objects linked to the structure, in table order.
void ForEachLinkedObject(const StructureContext& structure,
                         const std::function<void(const LinkedObject&)>& visit);

}  // namespace quorvane
