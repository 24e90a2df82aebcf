#include "picture/mission_report_html.h"

#include <array>
#include <initializer_list>
#include <string_view>

#include "picture/action_words.h"
#include "picture/markup_text.h"
#include "picture/mission_map_svg.h"

namespace quorvane::picture {
namespace {

constexpr std::string_view kStyle = R"(
body { font-family: "DejaVu Sans", Arial, sans-serif; margin: 24px; color: #17202a; background: #ffffff; }
h1 { font-size: 26px; } h2 { font-size: 21px; border-bottom: 2px solid #2c3e50; padding-bottom: 4px; margin-top: 40px; }
h3 { font-size: 16px; margin-top: 22px; } h4 { font-size: 14px; margin: 14px 0 6px; }
table { border-collapse: collapse; font-size: 12px; margin-bottom: 8px; }
th, td { border: 1px solid #bfc9ca; padding: 3px 7px; text-align: left; vertical-align: top; }
th { background: #eaeded; }
.check { padding: 8px 12px; border-left: 6px solid #1e8449; background: #eafaf1; }
.check.refused { border-color: #c0392b; background: #fdedec; }
.check pre { margin: 6px 0 0; font-size: 12px; white-space: pre-wrap; }
.map svg { max-width: 100%; height: auto; border: 1px solid #d5d8dc; }
.toc li { margin: 3px 0; } .muted { color: #707b7c; }
)";

std::string Element(std::string_view tag, std::string_view text, std::string_view attributes = "") {
  return "<" + std::string(tag) + std::string(attributes) + ">" + Escaped(text) + "</" +
         std::string(tag) + ">";
}

// A table with a head row and rows of texts.
std::string Table(std::string_view kind, const std::vector<std::string_view>& head,
                  const std::vector<std::vector<std::string>>& rows) {
  std::string html = "<table class=\"" + std::string(kind) + "\"><tr>";
  for (std::string_view cell : head) html += Element("th", cell);
  html += "</tr>\n";
  for (const auto& row : rows) {
    html += "<tr>";
    for (const std::string& cell : row) html += Element("td", cell);
    html += "</tr>\n";
  }
  return html + "</table>\n";
}

std::string Anchor(const MissionModel& mission) {
  return "mission-" + std::to_string(mission.mission);
}

std::string Heading(const MissionModel& mission) {
  return "Mission " + std::to_string(mission.mission) + (mission.found ? ": " + mission.name : "");
}

// A coded value with its meaning, from a list of (code, meaning).
std::string Coded(const Variant& value,
                  std::initializer_list<std::pair<int, std::string_view>> meanings) {
  for (const auto& [code, meaning] : meanings) {
    if (IsNumber(value, code)) return std::string(meaning) + " (" + ValueText(value) + ")";
  }
  return ValueText(value);
}

std::string CheckSection(const CheckOutcome& check) {
  std::string html = "<div class=\"check" + std::string(check.compiles ? "" : " refused") + "\">" +
                     Element("h3", "What check says") +
                     Element("p", check.verdict, " class=\"verdict\"");
  std::string lines;
  for (const std::string& line : check.lines) lines += line + "\n";
  if (!lines.empty()) html += Element("pre", lines);
  return html + "</div>\n";
}

std::vector<std::string> UnitRow(const Unit& unit) {
  std::string position = unit.carrier != 0 ? "in carrier " + std::to_string(unit.carrier)
                                           : ValueText(unit.x) + ", " + ValueText(unit.y);
  std::string start = std::string(unit.starts_active ? "active" : "inactive") + ", " +
                      (unit.starts_existing ? "exists" : "does not exist") +
                      (unit.captureable ? ", captureable" : "");
  std::string radii;
  if (unit.create_radius) radii += "created within " + Number(*unit.create_radius);
  if (unit.activation_radius) {
    radii += (radii.empty() ? "" : "; ") + ("activated within " + Number(*unit.activation_radius));
  }
  std::string kind = KindName(unit.kind);
  if (unit.elementals > 0) kind += ", carries " + std::to_string(unit.elementals);
  return {unit.group + "." + unit.role,
          std::to_string(unit.part),
          kind,
          unit.type_name,
          unit.warrior,
          unit.brain,
          position,
          ValueText(unit.rotation),
          start,
          radii};
}

std::string Forces(const MissionModel& mission) {
  std::string html = Element("h3", "Forces");
  if (mission.units.empty()) return html + Element("p", "No units.", " class=\"muted\"");
  // Units come in part order, so each side's units are together.
  size_t first = 0;
  while (first < mission.units.size()) {
    size_t end = first;
    while (end < mission.units.size() &&
           mission.units[end].alignment == mission.units[first].alignment) {
      ++end;
    }
    std::vector<std::vector<std::string>> rows;
    for (size_t i = first; i < end; ++i) rows.push_back(UnitRow(mission.units[i]));
    html += Element(
        "h4", SideName(mission.units[first]) + " (" + std::to_string(end - first) + " units)");
    html += Table("forces",
                  {"Group.role", "Part", "Kind", "Type", "Warrior", "Brain", "Position", "Rotation",
                   "Starts", "Radii"},
                  rows);
    first = end;
  }
  return html;
}

std::string Objectives(const MissionModel& mission) {
  std::string html = Element("h3", "Objectives");
  if (mission.objectives.empty()) return html + Element("p", "No objectives.", " class=\"muted\"");
  html += "<ol class=\"objectives\" start=\"0\">\n";
  for (const Objective& objective : mission.objectives) {
    std::string head = ValueText(objective.description);
    std::string facts =
        Coded(objective.alignment, {{1, "Clan"}, {2, "Inner Sphere"}}) + " objective " +
        ValueText(objective.order) + "; priority " +
        Coded(objective.priority,
              {{0, "primary"}, {1, "secondary"}, {2, "other"}, {-1, "invisible"}}) +
        "; time limit " + Coded(objective.time_left, {{-1, "none"}}) + "; starts " +
        Coded(objective.status, {{0, "incomplete"}, {1, "succeeded"}, {2, "failed"}}) +
        "; points " + ValueText(objective.points);
    html += "<li>" + Element("strong", head) + " " + Element("span", facts, " class=\"muted\"");
    html += "<ol class=\"actions\">";
    for (const Action& action : objective.actions) html += Element("li", ActionInWords(action));
    if (objective.actions.empty()) html += Element("li", "No actions: nothing decides it.");
    html += "</ol></li>\n";
  }
  return html + "</ol>\n";
}

std::string Linked(const Structure& structure) {
  std::string text;
  for (const LinkedObject& object : structure.linked) {
    text += (text.empty() ? "" : "; ") + ValueText(object.block) + "/" + ValueText(object.vertex) +
            "/" + ValueText(object.number) + (IsNumber(object.inactive, -1) ? " (inactive)" : "");
    if (!object.assignment.IsNull()) text += " prisoner " + ValueText(object.assignment);
  }
  return text;
}

std::string Structures(const MissionModel& mission) {
  std::string html = Element("h3", "Structures");
  if (mission.structures.empty()) return html + Element("p", "No structures.", " class=\"muted\"");
  std::vector<std::vector<std::string>> rows;
  for (const Structure& structure : mission.structures) {
    std::string salvage;
    for (const Salvage& item : structure.salvage) {
      salvage += (salvage.empty() ? "" : "; ") + ValueText(item.quantity) + " × item " +
                 ValueText(item.item);
    }
    std::string start = "damage " + ValueText(structure.initial_damage) +
                        (IsNumber(structure.captureable, -1) ? ", captureable" : "") +
                        (IsNumber(structure.captured, -1) ? ", captured" : "");
    rows.push_back({ValueText(structure.identifier), ValueText(structure.building_type),
                    Coded(structure.alignment, {{0, "neutral"}, {1, "Clan"}, {2, "Inner Sphere"}}),
                    ValueText(structure.block) + "/" + ValueText(structure.vertex) + "/" +
                        ValueText(structure.number),
                    ValueText(structure.tag_name), start, Linked(structure), salvage});
  }
  return html + Table("structures",
                      {"Identifier", "Behaviour", "Side", "Block/vertex/number", "Name", "Starts",
                       "Linked objects", "Salvage"},
                      rows);
}

std::string Lookouts(const MissionModel& mission) {
  std::string html = Element("h3", "Lookout points");
  if (mission.lookouts.empty())
    return html + Element("p", "No lookout points.", " class=\"muted\"");
  std::vector<std::vector<std::string>> rows;
  for (const Lookout& lookout : mission.lookouts) {
    rows.push_back({"LOP" + std::to_string(lookout.index), lookout.clan ? "Clan" : "player's",
                    ValueText(lookout.x) + ", " + ValueText(lookout.y), ValueText(lookout.use),
                    ValueText(lookout.radius), ValueText(lookout.reveal_radius),
                    ValueText(lookout.condition)});
  }
  return html +
         Table("lookouts",
               {"Point", "Side", "Position", "Trigger", "Radius", "Reveal radius", "ABL condition"},
               rows);
}

std::string MissionSection(const ReportedMission& reported) {
  const MissionModel& mission = reported.mission;
  std::string html =
      "<section class=\"mission\" id=\"" + Anchor(mission) + "\">\n" +
      Element("h2", Heading(mission)) +
      Element("p", MissionKind(mission) + (mission.found ? "; files " + mission.file_name : ""),
              " class=\"kind\"");
  html += CheckSection(reported.check);
  html += "<div class=\"map\">" + MissionMapElement(mission) + "</div>\n";
  html += Forces(mission) + Objectives(mission) + Structures(mission) + Lookouts(mission);
  return html + "</section>\n";
}

std::string Contents(const std::vector<ReportedMission>& missions) {
  std::string html = "<nav class=\"toc\">" + Element("h2", "Contents") + "<ol>\n";
  for (const ReportedMission& reported : missions) {
    html += "<li><a href=\"#" + Anchor(reported.mission) + "\">" +
            Escaped(Heading(reported.mission)) + "</a> " +
            Element("span", reported.check.verdict, " class=\"muted\"") + "</li>\n";
  }
  return html + "</ol></nav>\n";
}

}  // namespace

std::string MissionReportHtml(const std::string& title,
                              const std::vector<ReportedMission>& missions) {
  std::string html =
      "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n"
      "<head><meta charset=\"utf-8\"/>" +
      Element("title", title) + "<style>" + std::string(kStyle) + "</style></head>\n<body>\n" +
      Element("h1", title) + "\n";
  html += Contents(missions);
  for (const ReportedMission& reported : missions) html += MissionSection(reported);
  return html + "</body>\n</html>\n";
}

}  // namespace quorvane::picture
