// The demo as built for Windows (build-windows/papercrowd.exe), run under Wine in an Xvfb of its
// own: what it prints, its window, the arrow keys, mouse look through the Win32 pointer calls, the
// cursor's return, and F4. Where MinGW-w64 or Wine is missing the tests are skipped, except under
// CI (CI=true), where that is a failure.

#include <gtest/gtest.h>
#include <unistd.h>

// After GoogleTest: Xlib's None and Bool macros would clash with its names.
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "picture_stats.h"
#include "x_session.h"

namespace {

const std::string wine = WINE64_PATH;
const std::string windowsDir = WINDOWS_DIR;  // the .exe and its pictures
const std::string exePath = windowsDir + "/papercrowd.exe";
const std::string winePrefix = WINE_PREFIX;

// Wine starts slowly the first time (it sets up the prefix) and on a loaded machine.
constexpr int startMs = 120000;
constexpr int progressMs = 60000;

// The window's title, the invocation path as Windows sees it: the Unix root is drive Z:.
std::string windowTitle() {
  std::string title = "Z:" + exePath;
  std::replace(title.begin(), title.end(), '/', '\\');
  return title;
}

// Xlib ends the process on an error; a window of Wine's may go while it is looked at.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

bool onCi() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && std::string(ci) == "true";
}

// Whether the cursor now shown at the pointer has any pixel that is not transparent.
bool cursorVisible(const XSession& session) {
  XFixesCursorImage* image = XFixesGetCursorImage(session.display);
  if (image == nullptr) return false;
  bool visible = false;
  for (int i = 0; i < image->width * image->height && !visible; ++i)
    visible = ((image->pixels[i] >> 24) & 0xff) != 0;
  XFree(image);
  return visible;
}

class Wine : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string missing;
    if (access(wine.c_str(), X_OK) != 0)
      missing = wine + " (Debian package wine64)";
    else if (access(exePath.c_str(), R_OK) != 0)
      missing = exePath + " (scripts/windows-build.sh, needs g++-mingw-w64-x86-64)";
    if (!missing.empty()) {
      if (onCi()) FAIL() << "CI=true and " << missing << " is missing";
      GTEST_SKIP() << "skipped: " << missing << " is missing; bash scripts/install-deps.sh";
    }
    ASSERT_TRUE(startXSession(session)) << "Xvfb did not start";
    XSetErrorHandler(ignoreXError);
  }

  void TearDown() override {
    if (HasFailure() && program.window) {
      Screenshot shot;
      if (grabWindow(shot, session, program.window))
        writePpm(shot, std::string("wine-") +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                           ".ppm");
    }
    stopProgram(program);
    // Ends what is left of Wine in this prefix (its server, explorer) before the X server goes.
    const std::string kill =
        "WINEPREFIX='" + winePrefix + "' '" + wine.substr(0, wine.rfind('/')) + "/wineserver' -k";
    if (session.display != nullptr) [[maybe_unused]]
      const int ended = std::system(kill.c_str());
    stopXSession(session);
  }

  // Starts the .exe under Wine and waits for its first drawn frame.
  void start() {
    ASSERT_TRUE(launchProgram(
        program, session, wine, windowsDir, {"papercrowd.exe"},
        {"WINEPREFIX=" + winePrefix, "WINEDEBUG=-all", "WINEDLLOVERRIDES=mscoree,mshtml="}));
    ASSERT_TRUE(waitForWindow(program, session, windowTitle(), startMs))
        << "no window titled " << windowTitle();
    ASSERT_TRUE(waitForFrame(shot, program, session, startMs)) << "no frame drawn";
  }

  // The crowd's footprint averaged over five frames.
  Footprint look() {
    Footprint f;
    EXPECT_TRUE(averageFootprint(f, session, program.window, 5, 50));
    return f;
  }

  // Looks until done(footprint) holds, for up to progressMs; the last look in f.
  template <typename Done>
  bool lookUntil(Footprint& f, Done done) {
    for (int waited = 0; waited < progressMs; waited += 400) {
      f = look();
      if (done(f)) return true;
      sleepMs(150);
    }
    return false;
  }

  bool cursorBecomes(bool visible, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 20) {
      if (cursorVisible(session) == visible) return true;
      sleepMs(20);
    }
    return false;
  }

  XSession session;
  RunningProgram program;
  Screenshot shot;
};

TEST_F(Wine, PrintsNinetySixShowsTheCrowdAndQuitsOnF4) {
  start();
  ASSERT_EQ(shot.width, 400);
  ASSERT_EQ(shot.height, 400);
  readOutput(program, 500);
  EXPECT_EQ(program.output, "96") << "while running";

  sleepMs(1000);
  ASSERT_TRUE(grabWindow(shot, session, program.window));
  for (int x0 : {0, 390})
    for (int y0 : {0, 390})
      EXPECT_EQ(colouredIn(shot, x0, y0, x0 + 9, y0 + 9), 0) << "corner " << x0 << "," << y0;
  EXPECT_GT(colouredIn(shot, 0, 0, 399, 399), 2000) << "the crowd is missing";

  pressKey(session, XK_F4);
  ASSERT_TRUE(waitForExit(program, progressMs)) << "F4 did not end it";
  EXPECT_EQ(program.exitStatus, 0);
  EXPECT_EQ(program.output, "96") << "in the whole run";
}

TEST_F(Wine, UpFliesTowardsTheCrowd) {
  start();
  const Footprint atStart = look();
  // Fifteen steps forward: the crowd grows by between 100 / 85, its centre's nearness, and the
  // growth of the sphere's apparent radius, tan(asin(40 / distance)); its centre stays put.
  for (int i = 0; i < 15; ++i) pressKey(session, XK_Up);
  const auto apparentRadius = [](double distance) { return std::tan(std::asin(40 / distance)); };
  const double low = 100.0 / 85.0 - 0.04, high = apparentRadius(85) / apparentRadius(100) + 0.04;
  Footprint closer;
  const bool grown = lookUntil(closer, [&](const Footprint& f) {
    const double growth = f.spread / atStart.spread;
    return growth > low && growth < high;
  });
  EXPECT_TRUE(grown) << "grew by " << closer.spread / atStart.spread << ", expected " << low
                     << " to " << high;
  EXPECT_NEAR(closer.centreX, atStart.centreX, 10);
}

TEST_F(Wine, MouseLookTurnsTheViewAndTheCursorComesBack) {
  start();
  for (int i = 0; i < 30; ++i) pressKey(session, XK_Down);  // the turned view still holds it all
  Footprint before;
  CameraPose camera;
  camera.z = 130;
  double column = 0, row = 0;
  ASSERT_TRUE(projectPoint(column, row, camera, 0, 0, 0));
  ASSERT_TRUE(lookUntil(before, [&](const Footprint& f) {
    return std::abs(f.centreX - column) < 6 && std::abs(f.centreY - row) < 6;
  })) << "Down did not back off";

  movePointer(session, 300, 300);  // over the window
  EXPECT_TRUE(cursorBecomes(true, progressMs));
  pressKey(session, XK_Insert);
  ASSERT_TRUE(waitForPointer(session, 200, 200, progressMs))
      << "Insert puts the pointer at (200, 200)";
  EXPECT_TRUE(cursorBecomes(false, progressMs)) << "mouse look hides the cursor";
  // Insert moved the pointer before mouse look read it: its place before does not turn the view.
  const Footprint switchedOn = look();
  EXPECT_NEAR(switchedOn.centreX, before.centreX, 6) << "the view turned on Insert";
  EXPECT_NEAR(switchedOn.centreY, before.centreY, 6) << "the view turned on Insert";

  // 40 pixels right and 30 up turn the view right by 0.2 rad and up by 0.15: the crowd moves left
  // and down in the picture, at least to where the turned camera sees the sphere's centre or its
  // outline's middle. Wine may report the pointer's old place once more after the warp back, and
  // the view then turns twice as far: these bounds are one-sided.
  movePointer(session, 240, 170);
  ASSERT_TRUE(waitForPointer(session, 200, 200, progressMs))
      << "the pointer is pulled back to (200, 200)";
  CameraPose turnedCamera = camera;
  turnedCamera.yaw -= 0.2;
  turnedCamera.pitch -= 0.15;
  double centre[2] = {}, outline[2] = {};
  ASSERT_TRUE(projectPoint(centre[0], centre[1], turnedCamera, 0, 0, 0));
  ASSERT_TRUE(sphereOutlineCentre(outline[0], outline[1], turnedCamera, 40));
  const double leftOf = std::max(centre[0], outline[0]) + 6;
  const double below = std::min(centre[1], outline[1]) - 6;
  Footprint turned;
  EXPECT_TRUE(lookUntil(
      turned, [&](const Footprint& f) { return f.centreX < leftOf && f.centreY > below; }))
      << "centre (" << turned.centreX << ", " << turned.centreY << "), expected left of " << leftOf
      << " and below " << below;

  // Many ticks with mouse look on; switched off, the cursor is back at once, not after as many
  // ticks again.
  sleepMs(6000);
  EXPECT_FALSE(cursorVisible(session));
  pressKey(session, XK_Insert);
  EXPECT_TRUE(cursorBecomes(true, 2000)) << "the cursor stays hidden after mouse look";
}

}  // namespace
