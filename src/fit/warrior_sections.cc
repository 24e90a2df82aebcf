#include "fit/warrior_sections.h"

#include "fit/fit_build.h"
#include "fit/fit_values.h"

namespace quorvane {
namespace {

// Zeros that pad a warrior number to five digits.
std::string ZeroPadding(const Variant& mwid) {
  double number = mwid.ToDouble();
  if (number < 10) return "0000";
  if (number < 100) return "000";
  if (number < 1000) return "00";
  if (number < 10000) return "0";
  return "";
}

void WriteWarriorsHead(const FitBuild& build) {
  build.Write("[Warriors]");
  build.Write("ul NumWarriors =" + PrintedForm(Variant::Long(build.warrior_count)));
  const Variant& capture_chance = build.Mission("CaptureChance");
  if (!capture_chance.IsNull()) build.Write("uc CaptureChance =" + PrintedForm(capture_chance));
  build.Write("st BrainParameterFile = " + Quoted(JoinedForm(build.Mission("ScriptFileName"))));
}

// Writes the section of the warrior of the unit on the current row.
void WriteWarrior(const FitBuild& build, const Variant& index) {
  const db::Recordset& unit = *build.assignments;
  db::Recordset& warriors = build.WarriorTable();
  build.Write("[Warrior" + JoinedForm(index) + "]");
  const Variant& mwid = unit.Field("MWID");
  warriors.FindFirst("[MWID] = " + JoinedForm(mwid));
  build.Write("st Profile = " + Quoted(WarriorProfile(warriors.Field("FITFileName"), mwid)));
  build.Write("st Brain = " +
              Quoted(WarriorBrain(unit.Field("BrainFile"), unit.Field("Alignment"))));
  build.Write();
}

}  // namespace

std::string WarriorProfile(const Variant& fit_file_name, const Variant& mwid) {
  if (IsNullOrBlank(fit_file_name)) return "PMW" + ZeroPadding(mwid) + JoinedForm(mwid);
  return JoinedForm(fit_file_name);
}

std::string WarriorBrain(const Variant& brain_file, const Variant& alignment) {
  if (brain_file.IsNull() || EqualsText(brain_file, "")) {
    bool attacker = EqualsText(alignment, "Clan") || EqualsText(alignment, "Other");
    return attacker ? "attackbrain" : "pbrain";
  }
  return JoinedForm(brain_file);
}

void WriteWarriorSections(const FitBuild& build) {
  WriteWarriorsHead(build);
  const std::string criteria = build.MissionCriteria() + " AND [Alignment] <> 'aTrain'";
  build.assignments->FindFirst(criteria);
  Variant& index = build.WorkValueA();
  for (index = Variant::Integer(1); index.ToDouble() <= build.warrior_count;
       index = PlusWhole(index, 1)) {
    WriteWarrior(build, index);
    if (index.ToDouble() < build.warrior_count) build.assignments->FindNext(criteria);
  }
}

}  // namespace quorvane
