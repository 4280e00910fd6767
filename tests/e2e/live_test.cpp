// The running demo under real key and pointer events: quitting, closing, flying, the drive keys,
// mouse look, keys it ignores, the crowd's motion and the absence of per-tick or per-frame heap
// allocation. A probe preloaded into the program counts its ticks and frames, so every wait is
// for the program's own progress, not for a guessed time.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "picture_stats.h"
#include "probe_reader.h"
#include "x_session.h"

namespace {

const std::string programPath = PAPERCROWD_PATH;
const std::string programDir = PAPERCROWD_DIR;  // holds the pictures

// Generous bounds: a loaded two-core machine may run the program ten times slower than usual.
constexpr int startMs = 30000;
constexpr int progressMs = 60000;

class Live : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(startXSession(session)) << "Xvfb did not start";
    ASSERT_TRUE(makeProbe(probe, PROBE_PATH));
  }
  void TearDown() override {
    if (HasFailure() && program.window) {
      Screenshot shot;
      if (grabWindow(shot, session, program.window))
        writePpm(
            shot,
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".ppm");
    }
    stopProgram(program);
    stopXSession(session);
    removeProbe(probe);
  }

  // Starts the program with the probe in it and waits for its first frame.
  void start(bool traceCallers = false, const std::string& path = programPath) {
    ASSERT_TRUE(launchProgram(program, session, path, programDir, {},
                              probeEnvironment(probe, traceCallers)));
    ASSERT_TRUE(waitForWindow(program, session, path, startMs)) << "no window titled " << path;
    Screenshot shot;
    if (path == programPath) {
      ASSERT_TRUE(waitForFrame(shot, program, session, startMs)) << "no frame drawn";
    }
    ASSERT_TRUE(readProbe(last, program, probe, startMs));
  }

  // Lets the program run at least ticks ticks and frames frames more: enough for the events sent
  // so far to be handled and drawn.
  void runFor(std::uint64_t ticks = 30, std::uint64_t frames = 4) {
    ProbeReading now;
    ASSERT_TRUE(waitForProgress(now, program, probe, last, ticks, frames, progressMs))
        << "the program stalled at tick " << now.ticks;
    last = now;
  }

  void press(KeySym key, int times = 1) {
    for (int i = 0; i < times; ++i) pressKey(session, key);
  }

  // Average over ten frames, a tenth of a second apart: the rings turn and the figures swing.
  Footprint look(double x = 0, double y = 0, double radius = 0) {
    Footprint f;
    EXPECT_TRUE(averageFootprint(f, session, program.window, 10, 100, x, y, radius));
    return f;
  }

  XSession session;
  Probe probe;
  RunningProgram program;
  ProbeReading last;
};

// How far the crowd's picture moves when the camera goes from one pose to another: somewhere
// between the shift of the sphere centre's projection and that of its outline's middle (off the
// view axis the outline stretches outwards), as the pixels' weight lies between the two.
struct ExpectedShift {
  double low[2], high[2];  // per axis: column, row
};

ExpectedShift expectedShift(const CameraPose& from, const CameraPose& to) {
  double c[2][2], o[2][2];  // [pose][axis]
  const CameraPose* poses[2] = {&from, &to};
  for (int k = 0; k < 2; ++k) {
    EXPECT_TRUE(projectPoint(c[k][0], c[k][1], *poses[k], 0, 0, 0));
    EXPECT_TRUE(sphereOutlineCentre(o[k][0], o[k][1], *poses[k], 40));
  }
  ExpectedShift shift{};
  for (int axis = 0; axis < 2; ++axis) {
    const double centre = c[1][axis] - c[0][axis], outline = o[1][axis] - o[0][axis];
    shift.low[axis] = std::min(centre, outline);
    shift.high[axis] = std::max(centre, outline);
  }
  return shift;
}

// The crowd's centroid moved as expected, give or take the crowd's own motion.
void expectShift(const Footprint& before, const Footprint& after, const ExpectedShift& shift) {
  constexpr double slack = 6;  // pixels
  const double moved[2] = {after.centreX - before.centreX, after.centreY - before.centreY};
  for (int axis = 0; axis < 2; ++axis) {
    EXPECT_GE(moved[axis], shift.low[axis] - slack) << (axis ? "row" : "column");
    EXPECT_LE(moved[axis], shift.high[axis] + slack) << (axis ? "row" : "column");
  }
}

TEST_F(Live, F4EndsTheProgramWithStatusZeroAfterPrintingNinetySix) {
  start();
  runFor();
  press(XK_F4);
  ASSERT_TRUE(waitForExit(program, progressMs));
  EXPECT_EQ(program.exitStatus, 0);
  EXPECT_EQ(program.output, "96");
}

TEST_F(Live, ClosingTheWindowEndsTheProgram) {
  start();
  runFor();
  ASSERT_TRUE(closeWindow(session, program.window));
  ASSERT_TRUE(waitForExit(program, progressMs));
  EXPECT_EQ(program.exitStatus, 0);
  EXPECT_EQ(program.output, "96");
}

TEST_F(Live, ArrowsFlyTheCameraOneUnitPerPress) {
  start();
  runFor();
  const Footprint atStart = look();

  // Ten steps left: the crowd slides right in the picture, about 35 to 41 pixels.
  press(XK_Left, 10);
  runFor();
  const Footprint left = look();
  CameraPose camera;
  camera.x = -10;
  expectShift(atStart, left, expectedShift(CameraPose{}, camera));
  EXPECT_NEAR(left.spread / atStart.spread, 1, 0.05);

  // Back to the middle, then fifteen steps forward: the crowd grows by between 100 / 85, its
  // centre's nearness, and the growth of the sphere's apparent radius, tan(asin(40 / distance)).
  press(XK_Right, 10);
  press(XK_Up, 15);
  runFor();
  const Footprint closer = look();
  const auto apparentRadius = [](double distance) { return std::tan(std::asin(40 / distance)); };
  const double low = 100.0 / 85.0, high = apparentRadius(85) / apparentRadius(100);
  const double growth = closer.spread / atStart.spread;
  EXPECT_GT(growth, low - 0.04) << "expected " << low << " to " << high;
  EXPECT_LT(growth, high + 0.04) << "expected " << low << " to " << high;
  EXPECT_NEAR(closer.centreX, atStart.centreX, 10);  // ten steps astray would be 40 pixels
  EXPECT_GT(closer.coloured, atStart.coloured);
}

TEST_F(Live, UnhandledKeysChangeNothing) {
  start();
  runFor();
  const Footprint before = look();
  for (KeySym key :
       {XK_F1, XK_F2, XK_F3, XK_F5, XK_F6, XK_F7, XK_F12, XK_Prior, XK_Next, XK_Home, XK_End})
    press(key, 5);
  runFor();
  const Footprint after = look();
  EXPECT_TRUE(isRunning(program));
  // Five presses of an arrow would move the centre by 17 pixels or change the size by 6 %.
  EXPECT_NEAR(after.centreX, before.centreX, 6);
  EXPECT_NEAR(after.centreY, before.centreY, 6);
  EXPECT_NEAR(after.spread / before.spread, 1, 0.03);
}

TEST_F(Live, MouseLookTurnsTheViewAndPullsThePointerBack) {
  start();
  press(XK_Down, 30);  // back off, so that the turned view still holds the whole crowd
  runFor();
  const Footprint before = look();
  CameraPose camera;
  camera.z = 130;

  movePointer(session, 600, 500);
  press(XK_Insert);
  ASSERT_TRUE(waitForPointer(session, 200, 200, progressMs))
      << "Insert puts the pointer at (200, 200)";
  runFor();

  // 40 pixels right turns the view right by 0.2 rad; 30 up tilts it up by 0.15 rad: the crowd
  // moves left by 70 to 80 pixels and down by 50 to 60.
  movePointer(session, 240, 170);
  ASSERT_TRUE(waitForPointer(session, 200, 200, progressMs))
      << "the pointer is pulled back to (200, 200)";
  runFor();
  const Footprint turned = look();
  CameraPose turnedCamera = camera;
  turnedCamera.yaw -= 0.2;
  turnedCamera.pitch -= 0.15;
  expectShift(before, turned, expectedShift(camera, turnedCamera));

  // A pixel off is inside the dead zone: the pointer is left there.
  movePointer(session, 201, 199);
  runFor();
  int px = 0, py = 0;
  pointerPosition(session, px, py);
  EXPECT_EQ(px, 201);
  EXPECT_EQ(py, 199);
  press(XK_Insert);
  ASSERT_TRUE(waitForPointer(session, 200, 200, progressMs));
  runFor();
  movePointer(session, 300, 320);
  runFor(60, 8);
  pointerPosition(session, px, py);
  EXPECT_EQ(px, 300);
  EXPECT_EQ(py, 320);
  const Footprint still = look();
  EXPECT_NEAR(still.centreX, turned.centreX, 6);
  EXPECT_NEAR(still.centreY, turned.centreY, 6);
}

// Figure 0 is record 0, diagonal 0: free at the start, driven after F8, free again after F9. It
// stands alone at the sphere's pole and turns only about the vertical, so seen from straight
// below its footprint's size and mean distance from the pole do not depend on the ring's turn,
// only on its pose.
TEST_F(Live, F8DrivesTheOtherDiagonalHalfAndF9TurnsItBack) {
  start();
  // To the sphere's centre, look almost straight up (two pointer moves of 150 pixels up), rise 20.
  press(XK_Up, 100);
  press(XK_Insert);
  ASSERT_TRUE(waitForPointer(session, 200, 200, progressMs));
  for (int i = 0; i < 2; ++i) {
    runFor();
    movePointer(session, 200, 50);
    ASSERT_TRUE(waitForPointer(session, 200, 200, progressMs));
  }
  press(XK_Insert);
  press(XK_Up, 20);
  CameraPose camera;
  camera.pitch = -1.5;
  camera.z = 20 * std::cos(camera.yaw) * std::cos(camera.pitch);
  camera.y = -20 * std::sin(camera.pitch);
  double poleColumn = 0, poleRow = 0;
  ASSERT_TRUE(projectPoint(poleColumn, poleRow, camera, 0, 40, 0));
  // Figure 0 reaches up to 8 units from the pole at most; its neighbours' heads come within 9.
  const double radius = 125;
  runFor(600, 20);

  const Footprint free = look(poleColumn, poleRow, radius);
  ASSERT_GT(free.coloured, 1000) << "figure 0 is not in view";
  const int freeReach = free.coloured - look(poleColumn, poleRow, 105).coloured;

  // Driven, the limbs swing up and out: the figure draws in towards the pole.
  press(XK_F8);
  runFor(600, 20);
  const Footprint driven = look(poleColumn, poleRow, radius);
  const int drivenReach = driven.coloured - look(poleColumn, poleRow, 105).coloured;

  press(XK_F9);
  runFor(600, 20);
  const Footprint freeAgain = look(poleColumn, poleRow, radius);

  std::printf(
      "figure 0: mean distance from the pole %.1f px free, %.1f driven, %.1f free again; "
      "pixels beyond 105 px %d free, %d driven\n",
      free.meanRadius, driven.meanRadius, freeAgain.meanRadius, freeReach, drivenReach);
  EXPECT_LT(driven.meanRadius, free.meanRadius - 3) << "F8 left figure 0 free";
  EXPECT_LT(drivenReach, freeReach / 3);
  EXPECT_NEAR(freeAgain.meanRadius, free.meanRadius, 1.5)
      << "F9 did not give figure 0 its free pose back";
  EXPECT_NEAR(freeAgain.coloured, free.coloured, 0.05 * free.coloured);
}

TEST_F(Live, TheCrowdMovesFromSecondToSecond) {
  start();
  runFor();
  Screenshot first, second;
  ASSERT_TRUE(grabWindow(first, session, program.window));
  sleepMs(1000);
  runFor(60, 20);
  ASSERT_TRUE(grabWindow(second, session, program.window));
  int changed = 0;
  for (std::size_t i = 0; i + 2 < first.rgb.size(); i += 3)
    changed += std::abs(first.rgb[i] - second.rgb[i]) +
                   std::abs(first.rgb[i + 1] - second.rgb[i + 1]) +
                   std::abs(first.rgb[i + 2] - second.rgb[i + 2]) >
               60;
  EXPECT_GT(changed, 1000);
}

// Allocations on the program's thread while a tick or a frame runs, those its own code asked for
// told apart from the GL driver's and the X library's, over hundreds of ticks and frames; and the
// pacing of those frames.
TEST_F(Live, TicksAndFramesAllocateNothing) {
  start(true);
  runFor(60, 20);  // past the first frames, where the driver builds its state
  ProbeReading before = last;
  runFor(300, 100);
  const auto count = [](std::uint64_t after, std::uint64_t before) {
    return static_cast<unsigned long long>(after - before);
  };

  // Pacing: one frame for every three ticks, give or take the frame pending at either end.
  const unsigned long long ticks = count(last.ticks, before.ticks);
  const unsigned long long frames = count(last.frames, before.frames);
  EXPECT_GE(frames + 2, ticks / 3) << ticks << " ticks";
  EXPECT_LE(frames, ticks / 3 + 1) << ticks << " ticks";

  if (!heapWatched(probe)) GTEST_SKIP() << "the program's own allocator stands before the probe";
  std::printf(
      "mouse look off: %llu ticks allocated %llu times; %llu frames %llu times, the program %llu\n",
      count(last.ticks, before.ticks), count(last.tickAllocations, before.tickAllocations),
      count(last.frames, before.frames), count(last.frameAllocations, before.frameAllocations),
      count(last.programFrameAllocations, before.programFrameAllocations));
  EXPECT_EQ(count(last.tickAllocations, before.tickAllocations), 0u) << "GLUT's idle path included";
  EXPECT_EQ(count(last.programFrameAllocations, before.programFrameAllocations), 0u);

  // Mouse look on, the pointer moved now and then: the pointer query's reply is the X library's.
  press(XK_Insert);
  runFor();
  before = last;
  for (int i = 0; i < 5; ++i) {
    movePointer(session, 230, 210);
    runFor(60, 20);
  }
  std::printf("mouse look on: %llu ticks allocated %llu times, the program %llu\n",
              count(last.ticks, before.ticks), count(last.tickAllocations, before.tickAllocations),
              count(last.programTickAllocations, before.programTickAllocations));
  EXPECT_EQ(count(last.programTickAllocations, before.programTickAllocations), 0u);
  EXPECT_EQ(count(last.programFrameAllocations, before.programFrameAllocations), 0u);
}

// The probe's side of the test above: a window that allocates on every tick and frame is caught.
TEST_F(Live, TheProbeSeesAProgramThatAllocates) {
  start(true, ALLOCATING_WINDOW_PATH);
  if (!heapWatched(probe)) GTEST_SKIP() << "the program's own allocator stands before the probe";
  runFor(20, 10);
  const ProbeReading before = last;
  runFor(50, 20);
  EXPECT_GE(last.programTickAllocations - before.programTickAllocations, last.ticks - before.ticks);
  EXPECT_GE(last.programFrameAllocations - before.programFrameAllocations,
            last.frames - before.frames);
}

}  // namespace
