#pragma once

// Six-dimensional spatial algebra for revolute joints about the child's z axis.
// Every operation writes its result into the first argument, which must not alias an input.

// A motion vector [linear velocity; angular velocity] or a force vector [force; moment],
// linear part first, expressed in one body's frame.
struct SpatialVector {
  double values[6];

  double& operator[](int i) { return values[i]; }
  const double& operator[](int i) const { return values[i]; }
};

// Upper triangle of a symmetric 6 x 6 inertia (momentum = M * velocity), row by row:
// entry (i, j), i <= j, at 6i - i(i-1)/2 + (j - i).
struct SpatialInertia {
  double values[21];

  double& operator[](int i) { return values[i]; }
  const double& operator[](int i) const { return values[i]; }
};

// A point or a direction (x, y, z).
struct Vector3 {
  double values[3];

  double& operator[](int i) { return values[i]; }
  const double& operator[](int i) const { return values[i]; }
};

// Rotational inertia about the body-frame origin: Ixx, Ixy, Ixz, Iyy, Iyz, Izz.
struct RotationalInertia {
  double values[6];

  double& operator[](int i) { return values[i]; }
  const double& operator[](int i) const { return values[i]; }
};

// Ordered, non-owning references to other bodies' records (at most four children).
constexpr int maxContributions = 4;
struct InertiaList {
  const SpatialInertia* entries[maxContributions];
  int count;
};
struct VectorList {
  const SpatialVector* entries[maxContributions];
  int count;
};

// Stored index of entry (i, j) of a symmetric 6 x 6, either order.
constexpr int inertiaIndex(int i, int j) {
  return i <= j ? 6 * i - i * (i - 1) / 2 + (j - i) : 6 * j - j * (j - 1) / 2 + (i - j);
}

// Stored indices of the joint-axis column U = M * e5; D = U5 is the last.
constexpr int axisColumn[6] = {5, 10, 14, 17, 19, 20};
constexpr int axialIndex = axisColumn[5];

// Joint geometry, in every operation below: a = jointOffset along the parent's x, b = axialOffset
// toward the joint frame's -z, the fixed twist (twistSin, twistCos) about the parent's x, and the
// joint angle as (sinQ, cosQ).

// X * v: a motion vector from parent to child coordinates.
void motionToChild(SpatialVector& out, const SpatialVector& v, double a, double b, double twistSin,
                   double twistCos, double sinQ, double cosQ);

// X^T * f: a force vector from child to parent coordinates.
void forceToParent(SpatialVector& out, const SpatialVector& f, double a, double b, double twistSin,
                   double twistCos, double sinQ, double cosQ);

// E * g: a direction (gravity) from parent to child coordinates.
void rotateToChild(Vector3& out, const Vector3& g, double twistSin, double twistCos, double sinQ,
                   double cosQ);

// X^T * (IA - U U^T / D) * X: the child's articulated inertia seen through its free joint, in
// parent coordinates.
void inertiaToParent(SpatialInertia& out, const SpatialInertia& ia, double a, double b,
                     double twistSin, double twistCos, double sinQ, double cosQ);

// X^T * (pA + U (p - pA5) / D): the child's bias with the joint momentum p absorbed, in parent
// coordinates.
void biasToParent(SpatialVector& out, const SpatialVector& pA, const SpatialInertia& ia, double p,
                  double a, double b, double twistSin, double twistCos, double sinQ, double cosQ);

// (p - pA5 - U . vp) / D: the joint rate that makes the axial momentum equal p.
void jointRateFromMomentum(double& rate, double p, const SpatialVector& pA, const SpatialVector& vp,
                           const SpatialInertia& ia);

// vp + rate * e5.
void addJointRate(SpatialVector& out, const SpatialVector& vp, double rate);

// ((F5 - (v x* h)5) + pdTorque) + driveTorque with h = IA * v + pA.
void momentumRate(double& rate, const SpatialVector& f, double pdTorque, double driveTorque,
                  const SpatialInertia& ia, const SpatialVector& pA, const SpatialVector& v);

// [m g; cm x (m g)]: a body's weight and its moment about the frame origin.
void gravityWrench(SpatialVector& out, const Vector3& g, const Vector3& cm, double mass);

// M(m, cm, J) * v: the spatial momentum of one rigid body.
void rigidBodyMomentum(SpatialVector& out, double mass, const RotationalInertia& j,
                       const Vector3& cm, const SpatialVector& v);

// M(m, cm, J) plus every list entry, in list order.
void addInertiaList(SpatialInertia& out, const InertiaList& list, double mass,
                    const RotationalInertia& j, const Vector3& cm);

// The sum of the list entries, zero for an empty list.
void sumVectorList(SpatialVector& out, const VectorList& list);

// own plus every list entry, in list order.
void addVectorList(SpatialVector& out, const SpatialVector& own, const VectorList& list);

// v5: the component about the joint axis.
void axialComponent(double& out, const SpatialVector& v);

// M(m, cm, J) = [[m 1, -m [cm]x], [m [cm]x, J]], stored.
void rigidBodyInertia(SpatialInertia& out, double mass, const RotationalInertia& j,
                      const Vector3& cm);
