#include "idle_tick.h"

#include <gtest/gtest.h>

#include <vector>

#include "camera_input.h"
#include "crowd.h"
#include "fake_pointer.h"
#include "fake_redisplay.h"

namespace {

class IdleTick : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() { setUpCrowd(); }
  void SetUp() override {
    tickCount = 0;
    mouseLook = 1;
    fakePointer = FakePointer{};
    fakeRedisplay = FakeRedisplay{};
  }
};

// The crowd advances on every tick, but a frame is asked for only on every redrawDivisor-th one,
// and only once the whole crowd has been stepped for that tick.
TEST_P(IdleTick, RequestsAFrameOnEveryDivisorthTick) {
  redrawDivisor = GetParam();
  std::vector<std::uint64_t> expected;
  for (int tick = 1; tick <= 12; ++tick) {
    const double torsoBefore = jointAngles[99][0];
    idleTick();
    EXPECT_NE(jointAngles[99][0], torsoBefore) << "tick " << tick << " left the last record";
    if (tick % redrawDivisor == 0) expected.push_back(static_cast<std::uint64_t>(tick));
    ASSERT_EQ(fakeRedisplay.requests, static_cast<int>(expected.size())) << "after tick " << tick;
  }
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(fakeRedisplay.ticks[i], expected[i]) << "request " << i;
  EXPECT_EQ(fakePointer.showRequests, 12) << "the mouse-look step runs on every tick";
}

INSTANTIATE_TEST_SUITE_P(Divisors, IdleTick, ::testing::Values(3, 1, 5),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "Every" + std::to_string(info.param);
                         });

}  // namespace
