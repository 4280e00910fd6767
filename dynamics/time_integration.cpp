#include "time_integration.h"

#include "forward_dynamics.h"
#include "joint_drives.h"

void stepFigure(FigureState& momenta, FigureState& angles, int limbMode, int torsoMode, int row,
                int column) {
  setFigureDrives(limbMode, torsoMode, row, column);
  advanceTwoSteps(momenta, angles, evaluateDerivatives);
}
