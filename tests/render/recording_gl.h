#pragma once

// A recording stand-in for the GL, GLU and GLUT calls the crowd renderer makes, linked in place of
// the real libraries. It keeps its own matrix stacks and records every quad with its corners in
// world space, the state it was drawn with, and the frame set-up, so that a unit test can check a
// frame without a GPU. gluLookAt is recorded, not applied: the modelview stack holds the scene's
// own transforms, so vertices come out in world coordinates.

#include <GL/gl.h>

struct RecordedCorner {
  double x, y, z;  // world space
  float s, t;      // texture coordinate
};

struct RecordedQuad {
  RecordedCorner corners[4];
  GLuint texture;  // bound to GL_TEXTURE_2D when the quad began
  bool alphaTest;  // GL_ALPHA_TEST enabled while it was drawn
};

struct RecordingGl {
  static constexpr int maxQuads = 4096;
  static constexpr int maxDepth = 32;

  RecordedQuad quads[maxQuads];
  int quadCount;
  int quadsBeforeFirstSwap;  // -1 until the first swap
  int swaps;

  float clearColor[4];
  GLbitfield clearMask;
  GLenum alphaFunction;
  float alphaReference;
  GLint fogMode;
  float fogStart, fogEnd;
  float fogColor[4];
  bool texture2d, depthTest, fog, alphaTest;  // as left at the last call
  int otherEnables;                           // lighting, blending, culling, anything else

  double perspective[4];         // fovy, aspect, near, far of the last gluPerspective
  bool perspectiveOnProjection;  // ... made on an identity projection matrix
  double lookAt[9];              // eye, centre, up of the last gluLookAt
  bool lookAtOnModelview;        // ... made on an identity modelview matrix
  int modelviewResetsAfterLookAt;

  // Matrix stacks, column-major 4 x 4.
  GLenum matrixMode;
  double modelview[maxDepth][16];
  int modelviewDepth;  // 1 when balanced
  double projection[maxDepth][16];
  int projectionDepth;

  // Quad under construction.
  GLenum beginMode;
  bool inBegin;
  int cornerCount;
  float currentS, currentT;
  GLuint boundTexture;
  int misuse;  // calls the real GL would reject: unbalanced stacks, vertices outside a quad, ...
};

extern RecordingGl recordingGl;

// Starts a fresh recording: identity matrices, nothing enabled, nothing recorded.
void resetRecordingGl();
