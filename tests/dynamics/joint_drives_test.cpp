#include "joint_drives.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

struct DiagonalCase {
  int limbMode, row, column;
  bool limbDriven;
  double damping;
};

}  // namespace

TEST(JointDrives, ModesStartAtZero) {
  EXPECT_EQ(limbDriveMode, 0);
  EXPECT_EQ(torsoDriveMode, 0);
}

// Damping grows along the diagonal; one diagonal half of the crowd gets the limb drives.
TEST(JointDrives, LimbDrivesAndDampingFollowTheDiagonal) {
  const DiagonalCase cases[] = {
      {0, 0, 0, false, 3.0},  {0, 9, 9, true, 21.0},   {0, 2, 7, false, 12.0},
      {0, 4, 5, false, 12.0}, {0, 5, 5, true, 13.0},   {1, 4, 5, true, 12.0},
      {1, 5, 5, false, 13.0}, {1, 0, 0, true, 3.0},    {2, 0, 0, false, 3.0},
      {2, 9, 9, false, 21.0}, {-1, 9, 9, false, 21.0},
  };
  for (const DiagonalCase& c : cases) {
    for (int k = 0; k < jointCount; ++k) driveTorques[k] = 7.0;  // stale values from elsewhere
    setFigureDrives(c.limbMode, 0, c.row, c.column);
    EXPECT_EQ(torsoDamping, c.damping);
    const double drive = c.limbDriven ? 100.0 : 0.0;
    EXPECT_EQ(driveTorques[RightUpperArm], -drive) << c.limbMode << " " << c.row << c.column;
    EXPECT_EQ(driveTorques[RightUpperLeg], -drive);
    EXPECT_EQ(driveTorques[LeftUpperArm], drive);
    EXPECT_EQ(driveTorques[LeftUpperLeg], drive);
    EXPECT_EQ(driveTorques[Torso], 0.0);
  }
}

TEST(JointDrives, TorsoDriveTakesTheModesSignAndKeepsItsValueOtherwise) {
  for (FigureState* s : {&driveTorques}) (*s) = FigureState{};
  setFigureDrives(0, 1, 3, 3);
  EXPECT_EQ(driveTorques[Torso], 100.0);
  setFigureDrives(0, 5, 3, 3);
  EXPECT_EQ(driveTorques[Torso], 100.0);
  setFigureDrives(0, -1, 3, 3);
  EXPECT_EQ(driveTorques[Torso], -100.0);
  setFigureDrives(0, 0, 3, 3);
  EXPECT_EQ(driveTorques[Torso], 0.0);
  for (int k : {2, 3, 5, 6, 8, 9, 11, 12}) {
    EXPECT_EQ(driveTorques[k], 0.0) << k;
  }
}

// Targets are pi/2, pi/4, pi/6 with pi as 3.141592; the right arm and left leg are stiffer.
TEST(JointDrives, PdTorquesPullTowardThePose) {
  setFigureDrives(0, 0, 2, 7);  // torso damping 12
  FigureState rates = {}, angles = {}, torques;
  pdJointTorques(torques, rates, angles);
  const double expectedAtZero[jointCount] = {50 * -1.570796,
                                             60 * -0.785398,
                                             0,
                                             0,
                                             50 * 0.785398,
                                             0,
                                             0,
                                             50 * -0.5235986666666667,
                                             0,
                                             0,
                                             60 * 0.5235986666666667,
                                             0,
                                             0};
  for (int k = 0; k < jointCount; ++k) {
    EXPECT_EQ(torques[k], expectedAtZero[k]) << k;
  }
  angles[Torso] = -1.57;
  pdJointTorques(torques, rates, angles);
  EXPECT_NEAR(torques[Torso], -0.0398, 5e-5);

  const double stiffness[jointCount] = {50, 60, 20, 10, 50, 20, 10, 50, 20, 20, 60, 20, 20};
  for (int k = 0; k < jointCount; ++k) {
    angles[k] = 0.1 * k - 0.3;
    rates[k] = 0.7 - 0.2 * k;
  }
  const double targets[jointCount] = {-1.570796, -0.785398,           0, 0, 0.785398,           0,
                                      0,         -0.5235986666666667, 0, 0, 0.5235986666666667, 0,
                                      0};
  pdJointTorques(torques, rates, angles);
  for (int k = 0; k < jointCount; ++k) {
    const double damping = k == Torso ? 12.0 : 5.1;
    EXPECT_EQ(torques[k], stiffness[k] * (targets[k] - angles[k]) - damping * rates[k]) << k;
  }
}
