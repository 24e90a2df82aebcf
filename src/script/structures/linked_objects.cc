#include "script/structures/linked_objects.h"

#include <string>

#include "script/abl_text.h"

namespace quorvane {

int32_t LinkedObject::ObjectId() const {
  return MakeObjectId(row_.Field("Block").ToInteger(), row_.Field("Vertex").ToInteger(),
                      row_.Field("Number").ToInteger());
}

bool LinkedObject::Inactive() const { return row_.Field("Inactive").IsTrue(); }

const Variant& LinkedObject::AssignmentIndex() const { return row_.Field("AssignmentIndex"); }

void ForEachLinkedObject(const StructureContext& structure,
                         const std::function<void(const LinkedObject&)>& visit) {
  db::Recordset& associates = structure.associates;
  const std::string criteria = "[StructureID] = " + structure.structure_id;
  associates.FindFirst(criteria);
  while (!associates.NoMatch()) {
    visit(LinkedObject(associates));
    associates.FindNext(criteria);
  }
}

}  // namespace quorvane
