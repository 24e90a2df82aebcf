#include "script/abl_text.h"

#include <gtest/gtest.h>

#include "script/script_session.h"
#include "support/files.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

class IncludeLinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = testing::TempDir() + "/abl_text_test";
    session_.run.files[FileRole::kVariables].Create(base_ + "_VAR.ABI");
    session_.run.files[FileRole::kInit].Create(base_ + "_INIT.ABI");
  }
  std::string Variables() { return testing::ReadFile(base_ + "_VAR.ABI"); }
  std::string Init() { return testing::ReadFile(base_ + "_INIT.ABI"); }

  RecordingSink sink_;
  RunState run_{sink_};
  ScriptState state_;
  ScriptSession session_{run_, state_};
  std::string base_;
};

TEST_F(IncludeLinesTest, DeclarationsLineUpTheirNamesInColumn40) {
  DeclareScriptVariable(session_, "static boolean", "Objective_2_Decided", "FALSE");
  DeclareScriptVariable(session_, "static integer", "Counter", "");
  DeclareScriptVariable(session_, "boolean", "LOP0", "TRUE");
  CloseVarInitFiles(session_);
  EXPECT_EQ(Variables(),
            "     static boolean                    Objective_2_Decided;\r\n"
            "     static integer                    Counter;\r\n"
            "     boolean                           LOP0;\r\n");
  // Only declarations with an initial value reach the _INIT include.
  EXPECT_EQ(Init(),
            "     Objective_2_Decided = FALSE;\r\n"
            "     LOP0 = TRUE;\r\n");
}

TEST_F(IncludeLinesTest, InitStatementsGetOneSemicolon) {
  WriteInitLine(session_, "x", "1");
  WriteInitLine(session_, "x = 1;");
  WriteInitLine(session_, "x = 1");
  CloseVarInitFiles(session_);
  EXPECT_EQ(Init(), "     x = 1;\r\n     x = 1;\r\n     x = 1;\r\n");
}

TEST(MakeObjectIdTest, CombinesBlockVertexAndNumber) {
  EXPECT_EQ(MakeObjectId(1, 2, 3), 7315);
  EXPECT_EQ(MakeObjectId(0, 0, 0), 4096);
  // 32-bit arithmetic: no 16-bit input overflows it.
  EXPECT_EQ(MakeObjectId(32767, 32767, 32767), 4096 + 3200 * 32767 + 8 * 32767 + 32767);
  EXPECT_EQ(MakeObjectId(-32768, -1, -1), 4096 - 3200 * 32768 - 8 - 1);
}

}  // namespace
}  // namespace quorvane
