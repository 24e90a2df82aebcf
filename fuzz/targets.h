#pragma once

#include <cstddef>
#include <cstdint>

// The fuzz targets. Each reads one input; an input the compiler refuses in
// the way it refuses bad input (OpenError, RuntimeError, a message) passes.
// A crash, a sanitizer report, any other exception or a broken rule (a file
// written outside the output folder, two ways of reading one condition that
// disagree) stops the process: that input is a finding.
namespace quorvane::fuzz {

// The bytes of a Jet file: open it, list its tables, load every table.
void JetFile(const uint8_t* data, size_t size);
// The bytes of a SQLite file: the same.
void SqliteFile(const uint8_t* data, size_t size);
// A criteria text: parsed and evaluated against a small table of every column
// type, by the record set's search and by a query's WHERE clause alike.
void CriteriaText(const uint8_t* data, size_t size);
// A list of edits to a valid SQLite mission (see mission_edits.h): both
// operations run on the edited mission into a scratch folder.
void EditedMission(const uint8_t* data, size_t size);
// The custom mutator of EditedMission: adds, removes or changes edits.
size_t MutateEditedMission(uint8_t* data, size_t size, size_t max_size, unsigned seed);

}  // namespace quorvane::fuzz
