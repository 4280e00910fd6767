#include "picture_stats.h"

#include <algorithm>
#include <cmath>

bool isWhite(const std::uint8_t* rgb) { return rgb[0] >= 250 && rgb[1] >= 250 && rgb[2] >= 250; }

int colouredIn(const Screenshot& shot, int x0, int y0, int x1, int y1) {
  int count = 0;
  for (int y = std::max(y0, 0); y <= std::min(y1, shot.height - 1); ++y)
    for (int x = std::max(x0, 0); x <= std::min(x1, shot.width - 1); ++x)
      count += !isWhite(shot.at(x, y));
  return count;
}

double saturation(const std::uint8_t* rgb) {
  const int high = std::max({rgb[0], rgb[1], rgb[2]}), low = std::min({rgb[0], rgb[1], rgb[2]});
  return high == 0 ? 0 : double(high - low) / high;
}

Footprint footprintIn(const Screenshot& shot, double x, double y, double radius,
                      double innerRadius) {
  Footprint f;
  double sumX = 0, sumY = 0, sumSquares = 0, sumRadius = 0, sumSaturation = 0;
  for (int row = 0; row < shot.height; ++row)
    for (int column = 0; column < shot.width; ++column) {
      const double r = std::hypot(column + 0.5 - x, row + 0.5 - y);
      if (radius > 0 && (r >= radius || r < innerRadius)) continue;
      const std::uint8_t* pixel = shot.at(column, row);
      if (isWhite(pixel)) continue;
      ++f.coloured;
      sumX += column + 0.5;
      sumY += row + 0.5;
      sumSquares += (column + 0.5) * (column + 0.5) + (row + 0.5) * (row + 0.5);
      sumRadius += r;
      sumSaturation += saturation(pixel);
    }
  if (f.coloured == 0) return f;
  const double n = f.coloured;
  f.centreX = sumX / n;
  f.centreY = sumY / n;
  f.spread =
      std::sqrt(std::max(0.0, sumSquares / n - f.centreX * f.centreX - f.centreY * f.centreY));
  f.meanRadius = sumRadius / n;
  f.meanSaturation = sumSaturation / n;
  return f;
}

Footprint footprint(const Screenshot& shot) { return footprintIn(shot, 0, 0, 0); }

bool averageFootprint(Footprint& average, const XSession& session, Window window, int frames,
                      int waitMs, double x, double y, double radius) {
  average = Footprint{};
  Screenshot shot;
  for (int i = 0; i < frames; ++i) {
    if (i > 0) sleepMs(waitMs);
    if (!grabWindow(shot, session, window)) return false;
    const Footprint f = footprintIn(shot, x, y, radius);
    average.coloured += f.coloured;
    average.centreX += f.centreX / frames;
    average.centreY += f.centreY / frames;
    average.spread += f.spread / frames;
    average.meanRadius += f.meanRadius / frames;
    average.meanSaturation += f.meanSaturation / frames;
  }
  average.coloured /= frames;
  return true;
}

bool projectPoint(double& column, double& row, const CameraPose& camera, double x, double y,
                  double z) {
  // The view of gluLookAt: forward f along the view direction, side s = f x up, true up u = s x f.
  const double f[3] = {std::sin(camera.yaw) * std::cos(camera.pitch), -std::sin(camera.pitch),
                       std::cos(camera.yaw) * std::cos(camera.pitch)};
  double s[3] = {-f[2], 0, f[0]};  // f x (0, 1, 0)
  const double sLength = std::hypot(s[0], s[2]);
  s[0] /= sLength;
  s[2] /= sLength;
  const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2],
                       s[0] * f[1] - s[1] * f[0]};
  const double p[3] = {x - camera.x, y - camera.y, z - camera.z};
  const double right = s[0] * p[0] + s[1] * p[1] + s[2] * p[2];
  const double up = u[0] * p[0] + u[1] * p[1] + u[2] * p[2];
  const double depth = f[0] * p[0] + f[1] * p[1] + f[2] * p[2];
  if (depth <= 0) return false;
  const double scale = 200 / std::tan(30 * M_PI / 180);
  column = 200 + scale * right / depth;
  row = 200 - scale * up / depth;
  return true;
}

bool sphereOutlineCentre(double& column, double& row, const CameraPose& camera, double radius) {
  // The centre's direction as seen by the eye: horizontal and vertical angles off the view axis.
  double centreColumn = 0, centreRow = 0;
  if (!projectPoint(centreColumn, centreRow, camera, 0, 0, 0)) return false;
  const double distance = std::hypot(camera.x, camera.y, camera.z);
  if (distance <= radius) return false;
  const double scale = 200 / std::tan(30 * M_PI / 180);
  const double across = std::asin(radius / distance);  // the outline's angular radius
  const auto middle = [&](double offset) {
    const double angle = std::atan(offset / scale);
    return scale * (std::tan(angle + across) + std::tan(angle - across)) / 2;
  };
  column = 200 + middle(centreColumn - 200);
  row = 200 + middle(centreRow - 200);
  return true;
}
