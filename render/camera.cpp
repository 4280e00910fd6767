#include "camera.h"

#include "crowd_renderer.h"

// Eye placed by start-up; looking along -z (yaw = pi, rounded to single precision), level.
Camera camera = {0, 0, 0, static_cast<float>(180 / degreesPerRadian), 0};
