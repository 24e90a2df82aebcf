#pragma once

#include <memory>

#include "database/database.h"
#include "platform/variant.h"

namespace quorvane {

// State of the FIT writer kept on the compiler object between builds.
struct FitState {
  // The whole Mechs, Vehicles and NewMW tables, opened by the checks of a
  // single-player build and kept until a later build replaces them.
  std::unique_ptr<db::Recordset> mech_types;
  std::unique_ptr<db::Recordset> vehicle_types;
  std::unique_ptr<db::Recordset> warrior_table;
  // Two work values that the sections use as formation steps, counters and
  // loop indexes. They are never reset between builds.
  Variant work_value_a;
  Variant work_value_b;
};

}  // namespace quorvane
