#include "crowd.h"

#include "figure_model.h"
#include "initial_momenta.h"
#include "time_integration.h"

FigureState jointAngles[figureCount];
FigureState jointMomenta[figureCount];
FigureState initialJointRates[figureCount];

void setUpCrowd() {
  for (FigureState& rates : initialJointRates) {
    for (int k = 0; k < jointCount; ++k) {
      rates[k] = 0.0;
    }
  }
  // The Torso starts at exactly -1.57, a little off its drive target of -1.570796.
  for (FigureState& angles : jointAngles) {
    for (int k = 0; k < jointCount; ++k) {
      angles[k] = 0.0;
    }
    angles[Torso] = -1.57;
  }

  buildFigureModel();

  for (int i = 0; i < figureCount; ++i) {
    momentaFromRates(jointMomenta[i], jointAngles[i], initialJointRates[i]);
  }
}

void stepCrowd(int limbDriveMode, int torsoDriveMode) {
  for (int row = 0; row < crowdRows; ++row) {
    for (int column = 0; column < crowdColumns; ++column) {
      const int i = crowdColumns * row + column;
      stepFigure(jointMomenta[i], jointAngles[i], limbDriveMode, torsoDriveMode, row, column);
    }
  }
}
