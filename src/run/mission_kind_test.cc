#include "run/mission_kind.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane {
namespace {

struct KindCase {
  std::string name;
  Variant multiplayer;
  MissionKind by_number;
  MissionKind by_truth;
};

// The two tests agree on the values a Yes/No field holds and part on the
// values only a SQLite twin can hold: a Yes/No field stored as a number other
// than -1 and 0, or as text.
std::vector<KindCase> Cases() {
  using enum MissionKind;
  return {
      {"BooleanTrue", Variant::Boolean(true), kMultiplayer, kMultiplayer},
      {"BooleanFalse", Variant::Boolean(false), kSinglePlayer, kSinglePlayer},
      {"MinusOne", Variant::Integer(-1), kMultiplayer, kMultiplayer},
      {"Zero", Variant::Long(0), kSinglePlayer, kSinglePlayer},
      {"Null", Variant::Null(), kNeither, kNeither},
      {"Empty", Variant(), kSinglePlayer, kNeither},
      {"One", Variant::Integer(1), kNeither, kNeither},
      {"TextMinusOne", Variant::String("-1"), kMultiplayer, kNeither},
      {"TextZero", Variant::String("0"), kSinglePlayer, kNeither},
  };
}

class MissionKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(MissionKindTest, EachTestDecidesItsOwnWay) {
  const KindCase& c = GetParam();
  EXPECT_EQ(DecideMissionKind(c.multiplayer, MultiplayerTest::kByNumber), c.by_number);
  EXPECT_EQ(DecideMissionKind(c.multiplayer, MultiplayerTest::kByTruth), c.by_truth);
}

INSTANTIATE_TEST_SUITE_P(Values, MissionKindTest, testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quorvane
