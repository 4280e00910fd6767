#include "figure_model.h"
#include "forward_dynamics.h"
#include "joint_drives.h"
#include "sine_table.h"

// The in-plane components of the spatial quantities: motion (vx, vy, wz), force (fx, fy, nz),
// and the inertia entries (0,0) (0,1) (0,5) (1,1) (1,5) (5,5). For a planar model every other
// component is exactly zero, and each formula below is the general one with its zero terms left
// out, in the same order, so the results are the same to the last bit.

namespace {

struct PlanarBody {
  double sinQ, cosQ;
  double gravity[2];        // body frame
  double inertia[6];        // articulated inertia IA
  double bias[3];           // articulated bias pA
  double velocity[3];       // body velocity v
  double gravityWrench[3];  // subtree gravity wrench F
  double contributedInertia[6];
  double contributedBias[3];
  double contributedGravity[3];
};

PlanarBody planarScratch[jointCount];

}  // namespace

// X^T f for a force (f0, f1, f5), X the planar joint transform.
static inline void planarForceToParent(double out[3], double f0, double f1, double f5, double a,
                                       double s, double c) {
  const double h0 = c * f0 - s * f1;
  const double h1 = s * f0 + c * f1;
  out[0] = h0;
  out[1] = h1;
  out[2] = f5 + a * h1;
}

// X^T (IA - U U^T / D) X with U = (IA05, IA15, IA55).
static inline void planarInertiaToParent(double out[6], const double ia[6], double a, double s,
                                         double c) {
  const double d = ia[5];
  const double u0 = ia[2];
  const double u1 = ia[4];
  const double p00 = ia[0] - (u0 * u0) / d;
  const double p01 = ia[1] - (u0 * u1) / d;
  const double p10 = ia[1] - (u1 * u0) / d;
  const double p11 = ia[3] - (u1 * u1) / d;
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
  out[0] = x00 * b00 + x10 * b10;
  out[1] = x00 * b01 + x10 * b11;
  out[2] = x00 * b05 + x10 * b15;
  out[3] = x01 * b01 + x11 * b11;
  out[4] = x01 * b05 + x11 * b15;
  out[5] = x05 * b05 + x15 * b15;
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
    b.inertia[0] = m;
    b.inertia[1] = 0.0;
    b.inertia[2] = -m * body.centreOfMass[1];
    b.inertia[3] = m;
    b.inertia[4] = m * body.centreOfMass[0];
    b.inertia[5] = body.rotationalInertia[5];
    b.bias[0] = 0.0;
    b.bias[1] = 0.0;
    b.bias[2] = 0.0;
    for (int e = 0; e < body.childCount; ++e) {
      const PlanarBody& child = bodies[body.children[e]];
      for (int i = 0; i < 6; ++i) {
        b.inertia[i] += child.contributedInertia[i];
      }
      for (int i = 0; i < 3; ++i) {
        b.bias[i] += child.contributedBias[i];
      }
    }
    if (k != Torso) {
      const double a = body.jointOffset;
      planarInertiaToParent(b.contributedInertia, b.inertia, a, b.sinQ, b.cosQ);
      // pa = pA + U (p - pA5) / D, with pa5 = p
      const double u = (p[k] - b.bias[2]) / b.inertia[5];
      planarForceToParent(b.contributedBias, b.bias[0] + b.inertia[2] * u,
                          b.bias[1] + b.inertia[4] * u, p[k], a, b.sinQ, b.cosQ);
    }
  }

  // Outward pass: vp = X v_parent, rate = (p - pA5 - U . vp) / D, v = vp + rate e5.
  for (int k = 0; k < jointCount; ++k) {
    const BodyModel& body = model.bodies[k];
    PlanarBody& b = bodies[k];
    const int parent = body.parent;
    const double* v = parent == noParent ? nullptr : bodies[parent].velocity;
    const double v0 = v ? v[0] : model.baseVelocity[0];
    const double v1 = v ? v[1] : model.baseVelocity[1];
    const double v5 = v ? v[2] : model.baseVelocity[5];
    const double u1 = v1 + v5 * body.jointOffset;
    const double vp0 = b.cosQ * v0 + b.sinQ * u1;
    const double vp1 = -b.sinQ * v0 + b.cosQ * u1;
    const double coupling = b.inertia[2] * vp0 + b.inertia[4] * vp1 + b.inertia[5] * v5;
    const double rate = ((p[k] - b.bias[2]) - coupling) / b.inertia[5];
    jointRates[k] = rate;
    b.velocity[0] = vp0;
    b.velocity[1] = vp1;
    b.velocity[2] = v5 + rate;
  }

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
    const double* ia = b.inertia;
    const double* v = b.velocity;
    const double h0 = ia[0] * v[0] + ia[1] * v[1] + ia[2] * v[2] + b.bias[0];
    const double h1 = ia[1] * v[0] + ia[3] * v[1] + ia[4] * v[2] + b.bias[1];
    const double cross = v[0] * h1 - v[1] * h0;
    momentumRates[k] = ((b.gravityWrench[2] - cross) + pdTorques[k]) + driveTorques[k];
  }
}
