-- The tables of a mission-design database, as the mission fixtures hold them.
-- Each mission fixture NAME.sql (campaign, broken, nullflags, edges) holds only
-- its rows and the closing COMMIT: its SQL text is this file followed by it.

BEGIN TRANSACTION;
CREATE TABLE "NewMissions" (
  "MissionID" INTEGER,
  "MissionName" TEXT(255),
  "MissionFileName" TEXT(255),
  "Multiplayer" YESNO,
  "ArtilleryLarge" SMALLINT,
  "ArtillerySmall" SMALLINT,
  "ArtillerySensor" SMALLINT,
  "ArtilleryCamera" SMALLINT,
  "ClanArtilleryLarge" SMALLINT,
  "ClanArtillerySmall" SMALLINT,
  "ClanArtillerySensor" SMALLINT,
  "ClanArtilleryCamera" SMALLINT,
  "TerrainFileName" TEXT(255),
  "Planet" TEXT(255),
  "MapSize" SMALLINT,
  "BriefingFileName" TEXT(255),
  "PlayerForceLimit" INTEGER,
  "TimeLimit" INTEGER,
  "CaptureChance" SMALLINT,
  "ScriptFileName" TEXT(255)
);
CREATE TABLE "MissionAssignments" (
  "MissionID" INTEGER,
  "UniqueEntry" INTEGER,
  "Alignment" TEXT(50),
  "ForceGroup" SMALLINT,
  "Role" SMALLINT,
  "MWID" INTEGER,
  "MechID" INTEGER,
  "VehicleID" INTEGER,
  "BrainFile" TEXT(255),
  "XCoordinate" REAL,
  "YCoordinate" REAL,
  "Rotation" REAL,
  "Active" YESNO,
  "Exists" YESNO,
  "CreateRadius" REAL,
  "ActivationRadius" REAL,
  "Captureable" YESNO
);
CREATE TABLE "Mechs" (
  "ID" INTEGER,
  "ObjectNumber" INTEGER,
  "Name" TEXT(255),
  "FITFileName" TEXT(255)
);
CREATE TABLE "Vehicles" (
  "VehicleID" INTEGER,
  "TypeID" INTEGER,
  "VehicleType" SMALLINT,
  "Name" TEXT(255),
  "FITFileName" TEXT(255)
);
CREATE TABLE "NewMW" (
  "MWID" INTEGER,
  "FITFileName" TEXT(255)
);
CREATE TABLE "Objectives" (
  "MissionID" INTEGER,
  "ObjectiveID" INTEGER,
  "Alignment" SMALLINT,
  "Objective" SMALLINT,
  "Description" TEXT(255),
  "Priority" SMALLINT,
  "TimeLeft" FLOAT,
  "Status" SMALLINT,
  "ResourcePoints" INTEGER,
  "DelayDetermination" YESNO,
  "DoNotFailIfDead" YESNO
);
CREATE TABLE "ObjectiveScripting" (
  "MissionID" INTEGER,
  "ObjectiveID" INTEGER,
  "Action" TEXT(255),
  "ActionParm1" TEXT(255),
  "ActionParm2" TEXT(255),
  "ActionParm3" TEXT(255),
  "ActionParm4" TEXT(255),
  "ActionParm5" TEXT(255)
);
CREATE TABLE "PlayerEntryPoints" (
  "MissionID" INTEGER,
  "Slots" SMALLINT,
  "PlayerEntryPointX" REAL,
  "PlayerEntryPointY" REAL,
  "Formation" TEXT(255),
  "Rotation" SMALLINT,
  "Spacing" FLOAT
);
CREATE TABLE "MissionStructures" (
  "MissionID" INTEGER,
  "StructureID" INTEGER,
  "Identifier" TEXT(255),
  "Block" SMALLINT,
  "Vertex" SMALLINT,
  "Number" SMALLINT,
  "BuildingType" TEXT(255),
  "Alignment" SMALLINT,
  "InitialDamage" FLOAT,
  "Contact" SMALLINT,
  "Captureable" YESNO,
  "Captured" YESNO,
  "newtagname" TEXT(255)
);
CREATE TABLE "StructureSalvage" (
  "StructureID" INTEGER,
  "MissionID" INTEGER,
  "ItemID" INTEGER,
  "Quantity" SMALLINT
);
CREATE TABLE "StructureAssociates" (
  "StructureID" INTEGER,
  "Block" SMALLINT,
  "Vertex" SMALLINT,
  "Number" SMALLINT,
  "Inactive" YESNO,
  "AssignmentIndex" SMALLINT
);
CREATE TABLE "LookoutPoints" (
  "MissionID" INTEGER,
  "XCoordinate" REAL,
  "YCoordinate" REAL,
  "Side" SMALLINT,
  "UseABLorRadius" TEXT(255),
  "Radius" REAL,
  "ABLCondition" TEXT(255),
  "RevealRadius" REAL
);
