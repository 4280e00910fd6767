#pragma once

#include <array>

#include "figure_state.h"
#include "joint_id.h"
#include "spatial.h"

// Per-body scratch of the general path (evaluation and start-up momenta), reused by every figure
// in turn; the planar path has its own.
struct BodyScratch {
  double sinQ, cosQ;                   // of the body's joint angle, from the sine table
  Vector3 bodyGravity;                 // gravity acceleration in the body frame
  SpatialInertia articulatedInertia;   // IA: the body with everything beyond it, joints free
  SpatialVector articulatedBias;       // pA: momentum carried beyond what IA * v accounts for
  SpatialVector parentVelocity;        // the parent's velocity in this body's frame
  SpatialVector bodyVelocity;          // v: this body's velocity in its own frame
  SpatialVector gravityLoad;           // the body's weight and its moment about its joint
  SpatialVector subtreeGravityWrench;  // F: the weight of the whole subtree, moment about the joint
};

extern BodyScratch bodyScratch[jointCount];

// Leaves first, each body after all its children: every limb from its end inwards, in the order
// of the limb table, then the Torso.
constexpr std::array<int, jointCount> makeInwardOrder() {
  std::array<int, jointCount> order{};
  int n = 0;
  for (const Limb& limb : limbs) {
    order[n++] = limb.end;
    order[n++] = limb.lower;
    order[n++] = limb.upper;
  }
  order[n] = Torso;
  return order;
}
constexpr std::array<int, jointCount> inwardOrder = makeInwardOrder();

// Hamilton's equations of one figure: jointRates = H(q)^-1 p and
// momentumRates = -dV/dq + dT/dq|qdot + pdTorques + driveTorques. Reads driveTorques and
// torsoDamping, rewrites pdTorques. Runs the planar path when the model is planar.
void evaluateDerivatives(const FigureState& p, const FigureState& q, FigureState& momentumRates,
                         FigureState& jointRates);

// The same equations in full six-dimensional algebra through the model's lists and slots,
// valid for any joint geometry.
void evaluateDerivativesGeneral(const FigureState& p, const FigureState& q,
                                FigureState& momentumRates, FigureState& jointRates);

// The same equations on the in-plane components (x, y linear, z angular) alone; only for a
// model that isPlanarModel accepts. Gives the general path's results exactly, because the
// components it drops are exact zeros there.
void evaluateDerivativesPlanar(const FigureState& p, const FigureState& q,
                               FigureState& momentumRates, FigureState& jointRates);
