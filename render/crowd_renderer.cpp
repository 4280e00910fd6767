#include "crowd_renderer.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "camera.h"
#include "crowd.h"
#include "sphere_layout.h"
#include "sprite_quad.h"

float aspectRatio = 1.0f;
double spinAngle = 0;
float headTilt = 0;
float headTiltSpeed = 0.01f;

// Turns the current frame about its z axis by a joint angle (rad).
static void rotateJoint(double angle) {
  glRotatef(static_cast<float>(angle * degreesPerRadian), 0, 0, 1);
}

void drawSprite(const BodySprite& sprite) {
  QuadVertex quad[4];
  spriteQuad(quad, sprite.image);
  glBindTexture(GL_TEXTURE_2D, sprite.image.textureName);
  glBegin(GL_QUADS);
  for (const QuadVertex& corner : quad) {
    glTexCoord2f(corner.s, corner.t);
    glVertex3d(corner.x, corner.y, 0.0);
  }
  glEnd();
}

// Projection, view from the camera, alpha test reference, depth test and grey linear fog.
static void setUpFrame() {
  glClearColor(1, 1, 1, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(60, aspectRatio, 0.1, 200);

  // d = (sin yaw cos pitch, -sin pitch, cos yaw cos pitch); look 100 units along it.
  const double yaw = camera.yaw;
  const double pitch = camera.pitch;
  const double dx = std::sin(yaw) * std::cos(pitch);
  const double dy = -std::sin(pitch);
  const double dz = std::cos(yaw) * std::cos(pitch);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(camera.x, camera.y, camera.z, camera.x + 100 * dx, camera.y + 100 * dy,
            camera.z + 100 * dz, 0, 1, 0);

  glAlphaFunc(GL_GREATER, 0.5f);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);

  static const GLfloat fogColor[4] = {0.4f, 0.4f, 0.4f, 1.0f};
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogf(GL_FOG_START, 0.1f);
  glFogf(GL_FOG_END, 70);
  glFogfv(GL_FOG_COLOR, fogColor);
  glEnable(GL_FOG);
}

// One limb: upper, middle and end frames nested; children drawn before their parents.
static void drawLimb(const Limb& limb, const LimbPlacement& placement, const FigureState& angles) {
  glPushMatrix();
  glTranslatef(placement.root.x, placement.root.y, 0);
  rotateJoint(angles[limb.upper]);
  glPushMatrix();
  glTranslatef(placement.middle.x, placement.middle.y, 0);
  rotateJoint(angles[limb.lower]);
  glPushMatrix();
  glTranslatef(handOrFootOffset.x, handOrFootOffset.y, 0);
  rotateJoint(angles[limb.end]);
  drawSprite(bodySprites[limb.end]);
  glPopMatrix();
  drawSprite(bodySprites[limb.lower]);
  glPopMatrix();
  drawSprite(bodySprites[limb.upper]);
  glPopMatrix();
}

// Figure n lying flat on the sphere at (latitude, longitude), local z pointing outwards.
static void drawFigure(const FigureState& angles, double latitude, double longitude) {
  glPushMatrix();
  glEnable(GL_ALPHA_TEST);
  glRotatef(static_cast<float>(longitude * degreesPerRadian), 0, 1, 0);
  glRotatef(static_cast<float>(latitude * degreesPerRadian - 90), 1, 0, 0);
  glTranslatef(0, 0, sphereRadius);

  // The head hangs from the base frame, not from the torso.
  glPushMatrix();
  glRotatef(headTilt + headTurn, 0, 0, 1);
  glTranslatef(headOffset.x, headOffset.y, 0);
  drawSprite(bodySprites[headSprite]);
  glPopMatrix();

  // Head swing between about -6 and +6 degrees, advanced once per drawn figure.
  headTilt += headTiltSpeed * 0.1;
  if (headTilt > 6 || headTilt < -6) headTiltSpeed = -headTiltSpeed;

  glPushMatrix();
  rotateJoint(angles[Torso]);
  drawSprite(bodySprites[Torso]);
  for (int i = 0; i < limbCount; ++i) drawLimb(limbs[i], limbPlacements[i], angles);
  glPopMatrix();

  glDisable(GL_ALPHA_TEST);
  glPopMatrix();
}

void drawScene() {
  setUpFrame();

  // The ring rotations are not undone: ring r turns by the sum of the turns of rings 0 to r.
  const SphereLayout& layout = sphereLayout();
  for (int r = 0; r < layout.ringCount; ++r) {
    const SphereRing& ring = layout.rings[r];
    glRotatef(static_cast<float>(spinAngle * 0.25), 0, 1, 0);
    spinAngle += 0.05;
    for (int n = ring.firstFigure; n < ring.firstFigure + ring.figureCount; ++n)
      drawFigure(jointAngles[n], ring.latitude, layout.longitudes[n]);
  }

  glutSwapBuffers();
}
