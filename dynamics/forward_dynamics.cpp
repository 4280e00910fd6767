#include "forward_dynamics.h"

#include "figure_model.h"
#include "joint_drives.h"
#include "sine_table.h"

BodyScratch bodyScratch[jointCount];

void evaluateDerivatives(const FigureState& p, const FigureState& q, FigureState& momentumRates,
                         FigureState& jointRates) {
  if (figureModel.planar) {
    evaluateDerivativesPlanar(p, q, momentumRates, jointRates);
  } else {
    evaluateDerivativesGeneral(p, q, momentumRates, jointRates);
  }
}

void evaluateDerivativesGeneral(const FigureState& p, const FigureState& q,
                                FigureState& momentumRates, FigureState& jointRates) {
  FigureModel& model = figureModel;

  // Trigonometry of every joint angle.
  for (int k = 0; k < jointCount; ++k) {
    bodyScratch[k].sinQ = tableSin(q[k]);
    bodyScratch[k].cosQ = tableCos(q[k]);
  }

  // Gravity carried from the base into every body frame, parents first.
  for (int k = 0; k < jointCount; ++k) {
    const BodyModel& body = model.bodies[k];
    BodyScratch& s = bodyScratch[k];
    const Vector3& g =
        body.parent == noParent ? model.gravity : bodyScratch[body.parent].bodyGravity;
    rotateToChild(s.bodyGravity, g, body.twistSin, body.twistCos, s.sinQ, s.cosQ);
  }

  // Inward pass: articulated inertias and biases; a child's slots are written before its parent
  // sums them.
  for (int k : inwardOrder) {
    BodyModel& body = model.bodies[k];
    BodyScratch& s = bodyScratch[k];
    addInertiaList(s.articulatedInertia, body.inertiaContributions, body.mass,
                   body.rotationalInertia, body.centreOfMass);
    sumVectorList(s.articulatedBias, body.biasContributions);
    if (k != Torso) {
      inertiaToParent(body.contributedInertia, s.articulatedInertia, body.jointOffset,
                      body.axialOffset, body.twistSin, body.twistCos, s.sinQ, s.cosQ);
      biasToParent(body.contributedBias, s.articulatedBias, s.articulatedInertia, p[k],
                   body.jointOffset, body.axialOffset, body.twistSin, body.twistCos, s.sinQ,
                   s.cosQ);
    }
  }

  // Outward pass: joint rates and body velocities, parents first.
  for (int k = 0; k < jointCount; ++k) {
    const BodyModel& body = model.bodies[k];
    BodyScratch& s = bodyScratch[k];
    const SpatialVector& u =
        body.parent == noParent ? model.baseVelocity : bodyScratch[body.parent].bodyVelocity;
    motionToChild(s.parentVelocity, u, body.jointOffset, body.axialOffset, body.twistSin,
                  body.twistCos, s.sinQ, s.cosQ);
    jointRateFromMomentum(jointRates[k], p[k], s.articulatedBias, s.parentVelocity,
                          s.articulatedInertia);
    addJointRate(s.bodyVelocity, s.parentVelocity, jointRates[k]);
  }

  pdJointTorques(pdTorques, jointRates, q);

  // Gravity loads of every subtree, leaves first.
  for (int k : inwardOrder) {
    BodyModel& body = model.bodies[k];
    BodyScratch& s = bodyScratch[k];
    gravityWrench(s.gravityLoad, s.bodyGravity, body.centreOfMass, body.mass);
    addVectorList(s.subtreeGravityWrench, s.gravityLoad, body.gravityContributions);
    if (k != Torso) {
      forceToParent(body.contributedGravityLoad, s.subtreeGravityWrench, body.jointOffset,
                    body.axialOffset, body.twistSin, body.twistCos, s.sinQ, s.cosQ);
    }
  }

  // dp/dt = F5 - (v x* h)5 + pd + drive
  for (int k = 0; k < jointCount; ++k) {
    const BodyScratch& s = bodyScratch[k];
    momentumRate(momentumRates[k], s.subtreeGravityWrench, pdTorques[k], driveTorques[k],
                 s.articulatedInertia, s.articulatedBias, s.bodyVelocity);
  }
}
