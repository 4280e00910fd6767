// The real program in a real X server: what it prints, and what its window shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "picture_stats.h"
#include "x_session.h"

namespace {

const std::string programPath = PAPERCROWD_PATH;
const std::string programDir = PAPERCROWD_DIR;  // holds the pictures

class DemoWindow : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(startXSession(session)) << "Xvfb did not start"; }
  void TearDown() override {
    stopProgram(program);
    stopXSession(session);
  }

  // Starts the demo in dir and waits for its first drawn frame.
  void start(const std::string& dir) {
    ASSERT_TRUE(launchProgram(program, session, programPath, dir));
    ASSERT_TRUE(waitForWindow(program, session, programPath, 15000))
        << "no window titled " << programPath;
    ASSERT_TRUE(waitForFrame(shot, program, session, 15000)) << "no frame drawn";
    ASSERT_EQ(shot.width, 400);
    ASSERT_EQ(shot.height, 400);
  }

  // Keeps the frame for a look when a check failed.
  void keepOnFailure(const char* name) {
    if (HasFailure()) writePpm(shot, std::string(name) + ".ppm");
  }

  XSession session;
  RunningProgram program;
  Screenshot shot;
};

TEST_F(DemoWindow, PrintsExactlyNinetySixAtOnceAndNothingElse) {
  start(programDir);
  readOutput(program, 500);
  EXPECT_EQ(program.output, "96") << "while running";  // flushed before the window even opened
  sleepMs(1500);
  ASSERT_TRUE(isRunning(program));
  stopProgram(program);
  EXPECT_EQ(program.output, "96") << "in the whole run";
}

TEST_F(DemoWindow, CornersAreTheWhiteBackground) {
  start(programDir);
  sleepMs(1000);
  ASSERT_TRUE(grabWindow(shot, session, program.window));
  for (int x0 : {0, 390})
    for (int y0 : {0, 390})
      EXPECT_EQ(colouredIn(shot, x0, y0, x0 + 9, y0 + 9), 0) << "corner " << x0 << "," << y0;
  EXPECT_GT(colouredIn(shot, 0, 0, 399, 399), 2000) << "the crowd is missing";
  keepOnFailure("corners");
}

TEST_F(DemoWindow, FigureZeroStandsAtTheTopOfTheSphere) {
  start(programDir);
  double column = 0, row = 0;
  ASSERT_TRUE(projectPoint(column, row, CameraPose{}, 0, 40, 0));  // about (200, 61)
  const int c = static_cast<int>(std::lround(column)), r = static_cast<int>(std::lround(row));
  // Seen almost edge-on, the figure at the pole is a small grey mark around its base point ...
  EXPECT_GE(colouredIn(shot, c - 6, r - 6, c + 6, r + 6), 6);
  // ... with nothing above it: the sphere's outline tops out near row 49.
  EXPECT_EQ(colouredIn(shot, c - 30, 0, c + 30, r - 25), 0);
  keepOnFailure("figure0");
}

TEST_F(DemoWindow, FogGreysTheFarFiguresMoreThanTheNearOnes) {
  start(programDir);
  // Centre of the window: the sphere's near side, 60 to 70 units from the eye, where the fog
  // leaves some colour. Near the outline: 90 and more, all fog grey.
  const Footprint near = footprintIn(shot, 200, 200, 70);
  const Footprint far = footprintIn(shot, 200, 200, 150, 125);
  ASSERT_GT(near.coloured, 200);
  ASSERT_GT(far.coloured, 100);
  const double nearSaturation = near.meanSaturation;
  const double farSaturation = far.meanSaturation;
  EXPECT_GT(nearSaturation, farSaturation + 0.04)
      << "near " << nearSaturation << ", far " << farSaturation;
  EXPECT_LT(farSaturation, 0.03);
  keepOnFailure("fog");
}

TEST_F(DemoWindow, RunsWithoutItsPictures) {
  char dir[] = "/tmp/papercrowd-empty-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  start(dir);
  sleepMs(1500);
  EXPECT_TRUE(isRunning(program));
  ASSERT_TRUE(grabWindow(shot, session, program.window));
  // Every sprite is a zero-sized quad: nothing but background.
  EXPECT_EQ(colouredIn(shot, 0, 0, 399, 399), 0);
  stopProgram(program);
  EXPECT_EQ(program.output, "96");
  rmdir(dir);
  keepOnFailure("no-pictures");
}

}  // namespace
