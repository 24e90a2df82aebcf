#include "fit/train_sections.h"

#include <map>
#include <string>
#include <vector>

#include "fit/fit_build.h"
#include "fit/fit_values.h"

namespace quorvane {
namespace {

// The train cars of the mission gathered in one pass each, so that writing
// the trains costs no more than reading the units twice.
struct TrainCars {
  Variant highest_train;  // ForceGroup of the last train car in unit order
  // Cars of each train number as the database counts them (its own,
  // case-blind text comparison of the side).
  std::map<double, int16_t> counted;
  // Part numbers of the cars whose side is exactly "aTrain", per train number.
  std::map<double, std::vector<int16_t>> listed;
};

TrainCars GatherTrainCars(const FitBuild& build) {
  db::Recordset& units = *build.assignments;
  TrainCars cars;
  const std::string train_criteria = build.MissionCriteria() + " AND [Alignment] = 'aTrain'";
  for (units.FindFirst(train_criteria); !units.NoMatch(); units.FindNext(train_criteria)) {
    const Variant& train = units.Field("ForceGroup");
    cars.highest_train = train;
    if (train.IsNull()) continue;
    int16_t& count = cars.counted[train.ToDouble()];
    count = CheckedInteger(int64_t{count} + 1);
  }
  const std::string criteria = build.MissionCriteria();
  int16_t part = 0;
  for (units.FindFirst(criteria); !units.NoMatch(); units.FindNext(criteria)) {
    part = CheckedInteger(int64_t{part} + 1);
    const Variant& train = units.Field("ForceGroup");
    if (EqualsText(units.Field("Alignment"), "aTrain") && !train.IsNull()) {
      cars.listed[train.ToDouble()].push_back(part);
    }
  }
  return cars;
}

void WriteTrain(const FitBuild& build, const TrainCars& cars, int16_t train) {
  build.Write("[Train" + std::to_string(train - 1) + "]");
  auto counted = cars.counted.find(train);
  build.Write("l Numcars = " + std::to_string(counted == cars.counted.end() ? 0 : counted->second));
  auto listed = cars.listed.find(train);
  if (listed != cars.listed.end()) {
    for (size_t car = 0; car < listed->second.size(); ++car) {
      build.Write("l Car" + std::to_string(car) + " = " + std::to_string(listed->second[car]));
    }
  }
  build.Write();
}

// A unit that may ride in a carrier: a vehicle placed at the carrier's number.
struct Rider {
  int16_t part;
  Variant vehicle_id;
};

// The vehicles placed at (k, k) for k = 1 to the carrier count, per carrier.
std::vector<std::vector<Rider>> GatherRiders(const FitBuild& build) {
  db::Recordset& units = *build.assignments;
  std::vector<std::vector<Rider>> riders(build.carriers.size());
  const std::string criteria = build.MissionCriteria();
  int16_t part = 0;
  for (units.FindFirst(criteria); !units.NoMatch(); units.FindNext(criteria)) {
    part = CheckedInteger(int64_t{part} + 1);
    const Variant& x = units.Field("XCoordinate");
    if (!units.Field("MechID").IsNull() || x.IsNull()) continue;
    double carrier = x.ToDouble();
    if (carrier < 1 || carrier > static_cast<double>(riders.size()) ||
        carrier != static_cast<double>(static_cast<int64_t>(carrier)) ||
        !EqualsNumber(units.Field("YCoordinate"), carrier)) {
      continue;
    }
    riders[static_cast<size_t>(carrier) - 1].push_back({part, units.Field("VehicleID")});
  }
  return riders;
}

void WriteCarrier(const FitBuild& build, size_t index, const std::vector<Rider>& riders) {
  build.Write("[ECarrier" + std::to_string(index) + "]");
  build.Write("l Carrier = " + PrintedForm(Variant::Integer(build.carriers[index])));
  db::Recordset& types = build.VehicleTypes();
  int16_t elemental = -1;
  for (const Rider& rider : riders) {
    types.FindFirst("[VehicleID] = " + JoinedForm(rider.vehicle_id));
    if (types.NoMatch() || !EqualsNumber(types.Field("TypeID"), 400)) continue;
    elemental = CheckedInteger(int64_t{elemental} + 1);
    build.Write("l Elemental" + std::to_string(elemental) + " = " + std::to_string(rider.part));
  }
  build.Write();
}

}  // namespace

void WriteTrainSections(const FitBuild& build) {
  TrainCars cars = GatherTrainCars(build);
  if (CompareWithNumber(cars.highest_train, 1) == -1) return;
  build.Write("[Trains]");
  build.Write("l NumTrains             = " + JoinedForm(cars.highest_train));
  build.Write();
  int16_t train_count = cars.highest_train.ToInteger();
  for (int32_t train = 1; train <= train_count; ++train) {
    WriteTrain(build, cars, static_cast<int16_t>(train));
  }
}

void WriteCarrierSections(const FitBuild& build) {
  if (build.carriers.empty()) return;
  std::vector<std::vector<Rider>> riders = GatherRiders(build);
  build.Write("[Elemental Carriers]");
  build.Write("l Carriers = " +
              PrintedForm(Variant::Integer(CheckedInteger(std::ssize(build.carriers)))));
  build.Write();
  for (size_t index = 0; index < build.carriers.size(); ++index) {
    WriteCarrier(build, index, riders[index]);
  }
}

}  // namespace quorvane
