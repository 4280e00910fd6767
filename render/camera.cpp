#include "camera.h"

#include "figure_drawing.h"

// Eye placed by start-up; looking along -z (yaw = pi, rounded to single precision), level.
Camera camera = {0, 0, 0, static_cast<float>(180 / degreesPerRadian), 0};
