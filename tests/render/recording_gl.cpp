#include "recording_gl.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cmath>

RecordingGl recordingGl;

namespace {

void setIdentity(double m[16]) {
  for (int i = 0; i < 16; ++i) m[i] = i % 5 == 0 ? 1 : 0;
}

bool isIdentity(const double m[16]) {
  for (int i = 0; i < 16; ++i)
    if (m[i] != (i % 5 == 0 ? 1 : 0)) return false;
  return true;
}

double* top() {
  RecordingGl& gl = recordingGl;
  if (gl.matrixMode == GL_PROJECTION) return gl.projection[gl.projectionDepth - 1];
  return gl.modelview[gl.modelviewDepth - 1];
}

// top = top * b
void multiplyTop(const double b[16]) {
  double* a = top();
  double r[16];
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
      r[column * 4 + row] = sum;
    }
  for (int i = 0; i < 16; ++i) a[i] = r[i];
}

bool* capability(GLenum cap) {
  RecordingGl& gl = recordingGl;
  switch (cap) {
    case GL_TEXTURE_2D:
      return &gl.texture2d;
    case GL_DEPTH_TEST:
      return &gl.depthTest;
    case GL_FOG:
      return &gl.fog;
    case GL_ALPHA_TEST:
      return &gl.alphaTest;
    default:
      return nullptr;
  }
}

}  // namespace

void resetRecordingGl() {
  recordingGl = RecordingGl{};
  RecordingGl& gl = recordingGl;
  gl.quadsBeforeFirstSwap = -1;
  gl.matrixMode = GL_MODELVIEW;
  gl.modelviewDepth = 1;
  gl.projectionDepth = 1;
  setIdentity(gl.modelview[0]);
  setIdentity(gl.projection[0]);
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
  recordingGl.clearColor[0] = red;
  recordingGl.clearColor[1] = green;
  recordingGl.clearColor[2] = blue;
  recordingGl.clearColor[3] = alpha;
}

void glClear(GLbitfield mask) { recordingGl.clearMask = mask; }

void glAlphaFunc(GLenum func, GLclampf ref) {
  recordingGl.alphaFunction = func;
  recordingGl.alphaReference = ref;
}

void glEnable(GLenum cap) {
  if (bool* flag = capability(cap)) {
    *flag = true;
  } else {
    ++recordingGl.otherEnables;
  }
}

void glDisable(GLenum cap) {
  if (bool* flag = capability(cap)) *flag = false;
}

void glFogi(GLenum pname, GLint param) {
  if (pname == GL_FOG_MODE) {
    recordingGl.fogMode = param;
  } else {
    ++recordingGl.misuse;
  }
}

void glFogf(GLenum pname, GLfloat param) {
  if (pname == GL_FOG_START) {
    recordingGl.fogStart = param;
  } else if (pname == GL_FOG_END) {
    recordingGl.fogEnd = param;
  } else if (pname == GL_FOG_MODE) {
    recordingGl.fogMode = static_cast<GLint>(param);
  } else {
    ++recordingGl.misuse;
  }
}

void glFogfv(GLenum pname, const GLfloat* params) {
  if (pname != GL_FOG_COLOR) {
    ++recordingGl.misuse;
    return;
  }
  for (int i = 0; i < 4; ++i) recordingGl.fogColor[i] = params[i];
}

void glMatrixMode(GLenum mode) { recordingGl.matrixMode = mode; }

void glLoadIdentity() {
  if (recordingGl.matrixMode == GL_MODELVIEW && recordingGl.lookAtOnModelview)
    ++recordingGl.modelviewResetsAfterLookAt;
  setIdentity(top());
}

void glPushMatrix() {
  RecordingGl& gl = recordingGl;
  int& depth = gl.matrixMode == GL_PROJECTION ? gl.projectionDepth : gl.modelviewDepth;
  double(*stack)[16] = gl.matrixMode == GL_PROJECTION ? gl.projection : gl.modelview;
  if (depth == RecordingGl::maxDepth) {
    ++gl.misuse;
    return;
  }
  for (int i = 0; i < 16; ++i) stack[depth][i] = stack[depth - 1][i];
  ++depth;
}

void glPopMatrix() {
  RecordingGl& gl = recordingGl;
  int& depth = gl.matrixMode == GL_PROJECTION ? gl.projectionDepth : gl.modelviewDepth;
  if (depth == 1) {
    ++gl.misuse;
    return;
  }
  --depth;
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  double m[16];
  setIdentity(m);
  m[12] = x;
  m[13] = y;
  m[14] = z;
  multiplyTop(m);
}

// The rotation by angle degrees about the unit axis (x, y, z), as OpenGL defines it.
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  const double length = std::sqrt(double{x} * x + double{y} * y + double{z} * z);
  const double ux = x / length, uy = y / length, uz = z / length;
  const double radians = angle * 3.14159265358979323846 / 180;
  const double c = std::cos(radians), s = std::sin(radians), v = 1 - c;
  double m[16];
  setIdentity(m);
  m[0] = ux * ux * v + c;
  m[1] = uy * ux * v + uz * s;
  m[2] = ux * uz * v - uy * s;
  m[4] = ux * uy * v - uz * s;
  m[5] = uy * uy * v + c;
  m[6] = uy * uz * v + ux * s;
  m[8] = ux * uz * v + uy * s;
  m[9] = uy * uz * v - ux * s;
  m[10] = uz * uz * v + c;
  multiplyTop(m);
}

void glBindTexture(GLenum target, GLuint texture) {
  if (target != GL_TEXTURE_2D || recordingGl.inBegin) ++recordingGl.misuse;
  recordingGl.boundTexture = texture;
}

void glBegin(GLenum mode) {
  RecordingGl& gl = recordingGl;
  if (gl.inBegin || gl.quadCount == RecordingGl::maxQuads) ++gl.misuse;
  gl.inBegin = true;
  gl.beginMode = mode;
  gl.cornerCount = 0;
  RecordedQuad& quad = gl.quads[gl.quadCount < RecordingGl::maxQuads ? gl.quadCount : 0];
  quad.texture = gl.boundTexture;
  quad.alphaTest = gl.alphaTest;
}

void glTexCoord2f(GLfloat s, GLfloat t) {
  recordingGl.currentS = s;
  recordingGl.currentT = t;
}

void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
  RecordingGl& gl = recordingGl;
  if (!gl.inBegin || gl.beginMode != GL_QUADS || gl.cornerCount == 4 ||
      gl.matrixMode != GL_MODELVIEW || gl.quadCount == RecordingGl::maxQuads) {
    ++gl.misuse;
    return;
  }
  const double* m = gl.modelview[gl.modelviewDepth - 1];
  RecordedCorner& corner = gl.quads[gl.quadCount].corners[gl.cornerCount++];
  corner.x = m[0] * x + m[4] * y + m[8] * z + m[12];
  corner.y = m[1] * x + m[5] * y + m[9] * z + m[13];
  corner.z = m[2] * x + m[6] * y + m[10] * z + m[14];
  corner.s = gl.currentS;
  corner.t = gl.currentT;
}

void glEnd() {
  RecordingGl& gl = recordingGl;
  if (!gl.inBegin || gl.cornerCount != 4) {
    ++gl.misuse;
  } else {
    ++gl.quadCount;
  }
  gl.inBegin = false;
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  RecordingGl& gl = recordingGl;
  gl.perspective[0] = fovy;
  gl.perspective[1] = aspect;
  gl.perspective[2] = zNear;
  gl.perspective[3] = zFar;
  gl.perspectiveOnProjection = gl.matrixMode == GL_PROJECTION && isIdentity(top());
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
               GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
  RecordingGl& gl = recordingGl;
  const double args[9] = {eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ};
  for (int i = 0; i < 9; ++i) gl.lookAt[i] = args[i];
  gl.lookAtOnModelview = gl.matrixMode == GL_MODELVIEW && isIdentity(top());
}

void glutSwapBuffers() {
  RecordingGl& gl = recordingGl;
  if (gl.swaps++ == 0) gl.quadsBeforeFirstSwap = gl.quadCount;
}
