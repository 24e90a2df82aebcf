#pragma once

namespace quorvane {

struct FitBuild;

// Writes the head of the FIT file: the opening line and the header comment.
void WriteFitHead(const FitBuild& build);
// Writes the engine sections from [Output] to [StatusWindow], with the
// artillery of both sides and the [Teams] section of a multiplayer mission.
void WriteEngineSections(const FitBuild& build);

}  // namespace quorvane
