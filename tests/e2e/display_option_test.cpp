// GLUT's -display option: the demo's window opens on the named screen, and mouse look reads and
// moves the pointer of that same screen, not the one that DISPLAY names.

#include <gtest/gtest.h>

#include <string>

#include "picture_stats.h"
#include "x_session.h"

namespace {

const std::string programPath = PAPERCROWD_PATH;
const std::string programDir = PAPERCROWD_DIR;  // holds the pictures

// Generous bounds: a loaded two-core machine may run the program ten times slower than usual.
constexpr int startMs = 30000;
constexpr int progressMs = 60000;

class DisplayOption : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(startXSession(shown)) << "Xvfb did not start";
    ASSERT_TRUE(startXSession(other)) << "the second Xvfb did not start";
  }
  void TearDown() override {
    stopProgram(program);
    stopXSession(shown);
    stopXSession(other);
  }

  XSession shown;  // named by -display: the window is here
  XSession other;  // named by DISPLAY
  RunningProgram program;
};

TEST_F(DisplayOption, MouseLookUsesThePointerOfTheScreenTheWindowIsOn) {
  ASSERT_TRUE(launchProgram(program, shown, programPath, programDir,
                            {"-display", displayName(shown)}, {"DISPLAY=" + displayName(other)}));
  ASSERT_TRUE(waitForWindow(program, shown, programPath, startMs))
      << "no window on the -display screen";
  Screenshot shot;
  ASSERT_TRUE(waitForFrame(shot, program, shown, startMs)) << "no frame drawn";
  const Footprint before = footprint(shot);

  movePointer(other, 300, 300);
  movePointer(shown, 600, 500);
  pressKey(shown, XK_Insert);
  ASSERT_TRUE(waitForPointer(shown, 200, 200, progressMs))
      << "Insert puts the pointer of the window's screen at (200, 200)";

  // 40 pixels right turns the view right by 0.2 rad: the crowd moves left by about 70 pixels.
  movePointer(shown, 240, 200);
  ASSERT_TRUE(waitForPointer(shown, 200, 200, progressMs)) << "the pointer is pulled back";
  bool turned = false;
  Footprint after;
  for (int waited = 0; waited < progressMs && !turned; waited += 100) {
    sleepMs(100);
    ASSERT_TRUE(grabWindow(shot, shown, program.window));
    after = footprint(shot);
    turned = after.centreX < before.centreX - 50;
  }
  EXPECT_TRUE(turned) << "centre column " << before.centreX << " -> " << after.centreX;

  int x = 0, y = 0;
  pointerPosition(other, x, y);
  EXPECT_EQ(x, 300) << "the other screen's pointer was moved";
  EXPECT_EQ(y, 300);
}

}  // namespace
