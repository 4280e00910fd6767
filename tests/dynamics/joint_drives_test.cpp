#include "joint_drives.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The pose every figure is pulled towards, and how hard: pi/2, pi/4 and pi/6 with pi taken as
// 3.141592; the right upper arm and the left upper leg are stiffer than their mirror images.
struct JointGain {
  double target, stiffness, damping;  // damping 0 marks the Torso's, which varies
};
const JointGain pose[jointCount] = {
    {-1.570796, 50, 0},              // Torso
    {-0.785398, 60, 5.1},            // RightUpperArm
    {0, 20, 5.1},                    // RightLowerArm
    {0, 10, 5.1},                    // RightHand
    {0.785398, 50, 5.1},             // LeftUpperArm
    {0, 20, 5.1},                    // LeftLowerArm
    {0, 10, 5.1},                    // LeftHand
    {-0.5235986666666667, 50, 5.1},  // RightUpperLeg
    {0, 20, 5.1},                    // RightLowerLeg
    {0, 20, 5.1},                    // RightFoot
    {0.5235986666666667, 60, 5.1},   // LeftUpperLeg
    {0, 20, 5.1},                    // LeftLowerLeg
    {0, 20, 5.1},                    // LeftFoot
};

// A figure at the pose and at rest feels no PD torque; moved off it by delta, each joint alone is
// pulled back by stiffness x delta; turning at rate w, each joint alone is held back by
// damping x w. The joints do not feel each other.
TEST(JointDrives, PdTorqueIsZeroAtThePoseAndPullsBackWithTheStatedGains) {
  setFigureDrives(0, 0, 2, 7);  // diagonal 9: torso damping 12
  FigureState atPose, rest = {}, torques;
  for (int k = 0; k < jointCount; ++k) atPose[k] = pose[k].target;
  pdJointTorques(torques, rest, atPose);
  for (int k = 0; k < jointCount; ++k) EXPECT_EQ(torques[k], 0.0) << "joint " << k;

  for (int j = 0; j < jointCount; ++j) {
    const double damping = j == Torso ? 12.0 : pose[j].damping;
    FigureState moved = atPose, turning = {};
    moved[j] += 0.25;
    turning[j] = -0.75;
    FigureState pulled, held;
    pdJointTorques(pulled, rest, moved);
    pdJointTorques(held, turning, atPose);
    for (int k = 0; k < jointCount; ++k) {
      EXPECT_NEAR(pulled[k], k == j ? -pose[j].stiffness * 0.25 : 0.0, 1e-12) << j << " " << k;
      EXPECT_NEAR(held[k], k == j ? damping * 0.75 : 0.0, 1e-12) << j << " " << k;
    }
  }

  // The Torso's start angle -1.57 lies just above its target.
  FigureState start = {};
  start[Torso] = -1.57;
  pdJointTorques(torques, rest, start);
  EXPECT_NEAR(torques[Torso], -0.0398, 5e-5);
}

// The torso's damping grows along the crowd's diagonal: 3 at row 0, column 0, 21 at the far corner.
TEST(JointDrives, TorsoDampingIsTheDiagonalPlusThree) {
  for (int row = 0; row < 10; ++row) {
    for (int column = 0; column < 10; column += 3) {
      setFigureDrives(0, 0, row, column);
      EXPECT_EQ(torsoDamping, row + column + 3.0);
      FigureState turning = {}, angles = {}, torques;
      angles[Torso] = -1.570796;
      turning[Torso] = 1;
      pdJointTorques(torques, turning, angles);
      EXPECT_EQ(torques[Torso], -(row + column + 3.0)) << row << " " << column;
    }
  }
}

// Limb mode 0 drives the diagonals 10 to 18, mode 1 the diagonals 0 to 9, any other mode none.
// A driven figure's four upper limbs are pushed with 100 the way their pose leans (right limbs
// negative, left positive); nothing else is driven by the limb mode.
TEST(JointDrives, LimbDrivesActOnTheirDiagonalsTheWayThePoseLeans) {
  const int upperLimbs[] = {RightUpperArm, LeftUpperArm, RightUpperLeg, LeftUpperLeg};
  for (int mode : {0, 1, 2, -1}) {
    for (int diagonal = 0; diagonal <= 18; ++diagonal) {
      const int row = diagonal < 10 ? diagonal : 9, column = diagonal - row;
      for (int k = 0; k < jointCount; ++k) driveTorques[k] = 7.0;  // stale values from elsewhere
      driveTorques[Torso] = 0;
      setFigureDrives(mode, 0, row, column);
      const bool driven = (mode == 0 && diagonal >= 10) || (mode == 1 && diagonal <= 9);
      for (int k : upperLimbs) {
        const double push = driven ? std::copysign(100.0, pose[k].target) : 0.0;
        EXPECT_EQ(driveTorques[k], push)
            << "mode " << mode << ", diagonal " << diagonal << ", " << k;
      }
      EXPECT_EQ(driveTorques[Torso], 0.0) << "the limb mode leaves the torso alone";
    }
  }
  // The eight joints below the upper limbs are never driven.
  for (int k : {2, 3, 5, 6, 8, 9, 11, 12}) driveTorques[k] = 0.0;
  setFigureDrives(0, 1, 9, 9);
  for (int k : {2, 3, 5, 6, 8, 9, 11, 12}) EXPECT_EQ(driveTorques[k], 0.0) << k;
}

TEST(JointDrives, ModesStartAtZero) {
  EXPECT_EQ(limbDriveMode, 0);
  EXPECT_EQ(torsoDriveMode, 0);
}

// The torso mode gives the torso's drive its sign, or switches it off; other values keep it.
TEST(JointDrives, TorsoDriveTakesTheModesSignAndKeepsItsValueOtherwise) {
  driveTorques = FigureState{};
  const int modes[] = {1, 5, -1, 0};
  const double expected[] = {100.0, 100.0, -100.0, 0.0};
  for (int i = 0; i < 4; ++i) {
    setFigureDrives(0, modes[i], 3, 3);
    EXPECT_EQ(driveTorques[Torso], expected[i]) << "torso mode " << modes[i];
  }
}

}  // namespace
