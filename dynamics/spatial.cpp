#include "spatial.h"

void motionToChild(SpatialVector& out, const SpatialVector& v, double a, double b, double twistSin,
                   double twistCos, double sinQ, double cosQ) {
  // w = Tw(ang v), the angular velocity in joint-frame coordinates
  const double w0 = v[3];
  const double w1 = twistCos * v[4] + twistSin * v[5];
  const double w2 = -twistSin * v[4] + twistCos * v[5];
  // u = Tw(lin v) + w x d with d = (a, 0, -b): the velocity of the child's origin
  const double d0 = a;
  const double d2 = -b;
  const double u0 = v[0] + w1 * d2;
  const double u1 = (twistCos * v[1] + twistSin * v[2]) + (w2 * d0 - w0 * d2);
  const double u2 = (-twistSin * v[1] + twistCos * v[2]) + (-w1 * d0);
  // [Rq(u); Rq(w)]
  out[0] = cosQ * u0 + sinQ * u1;
  out[1] = -sinQ * u0 + cosQ * u1;
  out[2] = u2;
  out[3] = cosQ * w0 + sinQ * w1;
  out[4] = -sinQ * w0 + cosQ * w1;
  out[5] = w2;
}

void forceToParent(SpatialVector& out, const SpatialVector& f, double a, double b, double twistSin,
                   double twistCos, double sinQ, double cosQ) {
  // h = Rq^-1(lin f), the force in joint-frame coordinates
  const double h0 = cosQ * f[0] - sinQ * f[1];
  const double h1 = sinQ * f[0] + cosQ * f[1];
  const double h2 = f[2];
  // k = Rq^-1(ang f) + d x h: the moment moved from the child's origin to the joint frame's
  const double d0 = a;
  const double d2 = -b;
  const double k0 = (cosQ * f[3] - sinQ * f[4]) + (-d2 * h1);
  const double k1 = (sinQ * f[3] + cosQ * f[4]) + (d2 * h0 - d0 * h2);
  const double k2 = f[5] + d0 * h1;
  // [Tw^-1(h); Tw^-1(k)]
  out[0] = h0;
  out[1] = twistCos * h1 - twistSin * h2;
  out[2] = twistSin * h1 + twistCos * h2;
  out[3] = k0;
  out[4] = twistCos * k1 - twistSin * k2;
  out[5] = twistSin * k1 + twistCos * k2;
}

void rotateToChild(Vector3& out, const Vector3& g, double twistSin, double twistCos, double sinQ,
                   double cosQ) {
  // Rq(Tw(g))
  const double t0 = g[0];
  const double t1 = twistCos * g[1] + twistSin * g[2];
  const double t2 = -twistSin * g[1] + twistCos * g[2];
  out[0] = cosQ * t0 + sinQ * t1;
  out[1] = -sinQ * t0 + cosQ * t1;
  out[2] = t2;
}

void inertiaToParent(SpatialInertia& out, const SpatialInertia& ia, double a, double b,
                     double twistSin, double twistCos, double sinQ, double cosQ) {
  // Ia = IA - U U^T / D; its row and column 5 are exactly zero and are skipped below.
  const double d = ia[axialIndex];
  double projected[5][5];
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 5; ++j) {
      projected[i][j] = ia[inertiaIndex(i, j)] - (ia[axisColumn[i]] * ia[axisColumn[j]]) / d;
    }
  }
  // Column j of X is X * e_j.
  double x[6][6];  // x[j][i] = X(i, j)
  for (int j = 0; j < 6; ++j) {
    SpatialVector unit = {{0.0, 0.0, 0.0, 0.0, 0.0, 0.0}};
    unit[j] = 1.0;
    SpatialVector column;
    motionToChild(column, unit, a, b, twistSin, twistCos, sinQ, cosQ);
    for (int i = 0; i < 6; ++i) {
      x[j][i] = column[i];
    }
  }
  // B = Ia X, then X^T B, both summed in increasing index order.
  double product[5][6];
  for (int l = 0; l < 5; ++l) {
    for (int j = 0; j < 6; ++j) {
      double sum = projected[l][0] * x[j][0];
      for (int k = 1; k < 5; ++k) {
        sum += projected[l][k] * x[j][k];
      }
      product[l][j] = sum;
    }
  }
  for (int i = 0; i < 6; ++i) {
    for (int j = i; j < 6; ++j) {
      double sum = x[i][0] * product[0][j];
      for (int l = 1; l < 5; ++l) {
        sum += x[i][l] * product[l][j];
      }
      out[inertiaIndex(i, j)] = sum;
    }
  }
}

void biasToParent(SpatialVector& out, const SpatialVector& pA, const SpatialInertia& ia, double p,
                  double a, double b, double twistSin, double twistCos, double sinQ, double cosQ) {
  // pa = pA + U u with u = (p - pA5) / D; its axial component is p itself.
  const double u = (p - pA[5]) / ia[axialIndex];
  SpatialVector pa;
  for (int i = 0; i < 5; ++i) {
    pa[i] = pA[i] + ia[axisColumn[i]] * u;
  }
  pa[5] = p;
  forceToParent(out, pa, a, b, twistSin, twistCos, sinQ, cosQ);
}

void jointRateFromMomentum(double& rate, double p, const SpatialVector& pA, const SpatialVector& vp,
                           const SpatialInertia& ia) {
  // rate = (p - pA5 - U . vp) / D
  double coupling = ia[axisColumn[0]] * vp[0];
  for (int i = 1; i < 6; ++i) {
    coupling += ia[axisColumn[i]] * vp[i];
  }
  rate = ((p - pA[5]) - coupling) / ia[axialIndex];
}

void addJointRate(SpatialVector& out, const SpatialVector& vp, double rate) {
  for (int i = 0; i < 5; ++i) {
    out[i] = vp[i];
  }
  out[5] = vp[5] + rate;
}

void momentumRate(double& rate, const SpatialVector& f, double pdTorque, double driveTorque,
                  const SpatialInertia& ia, const SpatialVector& pA, const SpatialVector& v) {
  // h = IA v + pA, the momentum carried by the body; only h0, h1, h3, h4 enter (v x* h)5.
  double h[6];
  for (int i = 0; i < 6; ++i) {
    if (i == 2 || i == 5) {
      continue;
    }
    double sum = ia[inertiaIndex(i, 0)] * v[0];
    for (int j = 1; j < 6; ++j) {
      sum += ia[inertiaIndex(i, j)] * v[j];
    }
    h[i] = sum + pA[i];
  }
  // (v x* h)5 = (ang v x ang h + lin v x lin h)_z
  const double cross = v[0] * h[1] - v[1] * h[0] + v[3] * h[4] - v[4] * h[3];
  rate = ((f[5] - cross) + pdTorque) + driveTorque;
}

void gravityWrench(SpatialVector& out, const Vector3& g, const Vector3& cm, double mass) {
  const double f0 = mass * g[0];
  const double f1 = mass * g[1];
  const double f2 = mass * g[2];
  out[0] = f0;
  out[1] = f1;
  out[2] = f2;
  out[3] = cm[1] * f2 - cm[2] * f1;
  out[4] = cm[2] * f0 - cm[0] * f2;
  out[5] = cm[0] * f1 - cm[1] * f0;
}

void rigidBodyMomentum(SpatialVector& out, double mass, const RotationalInertia& j,
                       const Vector3& cm, const SpatialVector& v) {
  // [m (lin v + w x cm); J w + m (cm x lin v)]
  const double w0 = v[3];
  const double w1 = v[4];
  const double w2 = v[5];
  out[0] = mass * (v[0] + (w1 * cm[2] - w2 * cm[1]));
  out[1] = mass * (v[1] + (w2 * cm[0] - w0 * cm[2]));
  out[2] = mass * (v[2] + (w0 * cm[1] - w1 * cm[0]));
  out[3] = (j[0] * w0 + j[1] * w1 + j[2] * w2) + mass * (cm[1] * v[2] - cm[2] * v[1]);
  out[4] = (j[1] * w0 + j[3] * w1 + j[4] * w2) + mass * (cm[2] * v[0] - cm[0] * v[2]);
  out[5] = (j[2] * w0 + j[4] * w1 + j[5] * w2) + mass * (cm[0] * v[1] - cm[1] * v[0]);
}

void rigidBodyInertia(SpatialInertia& out, double mass, const RotationalInertia& j,
                      const Vector3& cm) {
  out[0] = mass;
  out[1] = 0.0;
  out[2] = 0.0;
  out[3] = 0.0;
  out[4] = mass * cm[2];
  out[5] = -mass * cm[1];
  out[6] = mass;
  out[7] = 0.0;
  out[8] = -mass * cm[2];
  out[9] = 0.0;
  out[10] = mass * cm[0];
  out[11] = mass;
  out[12] = mass * cm[1];
  out[13] = -mass * cm[0];
  out[14] = 0.0;
  for (int i = 0; i < 6; ++i) {
    out[15 + i] = j[i];
  }
}

void addInertiaList(SpatialInertia& out, const InertiaList& list, double mass,
                    const RotationalInertia& j, const Vector3& cm) {
  rigidBodyInertia(out, mass, j, cm);
  for (int e = 0; e < list.count; ++e) {
    const SpatialInertia& entry = *list.entries[e];
    for (int i = 0; i < 21; ++i) {
      out[i] += entry[i];
    }
  }
}

void sumVectorList(SpatialVector& out, const VectorList& list) {
  for (int i = 0; i < 6; ++i) {
    out[i] = 0.0;
  }
  for (int e = 0; e < list.count; ++e) {
    for (int i = 0; i < 6; ++i) {
      out[i] += (*list.entries[e])[i];
    }
  }
}

void addVectorList(SpatialVector& out, const SpatialVector& own, const VectorList& list) {
  out = own;
  for (int e = 0; e < list.count; ++e) {
    for (int i = 0; i < 6; ++i) {
      out[i] += (*list.entries[e])[i];
    }
  }
}

void axialComponent(double& out, const SpatialVector& v) { out = v[5]; }
