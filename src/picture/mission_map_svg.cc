#include "picture/mission_map_svg.h"

#include <cmath>
#include <cstdio>

#include "picture/map_frame.h"
#include "picture/map_panel.h"
#include "picture/markup_text.h"
#include "picture/svg_shapes.h"

namespace quorvane::picture {
namespace {

// The picture: a header band, the map square and the panel beside it.
constexpr double kMapLeft = 20, kMapTop = 72, kMapSize = 880;
constexpr double kPanelLeft = 920, kWidth = 1240, kMinHeight = 972;
// Above this many units the labels would hide the map; the titles stay.
constexpr size_t kMostLabelledUnits = 500;

// Frame values keep their precision, so that a reader can map world to
// picture units exactly.
std::string Exact(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.12g", value);
  return buffer;
}

// The id of the drop zones' arrow head; one per mission, so that the maps of
// several missions can share an HTML page.
std::string ArrowId(const MissionModel& mission) {
  return "dz-arrow-" + std::to_string(mission.mission);
}

std::string Attribute(std::string_view name, std::string_view value) {
  return " " + std::string(name) + "=\"" + Escaped(value) + "\"";
}

std::string At(const MapFrame& frame, Point point) {
  return "translate(" + Number(frame.ScreenX(point.x)) + " " + Number(frame.ScreenY(point.y)) + ")";
}

// The end of a facing mark of `length` picture units, from the origin.
std::string FacingLine(double rotation, double length, std::string_view colour,
                       std::string_view extra = "") {
  Point facing = FacingVector(rotation);
  return "<line class=\"facing\" x1=\"0\" y1=\"0\" x2=\"" + Number(facing.x * length) + "\" y2=\"" +
         Number(-facing.y * length) + "\" stroke=\"" + std::string(colour) +
         "\" stroke-width=\"2\"" + std::string(extra) + "/>";
}

std::string Ring(const MapFrame& frame, std::string_view kind, Point centre, double radius,
                 std::string_view colour, std::string_view dashes, std::string_view fill,
                 std::string_view data) {
  return "<circle class=\"" + std::string(kind) + "\"" + std::string(data) +
         Attribute("data-radius", Number(radius)) +
         Attribute("cx", Number(frame.ScreenX(centre.x))) +
         Attribute("cy", Number(frame.ScreenY(centre.y))) +
         Attribute("r", Number(frame.Length(radius))) + " fill=\"" + std::string(fill) +
         "\" stroke=\"" + std::string(colour) + "\" stroke-dasharray=\"" + std::string(dashes) +
         "\"/>\n";
}

void WriteGrid(const MapFrame& frame, std::string& svg) {
  double step = frame.grid_step();
  svg +=
      "<g class=\"grid\" stroke=\"#d5d8dc\" stroke-width=\"1\" font-size=\"10\" "
      "fill=\"#7f8c8d\">\n";
  for (double i = std::ceil(frame.min_x() / step); i * step <= frame.max_x(); ++i) {
    std::string x = Number(frame.ScreenX(i * step));
    svg += "<line x1=\"" + x + "\" y1=\"" + Number(kMapTop) + "\" x2=\"" + x + "\" y2=\"" +
           Number(kMapTop + kMapSize) + "\"/><text stroke=\"none\" x=\"" + x + "\" y=\"" +
           Number(kMapTop + kMapSize + 12) + "\" text-anchor=\"middle\">" + Number(i * step) +
           "</text>\n";
  }
  for (double i = std::ceil(frame.min_y() / step); i * step <= frame.max_y(); ++i) {
    std::string y = Number(frame.ScreenY(i * step));
    svg += "<line x1=\"" + Number(kMapLeft) + "\" y1=\"" + y + "\" x2=\"" +
           Number(kMapLeft + kMapSize) + "\" y2=\"" + y + "\"/><text stroke=\"none\" x=\"" +
           Number(kMapLeft + 2) + "\" y=\"" + y + "\" dy=\"-2\">" + Number(i * step) + "</text>\n";
  }
  svg += "</g>\n";
  double bar = frame.Length(step);
  double y = kMapTop + kMapSize - 16;
  svg += "<g class=\"scale-bar\"" + Attribute("data-length", Exact(step)) + "><rect x=\"" +
         Number(kMapLeft + 12) + "\" y=\"" + Number(y) + "\" width=\"" + Number(bar) +
         "\" height=\"5\" fill=\"#2c3e50\"/><text x=\"" + Number(kMapLeft + 12) + "\" y=\"" +
         Number(y - 4) + "\" font-size=\"11\" fill=\"#2c3e50\">" + Number(step) +
         " world units</text></g>\n";
}

std::string UnitTitle(const Unit& unit) {
  std::string title = "Part " + std::to_string(unit.part) + ": " + UnitLabel(unit) + ", " +
                      KindName(unit.kind) + " " + unit.type_name + "; warrior " + unit.warrior +
                      "; at " + ValueText(unit.x) + ", " + ValueText(unit.y) + " facing " +
                      ValueText(unit.rotation);
  if (!unit.starts_active) title += "; starts inactive";
  if (!unit.starts_existing) title += "; starts not existing";
  if (unit.create_radius) title += "; created within " + Number(*unit.create_radius);
  if (unit.activation_radius) title += "; activated within " + Number(*unit.activation_radius);
  if (unit.elementals > 0) title += "; carries " + std::to_string(unit.elementals) + " elementals";
  return title;
}

void WriteUnitRings(const MapFrame& frame, const Unit& unit, std::string& svg) {
  std::string data = Attribute("data-part", std::to_string(unit.part));
  std::string_view colour = SideColour(unit.side);
  if (unit.create_radius) {
    svg += Ring(frame, "create-radius", *unit.position, *unit.create_radius, colour, "8 4", "none",
                data);
  }
  if (unit.activation_radius) {
    svg += Ring(frame, "activation-radius", *unit.position, *unit.activation_radius, colour, "2 4",
                "none", data);
  }
}

void WriteUnit(const MapFrame& frame, const Unit& unit, bool labelled, std::string& svg) {
  std::string_view colour = SideColour(unit.side);
  bool hollow = !unit.starts_active || !unit.starts_existing;
  svg +=
      "<g class=\"unit " + std::string(KindClass(unit.kind)) + " " +
      std::string(SideClass(unit.side)) + (hollow ? " hollow" : "") + "\"" +
      Attribute("data-part", std::to_string(unit.part)) +
      Attribute("data-x", Exact(unit.position->x)) + Attribute("data-y", Exact(unit.position->y)) +
      (unit.elementals > 0 ? Attribute("data-elementals", std::to_string(unit.elementals)) : "") +
      Attribute("transform", At(frame, *unit.position)) + "><title>" + Escaped(UnitTitle(unit)) +
      "</title>";
  svg += UnitShape(unit.kind, colour, hollow);
  if (unit.facing) svg += FacingLine(*unit.facing, 14, colour);
  if (labelled) {
    std::string label = UnitLabel(unit);
    if (unit.elementals > 0) label += " +" + std::to_string(unit.elementals);
    svg += "<text x=\"10\" y=\"-8\" font-size=\"10\" fill=\"" + std::string(colour) + "\">" +
           Escaped(label) + "</text>";
  }
  svg += "</g>\n";
}

std::string ZoneTitle(const DropZone& zone) {
  return "Drop zone " + std::to_string(zone.index) + ": " + ValueText(zone.formation) +
         ", rotation " + ValueText(zone.rotation) + ", spacing " + ValueText(zone.spacing) + ", " +
         ValueText(zone.slots) + " slots, at " + ValueText(zone.x) + ", " + ValueText(zone.y) +
         (zone.slot_offsets.empty() ? "; no slot layout for this formation and rotation" : "");
}

void WriteDropZone(const MapFrame& frame, const DropZone& zone, const std::string& arrow,
                   std::string& svg) {
  std::string colour(kDropZoneColour);
  const Point& at = *zone.position;
  svg += "<g class=\"drop-zone\"" + Attribute("data-zone", std::to_string(zone.index)) +
         Attribute("data-x", Exact(at.x)) + Attribute("data-y", Exact(at.y)) + "><title>" +
         Escaped(ZoneTitle(zone)) + "</title>\n";
  for (size_t slot = 0; slot < zone.slot_offsets.size(); ++slot) {
    const auto& offset = zone.slot_offsets[slot];
    if (!offset) continue;
    Point place{at.x + offset->x, at.y + offset->y};
    std::string cx = Number(frame.ScreenX(place.x)), cy = Number(frame.ScreenY(place.y));
    svg += "<circle class=\"slot\"" + Attribute("data-zone", std::to_string(zone.index)) +
           Attribute("data-slot", std::to_string(slot)) +
           Attribute("data-offset-x", Exact(offset->x)) +
           Attribute("data-offset-y", Exact(offset->y)) + " cx=\"" + cx + "\" cy=\"" + cy +
           "\" r=\"6\" fill=\"#fdebd0\" stroke=\"" + colour + "\"/><text x=\"" + cx + "\" y=\"" +
           cy + "\" dy=\"3\" font-size=\"8\" text-anchor=\"middle\" fill=\"" + colour + "\">" +
           std::to_string(slot) + "</text>\n";
  }
  svg += "<g class=\"zone-mark\"" + Attribute("transform", At(frame, at)) +
         "><path d=\"M-10,0 L10,0 M0,-10 L0,10\" stroke=\"" + colour +
         "\" stroke-width=\"2\"/><circle r=\"10\" fill=\"none\" stroke=\"" + colour +
         "\" stroke-width=\"2\"/>";
  if (zone.facing)
    svg += FacingLine(*zone.facing, 26, colour, " marker-end=\"url(#" + arrow + ")\"");
  svg += "<text x=\"13\" y=\"16\" font-size=\"11\" font-weight=\"bold\" fill=\"" + colour + "\">" +
         Escaped("DZ" + std::to_string(zone.index) + " " + ValueText(zone.formation) + " " +
                 ValueText(zone.rotation) + "°") +
         "</text></g></g>\n";
}

std::string TriggerWords(const Lookout& lookout) {
  switch (lookout.trigger) {
    case Trigger::kAbl:
      return "ABL condition only";
    case Trigger::kBoth:
      return "ABL condition and radius";
    case Trigger::kRadius:
      break;
  }
  return "radius";
}

void WriteLookout(const MapFrame& frame, const Lookout& lookout, std::string& svg) {
  std::string_view colour = SideColour(lookout.clan ? Side::kClan : Side::kInnerSphere);
  std::string data = Attribute("data-lookout", std::to_string(lookout.index));
  const Point& at = *lookout.position;
  svg += "<g class=\"lookout " + std::string(lookout.clan ? "clan" : "inner-sphere") +
         (lookout.trigger == Trigger::kAbl ? " abl-only" : "") + "\"" + data +
         Attribute("data-x", Exact(at.x)) + Attribute("data-y", Exact(at.y)) + "><title>" +
         Escaped("Lookout point " + std::to_string(lookout.index) + " (LOP" +
                 std::to_string(lookout.index) + "), " + (lookout.clan ? "Clan" : "player's") +
                 " side; trigger: " + TriggerWords(lookout) + ", radius " +
                 ValueText(lookout.radius) + "; reveals " + ValueText(lookout.reveal_radius) +
                 "; condition " + ValueText(lookout.condition)) +
         "</title>\n";
  if (lookout.reveal) {
    svg += Ring(frame, "lookout-reveal", at, *lookout.reveal, colour, "1 0",
                "rgba(241,196,15,0.12)", data);
  }
  if (lookout.trigger_radius && lookout.trigger != Trigger::kAbl) {
    svg += Ring(frame, "lookout-trigger", at, *lookout.trigger_radius, colour, "6 3", "none", data);
  }
  std::string mark = "LOP" + std::to_string(lookout.index);
  if (lookout.trigger == Trigger::kAbl) mark += " ABL";
  if (lookout.trigger == Trigger::kBoth) mark += " ABL+radius";
  svg += "<g" + Attribute("transform", At(frame, at)) +
         "><polygon points=\"0,-7 7,0 0,7 -7,0\" fill=\"#f1c40f\" stroke=\"" + std::string(colour) +
         "\" stroke-width=\"2\"/><text x=\"9\" y=\"12\" font-size=\"10\" "
         "fill=\"" +
         std::string(colour) + "\">" + Escaped(mark) + "</text></g></g>\n";
}

void WriteHeader(const MissionModel& mission, std::string& svg) {
  std::string title = "Mission " + std::to_string(mission.mission);
  if (mission.found) title += ": " + mission.name;
  std::string line = MissionKind(mission);
  if (mission.found) line += " · file " + mission.file_name;
  line += " · " + std::to_string(mission.units.size()) + " units, " +
          std::to_string(mission.drop_zones.size()) + " drop zones, " +
          std::to_string(mission.lookouts.size()) + " lookout points";
  svg +=
      "<text class=\"mission-title\" x=\"20\" y=\"32\" font-size=\"22\" font-weight=\"bold\" "
      "fill=\"#17202a\">" +
      Escaped(title) +
      "</text>\n<text class=\"mission-kind\" x=\"20\" "
      "y=\"54\" font-size=\"13\" fill=\"#424949\">" +
      Escaped(line) + "</text>\n";
}

void WriteMap(const MissionModel& mission, const MapFrame& frame, std::string& svg) {
  svg += "<rect class=\"map\" x=\"" + Number(kMapLeft) + "\" y=\"" + Number(kMapTop) +
         "\" width=\"" + Number(kMapSize) + "\" height=\"" + Number(kMapSize) +
         "\" fill=\"#fbfcfc\" stroke=\"#909497\"/>\n";
  WriteGrid(frame, svg);
  for (const Lookout& lookout : mission.lookouts) {
    if (lookout.position) WriteLookout(frame, lookout, svg);
  }
  for (const Unit& unit : mission.units) {
    if (unit.position) WriteUnitRings(frame, unit, svg);
  }
  for (const DropZone& zone : mission.drop_zones) {
    if (zone.position) WriteDropZone(frame, zone, ArrowId(mission), svg);
  }
  bool labelled = mission.units.size() <= kMostLabelledUnits;
  for (const Unit& unit : mission.units) {
    if (unit.position) WriteUnit(frame, unit, labelled, svg);
  }
}

std::string Drawing(const MissionModel& mission) {
  MapFrame frame(mission, kMapLeft, kMapTop, kMapSize);
  std::string panel =
      MapPanel(mission, kPanelLeft, kMapTop, mission.units.size() > kMostLabelledUnits);
  double height = std::max(kMinHeight, PanelBottom(mission, kMapTop) + 20);
  std::string svg;
  svg.reserve(4096 + mission.units.size() * 420);
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"mission-map\"" +
         Attribute("width", Number(kWidth)) + Attribute("height", Number(height)) +
         Attribute("viewBox", "0 0 " + Number(kWidth) + " " + Number(height)) +
         Attribute("data-mission", std::to_string(mission.mission)) +
         Attribute("data-map-left", Exact(kMapLeft)) + Attribute("data-map-top", Exact(kMapTop)) +
         Attribute("data-min-x", Exact(frame.min_x())) +
         Attribute("data-max-y", Exact(frame.max_y())) +
         Attribute("data-scale", Exact(frame.scale())) +
         " font-family=\"DejaVu Sans, Arial, sans-serif\">\n";
  svg += "<defs><marker id=\"" + ArrowId(mission) +
         "\" viewBox=\"0 0 10 10\" refX=\"8\" refY=\"5\" markerWidth=\"6\" "
         "markerHeight=\"6\" orient=\"auto-start-reverse\"><path d=\"M0,0 L10,5 L0,10 z\" "
         "fill=\"" +
         std::string(kDropZoneColour) + "\"/></marker></defs>\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  WriteHeader(mission, svg);
  WriteMap(mission, frame, svg);
  svg += panel;
  svg += "</svg>\n";
  return svg;
}

}  // namespace

std::string MissionMapSvg(const MissionModel& mission) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + Drawing(mission);
}

std::string MissionMapElement(const MissionModel& mission) { return Drawing(mission); }

}  // namespace quorvane::picture
