#include "figure_model.h"

#include "sine_table.h"

FigureModel figureModel;

namespace {

struct BodyRow {
  double mass;
  double iyy;
  double izz;
  double jointOffset;
};

// The right leg's light body is the middle one; the left leg's, as in the arms, the end one.
constexpr BodyRow bodyTable[jointCount] = {
    {2.0, 0.33, 0.66, 0.0},    // Torso
    {1.0, 0.33, 0.33, 1.0},    // RightUpperArm
    {1.0, 0.33, 0.33, 1.0},    // RightLowerArm
    {0.2, 0.066, 0.066, 1.0},  // RightHand
    {1.0, 0.33, 0.33, 1.0},    // LeftUpperArm
    {1.0, 0.33, 0.33, 1.0},    // LeftLowerArm
    {0.2, 0.33, 0.066, 1.0},   // LeftHand
    {1.0, 0.33, 0.33, 1.0},    // RightUpperLeg
    {0.2, 0.33, 0.066, 1.0},   // RightLowerLeg
    {1.0, 0.33, 0.33, 1.0},    // RightFoot
    {1.0, 0.33, 0.33, 1.0},    // LeftUpperLeg
    {1.0, 0.33, 0.33, 1.0},    // LeftLowerLeg
    {0.2, 0.33, 0.066, 1.0},   // LeftFoot
};

}  // namespace

// Appends the child's four slots to the parent's four lists, each to the list of its kind.
static void appendContributions(BodyModel& parent, const BodyModel& child, int childId) {
  parent.children[parent.childCount++] = childId;
  parent.inertiaContributions.entries[parent.inertiaContributions.count++] =
      &child.contributedInertia;
  parent.biasContributions.entries[parent.biasContributions.count++] = &child.contributedBias;
  parent.gravityContributions.entries[parent.gravityContributions.count++] =
      &child.contributedGravityLoad;
  parent.momentumContributions.entries[parent.momentumContributions.count++] =
      &child.contributedMomentum;
}

void buildFigureModel() {
  buildSineTable(1000000);

  FigureModel& model = figureModel;
  model.baseVelocity = SpatialVector{{0.0, 0.0, 0.0, 0.0, 0.0, 0.0}};
  model.gravity = Vector3{{0.0, -9.80665, 0.0}};

  for (int k = 0; k < jointCount; ++k) {
    BodyModel& body = model.bodies[k];
    const BodyRow& row = bodyTable[k];
    body.rotationalInertia = RotationalInertia{{0.01, 0.0, 0.0, row.iyy, 0.0, row.izz}};
    body.centreOfMass = Vector3{{0.5, 0.0, 0.0}};
    body.mass = row.mass;
    body.jointOffset = row.jointOffset;
    body.axialOffset = 0.0;
    body.twistSin = 0.0;
    body.twistCos = 1.0;
  }

  for (int k = 0; k < jointCount; ++k) {
    BodyModel& body = model.bodies[k];
    body.inertiaContributions.count = 0;
    body.biasContributions.count = 0;
    body.gravityContributions.count = 0;
    body.momentumContributions.count = 0;
    body.childCount = 0;
  }

  // The tree comes from the limb table: each limb hangs from the Torso, joint after joint.
  model.bodies[Torso].parent = noParent;
  for (const Limb& limb : limbs) {
    model.bodies[limb.upper].parent = Torso;
    model.bodies[limb.lower].parent = limb.upper;
    model.bodies[limb.end].parent = limb.lower;
    appendContributions(model.bodies[limb.lower], model.bodies[limb.end], limb.end);
    appendContributions(model.bodies[limb.upper], model.bodies[limb.lower], limb.lower);
    appendContributions(model.bodies[Torso], model.bodies[limb.upper], limb.upper);
  }

  model.planar = isPlanarModel(model);
}

bool isPlanarModel(const FigureModel& model) {
  for (const BodyModel& body : model.bodies) {
    if (body.twistSin != 0.0 || body.twistCos != 1.0 || body.axialOffset != 0.0 ||
        body.centreOfMass[2] != 0.0 || body.rotationalInertia[2] != 0.0 ||
        body.rotationalInertia[4] != 0.0) {
      return false;
    }
  }
  const SpatialVector& base = model.baseVelocity;
  return model.gravity[2] == 0.0 && base[2] == 0.0 && base[3] == 0.0 && base[4] == 0.0;
}
