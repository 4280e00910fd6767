#include "initial_momenta.h"

#include "figure_model.h"
#include "forward_dynamics.h"
#include "planar_dynamics.h"
#include "sine_table.h"

// The planar model's momenta, on the in-plane components and with the planar path's own velocity
// pass.
static void planarMomentaFromRates(FigureState& momenta, const FigureState& angles,
                                   const FigureState& rates) {
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

// Any model's momenta, in full 6-D spatial algebra through the model's momentum lists.
static void generalMomentaFromRates(FigureState& momenta, const FigureState& angles,
                                    const FigureState& rates) {
  FigureModel& model = figureModel;
  SpatialVector bodyMomentum[jointCount];

  // Outward: every body's velocity and its own momentum, parents first.
  for (int k = 0; k < jointCount; ++k) {
    const BodyModel& body = model.bodies[k];
    BodyScratch& s = bodyScratch[k];
    s.sinQ = tableSin(angles[k]);
    s.cosQ = tableCos(angles[k]);
    const SpatialVector& u =
        body.parent == noParent ? model.baseVelocity : bodyScratch[body.parent].bodyVelocity;
    motionToChild(s.parentVelocity, u, body.jointOffset, body.axialOffset, body.twistSin,
                  body.twistCos, s.sinQ, s.cosQ);
    addJointRate(s.bodyVelocity, s.parentVelocity, rates[k]);
    rigidBodyMomentum(bodyMomentum[k], body.mass, body.rotationalInertia, body.centreOfMass,
                      s.bodyVelocity);
  }

  // Inward: the composite momentum of every subtree; its axial component is the joint's momentum.
  for (int k : inwardOrder) {
    BodyModel& body = model.bodies[k];
    SpatialVector composite;
    addVectorList(composite, bodyMomentum[k], body.momentumContributions);
    axialComponent(momenta[k], composite);
    if (k != Torso) {
      forceToParent(body.contributedMomentum, composite, body.jointOffset, body.axialOffset,
                    body.twistSin, body.twistCos, bodyScratch[k].sinQ, bodyScratch[k].cosQ);
    }
  }
}

void momentaFromRates(FigureState& momenta, const FigureState& angles, const FigureState& rates) {
  if (figureModel.planar) {
    planarMomentaFromRates(momenta, angles, rates);
  } else {
    generalMomentaFromRates(momenta, angles, rates);
  }
}
