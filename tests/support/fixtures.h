#pragma once

#include <string>

namespace quorvane::testing {

// The path of a file in the shared fixtures folder ("campaign.mdb",
// "thirdparty/jet3_sample.mdb"), found by walking up from the source tree to
// a folder that holds shared/fixtures.
std::string FixturePath(const std::string& name);

// A SQLite database built from the fixture NAME.sql ("campaign"), made once
// per test process in a temporary folder; returns its path.
std::string SqliteFixture(const std::string& name);

// True when the third-party sample databases are present.
bool ThirdpartyAvailable();

// A fresh temporary folder for one test (removed at process exit).
std::string TempDir();

}  // namespace quorvane::testing
