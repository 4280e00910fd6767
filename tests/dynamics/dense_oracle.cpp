#include "dense_oracle.h"

#include <cmath>
#include <utility>

#include "sine_table.h"

void denseRotation(Matrix3& e, double twistSin, double twistCos, double sinQ, double cosQ) {
  const Matrix3 rq = {{cosQ, sinQ, 0.0}, {-sinQ, cosQ, 0.0}, {0.0, 0.0, 1.0}};
  const Matrix3 tw = {{1.0, 0.0, 0.0}, {0.0, twistCos, twistSin}, {0.0, -twistSin, twistCos}};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      e[i][j] = 0.0;
      for (int k = 0; k < 3; ++k) {
        e[i][j] += rq[i][k] * tw[k][j];
      }
    }
  }
}

static void crossMatrix(Matrix3& c, const double r[3]) {
  c[0][0] = 0.0;
  c[0][1] = -r[2];
  c[0][2] = r[1];
  c[1][0] = r[2];
  c[1][1] = 0.0;
  c[1][2] = -r[0];
  c[2][0] = -r[1];
  c[2][1] = r[0];
  c[2][2] = 0.0;
}

void denseMotionTransform(Matrix6& x, double a, double b, double twistSin, double twistCos,
                          double sinQ, double cosQ) {
  Matrix3 e;
  denseRotation(e, twistSin, twistCos, sinQ, cosQ);
  const double r[3] = {a, b * twistSin, -b * twistCos};
  Matrix3 rx;
  crossMatrix(rx, r);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      double erx = 0.0;
      for (int k = 0; k < 3; ++k) {
        erx += e[i][k] * rx[k][j];
      }
      x[i][j] = e[i][j];
      x[i][j + 3] = -erx;
      x[i + 3][j] = 0.0;
      x[i + 3][j + 3] = e[i][j];
    }
  }
}

void denseRigidInertia(Matrix6& m, double mass, const Vector3& cm, const RotationalInertia& j) {
  const double c[3] = {cm[0], cm[1], cm[2]};
  Matrix3 cx;
  crossMatrix(cx, c);
  const Matrix3 jm = {{j[0], j[1], j[2]}, {j[1], j[3], j[4]}, {j[2], j[4], j[5]}};
  for (int r = 0; r < 3; ++r) {
    for (int s = 0; s < 3; ++s) {
      m[r][s] = r == s ? mass : 0.0;
      m[r][s + 3] = -mass * cx[r][s];
      m[r + 3][s] = mass * cx[r][s];
      m[r + 3][s + 3] = jm[r][s];
    }
  }
}

void denseFromStored(Matrix6& m, const SpatialInertia& stored) {
  for (int i = 0; i < 6; ++i) {
    for (int j = 0; j < 6; ++j) {
      m[i][j] = stored[inertiaIndex(i, j)];
    }
  }
}

void multiply6(double y[6], const Matrix6& a, const double x[6]) {
  for (int i = 0; i < 6; ++i) {
    y[i] = 0.0;
    for (int j = 0; j < 6; ++j) {
      y[i] += a[i][j] * x[j];
    }
  }
}

void jointSpaceInertia(double h[jointCount][jointCount], const FigureModel& model,
                       const double sinQ[jointCount], const double cosQ[jointCount]) {
  // jacobian[k][i][j]: component i of body k's velocity per unit rate of joint j.
  static double jacobian[jointCount][6][jointCount];
  for (int k = 0; k < jointCount; ++k) {
    const BodyModel& body = model.bodies[k];
    Matrix6 x;
    denseMotionTransform(x, body.jointOffset, body.axialOffset, body.twistSin, body.twistCos,
                         sinQ[k], cosQ[k]);
    for (int j = 0; j < jointCount; ++j) {
      double parentColumn[6] = {0, 0, 0, 0, 0, 0};
      if (body.parent != noParent) {
        for (int i = 0; i < 6; ++i) {
          parentColumn[i] = jacobian[body.parent][i][j];
        }
      }
      double column[6];
      multiply6(column, x, parentColumn);
      if (j == k) {
        column[5] += 1.0;
      }
      for (int i = 0; i < 6; ++i) {
        jacobian[k][i][j] = column[i];
      }
    }
  }
  for (int a = 0; a < jointCount; ++a) {
    for (int b = 0; b < jointCount; ++b) {
      h[a][b] = 0.0;
    }
  }
  for (int k = 0; k < jointCount; ++k) {
    const BodyModel& body = model.bodies[k];
    Matrix6 m;
    denseRigidInertia(m, body.mass, body.centreOfMass, body.rotationalInertia);
    for (int a = 0; a < jointCount; ++a) {
      double column[6];
      for (int i = 0; i < 6; ++i) {
        column[i] = jacobian[k][i][a];
      }
      double momentum[6];
      multiply6(momentum, m, column);
      for (int b = 0; b < jointCount; ++b) {
        for (int i = 0; i < 6; ++i) {
          h[b][a] += jacobian[k][i][b] * momentum[i];
        }
      }
    }
  }
}

void solveDense(double x[jointCount], const double a[jointCount][jointCount],
                const double b[jointCount]) {
  double m[jointCount][jointCount + 1];
  for (int i = 0; i < jointCount; ++i) {
    for (int j = 0; j < jointCount; ++j) {
      m[i][j] = a[i][j];
    }
    m[i][jointCount] = b[i];
  }
  for (int col = 0; col < jointCount; ++col) {
    int pivot = col;
    for (int r = col + 1; r < jointCount; ++r) {
      if (std::fabs(m[r][col]) > std::fabs(m[pivot][col])) {
        pivot = r;
      }
    }
    for (int j = 0; j <= jointCount; ++j) {
      std::swap(m[col][j], m[pivot][j]);
    }
    for (int r = col + 1; r < jointCount; ++r) {
      const double f = m[r][col] / m[col][col];
      for (int j = col; j <= jointCount; ++j) {
        m[r][j] -= f * m[col][j];
      }
    }
  }
  for (int i = jointCount - 1; i >= 0; --i) {
    double s = m[i][jointCount];
    for (int j = i + 1; j < jointCount; ++j) {
      s -= m[i][j] * x[j];
    }
    x[i] = s / m[i][i];
  }
}

void oracleJointRates(FigureState& rates, const FigureModel& model, const FigureState& p,
                      const FigureState& q) {
  double s[jointCount], c[jointCount];
  for (int k = 0; k < jointCount; ++k) {
    s[k] = tableSin(q[k]);
    c[k] = tableCos(q[k]);
  }
  double h[jointCount][jointCount];
  jointSpaceInertia(h, model, s, c);
  solveDense(rates.values, h, p.values);
}

double oracleHamiltonian(const FigureModel& model, const FigureState& p, const FigureState& q) {
  double s[jointCount], c[jointCount];
  for (int k = 0; k < jointCount; ++k) {
    s[k] = std::sin(q[k]);
    c[k] = std::cos(q[k]);
  }
  double h[jointCount][jointCount];
  jointSpaceInertia(h, model, s, c);
  double rates[jointCount];
  solveDense(rates, h, p.values);
  double kinetic = 0.0;
  for (int k = 0; k < jointCount; ++k) {
    kinetic += 0.5 * p[k] * rates[k];
  }

  // World poses: rotation[k] takes body k's coordinates to the base's, origin[k] in the base.
  Matrix3 rotation[jointCount];
  double origin[jointCount][3];
  double potential = 0.0;
  for (int k = 0; k < jointCount; ++k) {
    const BodyModel& body = model.bodies[k];
    Matrix3 e;
    denseRotation(e, body.twistSin, body.twistCos, s[k], c[k]);
    const double r[3] = {body.jointOffset, body.axialOffset * body.twistSin,
                         -body.axialOffset * body.twistCos};
    const Matrix3 identity = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const double zero[3] = {0, 0, 0};
    const Matrix3& parentRotation = body.parent == noParent ? identity : rotation[body.parent];
    const double* parentOrigin = body.parent == noParent ? zero : origin[body.parent];
    for (int i = 0; i < 3; ++i) {
      origin[k][i] = parentOrigin[i];
      for (int j = 0; j < 3; ++j) {
        origin[k][i] += parentRotation[i][j] * r[j];
        rotation[k][i][j] = 0.0;
        for (int l = 0; l < 3; ++l) {
          rotation[k][i][j] += parentRotation[i][l] * e[j][l];  // R_parent E^T
        }
      }
    }
    for (int i = 0; i < 3; ++i) {
      double centre = origin[k][i];
      for (int j = 0; j < 3; ++j) {
        centre += rotation[k][i][j] * body.centreOfMass[j];
      }
      potential -= body.mass * model.gravity[i] * centre;
    }
  }
  return kinetic + potential;
}

void ensureFigureModel() {
  static bool built = false;
  if (!built) {
    buildFigureModel();
    built = true;
  }
}

void twistModel(FigureModel& model) {
  for (int k = 0; k < jointCount; ++k) {
    BodyModel& body = model.bodies[k];
    const double twist = 0.4 * k - 2.1;
    body.twistSin = std::sin(twist);
    body.twistCos = std::cos(twist);
    body.axialOffset = 0.1 * (k % 4) - 0.15;
    const double c[3] = {0.5, 0.04 * (k % 3), -0.03 * (k % 5) + 0.05};
    body.centreOfMass = Vector3{{c[0], c[1], c[2]}};
    const double m = body.mass;
    const double c2 = c[0] * c[0] + c[1] * c[1] + c[2] * c[2];
    // J about the joint = J about the centre of mass + m (|c|^2 1 - c c^T)
    const double centroidal[6] = {0.02 * m, 0.001 * m, -0.002 * m, 0.05 * m, 0.003 * m, 0.06 * m};
    body.rotationalInertia = RotationalInertia{
        {centroidal[0] + m * (c2 - c[0] * c[0]), centroidal[1] - m * c[0] * c[1],
         centroidal[2] - m * c[0] * c[2], centroidal[3] + m * (c2 - c[1] * c[1]),
         centroidal[4] - m * c[1] * c[2], centroidal[5] + m * (c2 - c[2] * c[2])}};
  }
  model.gravity = Vector3{{0.3, -9.80665, 0.7}};
  model.planar = isPlanarModel(model);
}
