// The crowd renderer on a recording GL: every quad of a frame against a forward kinematics of the
// drawn figure written here from the figure's geometry, plus the frame set-up.

#include "crowd_renderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "camera.h"
#include "crowd.h"
#include "recording_gl.h"

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr int drawnFigures = 96;
constexpr int partsPerFigure = 14;
constexpr int head = 13;

// Picture sizes of the test's own, no two alike, so that a part drawn with another part's
// picture, or with width and height swapped, lands elsewhere.
constexpr int pictureWidth(int part) { return 96 + 16 * part; }
constexpr int pictureHeight(int part) { return 40 + 6 * part; }
constexpr GLuint textureOf(int part) { return 500 + part; }

// The figure as it is meant to be drawn, in the figure's plane (scene units): the arms hang from
// the top of the torso 0.7 to each side, the legs from 3.5 down it, 0.4 to each side; the elbows
// sit 1.7 down the upper arm, 0.1 outwards, the knees 1.6 down the upper leg; hands and feet 1.6
// past those. The right side is at negative torso y.
struct ChainGeometry {
  int upper, lower, end;
  double rootX, rootY, middleX, middleY;
};
const ChainGeometry chains[4] = {
    {1, 2, 3, 0.2, -0.7, 1.7, -0.1},
    {4, 5, 6, 0.2, 0.7, 1.7, 0.1},
    {7, 8, 9, 3.5, -0.4, 1.6, 0},
    {10, 11, 12, 3.5, 0.4, 1.6, 0},
};
constexpr double endOffset = 1.6;
// The head hangs from the figure's base, turned a quarter turn clockwise plus its swing, then
// moved back 1.8 and 0.2 to the right in the turned frame.
constexpr double headTurnDegrees = -90;
constexpr double headShiftX = -1.8, headShiftY = -0.2;

struct Point2 {
  double x, y;
};
struct Point3 {
  double x, y, z;
};

// A frame of the figure's plane: origin and angle (rad) in the figure's base frame.
struct Frame2 {
  double x, y, angle;
};

Frame2 turn(const Frame2& f, double angle) { return {f.x, f.y, f.angle + angle}; }
Frame2 shift(const Frame2& f, double dx, double dy) {
  return {f.x + std::cos(f.angle) * dx - std::sin(f.angle) * dy,
          f.y + std::sin(f.angle) * dx + std::cos(f.angle) * dy, f.angle};
}
Point2 place(const Frame2& f, double x, double y) {
  const Frame2 p = shift(f, x, y);
  return {p.x, p.y};
}

Point3 rotateAboutX(const Point3& p, double angle) {
  return {p.x, std::cos(angle) * p.y - std::sin(angle) * p.z,
          std::sin(angle) * p.y + std::cos(angle) * p.z};
}
Point3 rotateAboutY(const Point3& p, double angle) {
  return {std::cos(angle) * p.x + std::sin(angle) * p.z, p.y,
          -std::sin(angle) * p.x + std::cos(angle) * p.z};
}

// A point of figure n's plane in the world: lifted 40 off the sphere's centre, tilted down from
// the pole by its latitude, turned to its longitude, then turned with its ring about the vertical.
Point3 toWorld(const Point2& p, double latitude, double longitude, double ringTurn) {
  Point3 q = {p.x, p.y, 40};
  q = rotateAboutX(q, latitude - pi / 2);
  q = rotateAboutY(q, longitude);
  return rotateAboutY(q, ringTurn);
}

struct ExpectedQuad {
  int part;
  Point3 corners[4];
};

// The quad of a part in its joint frame: its length along x is the picture's width, its breadth
// the height, the joint a twentieth of the length in; s runs across the picture's width (+y) and
// t from its first row at the far end.
void expectPart(std::vector<ExpectedQuad>& out, int part, const Frame2& frame, double latitude,
                double longitude, double ringTurn) {
  const double a = pictureWidth(part) / 128.0, b = pictureHeight(part) / 128.0;
  const Point2 local[4] = {
      {-0.05 * a, -0.5 * b}, {0.95 * a, -0.5 * b}, {0.95 * a, 0.5 * b}, {-0.05 * a, 0.5 * b}};
  ExpectedQuad quad;
  quad.part = part;
  for (int i = 0; i < 4; ++i)
    quad.corners[i] = toWorld(place(frame, local[i].x, local[i].y), latitude, longitude, ringTurn);
  out.push_back(quad);
}

// The scene's own state that carries from frame to frame.
struct SwingState {
  double spin;
  float tilt, tiltSpeed;
};

// Every quad of one frame, in drawing order, from the angles and the swing state.
void expectFrame(std::vector<ExpectedQuad>& out, SwingState& swing) {
  double ringTurn = 0;  // degrees; ring turns add up over the rings of a frame
  int n = 0;
  for (int ring = 0; ring * 0.28125 < 3.1415; ++ring) {
    const double latitude = ring * 0.28125;
    ringTurn += swing.spin * 0.25;
    swing.spin += 0.05;
    const double step = 8 / std::sin(latitude) * 0.0625;
    for (double longitude = 0; longitude < 6.283; longitude += step, ++n) {
      const FigureState& q = jointAngles[n];
      const double turnRad = ringTurn * pi / 180;
      const Frame2 base = {0, 0, 0};
      const Frame2 headFrame =
          shift(turn(base, (swing.tilt + headTurnDegrees) * pi / 180), headShiftX, headShiftY);
      expectPart(out, head, headFrame, latitude, longitude, turnRad);
      swing.tilt = static_cast<float>(swing.tilt + swing.tiltSpeed * 0.1);
      if (swing.tilt > 6 || swing.tilt < -6) swing.tiltSpeed = -swing.tiltSpeed;

      const Frame2 torso = turn(base, q[0]);
      expectPart(out, 0, torso, latitude, longitude, turnRad);
      for (const ChainGeometry& c : chains) {
        const Frame2 upper = turn(shift(torso, c.rootX, c.rootY), q[c.upper]);
        const Frame2 lower = turn(shift(upper, c.middleX, c.middleY), q[c.lower]);
        const Frame2 end = turn(shift(lower, endOffset, 0), q[c.end]);
        expectPart(out, c.end, end, latitude, longitude, turnRad);
        expectPart(out, c.lower, lower, latitude, longitude, turnRad);
        expectPart(out, c.upper, upper, latitude, longitude, turnRad);
      }
    }
  }
  EXPECT_EQ(n, drawnFigures);
}

// First difference between the recorded quads and the expected ones, or "" when they agree.
std::string firstDifference(const std::vector<ExpectedQuad>& expected, int firstRecorded) {
  const float s[4] = {0, 0, 1, 1}, t[4] = {1, 0, 0, 1};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const RecordedQuad& got = recordingGl.quads[firstRecorded + static_cast<int>(i)];
    const ExpectedQuad& want = expected[i];
    std::ostringstream where;
    where << "quad " << i << " (figure " << i / partsPerFigure << ", part " << want.part << "): ";
    if (got.texture != textureOf(want.part))
      return where.str() + "texture " + std::to_string(got.texture);
    if (!got.alphaTest) return where.str() + "drawn without the alpha test";
    for (int k = 0; k < 4; ++k) {
      const RecordedCorner& c = got.corners[k];
      const Point3& w = want.corners[k];
      const double off = std::fabs(c.x - w.x) + std::fabs(c.y - w.y) + std::fabs(c.z - w.z);
      if (!(off < 1e-4)) {
        where << "corner " << k << " at (" << c.x << ", " << c.y << ", " << c.z << "), expected ("
              << w.x << ", " << w.y << ", " << w.z << ")";
        return where.str();
      }
      if (c.s != s[k] || c.t != t[k]) {
        where << "corner " << k << " texture (" << c.s << ", " << c.t << ")";
        return where.str();
      }
    }
  }
  return "";
}

class CrowdRenderer : public ::testing::Test {
 protected:
  void SetUp() override {
    resetRecordingGl();
    for (int part = 0; part < partsPerFigure; ++part) {
      bodySprites[part].image.width = pictureWidth(part);
      bodySprites[part].image.height = pictureHeight(part);
      bodySprites[part].image.textureName = textureOf(part);
    }
    // A different pose for every figure and joint, well away from the straight one.
    for (int n = 0; n < figureCount; ++n)
      for (int k = 0; k < jointCount; ++k)
        jointAngles[n][k] = 0.8 * std::sin(0.37 * n + 1.9 * k + 0.4) + (k == 0 ? -1.57 : 0);
    camera = Camera{3.0, -2.0, 95.0, 3.0f, 0.1f};
    aspectRatio = 1.5f;
    // Mid-run: the rings have turned, and the head swing turns back within the first frame.
    spinAngle = 7.25;
    headTilt = 5.9905f;
    headTiltSpeed = 0.01f;
  }
};

TEST_F(CrowdRenderer, FrameSetUpClearsProjectsLooksAndFogs) {
  drawScene();
  const RecordingGl& gl = recordingGl;
  EXPECT_EQ(gl.misuse, 0);
  const float white[4] = {1, 1, 1, 0};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(gl.clearColor[i], white[i]) << i;
  EXPECT_EQ(gl.clearMask, static_cast<GLbitfield>(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));

  // 60 degrees vertical, the window's aspect, near 0.1, far 200, on a fresh projection matrix.
  EXPECT_TRUE(gl.perspectiveOnProjection);
  EXPECT_EQ(gl.perspective[0], 60.0);
  EXPECT_EQ(gl.perspective[1], 1.5);
  EXPECT_EQ(gl.perspective[2], 0.1);
  EXPECT_EQ(gl.perspective[3], 200.0);

  // From the eye, 100 units along d = (sin yaw cos pitch, -sin pitch, cos yaw cos pitch), up +y.
  EXPECT_TRUE(gl.lookAtOnModelview);
  EXPECT_EQ(gl.modelviewResetsAfterLookAt, 0);
  const double yaw = 3.0f, pitch = 0.1f;
  const double lookAt[9] = {3,
                            -2,
                            95,
                            3 + 100 * std::sin(yaw) * std::cos(pitch),
                            -2 - 100 * std::sin(pitch),
                            95 + 100 * std::cos(yaw) * std::cos(pitch),
                            0,
                            1,
                            0};
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(gl.lookAt[i], lookAt[i], 1e-12) << i;

  // Cut-outs where the picture's alpha is above one half, depth-tested, textured.
  EXPECT_EQ(gl.alphaFunction, static_cast<GLenum>(GL_GREATER));
  EXPECT_EQ(gl.alphaReference, 0.5f);
  EXPECT_TRUE(gl.texture2d);
  EXPECT_TRUE(gl.depthTest);
  EXPECT_FALSE(gl.alphaTest) << "the alpha test is on only while a figure is drawn";
  EXPECT_EQ(gl.otherEnables, 0) << "no lighting, blending or culling";

  // Grey linear fog from 0.1 to 70.
  EXPECT_TRUE(gl.fog);
  EXPECT_EQ(gl.fogMode, GL_LINEAR);
  EXPECT_EQ(gl.fogStart, 0.1f);
  EXPECT_EQ(gl.fogEnd, 70.0f);
  const float grey[4] = {0.4f, 0.4f, 0.4f, 1.0f};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(gl.fogColor[i], grey[i]) << i;

  // One swap, after the last quad, with the matrix stack as it was.
  EXPECT_EQ(gl.swaps, 1);
  EXPECT_EQ(gl.quadsBeforeFirstSwap, gl.quadCount);
  EXPECT_EQ(gl.modelviewDepth, 1);
  EXPECT_EQ(gl.projectionDepth, 1);
}

// Two frames in a row: the ring turns and the head swing carry over from one to the next.
TEST_F(CrowdRenderer, EveryQuadSitsWhereTheFiguresKinematicsPutsIt) {
  SwingState swing = {spinAngle, headTilt, headTiltSpeed};
  for (int frame = 0; frame < 2; ++frame) {
    const int first = recordingGl.quadCount;
    drawScene();
    ASSERT_EQ(recordingGl.misuse, 0);
    ASSERT_EQ(recordingGl.quadCount - first, drawnFigures * partsPerFigure);
    std::vector<ExpectedQuad> expected;
    expectFrame(expected, swing);
    EXPECT_EQ(firstDifference(expected, first), "") << "frame " << frame;
    EXPECT_NEAR(spinAngle, swing.spin, 1e-9) << "frame " << frame;
    EXPECT_EQ(headTilt, swing.tilt) << "frame " << frame;
    EXPECT_EQ(headTiltSpeed, swing.tiltSpeed) << "frame " << frame;
  }
  EXPECT_LT(headTiltSpeed, 0.0f) << "the swing passed +6 and turned back";
  EXPECT_EQ(recordingGl.swaps, 2);
}

// The first figure sits on the pole at (0, 40, 0) whatever the ring turn; a sprite with no picture
// is drawn as a point at its joint.
TEST_F(CrowdRenderer, FigureZeroStandsOnThePoleAndAnUnloadedSpriteIsAPoint) {
  bodySprites[0].image = TgaImage{};
  for (int k = 0; k < jointCount; ++k) jointAngles[0][k] = 0;
  drawScene();
  const RecordedQuad& torso = recordingGl.quads[1];
  ASSERT_EQ(torso.texture, 0u);
  for (const RecordedCorner& c : torso.corners) {
    EXPECT_NEAR(c.x, 0, 1e-9);
    EXPECT_NEAR(c.y, 40, 1e-9);
    EXPECT_NEAR(c.z, 0, 1e-9);
  }
}

}  // namespace
