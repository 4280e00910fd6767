// A window that allocates on every tick and every frame: the fault the allocation probe must see.

#include <GL/freeglut.h>

#include <memory>
#include <vector>

static volatile int sink;

static void idle() {
  std::vector<int> scratch(64, 1);  // a per-tick heap buffer
  sink = scratch[10];
  glutPostRedisplay();
}

static void display() {
  const std::unique_ptr<double[]> scratch(new double[128]());  // a per-frame heap buffer
  sink = static_cast<int>(scratch[3]);
  glClearColor(1, 1, 1, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glutSwapBuffers();
}

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
  glutInitWindowSize(100, 100);
  glutCreateWindow(argv[0]);
  glutDisplayFunc(display);
  glutIdleFunc(idle);
  glutMainLoop();
  return 0;
}
