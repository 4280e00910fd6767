#include "planar_dynamics.h"

#include "forward_dynamics.h"
#include "joint_drives.h"
#include "sine_table.h"

// Each formula below is the general path's with its exact-zero terms left out, in the same order,
// so the results are the same to the last bit.

namespace {

// The planar path's own scratch, reused by every figure in turn.
PlanarBody planarScratch[jointCount];

}  // namespace

// X^T (IA - U U^T / D) X with U = (axisX, axisY, axial), D = axial.
static inline void planarInertiaToParent(PlanarInertia& out, const PlanarInertia& ia, double a,
                                         double s, double c) {
  const double d = ia.axial;
  const double u0 = ia.axisX;
  const double u1 = ia.axisY;
  const double p00 = ia.xx - (u0 * u0) / d;
  const double p01 = ia.xy - (u0 * u1) / d;
  const double p10 = ia.xy - (u1 * u0) / d;
  const double p11 = ia.yy - (u1 * u1) / d;
  // Columns 0, 1 and 5 of X (rows 0 and 1; row 5 is (0, 0, 1), which the projection removes).
  const double x00 = c, x10 = -s;
  const double x01 = s, x11 = c;
  const double x05 = s * a, x15 = c * a;
  // B = Ia X
  const double b00 = p00 * x00 + p01 * x10;
  const double b01 = p00 * x01 + p01 * x11;
  const double b05 = p00 * x05 + p01 * x15;
  const double b10 = p10 * x00 + p11 * x10;
  const double b11 = p10 * x01 + p11 * x11;
  const double b15 = p10 * x05 + p11 * x15;
  // X^T B
  out.xx = x00 * b00 + x10 * b10;
  out.xy = x00 * b01 + x10 * b11;
  out.axisX = x00 * b05 + x10 * b15;
  out.yy = x01 * b01 + x11 * b11;
  out.axisY = x01 * b05 + x11 * b15;
  out.axial = x05 * b05 + x15 * b15;
}

static inline void addInertia(PlanarInertia& sum, const PlanarInertia& term) {
  sum.xx += term.xx;
  sum.xy += term.xy;
  sum.axisX += term.axisX;
  sum.yy += term.yy;
  sum.axisY += term.axisY;
  sum.axial += term.axial;
}

void evaluateDerivativesPlanar(const FigureState& p, const FigureState& q,
                               FigureState& momentumRates, FigureState& jointRates) {
  const FigureModel& model = figureModel;
  PlanarBody* const bodies = planarScratch;

  for (int k = 0; k < jointCount; ++k) {
    bodies[k].sinQ = tableSin(q[k]);
    bodies[k].cosQ = tableCos(q[k]);
  }

  // g_k = Rq g_parent
  for (int k = 0; k < jointCount; ++k) {
    const int parent = model.bodies[k].parent;
    const double g0 = parent == noParent ? model.gravity[0] : bodies[parent].gravity[0];
    const double g1 = parent == noParent ? model.gravity[1] : bodies[parent].gravity[1];
    PlanarBody& b = bodies[k];
    b.gravity[0] = b.cosQ * g0 + b.sinQ * g1;
    b.gravity[1] = -b.sinQ * g0 + b.cosQ * g1;
  }

  // Inward pass: IA = M + sum of the children's projected inertias, pA = sum of their biases.
  for (int k : inwardOrder) {
    const BodyModel& body = model.bodies[k];
    PlanarBody& b = bodies[k];
    const double m = body.mass;
    b.inertia.xx = m;
    b.inertia.xy = 0.0;
    b.inertia.axisX = -m * body.centreOfMass[1];
    b.inertia.yy = m;
    b.inertia.axisY = m * body.centreOfMass[0];
    b.inertia.axial = body.rotationalInertia[5];
    b.bias[0] = 0.0;
    b.bias[1] = 0.0;
    b.bias[2] = 0.0;
    for (int e = 0; e < body.childCount; ++e) {
      const PlanarBody& child = bodies[body.children[e]];
      addInertia(b.inertia, child.contributedInertia);
      for (int i = 0; i < 3; ++i) {
        b.bias[i] += child.contributedBias[i];
      }
    }
    if (k != Torso) {
      const double a = body.jointOffset;
      planarInertiaToParent(b.contributedInertia, b.inertia, a, b.sinQ, b.cosQ);
      // pa = pA + U (p - pA5) / D, with pa5 = p
      const double u = (p[k] - b.bias[2]) / b.inertia.axial;
      planarForceToParent(b.contributedBias, b.bias[0] + b.inertia.axisX * u,
                          b.bias[1] + b.inertia.axisY * u, p[k], a, b.sinQ, b.cosQ);
    }
  }

  // Outward pass: the joint rate that makes the axial momentum equal p,
  // rate = (p - pA5 - U . vp) / D.
  planarVelocityPass(bodies, model, [&](int k, const double vp[3]) {
    const PlanarBody& b = bodies[k];
    const double coupling =
        b.inertia.axisX * vp[0] + b.inertia.axisY * vp[1] + b.inertia.axial * vp[2];
    const double rate = ((p[k] - b.bias[2]) - coupling) / b.inertia.axial;
    jointRates[k] = rate;
    return rate;
  });

  pdJointTorques(pdTorques, jointRates, q);

  // Gravity loads of every subtree, leaves first.
  for (int k : inwardOrder) {
    const BodyModel& body = model.bodies[k];
    PlanarBody& b = bodies[k];
    const double f0 = body.mass * b.gravity[0];
    const double f1 = body.mass * b.gravity[1];
    b.gravityWrench[0] = f0;
    b.gravityWrench[1] = f1;
    b.gravityWrench[2] = body.centreOfMass[0] * f1 - body.centreOfMass[1] * f0;
    for (int e = 0; e < body.childCount; ++e) {
      const PlanarBody& child = bodies[body.children[e]];
      for (int i = 0; i < 3; ++i) {
        b.gravityWrench[i] += child.contributedGravity[i];
      }
    }
    if (k != Torso) {
      planarForceToParent(b.contributedGravity, b.gravityWrench[0], b.gravityWrench[1],
                          b.gravityWrench[2], body.jointOffset, b.sinQ, b.cosQ);
    }
  }

  // dp/dt = F5 - (v x* h)5 + pd + drive, h = IA v + pA
  for (int k = 0; k < jointCount; ++k) {
    const PlanarBody& b = bodies[k];
    const PlanarInertia& ia = b.inertia;
    const double* v = b.velocity;
    const double h0 = ia.xx * v[0] + ia.xy * v[1] + ia.axisX * v[2] + b.bias[0];
    const double h1 = ia.xy * v[0] + ia.yy * v[1] + ia.axisY * v[2] + b.bias[1];
    const double cross = v[0] * h1 - v[1] * h0;
    momentumRates[k] = ((b.gravityWrench[2] - cross) + pdTorques[k]) + driveTorques[k];
  }
}
