#include "initial_momenta.h"

#include "figure_model.h"
#include "forward_dynamics.h"
#include "sine_table.h"

void momentaFromRates(FigureState& momenta, const FigureState& angles, const FigureState& rates) {
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
