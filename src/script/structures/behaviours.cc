#include "script/structures/behaviours.h"

#include <array>

namespace quorvane {

const Behaviour* FindBehaviour(const Variant& building_type) {
  static constexpr std::array<Behaviour, 12> kBehaviours = {{
      {"Perimeter Alarm", WritePerimeterAlarm, false},
      {"Prison", WritePrison, false},
      {"Turret Control", WriteTurretControl, true},
      {"Sensor Control", WriteSensorControl, true},
      {"Barracks", WriteBarracks, false},
      {"Gate Control", WriteGateControl, true},
      {"Power Station", WritePowerStation, false},
      {"Power Control", WritePowerControl, true},
      {"No-link Captureable", WriteNoLinkCaptureable, true},
      {"Mech Bay", WriteMechBay, true},
      {"Vehicle Bay", WriteVehicleBay, false},
      {"Artillery Crate", WriteArtilleryCrate, true},
  }};
  if (building_type.IsNull()) return nullptr;
  for (const Behaviour& behaviour : kBehaviours) {
    if (EqualsText(building_type, behaviour.building_type)) return &behaviour;
  }
  return nullptr;
}

}  // namespace quorvane
