// papercrowd: a crowd of paper-doll figures swinging on a sphere.

#include <GL/freeglut.h>

#include <cmath>
#include <iostream>

#include "camera.h"
#include "camera_input.h"
#include "crowd.h"
#include "crowd_renderer.h"
#include "idle_tick.h"
#include "sphere_layout.h"
#include "sprite_names.h"
#include "sprites.h"
#include "tga_loader.h"

int main(int argc, char** argv) {
  // Figures: starting angles and rates, the figure model, every figure's momenta.
  setUpCrowd();

  // Camera on a circle of radius 100 about the vertical axis, at angle 0 and height 0.
  const double cameraAngle = 0;
  const double cameraHeight = 0;
  camera.x = 100 * std::sin(cameraAngle);
  camera.y = cameraHeight;
  camera.z = 100 * std::cos(cameraAngle);

  // The number of figures drawn: the only thing this program ever writes to standard output.
  std::cout << sphereLayout().positionCount << std::flush;

  // Window: RGB, double-buffered, with a depth buffer; titled with the invocation path.
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);  // 18: no alpha or stencil planes
  glutInitWindowSize(400, 400);
  glutInitWindowPosition(100, 100);
  glutCreateWindow(argv[0]);

  // Body-part pictures, now that there is a GL context. A missing one leaves its part untextured.
  for (int k = 0; k < spriteCount; ++k) bodySprites[k].fileName = spriteFileNames[k];
  for (BodySprite& sprite : bodySprites) loadTga(sprite.image, sprite.fileName.c_str());

  // From here on everything runs in these callbacks, one at a time, on this thread.
  glutDisplayFunc(drawScene);
  glutReshapeFunc(reshapeWindow);
  glutSpecialFunc(onSpecialKey);
  glutIdleFunc(idleTick);

  glutMainLoop();
  return 0;
}
