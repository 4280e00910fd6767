#include "initial_momenta.h"

#include "forward_dynamics.h"
#include "planar_dynamics.h"
#include "sine_table.h"

void momentaFromRates(FigureState& momenta, const FigureState& angles, const FigureState& rates) {
  const FigureModel& model = figureModel;
  PlanarBody bodies[jointCount];
  double ownMomentum[jointCount][3];
  double contributedMomentum[jointCount][3];

  for (int k = 0; k < jointCount; ++k) {
    bodies[k].sinQ = tableSin(angles[k]);
    bodies[k].cosQ = tableCos(angles[k]);
  }

  // Outward: every body's velocity, parents first, with the given joint rates.
  planarVelocityPass(bodies, model, [&](int k, const double*) { return rates[k]; });

  // Each body's own momentum about its joint, M v = [m (v + w x cm); Izz w + m (cm x v)].
  for (int k = 0; k < jointCount; ++k) {
    const BodyModel& body = model.bodies[k];
    const double* v = bodies[k].velocity;
    const double m = body.mass, cx = body.centreOfMass[0], cy = body.centreOfMass[1];
    ownMomentum[k][0] = m * (v[0] - v[2] * cy);
    ownMomentum[k][1] = m * (v[1] + v[2] * cx);
    ownMomentum[k][2] = body.rotationalInertia[5] * v[2] + m * (cx * v[1] - cy * v[0]);
  }

  // Inward: the momentum of every subtree; its component about the joint axis is the joint's
  // momentum.
  for (int k : inwardOrder) {
    const BodyModel& body = model.bodies[k];
    double subtree[3] = {ownMomentum[k][0], ownMomentum[k][1], ownMomentum[k][2]};
    for (int e = 0; e < body.childCount; ++e) {
      for (int i = 0; i < 3; ++i) {
        subtree[i] += contributedMomentum[body.children[e]][i];
      }
    }
    momenta[k] = subtree[2];
    if (k != Torso) {
      planarForceToParent(contributedMomentum[k], subtree[0], subtree[1], subtree[2],
                          body.jointOffset, bodies[k].sinQ, bodies[k].cosQ);
    }
  }
}
