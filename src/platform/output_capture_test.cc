#include "platform/output_capture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace quorvane {
namespace {

// What a C library prints on either stream while the capture runs is kept,
// trimmed, once per line, the first few and a count of the rest; afterwards
// the streams print where they did before.
TEST(OutputCaptureTest, KeepsWhatIsPrintedMeanwhile) {
  std::vector<std::string> lines;
  {
    OutputCapture capture;
    std::printf("  warning: page 14 from map doesn't match\n");
    std::fflush(stdout);  // the two streams keep their order only when flushed
    std::fprintf(stderr, "offset 1 is beyond EOF\n");
    std::fprintf(stderr, "offset 1 is beyond EOF\n\n");
    ssize_t written = write(2, "raw line\n", 9);
    EXPECT_EQ(written, 9);
    for (int i = 0; i < 10; ++i) std::fprintf(stderr, "line %d\n", i);
    lines = capture.Finish();
    EXPECT_TRUE(capture.Finish().empty());
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"warning: page 14 from map doesn't match",
                                             "offset 1 is beyond EOF", "raw line", "line 0",
                                             "line 1", "(8 more lines)"}));

  ::testing::internal::CaptureStderr();
  std::fprintf(stderr, "after\n");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "after\n");
}

}  // namespace
}  // namespace quorvane
