#include "platform/date_text.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(DateTextTest, CalendarDatesAreRealDays) {
  for (const char* date : {"2024-02-29", "2000-02-29", "1999-12-31", "0001-01-01", "9999-12-31"}) {
    EXPECT_TRUE(IsCreationDate(date)) << date;
  }
  for (const char* date :
       {"2023-02-29", "1900-02-29", "2024-13-45", "2024-04-31", "2024-00-10", "2024-01-00",
        "2024-1-01", "24-01-01", "2024/01/01", "2024-01-01 ", "+024-01-01", "", "abcd-ef-gh"}) {
    EXPECT_FALSE(IsCreationDate(date)) << date;
  }
}

TEST(DateTextTest, SourceDateEpochIsAWholeNumberOfSeconds) {
  for (const char* epoch : {"0", "86400", "1767225600", "253402300799"}) {
    EXPECT_TRUE(IsSourceDateEpoch(epoch)) << epoch;
  }
  for (const char* epoch :
       {"", "-1", "+1", "1.5", " 1", "1 ", "1e9", "abc", "253402300800", "99999999999999999999"}) {
    EXPECT_FALSE(IsSourceDateEpoch(epoch)) << epoch;
  }
}

}  // namespace
}  // namespace quorvane
