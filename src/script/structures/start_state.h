#pragma once

#include <cstdint>

#include "database/database.h"
#include "script/structures/behaviours.h"
#include "script/structures/structure_context.h"

namespace quorvane {

// Writes a structure's start state: its variable (or ObjectList element) with
// its object number, damage, side, potential contact, salvage, captureable
// state and side variable, captured state and building name. A captureable
// structure without BuildingType in a multiplayer mission also gets the code that
// hands it over when captured. Forms the structure's side variable.
void WriteStartState(StructureContext& structure, const db::Recordset& row, db::Recordset& salvage,
                     int16_t mission, const Behaviour* behaviour);

}  // namespace quorvane
