#include <GL/glut.h>

#include "redisplay.h"

void requestRedisplay() { glutPostRedisplay(); }
