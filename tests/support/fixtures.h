#pragma once

#include <string>

namespace quorvane::testing {

// The path of a file of the repository's test data, tests/data ("campaign.mdb",
// "scale/units10000.mdb"). Names under "thirdparty/" ("thirdparty/jet3_sample.mdb")
// are third-party samples that the repository may not hold: they are looked for
// in shared/fixtures/thirdparty beside the checkout, and tests that read them
// skip unless ThirdpartyAvailable().
std::string FixturePath(const std::string& name);

// A SQLite database built from the fixture NAME.sql ("campaign"), made once
// per test process in a temporary folder; returns its path.
std::string SqliteFixture(const std::string& name);

// A new SQLite database built from the fixture NAME.sql followed by more SQL
// statements (changes to its rows), in a temporary folder of its own.
std::string SqliteFixtureWith(const std::string& name, const std::string& statements);

// A SQLite database at `path` made by running `sql`; returns the path. Throws
// std::runtime_error naming `what` when the SQL fails.
std::string SqliteDatabase(const std::string& path, const std::string& sql,
                           const std::string& what = "SQL");

// True when the third-party sample databases are present.
bool ThirdpartyAvailable();

// A fresh temporary folder for one test (removed at process exit).
std::string TempDir();

}  // namespace quorvane::testing
