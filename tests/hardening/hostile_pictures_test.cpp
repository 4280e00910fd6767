// The demo among fourteen hostile pictures (huge declared sizes, pixels cut short, header fields
// wrong, zero sizes, an empty file, one odd-width 24-bit picture that does load): it must start,
// print exactly "96", draw, keep running, and still end on F4 with status 0.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "x_session.h"

namespace {

const std::string programPath = PAPERCROWD_PATH;
const std::string corpusMakerPath = CORPUS_MAKER_PATH;

// Pixels that are neither the white the window is cleared to nor the black of a window never
// drawn.
int drawnPixels(const Screenshot& shot) {
  int count = 0;
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) {
      const std::uint8_t* p = shot.at(x, y);
      const int high = std::max({p[0], p[1], p[2]}), low = std::min({p[0], p[1], p[2]});
      count += high > 12 && low < 243;
    }
  return count;
}

class HostilePictures : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(mkdtemp(dir), nullptr);
    ASSERT_TRUE(startXSession(session)) << "Xvfb did not start";
  }
  void TearDown() override {
    stopProgram(demo);
    stopXSession(session);
    std::filesystem::remove_all(dir);
  }

  char dir[32] = "/tmp/papercrowd-hostile-XXXXXX";
  XSession session;
  RunningProgram demo;
};

TEST_F(HostilePictures, DemoStartsDrawsKeepsRunningAndQuitsOnF4) {
  RunningProgram maker;
  ASSERT_TRUE(launchProgram(maker, session, corpusMakerPath, dir, {"hostile", dir}));
  ASSERT_TRUE(waitForExit(maker, 30000));
  ASSERT_EQ(maker.exitStatus, 0) << corpusMakerPath << " hostile " << dir;
  int pictures = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    pictures += entry.is_regular_file();
  ASSERT_EQ(pictures, 14);

  ASSERT_TRUE(launchProgram(demo, session, programPath, dir));
  ASSERT_TRUE(waitForWindow(demo, session, programPath, 30000)) << "no window appeared";

  // It draws. The refused torso keeps its declared 65535 x 65535 size and is drawn as a blank
  // quad 512 units across, so what shows is mostly fog-grey and the corners need not be white.
  Screenshot shot;
  int drawn = 0;
  for (const long long deadline = nowMs() + 30000; drawn <= 100 && nowMs() < deadline; sleepMs(100))
    if (isRunning(demo) && grabWindow(shot, session, demo.window)) drawn = drawnPixels(shot);
  EXPECT_GT(drawn, 100) << "nothing drawn in the window";
  sleepMs(2000);
  ASSERT_TRUE(isRunning(demo)) << "the demo ended by itself, status " << demo.exitStatus;

  pressKey(session, XK_F4);
  EXPECT_TRUE(waitForExit(demo, 10000)) << "F4 did not end the demo";
  stopProgram(demo);
  EXPECT_EQ(demo.exitStatus, 0);
  EXPECT_EQ(demo.output, "96");
}

}  // namespace
