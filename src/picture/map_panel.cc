#include "picture/map_panel.h"

#include <array>

#include "picture/markup_text.h"
#include "picture/svg_shapes.h"

namespace quorvane::picture {
namespace {

constexpr double kLineHeight = 16;
constexpr double kNoteLineHeight = 13;
// The note box shows this many lines; a count says how many more there are.
constexpr size_t kMostNoteLines = 60;
constexpr size_t kNoteWidth = 50;  // characters per line of the note box

struct SideEntry {
  Side side;
  std::string_view words;
};
constexpr std::array<SideEntry, 5> kSides = {{{Side::kInnerSphere, "Inner Sphere (player)"},
                                              {Side::kClan, "Clan"},
                                              {Side::kOther, "Allied (\"Other\")"},
                                              {Side::kTrain, "Train (\"aTrain\")"},
                                              {Side::kUnknown, "Side not known"}}};

struct KindEntry {
  UnitKind kind;
  std::string_view words;
};
constexpr std::array<KindEntry, 5> kKinds = {{{UnitKind::kMech, "Mech"},
                                              {UnitKind::kVehicle, "Vehicle"},
                                              {UnitKind::kCarrier, "Elemental carrier (+n riding)"},
                                              {UnitKind::kElemental, "Elemental"},
                                              {UnitKind::kTrainCar, "Train car"}}};

// The lines of the legend below the side and kind entries.
constexpr std::array<std::string_view, 8> kMarkWords = {
    "Hollow: starts inactive or not existing",
    "Tick: facing (Rotation)",
    "Dashed ring: create radius",
    "Dotted ring: activation radius",
    "Drop zone: cross, arrow and slots 0-3",
    "Lookout: yellow diamond, dashed trigger ring,",
    "  shaded reveal radius; ABL: condition only",
    "Y grows upward; rotation turns counter-clockwise",
};

constexpr double kLegendHeight =
    30 + (kSides.size() + kKinds.size() + kMarkWords.size()) * kLineHeight;

// A line of the panel; `style` holds its font attributes (default: 12 units).
std::string Text(double x, double y, std::string_view words,
                 std::string_view style = " font-size=\"12\"") {
  return "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" fill=\"#17202a\"" +
         std::string(style) + ">" + Escaped(words) + "</text>\n";
}

std::string Legend(double left, double top) {
  std::string svg = "<g class=\"legend\">\n" +
                    Text(left, top + 12, "Legend", " font-size=\"14\" font-weight=\"bold\"");
  double y = top + 30;
  for (const SideEntry& entry : kSides) {
    svg += "<rect x=\"" + Number(left) + "\" y=\"" + Number(y - 10) +
           "\" width=\"12\" height=\"12\" fill=\"" + std::string(SideColour(entry.side)) + "\"/>" +
           Text(left + 22, y, entry.words);
    y += kLineHeight;
  }
  for (const KindEntry& entry : kKinds) {
    svg += "<g transform=\"translate(" + Number(left + 6) + " " + Number(y - 4) + ")\">" +
           UnitShape(entry.kind, "#566573", false) + "</g>" + Text(left + 22, y, entry.words);
    y += kLineHeight;
  }
  for (std::string_view words : kMarkWords) {
    svg += Text(left, y, words, " font-size=\"11\"");
    y += kLineHeight;
  }
  return svg + "</g>\n";
}

// Splits a note into lines of at most kNoteWidth characters, at blanks.
std::vector<std::string> Wrapped(const std::string& note) {
  std::vector<std::string> lines;
  std::string line;
  size_t start = 0;
  while (start <= note.size()) {
    size_t end = note.find(' ', start);
    if (end == std::string::npos) end = note.size();
    std::string word = note.substr(start, end - start);
    if (!line.empty() && line.size() + 1 + word.size() > kNoteWidth) {
      lines.push_back(line);
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
    start = end + 1;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// The notes the box shows, each as its wrapped lines, at most kMostNoteLines
// lines in all; the last line says how many notes did not fit.
std::vector<std::pair<std::string, std::vector<std::string>>> ShownNotes(
    const MissionModel& mission) {
  std::vector<std::pair<std::string, std::vector<std::string>>> shown;
  size_t lines = 0;
  for (size_t i = 0; i < mission.notes.size(); ++i) {
    std::vector<std::string> wrapped = Wrapped(mission.notes[i]);
    if (lines + wrapped.size() > kMostNoteLines - 1 && i + 1 < mission.notes.size()) {
      std::string more = "... and " + std::to_string(mission.notes.size() - i) + " more notes";
      shown.push_back({more, {more}});
      break;
    }
    lines += wrapped.size();
    shown.push_back({mission.notes[i], std::move(wrapped)});
  }
  return shown;
}

size_t LineCount(const std::vector<std::pair<std::string, std::vector<std::string>>>& notes) {
  size_t lines = 0;
  for (const auto& note : notes) lines += note.second.size();
  return lines;
}

}  // namespace

std::string MapPanel(const MissionModel& mission, double left, double top, bool unlabelled) {
  std::string svg = Legend(left, top);
  double y = top + kLegendHeight + 10;
  if (unlabelled) {
    svg += Text(left, y,
                std::to_string(mission.units.size()) + " units: labels left out, hover for titles",
                " font-size=\"11\"");
    y += kLineHeight;
  }
  auto notes = ShownNotes(mission);
  if (notes.empty()) return svg;
  double height = 28 + LineCount(notes) * kNoteLineHeight;
  svg += "<g class=\"notes\"" + std::string(" data-count=\"") +
         std::to_string(mission.notes.size()) + "\"><rect x=\"" + Number(left - 6) + "\" y=\"" +
         Number(y) + "\" width=\"316\" height=\"" + Number(height) +
         "\" fill=\"#fef9e7\" stroke=\"#b7950b\"/>\n" +
         Text(left, y + 17, "Not drawn", " font-size=\"12\" font-weight=\"bold\"");
  y += 32;
  // Each note is one text element whose lines are its spans; data-note keeps
  // the whole sentence for readers of the markup.
  for (const auto& [note, lines] : notes) {
    svg += "<text class=\"note\"" + std::string(" data-note=\"") + Escaped(note) + "\" x=\"" +
           Number(left) + "\" y=\"" + Number(y) + "\" font-size=\"10.5\" fill=\"#4d3c00\">";
    for (size_t i = 0; i < lines.size(); ++i) {
      svg += "<tspan x=\"" + Number(left) + "\"" +
             (i == 0 ? std::string() : " dy=\"" + Number(kNoteLineHeight) + "\"") + ">" +
             Escaped(lines[i]) + "</tspan>";
    }
    svg += "</text>\n";
    y += lines.size() * kNoteLineHeight;
  }
  return svg + "</g>\n";
}

double PanelBottom(const MissionModel& mission, double top) {
  double bottom = top + kLegendHeight + 10 + kLineHeight;
  size_t lines = LineCount(ShownNotes(mission));
  if (lines > 0) bottom += 32 + lines * kNoteLineHeight;
  return bottom;
}

}  // namespace quorvane::picture
