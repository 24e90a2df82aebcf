-- Mission fixture edges (SQLite only, written by hand): values at the edges of
-- what the writers read, and missions that fail two checks at once.
--   601  single-player, negative values in every number the writers write or test
--   602  single-player, Null where the rules name what a Null does
--   701-714  two faults in one mission: the check that comes first reports
--   716  messages of several warnings in their fixed order
-- Each mission's comment names what it shows; its expected files and messages are
-- under tests/golden/edges/<MissionID>/

-- Catalogue: warrior -5 has no profile name; 40 is missing; mech 999 and
-- vehicle 998 do not exist.
INSERT INTO Mechs VALUES (1, 201, 'Varrun', 'mvarrun'), (2, 202, 'Keltis', 'mkeltis');
INSERT INTO Vehicles VALUES (101, 340, 1, 'Tank', 'vtank'), (120, 500, 1, 'Engine', 'vengine');
INSERT INTO NewMW VALUES (1, 'pw1'), (2, 'pw2'), (3, 'pw3'), (-5, NULL);

-- 601: artillery -3, 32767, -32768; MapSize -1 (grid 48); Planet in lower case; empty
-- briefing and terrain names (no message); tonnage -5; TimeLimit -1 (no TimeLeft line);
-- CaptureChance -1; units at negative positions, in force groups -32768 and 0 (heads
-- -32769 and -1), warrior -5 (PMW0000-5), a train car in group -1 (in no train);
-- a Diamond at -45 with spacing -2; a Column at the unlisted 181; objectives with
-- negative type, time, status and points, one of side 0 (Clan names in its actions,
-- counted with the Inner Sphere); structure positions at the 16-bit limits; a
-- structure at negative Block, Vertex and Number with negative damage, side, contact
-- and salvage; a barracks at damage -0.5; lookouts at negative places and radii.
INSERT INTO NewMissions VALUES (601, 'Negatives', 'e601', 0, -3, 32767, -32768, 0, 0, 0, 0, 0,
  '', 'garotte', -1, '', -5, -1, -1, 'bp');
INSERT INTO MissionAssignments VALUES
  (601, 1, 'Inner Sphere', 1, 1, 1, 1, NULL, NULL, -100, -0.25, -180, 0, -1, -1, -1, 0),
  (601, 2, 'Clan', 0, 1, -5, NULL, 101, NULL, 0, 0, 0, -1, -1, 0, 0, 0),
  (601, 3, 'Clan', -32768, 1, 2, 2, NULL, NULL, 0, 0, 0, -1, -1, 0, 0, -1),
  (601, 4, 'aTrain', 1, 1, 0, NULL, 120, NULL, 0, 0, 0, -1, -1, 0, 0, 0),
  (601, 5, 'aTrain', -1, 1, 0, NULL, 120, NULL, 0, 0, 0, -1, -1, 0, 0, 0);
INSERT INTO PlayerEntryPoints VALUES (601, -1, -250.5, -0.5, 'Diamond', -45, -2),
  (601, 4, 0, 0, 'Column', 181, 1);
INSERT INTO Objectives VALUES (601, 10, 2, 1, 'Neg', -1, -2, -1, -5, 0, 0),
  (601, 11, 0, 2, 'Zero', 0, -1, 0, 0, 0, -1);
INSERT INTO ObjectiveScripting VALUES
  (601, 10, 'Destroy Structure', '-32768', '&HFFFF', NULL, '-1', NULL),
  (601, 11, 'Guard Structure', '32767', '32767', NULL, '32767', NULL);
INSERT INTO MissionStructures VALUES
  (601, 1, 'Neg1', -2, -1, -1, NULL, -1, -5, -1, 0, 0, NULL),
  (601, 2, 'Bar1', 0, 0, 1, 'Barracks', 2, -0.5, 0, 0, 0, NULL);
INSERT INTO StructureSalvage VALUES (1, 601, -1, -2);
INSERT INTO LookoutPoints VALUES (601, -100.5, -0.5, -1, 'Radius', -50, NULL, -300),
  (601, 0, 0, -2, 'ABL', 0, 'Flag1', 0);

-- 602: MissionName Null; MapSize 0 (grid 24); two units of Null force group (two
-- groups) and Null position; an objective with Null TimeLeft (no limit) whose
-- actions have Null lance numbers; a barracks of Null damage; a lookout of Null
-- position and radii; a lookout of the kind "radius" in lower case (taken as a
-- radius) with a fractional reveal radius (40.5.0).
INSERT INTO NewMissions VALUES (602, NULL, 'e602', 0, 1, 1, 1, 1, 0, 0, 0, 0,
  't', 'p', 0, 'b', 100, 0, 0, 'bp');
INSERT INTO MissionAssignments VALUES
  (602, 1, 'Inner Sphere', NULL, 1, 1, 1, NULL, '', NULL, NULL, 0, -1, -1, 0, 0, 0),
  (602, 2, 'Inner Sphere', NULL, 2, 2, 2, NULL, NULL, 1, 1, 0, -1, -1, 0, 0, 0);
INSERT INTO PlayerEntryPoints VALUES (602, 4, 10, 10, 'Line', 0, 1);
INSERT INTO Objectives VALUES (602, 20, 2, 1, 'Nulls', 1, NULL, 0, 10, 0, -1);
INSERT INTO ObjectiveScripting VALUES (602, 20, 'Destroy Enemy', 'Lance/Star', NULL, NULL, NULL, NULL),
  (602, 20, 'Guard Ally', 'Lance/Star', NULL, NULL, NULL, NULL);
INSERT INTO MissionStructures VALUES (602, 3, 'Bar2', 1, 1, 1, 'Barracks', 2, NULL, 0, 0, 0, NULL);
INSERT INTO LookoutPoints VALUES (602, NULL, NULL, 0, 'Radius', NULL, NULL, NULL),
  (602, 10, 20, 2, 'radius', 30, NULL, 40.5);

-- 701: two NewMissions rows, no assignments, objectives or drop zones
--   expected: Incorrect record count in NewMissions table. (FIT file)
--   expected: Incorrect record count in Objectives table. (script)
INSERT INTO NewMissions (MissionID, MissionFileName, Multiplayer) VALUES (701, 'e701', 0),
  (701, 'e701', 0);
-- 702: no assignments and no objectives
--   expected: No Assignments found for Mission 702. (FIT file)
INSERT INTO NewMissions (MissionID, MissionFileName, Multiplayer) VALUES (702, 'e702', 0);
INSERT INTO PlayerEntryPoints VALUES (702, 4, 0, 0, 'Line', 0, 1);
-- 703: no objectives and no drop zones
--   expected: Incorrect number of objectives.
INSERT INTO NewMissions (MissionID, MissionFileName, Multiplayer) VALUES (703, 'e703', 0);
INSERT INTO MissionAssignments (MissionID, UniqueEntry, Alignment, ForceGroup, Role, MWID, MechID)
  VALUES (703, 1, 'Inner Sphere', 1, 1, 1, 1);
-- 704: multiplayer, one objective without action rows, five drop zones
--   expected: Incorrect number of objectives. (FIT file)
--   expected: Incorrect record count in Objectives table. (script)
INSERT INTO NewMissions (MissionID, MissionFileName, Multiplayer) VALUES (704, 'e704', -1);
INSERT INTO Objectives (MissionID, ObjectiveID, Alignment, Objective) VALUES (704, 40, 2, 1);
INSERT INTO PlayerEntryPoints (MissionID, Slots) VALUES (704, 4), (704, 4), (704, 4), (704, 4),
  (704, 4);
-- 705: multiplayer without drop zones
--   expected: No Dropzones were defined.
INSERT INTO NewMissions (MissionID, MissionFileName, Multiplayer) VALUES (705, 'e705', -1);
INSERT INTO Objectives (MissionID, ObjectiveID, Alignment, Objective) VALUES (705, 50, 2, 1),
  (705, 51, 1, 1);
-- 706 to 714: single-player missions with one objective and one drop zone
INSERT INTO NewMissions (MissionID, MissionFileName, Multiplayer) VALUES (706, 'e706', 0),
  (707, 'e707', 0), (708, 'e708', 0), (709, 'e709', 0), (710, 'e710', 0), (711, 'e711', 0),
  (712, 'e712', 0), (713, 'e713', 0), (714, 'e714', 0);
INSERT INTO Objectives (MissionID, ObjectiveID, Alignment, Objective) VALUES (706, 60, 2, 1),
  (707, 70, 2, 1), (708, 80, 2, 1), (709, 90, 2, 1), (710, 100, 2, 1), (711, 110, 2, 1),
  (712, 120, 2, 1), (713, 130, 2, 1), (714, 140, 2, 1);
INSERT INTO PlayerEntryPoints (MissionID, Slots) VALUES (707, 4), (708, 4), (709, 4), (710, 4),
  (711, 4), (712, 4), (713, 4), (714, 4);
INSERT INTO MissionAssignments (MissionID, UniqueEntry, Alignment, ForceGroup, Role, MWID, MechID,
  VehicleID) VALUES
-- 706: no drop zones and a unit with MWID 0: No Dropzones were defined.
  (706, 1, 'Clan', 1, 1, 0, 1, NULL),
-- 707: warrior 40 missing and MechID 0: MWID 40 not found in database. [707]
  (707, 1, 'Clan', 1, 1, 40, 0, NULL),
-- 708: MWID 0 and MechID 999: MWID cannot be Zero. [708]
  (708, 1, 'Clan', 1, 1, 0, 999, NULL),
-- 709: MechID 0 and VehicleID 998: MechID cannot be Zero. [709]
  (709, 1, 'Clan', 1, 1, 1, 0, 998),
-- 710: MechID 999 and VehicleID 101: MechID 999 not found in database. [710], no warning
  (710, 1, 'Clan', 1, 1, 1, 999, 101),
-- 711: MechID 1 with the missing VehicleID 998 only warns; the next unit has MWID 0:
--   Both a Mech and Vehicle seem to be assigned to the same warrior. [711], then
--   MWID cannot be Zero. [711]
  (711, 1, 'Clan', 1, 1, 1, 1, 998), (711, 2, 'Clan', 1, 2, 0, 1, NULL),
-- 712: a Clan unit with MWID 0 stored before an Inner Sphere unit with MechID 999; the
--   Inner Sphere unit comes first: MechID 999 not found in database. [712]
  (712, 1, 'Clan', 1, 1, 0, 1, NULL), (712, 2, 'Inner Sphere', 1, 1, 1, 999, NULL),
-- 713: MWID, MechID and VehicleID Null: MWID cannot be Zero. [713]
  (713, 1, 'Clan', 1, 1, NULL, NULL, NULL),
-- 714: a train car with MWID 0 and neither mech nor vehicle passes the warrior check:
--   No MechID or VehicleID has been assigned. [714]
  (714, 1, 'aTrain', 1, 1, 0, NULL, NULL);

-- 716: Null briefing, terrain and tonnage and a unit with mech and vehicle in a Clan
-- group of thirteen: in the FIT file the mech-and-vehicle warning, the three "not
-- specified" warnings, then Too many assignments to Clan Group 1 (no FITend). In the
-- script: the delayed first objective, the capture action without capturable enemy,
-- the identifier that starts with a number, then the Inner Sphere vehicle bay.
INSERT INTO NewMissions (MissionID, MissionFileName, Multiplayer) VALUES (716, 'e716', 0);
INSERT INTO PlayerEntryPoints (MissionID, Slots) VALUES (716, 4);
INSERT INTO Objectives (MissionID, ObjectiveID, Alignment, Objective, Priority, TimeLeft,
  DelayDetermination, DoNotFailIfDead) VALUES (716, 160, 2, 1, 1, -1, -1, -1);
INSERT INTO ObjectiveScripting (MissionID, ObjectiveID, Action, ActionParm1)
  VALUES (716, 160, 'Capture Enemy Vehicles', 'All');
INSERT INTO MissionStructures (MissionID, StructureID, Identifier, Block, Vertex, Number,
  BuildingType, Alignment) VALUES (716, 4, '3rd Bay', 1, 1, 1, 'Vehicle Bay', 2);
INSERT INTO MissionAssignments (MissionID, UniqueEntry, Alignment, ForceGroup, Role, MWID, MechID,
  VehicleID) VALUES (716, 1, 'Clan', 1, 1, 1, 1, 101), (716, 2, 'Clan', 1, 2, 1, 1, NULL),
  (716, 3, 'Clan', 1, 3, 1, 1, NULL), (716, 4, 'Clan', 1, 4, 1, 1, NULL),
  (716, 5, 'Clan', 1, 5, 1, 1, NULL), (716, 6, 'Clan', 1, 6, 1, 1, NULL),
  (716, 7, 'Clan', 1, 7, 1, 1, NULL), (716, 8, 'Clan', 1, 8, 1, 1, NULL),
  (716, 9, 'Clan', 1, 9, 1, 1, NULL), (716, 10, 'Clan', 1, 10, 1, 1, NULL),
  (716, 11, 'Clan', 1, 11, 1, 1, NULL), (716, 12, 'Clan', 1, 12, 1, 1, NULL),
  (716, 13, 'Clan', 1, 13, 1, 1, NULL);
COMMIT;
