#pragma once

#include "figure_state.h"

// The crowd: 100 figure records seen as a 10 x 10 grid, record = 10 * row + column.
constexpr int crowdRows = 10;
constexpr int crowdColumns = 10;
constexpr int figureCount = crowdRows * crowdColumns;

// Program-wide figure state, all zero at program load. The same index is the same figure.
extern FigureState jointAngles[figureCount];        // rad, relative to the parent body
extern FigureState jointMomenta[figureCount];       // generalized momenta conjugate to the angles
extern FigureState initialJointRates[figureCount];  // rad/s, read once at start-up

// Start-up: starting angles and rates of every record, the figure model (and sine table),
// then every record's momenta from its angles and rates.
void setUpCrowd();

// One tick of the whole crowd: every record stepped once, row by row, with the two drive modes.
void stepCrowd(int limbDriveMode, int torsoDriveMode);
