#pragma once

namespace quorvane {

struct FitBuild;

// Writes [Trains] and one [Train n] block per train number up to the highest
// one, listing each train's cars by part number. Nothing when the mission has
// no train.
void WriteTrainSections(const FitBuild& build);
// Writes [Elemental Carriers] and one [ECarrier n] block per carrier with
// the elementals placed at the carrier's number. Nothing without carriers.
void WriteCarrierSections(const FitBuild& build);

}  // namespace quorvane
