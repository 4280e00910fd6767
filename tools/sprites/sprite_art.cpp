#include "sprite_art.h"

#include <algorithm>
#include <cmath>

#include "figure_drawing.h"
#include "sprite_quad.h"

// Every part is drawn in its quad's own coordinates: x from the joint along the part (the body's
// "down" for the torso and limbs in the starting pose), y across it. The renderer hangs each part
// at the points of figure_drawing.h; each picture reaches a little past the next joint, so that the
// figure shows no gaps whatever its pose.
const SpriteSize spriteSizes[spriteCount] = {
    {512, 192},  // torso: 4 x 1.5, neck to seat
    {240, 64},   // right upper arm: 1.875 long, shoulder to past the elbow
    {224, 48},   // right lower arm: 1.75, elbow to past the wrist
    {96, 64},    // right hand
    {240, 64},   // left upper arm
    {224, 48},   // left lower arm
    {96, 64},    // left hand
    {224, 72},   // right upper leg: 1.75, hip to past the knee
    {224, 56},   // right lower leg: knee to past the ankle
    {96, 128},   // right foot: a shoe wider than it is tall
    {224, 72},   // left upper leg
    {224, 56},   // left lower leg
    {96, 128},   // left foot
    {224, 224},  // head: hangs from the neck with the face 0.2 off the quad's centre line
};

struct Point {
  double x;
  double y;
};

struct Colour {
  double r, g, b;
};

// Inside a capsule whose radius runs from ra at a to rb at b.
static bool inCapsule(Point p, Point a, double ra, Point b, double rb) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const double ex = p.x - (a.x + t * dx), ey = p.y - (a.y + t * dy);
  const double r = ra + t * (rb - ra);
  return ex * ex + ey * ey <= r * r;
}

static bool inEllipse(Point p, Point centre, double rx, double ry) {
  const double u = (p.x - centre.x) / rx, v = (p.y - centre.y) / ry;
  return u * u + v * v <= 1;
}

static bool inBox(Point p, double x0, double x1, double y0, double y1) {
  return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1;
}

static const Colour skin = {1.00, 0.78, 0.60};
static const Colour shirt = {0.88, 0.10, 0.12};
static const Colour shorts = {0.12, 0.20, 0.62};
static const Colour sleeve = {0.98, 0.52, 0.08};
static const Colour cuff = {0.98, 0.84, 0.10};
static const Colour trousers = {0.20, 0.45, 0.95};
static const Colour sock = {0.10, 0.70, 0.35};
static const Colour shoe = {0.55, 0.10, 0.55};
static const Colour hair = {0.30, 0.16, 0.05};
static const Colour ink = {0.10, 0.05, 0.05};
static const Colour white = {1, 1, 1};

// Torso: neck, shoulders, shirt down to a belt, shorts over the hips.
static bool torsoShape(Point p, int) {
  return inBox(p, -0.25, 0.4, -0.17, 0.17) ||                  // neck
         inCapsule(p, {0.3, -0.5}, 0.26, {0.3, 0.5}, 0.26) ||  // shoulders
         inCapsule(p, {0.5, 0}, 0.62, {2.3, 0}, 0.5) ||        // chest to waist
         inCapsule(p, {2.5, 0}, 0.52, {3.45, 0}, 0.66);        // hips
}
static Colour torsoPaint(Point p, int) {
  if (p.x < 0.2 && std::abs(p.y) < 0.17) return skin;
  if (p.x > 2.35 && p.x < 2.55) return std::abs(p.y) < 0.12 ? cuff : ink;  // belt and buckle
  if (p.x >= 2.55) return shorts;
  for (double bx : {0.9, 1.4, 1.9})
    if (inEllipse(p, {bx, 0}, 0.07, 0.07)) return white;
  return shirt;
}

// Elbow and knee in the upper joint's frame, and the face's centre line in the head's.
static const double elbowX = limbPlacements[0].middle.x;
static const double kneeX = limbPlacements[2].middle.x;

static bool upperArmShape(Point p, int) { return inCapsule(p, {0.1, 0}, 0.2, {elbowX, 0}, 0.17); }
static Colour upperArmPaint(Point, int) { return sleeve; }

static bool lowerArmShape(Point p, int) { return inCapsule(p, {0.08, 0}, 0.16, {1.55, 0}, 0.12); }
static Colour lowerArmPaint(Point, int) { return cuff; }

// A mitten with the thumb on the side facing the body (-side).
static bool handShape(Point p, int side) {
  return inEllipse(p, {0.38, 0}, 0.32, 0.18) || inEllipse(p, {0.25, -0.15 * side}, 0.16, 0.08) ||
         inBox(p, -0.04, 0.2, -0.12, 0.12);
}
static Colour handPaint(Point, int) { return skin; }

static bool upperLegShape(Point p, int) { return inCapsule(p, {0.12, 0}, 0.26, {kneeX, 0}, 0.21); }
static Colour upperLegPaint(Point, int) { return trousers; }

static bool lowerLegShape(Point p, int) { return inCapsule(p, {0.1, 0}, 0.19, {1.5, 0}, 0.15); }
static Colour lowerLegPaint(Point, int) { return sock; }

// Ankle and a shoe whose toe points away from the body (+side).
static bool footShape(Point p, int side) {
  return inCapsule(p, {0, 0}, 0.15, {0.3, 0}, 0.15) ||
         inEllipse(p, {0.45, 0.15 * side}, 0.24, 0.36);
}
static Colour footPaint(Point p, int) { return p.x > 0.62 ? ink : shoe; }  // dark sole

// Head, drawn so that the face is centred above the torso: the head's offset from the base puts
// the body's centre line at the quad's y = -headOffset.y, and small x is up.
static const double faceY = -headOffset.y;
constexpr double faceX = 0.84;  // the face's middle, so that the chin sits just above the shoulders
static bool headShape(Point p, int) {
  return inEllipse(p, {faceX, faceY}, 0.6, 0.56) ||                  // face
         inBox(p, faceX + 0.3, 1.68, faceY - 0.17, faceY + 0.17) ||  // neck
         inEllipse(p, {faceX - 0.22, faceY}, 0.45, 0.62);            // hair
}
static Colour headPaint(Point p, int) {
  const double down = p.x - faceX;  // from the middle of the face towards the chin
  const double across = p.y - faceY;
  if (down < -0.3 || (down < 0.03 && std::abs(across) > 0.44)) return hair;
  if (inEllipse({down, std::abs(across)}, {-0.04, 0.2}, 0.08, 0.07)) return ink;  // eyes
  if (inEllipse({down, across}, {0.28, 0}, 0.07, 0.2) &&
      !inEllipse({down, across}, {0.23, 0}, 0.07, 0.2))
    return shirt;  // smile
  if (inEllipse({down, std::abs(across)}, {0.18, 0.33}, 0.08, 0.1))
    return {1.0, 0.55, 0.55};  // cheeks
  return skin;
}

struct PartArt {
  bool (*shape)(Point p, int side);
  Colour (*paint)(Point p, int side);
  Colour outline;
  int side;  // -1 for the right-hand parts (at negative torso y), +1 for the left, 0 otherwise
};

static const PartArt partArt[spriteCount] = {
    {torsoShape, torsoPaint, ink, 0},        {upperArmShape, upperArmPaint, ink, -1},
    {lowerArmShape, lowerArmPaint, ink, -1}, {handShape, handPaint, ink, -1},
    {upperArmShape, upperArmPaint, ink, 1},  {lowerArmShape, lowerArmPaint, ink, 1},
    {handShape, handPaint, ink, 1},          {upperLegShape, upperLegPaint, ink, -1},
    {lowerLegShape, lowerLegPaint, ink, -1}, {footShape, footPaint, ink, -1},
    {upperLegShape, upperLegPaint, ink, 1},  {lowerLegShape, lowerLegPaint, ink, 1},
    {footShape, footPaint, ink, 1},          {headShape, headPaint, ink, 0},
};

constexpr double outlineWidth = 0.04;  // scene units: the dark cut edge of the paper

static std::uint8_t toByte(double channel) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(channel, 0.0, 1.0) * 255));
}

void drawSpritePicture(SpritePicture& picture, int sprite) {
  const PartArt& art = partArt[sprite];
  picture.width = spriteSizes[sprite].width;
  picture.height = spriteSizes[sprite].height;
  picture.rgba.assign(static_cast<std::size_t>(picture.width) * picture.height * 4, 0);

  TgaImage size;
  size.width = static_cast<std::uint32_t>(picture.width);
  size.height = static_cast<std::uint32_t>(picture.height);
  QuadVertex quad[4];
  spriteQuad(quad, size);
  const double x0 = quad[0].x, x1 = quad[1].x, y0 = quad[0].y, y1 = quad[2].y;

  auto solid = [&](Point p) {
    return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1 && art.shape(p, art.side);
  };
  const double d = outlineWidth, e = outlineWidth * 0.7071;
  const Point around[8] = {{d, 0}, {-d, 0}, {0, d}, {0, -d}, {e, e}, {e, -e}, {-e, e}, {-e, -e}};

  for (int row = 0; row < picture.height; ++row) {
    for (int column = 0; column < picture.width; ++column) {
      // Row 0 lies at the x1 end; columns run along +y.
      const Point p = {x1 - (row + 0.5) / picture.height * (x1 - x0),
                       y0 + (column + 0.5) / picture.width * (y1 - y0)};
      Colour colour = art.outline;  // transparent pixels too, so filtering does not bleed a halo
      bool opaque = solid(p);
      if (opaque) {
        bool edge = false;
        for (const Point& offset : around) edge = edge || !solid({p.x + offset.x, p.y + offset.y});
        if (!edge) colour = art.paint(p, art.side);
      }
      std::uint8_t* pixel =
          &picture.rgba[(static_cast<std::size_t>(row) * picture.width + column) * 4];
      pixel[0] = toByte(colour.r);
      pixel[1] = toByte(colour.g);
      pixel[2] = toByte(colour.b);
      pixel[3] = opaque ? 255 : 0;
    }
  }
}

void encodeSpritePicture(TgaBytes& out, const SpritePicture& picture) {
  TgaHeader header;
  header.width = static_cast<std::uint16_t>(picture.width);
  header.height = static_cast<std::uint16_t>(picture.height);
  header.bitsPerPixel = 32;
  header.descriptor = 8;
  encodeTga(out, header, picture.rgba.data());
}
