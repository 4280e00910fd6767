#include "spatial.h"

#include <gtest/gtest.h>

#include <cmath>

#include "dense_oracle.h"

namespace {

struct Joint {
  double a, b, twistSin, twistCos, sinQ, cosQ;
};

// Plain, offset, twisted and axially offset joints; the last has sin^2 + cos^2 != 1, as table
// values have.
const Joint joints[] = {
    {0.0, 0.0, 0.0, 1.0, 0.0, 1.0},
    {1.0, 0.0, 0.0, 1.0, std::sin(0.7), std::cos(0.7)},
    {0.8, 0.3, std::sin(0.5), std::cos(0.5), std::sin(-2.2), std::cos(-2.2)},
    {-0.4, -1.1, std::sin(2.9), std::cos(2.9), std::sin(4.0), std::cos(4.0)},
    {1.3, 0.6, std::sin(-1.2), std::cos(-1.2), 0.6000031, 0.7999987},
};

const SpatialVector vectors[] = {
    {{1.0, 0.0, 0.0, 0.0, 0.0, 0.0}},
    {{0.3, -1.2, 0.7, 2.1, -0.4, 1.5}},
    {{-5.0, 2.5, -0.1, 0.0, 3.3, -2.2}},
};

// A general (non-planar) articulated inertia: M of a body plus a full symmetric term.
SpatialInertia sampleInertia() {
  SpatialInertia ia;
  rigidBodyInertia(ia, 1.7, RotationalInertia{{0.5, 0.02, -0.03, 0.6, 0.04, 0.7}},
                   Vector3{{0.4, -0.2, 0.15}});
  for (int i = 0; i < 21; ++i) {
    ia[i] += 0.01 * ((i * 7) % 11) - 0.04;
  }
  return ia;
}

void expectVectorNear(const SpatialVector& actual, const double expected[6], double tolerance) {
  for (int i = 0; i < 6; ++i) {
    EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
  }
}

// Transform of a unit-length twist with the joint's cos/sin as given.
void denseX(Matrix6& x, const Joint& j) {
  denseMotionTransform(x, j.a, j.b, j.twistSin, j.twistCos, j.sinQ, j.cosQ);
}

}  // namespace

TEST(Spatial, TransformsMatchTheDenseMatrices) {
  for (const Joint& j : joints) {
    Matrix6 x;
    denseX(x, j);
    for (const SpatialVector& v : vectors) {
      SpatialVector motion, force;
      motionToChild(motion, v, j.a, j.b, j.twistSin, j.twistCos, j.sinQ, j.cosQ);
      forceToParent(force, v, j.a, j.b, j.twistSin, j.twistCos, j.sinQ, j.cosQ);
      double expectedMotion[6], expectedForce[6];
      multiply6(expectedMotion, x, v.values);
      for (int r = 0; r < 6; ++r) {
        expectedForce[r] = 0.0;
        for (int c = 0; c < 6; ++c) {
          expectedForce[r] += x[c][r] * v[c];
        }
      }
      expectVectorNear(motion, expectedMotion, 1e-12);
      expectVectorNear(force, expectedForce, 1e-12);
    }
    // Gravity turns with E, the upper-left block of X.
    Vector3 g{{0.3, -9.80665, 1.2}}, turned;
    rotateToChild(turned, g, j.twistSin, j.twistCos, j.sinQ, j.cosQ);
    for (int r = 0; r < 3; ++r) {
      EXPECT_NEAR(turned[r], x[r][0] * g[0] + x[r][1] * g[1] + x[r][2] * g[2], 1e-12);
    }
  }
}

TEST(Spatial, SmallJointExamples) {
  SpatialVector out;
  motionToChild(out, SpatialVector{{0, 0, 0, 0, 0, 1}}, 1.0, 0.0, 0.0, 1.0, 0.0, 1.0);
  expectVectorNear(out, SpatialVector{{0, 1, 0, 0, 0, 1}}.values, 0.0);
  forceToParent(out, SpatialVector{{0, 1, 0, 0, 0, 0}}, 1.0, 0.0, 0.0, 1.0, 0.0, 1.0);
  expectVectorNear(out, SpatialVector{{0, 1, 0, 0, 0, 1}}.values, 0.0);
  motionToChild(out, SpatialVector{{0, 0, 0, 1, 0, 0}}, 0.0, 1.0, 0.0, 1.0, 0.0, 1.0);
  expectVectorNear(out, SpatialVector{{0, 1, 0, 1, 0, 0}}.values, 0.0);
  Vector3 g;
  rotateToChild(g, Vector3{{0, -9.80665, 0}}, 0.0, 1.0, 1.0, 0.0);
  EXPECT_EQ(g[0], -9.80665);
  EXPECT_EQ(g[1], 0.0);
  rotateToChild(g, Vector3{{1, 2, 3}}, 0.0, -1.0, 0.0, 1.0);
  EXPECT_EQ(g[1], -2.0);
  EXPECT_EQ(g[2], -3.0);
  gravityWrench(out, Vector3{{0, -9.80665, 0}}, Vector3{{0.5, 0, 0}}, 2.0);
  expectVectorNear(out, SpatialVector{{0, -19.6133, 0, 0, 0, -9.80665}}.values, 1e-12);
}

// X^T (IA - U U^T / D) X and the bias carried across the joint, against dense algebra.
TEST(Spatial, ArticulatedQuantitiesCrossTheJointAsDenseAlgebraSays) {
  const SpatialInertia ia = sampleInertia();
  Matrix6 full;
  denseFromStored(full, ia);
  const double d = full[5][5];
  const SpatialVector pA = {{0.2, -0.1, 0.3, 0.05, -0.6, 0.4}};
  const double momentum = 1.3;
  for (const Joint& j : joints) {
    Matrix6 x;
    denseX(x, j);
    Matrix6 projected, expected;
    for (int r = 0; r < 6; ++r) {
      for (int c = 0; c < 6; ++c) {
        projected[r][c] = full[r][c] - full[r][5] * full[c][5] / d;
      }
    }
    for (int r = 0; r < 6; ++r) {
      for (int c = 0; c < 6; ++c) {
        expected[r][c] = 0.0;
        for (int k = 0; k < 6; ++k) {
          for (int l = 0; l < 6; ++l) {
            expected[r][c] += x[k][r] * projected[k][l] * x[l][c];
          }
        }
      }
    }
    SpatialInertia out;
    inertiaToParent(out, ia, j.a, j.b, j.twistSin, j.twistCos, j.sinQ, j.cosQ);
    for (int r = 0; r < 6; ++r) {
      for (int c = r; c < 6; ++c) {
        EXPECT_NEAR(out[inertiaIndex(r, c)], expected[r][c], 1e-12) << r << "," << c;
      }
    }

    double absorbed[6], expectedBias[6];
    for (int r = 0; r < 6; ++r) {
      absorbed[r] = pA[r] + full[r][5] * (momentum - pA[5]) / d;
    }
    for (int r = 0; r < 6; ++r) {
      expectedBias[r] = 0.0;
      for (int c = 0; c < 6; ++c) {
        expectedBias[r] += x[c][r] * absorbed[c];
      }
    }
    SpatialVector bias;
    biasToParent(bias, pA, ia, momentum, j.a, j.b, j.twistSin, j.twistCos, j.sinQ, j.cosQ);
    expectVectorNear(bias, expectedBias, 1e-12);
  }
}

TEST(Spatial, LightHandAcrossAUnitJoint) {
  SpatialInertia ia;
  addInertiaList(ia, InertiaList{{}, 0}, 0.2, RotationalInertia{{0.01, 0, 0, 0.066, 0, 0.066}},
                 Vector3{{0.5, 0, 0}});
  SpatialInertia out;
  inertiaToParent(out, ia, 1.0, 0.0, 0.0, 1.0, 0.0, 1.0);
  const double light = 0.2 - 0.01 / 0.066;
  for (int r = 0; r < 6; ++r) {
    for (int c = r; c < 6; ++c) {
      double expected = 0.0;
      if ((r == 1 && c == 1) || (r == 1 && c == 5) || (r == 5 && c == 5)) expected = light;
      if ((r == 0 && c == 0) || (r == 2 && c == 2)) expected = 0.2;
      if (r == 2 && c == 4) expected = -0.3;
      if (r == 3 && c == 3) expected = 0.01;
      if (r == 4 && c == 4) expected = 0.466;
      EXPECT_NEAR(out[inertiaIndex(r, c)], expected, 1e-14) << r << "," << c;
    }
  }
  SpatialVector bias;
  biasToParent(bias, SpatialVector{}, ia, 1.0, 1.0, 0.0, 0.0, 1.0, 0.0, 1.0);
  expectVectorNear(bias, SpatialVector{{0, 0.1 / 0.066, 0, 0, 0, 1 + 0.1 / 0.066}}.values, 1e-14);
}

// The rate solves U . (vp + rate e5) + pA5 = p, the momentum rate is F5 - (v x* h)5 + torques,
// and the rigid-body momentum is M v.
TEST(Spatial, RateMomentumAndCrossProductMatchTheirDefinitions) {
  const SpatialInertia ia = sampleInertia();
  Matrix6 full;
  denseFromStored(full, ia);
  const SpatialVector pA = {{0.2, -0.1, 0.3, 0.05, -0.6, 0.4}};
  for (const SpatialVector& vp : vectors) {
    double rate;
    jointRateFromMomentum(rate, 2.5, pA, vp, ia);
    SpatialVector v;
    addJointRate(v, vp, rate);
    double mv[6];
    multiply6(mv, full, v.values);
    EXPECT_NEAR(mv[5] + pA[5], 2.5, 1e-12);

    double h[6];
    for (int i = 0; i < 6; ++i) h[i] = mv[i] + pA[i];
    // v x* h = [w x hlin; w x hang + vlin x hlin]
    const double crossZ = (v[3] * h[4] - v[4] * h[3]) + (v[0] * h[1] - v[1] * h[0]);
    const SpatialVector f = {{1, 2, 3, 4, 5, 6}};
    double rateOfMomentum;
    momentumRate(rateOfMomentum, f, 0.25, -100.0, ia, pA, v);
    EXPECT_NEAR(rateOfMomentum, 6.0 - crossZ + 0.25 - 100.0, 1e-12);
  }
  double zeroRate;
  jointRateFromMomentum(zeroRate, 3.0, SpatialVector{}, SpatialVector{}, ia);
  EXPECT_EQ(zeroRate, 3.0 / ia[20]);

  const Vector3 cm = {{0.4, -0.2, 0.15}};
  const RotationalInertia j = {{0.5, 0.02, -0.03, 0.6, 0.04, 0.7}};
  Matrix6 m;
  denseRigidInertia(m, 1.7, cm, j);
  SpatialInertia stored;
  rigidBodyInertia(stored, 1.7, j, cm);
  for (const SpatialVector& v : vectors) {
    SpatialVector momentum;
    rigidBodyMomentum(momentum, 1.7, j, cm, v);
    double expected[6];
    multiply6(expected, m, v.values);
    expectVectorNear(momentum, expected, 1e-12);
  }
  for (int r = 0; r < 6; ++r) {
    for (int c = 0; c < 6; ++c) {
      EXPECT_EQ(stored[inertiaIndex(r, c)], m[r][c]) << r << "," << c;
    }
  }
}

TEST(Spatial, ListsSumInOrderFromTheirStart) {
  const SpatialVector a = {{1, 2, 3, 4, 5, 6}}, b = {{0.5, 0, -1, 0, 2, 1e-17}};
  const VectorList empty = {{}, 0};
  const VectorList two = {{&a, &b}, 2};
  SpatialVector out;
  sumVectorList(out, empty);
  expectVectorNear(out, SpatialVector{}.values, 0.0);
  addVectorList(out, b, empty);
  expectVectorNear(out, b.values, 0.0);
  sumVectorList(out, two);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(out[i], (0.0 + a[i]) + b[i]);
  addVectorList(out, a, two);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(out[i], (a[i] + a[i]) + b[i]);
  double axial;
  axialComponent(axial, a);
  EXPECT_EQ(axial, 6.0);

  SpatialInertia own;
  addInertiaList(own, InertiaList{{}, 0}, 2.0, RotationalInertia{{0.01, 0, 0, 0.33, 0, 0.66}},
                 Vector3{{0.5, 0, 0}});
  for (int i = 0; i < 21; ++i) {
    double expected = 0.0;
    if (i == 0 || i == 6 || i == 11) expected = 2.0;
    if (i == 10) expected = 1.0;
    if (i == 13) expected = -1.0;
    if (i == 15) expected = 0.01;
    if (i == 18) expected = 0.33;
    if (i == 20) expected = 0.66;
    EXPECT_EQ(own[i], expected) << i;
  }
  SpatialInertia summed;
  const InertiaList list = {{&own, &own}, 2};
  addInertiaList(summed, list, 2.0, RotationalInertia{{0.01, 0, 0, 0.33, 0, 0.66}},
                 Vector3{{0.5, 0, 0}});
  for (int i = 0; i < 21; ++i) EXPECT_EQ(summed[i], 3.0 * own[i]) << i;
}
