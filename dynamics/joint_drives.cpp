#include "joint_drives.h"

int limbDriveMode = 0;
int torsoDriveMode = 0;
FigureState pdTorques = {};
FigureState driveTorques = {};
double torsoDamping = 0.0;

namespace {

// The pose's angles are pi/2, pi/4 and pi/6 with pi taken as 3.141592. The gains are not
// mirror images: the right arm and the left leg are the stiffer ones.
// clang-format off
constexpr double targetAngles[jointCount] = {
    -1.570796,                       // Torso
    -0.785398, 0.0, 0.0,             // right arm
    0.785398, 0.0, 0.0,              // left arm
    -0.5235986666666667, 0.0, 0.0,   // right leg
    0.5235986666666667, 0.0, 0.0};   // left leg
// clang-format on
constexpr double stiffness[jointCount] = {50, 60, 20, 10, 50, 20, 10, 50, 20, 20, 60, 20, 20};
constexpr double limbDamping = 5.1;
constexpr double driveTorque = 100.0;

}  // namespace

void pdJointTorques(FigureState& torques, const FigureState& rates, const FigureState& angles) {
  torques[Torso] =
      stiffness[Torso] * (targetAngles[Torso] - angles[Torso]) - torsoDamping * rates[Torso];
  for (int k = 1; k < jointCount; ++k) {
    torques[k] = stiffness[k] * (targetAngles[k] - angles[k]) - limbDamping * rates[k];
  }
}

void setFigureDrives(int limbMode, int torsoMode, int row, int column) {
  const int diagonal = row + column;
  torsoDamping = static_cast<double>(diagonal + 3);

  const bool limbDriven = (limbMode == 1 && diagonal <= 9) || (limbMode == 0 && diagonal >= 10);
  // Each drive pushes the same way as its joint's target: negative on the right, positive on left.
  driveTorques[RightUpperArm] = limbDriven ? -driveTorque : 0.0;
  driveTorques[RightUpperLeg] = limbDriven ? -driveTorque : 0.0;
  driveTorques[LeftUpperArm] = limbDriven ? driveTorque : 0.0;
  driveTorques[LeftUpperLeg] = limbDriven ? driveTorque : 0.0;

  if (torsoMode == 1) {
    driveTorques[Torso] = driveTorque;
  } else if (torsoMode == -1) {
    driveTorques[Torso] = -driveTorque;
  } else if (torsoMode == 0) {
    driveTorques[Torso] = 0.0;
  }
}
