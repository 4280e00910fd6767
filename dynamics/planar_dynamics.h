#pragma once

#include "figure_model.h"

// The planar path works on the in-plane components of the spatial quantities: motion (vx, vy, wz),
// force (fx, fy, nz). For a planar model every other component is exactly zero.

// The six entries of a planar body's 6 x 6 inertia that are not exact zeros: the linear block and
// the joint-axis column U = IA e5 = (axisX, axisY, axial), whose last entry is D. For one rigid
// body about its joint: xx = yy = m, xy = 0, axisX = -m cy, axisY = m cx, axial = Izz. In the
// general path's 6 x 6 they are the entries (0,0) (0,1) (1,1) (0,5) (1,5) (5,5).
struct PlanarInertia {
  double xx, xy, yy;    // linear momentum along x, y per unit linear velocity along x, y
  double axisX, axisY;  // linear momentum along x, y per unit turning rate about the joint axis
  double axial;         // moment of inertia about the joint axis
};

// One body's records in the planar passes, all in the body's own frame.
struct PlanarBody {
  double sinQ, cosQ;                 // of the joint angle, from the sine table
  double velocity[3];                // v: (vx, vy, wz)
  double gravity[2];                 // gravity acceleration
  PlanarInertia inertia;             // IA: the body with everything beyond it, joints free
  double bias[3];                    // pA: momentum carried beyond what IA v accounts for
  double gravityWrench[3];           // F: the weight of the whole subtree, moment about the joint
  PlanarInertia contributedInertia;  // X^T (IA - U U^T / D) X, in the parent's frame
  double contributedBias[3];         // X^T (pA + U (p - pA5) / D), in the parent's frame
  double contributedGravity[3];      // X^T F, in the parent's frame
};

// Outward velocity pass, parents first: vp = X v_parent carries the parent's velocity into the
// body's frame, then v = vp + rate e5 with rate = jointRate(k, vp). Reads every body's sinQ and
// cosQ, writes its velocity.
template <typename JointRate>
void planarVelocityPass(PlanarBody bodies[jointCount], const FigureModel& model,
                        JointRate jointRate) {
  for (int k = 0; k < jointCount; ++k) {
    const BodyModel& body = model.bodies[k];
    PlanarBody& b = bodies[k];
    const int parent = body.parent;
    const double* v = parent == noParent ? nullptr : bodies[parent].velocity;
    const double v0 = v ? v[0] : model.baseVelocity[0];
    const double v1 = v ? v[1] : model.baseVelocity[1];
    const double v5 = v ? v[2] : model.baseVelocity[5];
    // The velocity of the body's origin, a along the parent's x: v + w x (a, 0), turned by -q.
    const double u1 = v1 + v5 * body.jointOffset;
    const double vp[3] = {b.cosQ * v0 + b.sinQ * u1, -b.sinQ * v0 + b.cosQ * u1, v5};
    const double rate = jointRate(k, vp);
    b.velocity[0] = vp[0];
    b.velocity[1] = vp[1];
    b.velocity[2] = v5 + rate;
  }
}

// X^T f for a force (f0, f1, f5), X the planar joint transform.
inline void planarForceToParent(double out[3], double f0, double f1, double f5, double a, double s,
                                double c) {
  const double h0 = c * f0 - s * f1;
  const double h1 = s * f0 + c * f1;
  out[0] = h0;
  out[1] = h1;
  out[2] = f5 + a * h1;
}
