#pragma once

#include "joint_id.h"
#include "spatial.h"

constexpr int noParent = -1;

// One rigid body of the figure and the wiring of its sums over its children.
struct BodyModel {
  int parent;  // JointId of the parent body, noParent for the Torso (base)
  double mass;
  Vector3 centreOfMass;                 // body frame
  RotationalInertia rotationalInertia;  // about the body's joint, body frame
  double jointOffset;                   // joint position along the parent's x axis
  double axialOffset;                   // child origin along the joint frame's -z axis
  double twistSin, twistCos;            // fixed twist about the parent's x axis

  // The children's slots, in list order (right arm, left arm, right leg, left leg for the Torso).
  InertiaList inertiaContributions;
  VectorList biasContributions;
  VectorList gravityContributions;
  VectorList momentumContributions;
  int children[maxContributions];  // the same children as the lists, as JointIds, in list order
  int childCount;

  // This body's entries in its parent's lists, in the parent's frame.
  SpatialInertia contributedInertia;
  SpatialVector contributedBias;
  SpatialVector contributedGravityLoad;
  SpatialVector contributedMomentum;
};

// The one constant model shared by all figures.
struct FigureModel {
  BodyModel bodies[jointCount];  // indexed by JointId; every parent before its children
  Vector3 gravity;               // base frame, y up
  SpatialVector baseVelocity;    // the fixed base: zero
  // Every joint turns about parallel axes with the motion in the x-y plane, so the dynamics
  // may run on the in-plane components alone (detected by isPlanarModel).
  bool planar;
};

extern FigureModel figureModel;

// Builds the sine table, then the body table and the contribution lists.
void buildFigureModel();

// True when no joint is twisted or offset along its axis, every centre of mass lies in its
// body's x-y plane, no product of inertia couples z with x or y, and gravity and the base
// velocity keep to the plane: then the out-of-plane components stay exactly zero.
bool isPlanarModel(const FigureModel& model);
