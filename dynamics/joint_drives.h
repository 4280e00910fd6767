#pragma once

#include "figure_state.h"

// Drive modes, set by the special keys and read at every tick: limb mode 0 drives the limbs of
// figures on diagonals 10..18, 1 those on 0..9; torso mode -1, 0 or +1 is the torso drive's sign.
extern int limbDriveMode;
extern int torsoDriveMode;

// Output of the PD controller, rewritten at every evaluation.
extern FigureState pdTorques;
// Constant drive torques of the figure being stepped; only the Torso and upper limbs are non-zero.
extern FigureState driveTorques;
// Damping gain of the Torso joint for the figure being stepped: its diagonal index + 3.
extern double torsoDamping;

// torques[k] = stiffness_k (target_k - angles[k]) - damping_k rates[k]
void pdJointTorques(FigureState& torques, const FigureState& rates, const FigureState& angles);

// Sets torsoDamping and driveTorques for the figure at (row, column) of the crowd grid.
void setFigureDrives(int limbMode, int torsoMode, int row, int column);
