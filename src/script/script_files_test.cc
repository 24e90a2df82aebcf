#include "script/script_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "script/script_session.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

std::string At(int column, const std::string& text) {
  return std::string(column - 1, ' ') + text + "\r\n";
}

const std::string kEmpty = "\r\n";
const std::string kClosingLines = At(12, "endswitch;") + kEmpty + "endfunction;\r\n" + kEmpty;

// The numbered cases of handleMessage, written into an _MP include whose head
// is left out.
class MultiplayerEventTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = testing::TempDir() + "/mp_events_test_MP.ABI";
    session_.shared.files[FileRole::kMultiplayer].Create(path_);
    session_.script.event_limit = 249;
  }
  std::string CloseAndRead() {
    CloseMultiplayerInclude(session_);
    std::ifstream in(path_, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  RecordingSink sink_;
  Session shared_{sink_};
  ScriptState state_;
  ScriptSession session_{shared_, state_};
  std::string path_;
};

TEST_F(MultiplayerEventTest, WithoutEventsOnlyTheSwitchAndFunctionClose) {
  EXPECT_EQ(CloseAndRead(), kClosingLines);
}

TEST_F(MultiplayerEventTest, EachNewEventClosesThePreviousCase) {
  EXPECT_EQ(AddMultiplayerEvent(session_, "first;", true), 1);
  EXPECT_EQ(AddMultiplayerEvent(session_, "second;", true), 2);
  EXPECT_EQ(AddMultiplayerEvent(session_, "second more;", false), 2);
  EXPECT_EQ(AddMultiplayerEvent(session_, "third;", true), 3);
  EXPECT_EQ(CloseAndRead(), At(18, "Case 1:") + kEmpty + At(24, "first;") + At(24, "endcase;") +
                                kEmpty +  //
                                At(18, "Case 2:") + kEmpty + At(24, "second;") +
                                At(24, "second more;") + At(24, "endcase;") + kEmpty +  //
                                At(18, "Case 3:") + kEmpty + At(24, "third;") + At(24, "endcase;") +
                                kEmpty + kClosingLines);
  EXPECT_TRUE(sink_.messages().empty());
}

TEST_F(MultiplayerEventTest, The250thEventIsRefused) {
  for (int event = 1; event <= 249; ++event) {
    ASSERT_EQ(AddMultiplayerEvent(session_, "x;", true), event);
  }
  EXPECT_EQ(AddMultiplayerEvent(session_, "refused;", true), 0);
  // A later line of the refused event joins the last case that was opened.
  EXPECT_EQ(AddMultiplayerEvent(session_, "joins 249;", false), 249);
  const std::vector<Message> refusal = {{BoxStyle::kPlain, "", "Too many Multiplayer Events."}};
  EXPECT_EQ(sink_.messages(), refusal);
  std::string text = CloseAndRead();
  EXPECT_EQ(text.find("refused;"), std::string::npos);
  EXPECT_NE(text.find(At(18, "Case 249:") + kEmpty + At(24, "x;") + At(24, "joins 249;") +
                      At(24, "endcase;") + kEmpty + kClosingLines),
            std::string::npos);
}

}  // namespace
}  // namespace quorvane
