#include <GL/freeglut.h>

#include "redisplay.h"

void requestRedisplay() { glutPostRedisplay(); }
