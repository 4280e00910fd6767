#include "camera_input.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "camera.h"
#include "crowd_renderer.h"
#include "fake_pointer.h"
#include "idle_tick.h"
#include "joint_drives.h"

namespace {

const float startYaw = static_cast<float>(180.0 / degreesPerRadian);

class CameraInput : public ::testing::Test {
 protected:
  void SetUp() override {
    camera = Camera{0.0, 0.0, 100.0, startYaw, 0.0f};
    mouseLook = 1;
    limbDriveMode = 0;
    torsoDriveMode = 0;
    redrawDivisor = 3;
    fakePointer = FakePointer{};
  }
};

struct MoveCase {
  int key;
  double x, y, z;
};
void PrintTo(const MoveCase& c, std::ostream* os) { *os << "key " << c.key; }

std::string arrowName(const ::testing::TestParamInfo<MoveCase>& info) {
  switch (info.param.key) {
    case GLUT_KEY_UP:
      return "Up";
    case GLUT_KEY_DOWN:
      return "Down";
    case GLUT_KEY_LEFT:
      return "Left";
    default:
      return "Right";
  }
}

class ArrowKey : public CameraInput, public ::testing::WithParamInterface<MoveCase> {};

// The start view looks along -z; left is -x.
TEST_P(ArrowKey, MovesOneUnitFromTheStartingView) {
  const MoveCase& c = GetParam();
  onSpecialKey(c.key, 0, 0);
  EXPECT_NEAR(camera.x, c.x, 1e-6);
  EXPECT_NEAR(camera.y, c.y, 1e-12);
  EXPECT_NEAR(camera.z, c.z, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Arrows, ArrowKey,
                         ::testing::Values(MoveCase{GLUT_KEY_UP, 0.0, 0.0, 99.0},
                                           MoveCase{GLUT_KEY_DOWN, 0.0, 0.0, 101.0},
                                           MoveCase{GLUT_KEY_LEFT, -1.0, 0.0, 100.0},
                                           MoveCase{GLUT_KEY_RIGHT, 1.0, 0.0, 100.0}),
                         arrowName);

TEST_F(CameraInput, ForwardFollowsPitchButSidewaysStaysHorizontal) {
  camera.yaw = 0.5f;
  camera.pitch = 0.3f;
  const double yaw = camera.yaw;
  const double pitch = camera.pitch;

  onSpecialKey(GLUT_KEY_UP, 0, 0);
  EXPECT_NEAR(camera.x, std::sin(yaw) * std::cos(pitch), 1e-12);
  EXPECT_NEAR(camera.y, -std::sin(pitch), 1e-12);  // positive pitch looks down
  EXPECT_NEAR(camera.z, 100.0 + std::cos(yaw) * std::cos(pitch), 1e-12);
  const double travelled = std::hypot(camera.x, camera.y, camera.z - 100.0);
  EXPECT_NEAR(travelled, 1.0, 1e-12);

  onSpecialKey(GLUT_KEY_DOWN, 0, 0);
  const double yBefore = camera.y;
  onSpecialKey(GLUT_KEY_RIGHT, 0, 0);
  EXPECT_EQ(camera.y, yBefore);
  EXPECT_NEAR(camera.x, -std::cos(yaw), 1e-12);
  EXPECT_NEAR(camera.z, 100.0 + std::sin(yaw), 1e-12);
}

struct DriveCase {
  int keys[2];
  int limb, torso;
};
void PrintTo(const DriveCase& c, std::ostream* os) {
  *os << "key " << c.keys[0] << " then " << c.keys[1];
}

class DriveKeys : public CameraInput, public ::testing::WithParamInterface<DriveCase> {};

TEST_P(DriveKeys, SetTheTwoModes) {
  const DriveCase& c = GetParam();
  for (int key : c.keys) onSpecialKey(key, 0, 0);
  EXPECT_EQ(limbDriveMode, c.limb);
  EXPECT_EQ(torsoDriveMode, c.torso);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, DriveKeys,
    ::testing::Values(DriveCase{{GLUT_KEY_F10, GLUT_KEY_F8}, 1, 0},  // F8 resets the torso drive
                      DriveCase{{GLUT_KEY_F11, GLUT_KEY_F9}, 0, 0},
                      DriveCase{{GLUT_KEY_F8, GLUT_KEY_F10}, 1, -1},  // F10 keeps the limb mode
                      DriveCase{{GLUT_KEY_F8, GLUT_KEY_F11}, 1, 1},
                      DriveCase{{GLUT_KEY_F11, GLUT_KEY_F10}, 0, -1}),
    [](const ::testing::TestParamInfo<DriveCase>& info) {
      return "F" + std::to_string(info.param.keys[0]) + "ThenF" +
             std::to_string(info.param.keys[1]);
    });

TEST_F(CameraInput, InsertTogglesMouseLookAndRecentresThePointer) {
  fakePointer.x = 17;
  fakePointer.y = 350;
  onSpecialKey(GLUT_KEY_INSERT, 0, 0);
  EXPECT_EQ(mouseLook, -1);
  EXPECT_EQ(fakePointer.moves, 1);
  EXPECT_EQ(fakePointer.x, 200);
  EXPECT_EQ(fakePointer.y, 200);

  fakePointer.x = 5;
  onSpecialKey(GLUT_KEY_INSERT, 0, 0);
  EXPECT_EQ(mouseLook, 1);
  EXPECT_EQ(fakePointer.moves, 2);
  EXPECT_EQ(fakePointer.x, 200);
}

class OtherKey : public CameraInput, public ::testing::WithParamInterface<int> {};

TEST_P(OtherKey, ChangesNothing) {
  onSpecialKey(GetParam(), 123, 456);
  EXPECT_EQ(camera.x, 0.0);
  EXPECT_EQ(camera.y, 0.0);
  EXPECT_EQ(camera.z, 100.0);
  EXPECT_EQ(camera.yaw, startYaw);
  EXPECT_EQ(camera.pitch, 0.0f);
  EXPECT_EQ(limbDriveMode, 0);
  EXPECT_EQ(torsoDriveMode, 0);
  EXPECT_EQ(mouseLook, 1);
  EXPECT_EQ(redrawDivisor, 3);
  EXPECT_EQ(fakePointer.moves, 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, OtherKey,
                         ::testing::Values(GLUT_KEY_F1, GLUT_KEY_F2, GLUT_KEY_F3, GLUT_KEY_F5,
                                           GLUT_KEY_F6, GLUT_KEY_F7, GLUT_KEY_F12, GLUT_KEY_PAGE_UP,
                                           GLUT_KEY_PAGE_DOWN, GLUT_KEY_HOME, GLUT_KEY_END, 97, 98,
                                           0, -1, 0x7fffffff),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "Code" + std::to_string(info.index);
                         });

TEST(CameraInputExit, F4EndsTheProcessWithStatusZero) {
  EXPECT_EXIT(onSpecialKey(GLUT_KEY_F4, 0, 0), ::testing::ExitedWithCode(0), "");
}

struct LookCase {
  int px, py;
  double yawChange, pitchChange;
  bool recentred;
};
void PrintTo(const LookCase& c, std::ostream* os) { *os << "pointer at " << c.px << "," << c.py; }

class MouseLook : public CameraInput, public ::testing::WithParamInterface<LookCase> {};

TEST_P(MouseLook, TurnsByThePointerDisplacement) {
  const LookCase& c = GetParam();
  mouseLook = -1;
  fakePointer.x = c.px;
  fakePointer.y = c.py;
  updateMouseLook();
  EXPECT_NEAR(camera.yaw - startYaw, c.yawChange, 1e-6);
  EXPECT_NEAR(camera.pitch, c.pitchChange, 1e-6);
  EXPECT_EQ(fakePointer.moves, c.recentred ? 1 : 0);
  EXPECT_EQ(fakePointer.x, c.recentred ? 200 : c.px);
  EXPECT_EQ(fakePointer.y, c.recentred ? 200 : c.py);
  EXPECT_EQ(fakePointer.hideRequests, 1);
  EXPECT_EQ(fakePointer.showRequests, 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Pointer, MouseLook, ::testing::Values(
    LookCase{210, 200, -0.05, 0.0, true},   // right turns the view right
    LookCase{201, 199, 0.0, 0.0, false},    // inside the dead zone
    LookCase{199, 201, 0.0, 0.0, false},
    LookCase{202, 200, -0.01, 0.0, true},   // just outside it
    LookCase{200, 215, 0.0, 0.075, true},   // down tilts the view down
    LookCase{180, 190, 0.1, -0.05, true}),
    [](const ::testing::TestParamInfo<LookCase>& info) {
      return "At" + std::to_string(info.param.px) + "x" + std::to_string(info.param.py);
    });
// clang-format on

TEST_F(CameraInput, MouseLookOffShowsTheCursorAndLeavesThePointerAlone) {
  fakePointer.x = 300;
  for (int tick = 0; tick < 3; ++tick) updateMouseLook();
  EXPECT_EQ(fakePointer.showRequests, 3);
  EXPECT_EQ(fakePointer.reads, 0);
  EXPECT_EQ(fakePointer.moves, 0);
  EXPECT_EQ(camera.yaw, startYaw);
}

TEST_F(CameraInput, MouseLookWithoutAReadablePointerChangesNothing) {
  mouseLook = -1;
  fakePointer.readable = false;
  updateMouseLook();
  EXPECT_EQ(camera.yaw, startYaw);
  EXPECT_EQ(camera.pitch, 0.0f);
  EXPECT_EQ(fakePointer.moves, 0);
}

TEST_F(CameraInput, ReshapeStoresTheAspectRatioAndSurvivesZeroHeight) {
  reshapeWindow(800, 400);
  EXPECT_FLOAT_EQ(aspectRatio, 2.0f);
  reshapeWindow(400, 0);
  EXPECT_TRUE(std::isfinite(aspectRatio));
  EXPECT_GT(aspectRatio, 0.0f);
  reshapeWindow(0, 0);
  EXPECT_TRUE(std::isfinite(aspectRatio));
  EXPECT_GT(aspectRatio, 0.0f);
}

}  // namespace
