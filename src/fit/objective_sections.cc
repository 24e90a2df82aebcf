#include "fit/objective_sections.h"

#include <string>
#include <string_view>

#include "fit/fit_build.h"
#include "fit/fit_values.h"

namespace quorvane {
namespace {

constexpr std::string_view kCountComment =
    "                            //There can be a maximum of eight objectives";
constexpr std::string_view kTypeComment =
    "                                                     "
    "//Types are 0=primary, 1=secondary, 2=other, -1=invisible";
constexpr std::string_view kTimeLeftComment =
    "                                       //Time to accomplish objective.  -1.0 means forever";
constexpr std::string_view kStatusComment =
    "                                           //Status are 0=incomplete, 1=success, 2=failed";

// Counts all objectives into WorkValueA and, in a multiplayer mission, the
// Clan objectives into WorkValueB.
void CountObjectives(const FitBuild& build) {
  db::Recordset& objectives = *build.objectives;
  Variant& all = build.WorkValueA();
  Variant& clan = build.WorkValueB();
  all = Variant::Integer(0);
  clan = Variant::Integer(0);
  for (objectives.MoveFirst(); !objectives.Eof(); objectives.MoveNext()) {
    all = PlusWhole(all, 1);
    if (build.IsMultiplayer() && EqualsNumber(objectives.Field("Alignment"), 1)) {
      clan = PlusWhole(clan, 1);
    }
  }
}

void WriteObjectivesHead(const FitBuild& build) {
  build.Write("[Objectives]");
  CountObjectives(build);
  const Variant& all = build.WorkValueA();
  const Variant& clan = build.WorkValueB();
  build.Write("ul NumObjectives = " + JoinedForm(all) + std::string(kCountComment));
  if (build.IsMultiplayer()) {
    build.Write("ul NumInnerSphereObjectives = " + JoinedForm(PlusWhole(all, -clan.ToInteger())));
    build.Write("ul NumClanObjectives = " + JoinedForm(clan));
  }
  const Variant& time_limit = build.Mission("TimeLimit");
  if (CompareWithNumber(time_limit, 0) == 1) build.Write("l TimeLeft =" + JoinedForm(time_limit));
  build.Write();
}

// Writes the section of the objective on the current row.
void WriteObjective(const FitBuild& build, int32_t index) {
  const db::Recordset& objective = *build.objectives;
  build.Write("[Objective" + std::to_string(index) + "]");
  build.Write("st Name = " + Quoted(PrintedForm(objective.Field("Description"))));
  build.Write("ul Type =" + PrintedForm(objective.Field("Priority")) + std::string(kTypeComment));
  build.Write("f TimeLeft = " + PrintedForm(objective.Field("TimeLeft")) +
              std::string(kTimeLeftComment));
  build.Write("ul Status =" + PrintedForm(objective.Field("Status")) + std::string(kStatusComment));
  const Variant& points = objective.Field("ResourcePoints");
  build.Write(points.IsNull() ? std::string("l Points = 999") : "l Points =" + PrintedForm(points));
  build.Write();
}

}  // namespace

void WriteObjectiveSections(const FitBuild& build) {
  WriteObjectivesHead(build);
  db::Recordset& objectives = *build.objectives;
  objectives.MoveFirst();
  int32_t count = build.WorkValueA().ToLong();
  for (int32_t index = 0; index < count; ++index) {
    build.WorkValueB() = Variant::Long(index);
    WriteObjective(build, index);
    if (index < count - 1) objectives.MoveNext();
  }
}

}  // namespace quorvane
