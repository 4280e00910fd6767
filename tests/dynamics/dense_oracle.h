#pragma once

// Dense-matrix references for the dynamics tests: 6 x 6 transforms and inertias written from
// their definitions, the joint-space inertia matrix built body by body from kinetic energy, and
// the potential energy from world positions. None of it uses the recursive passes.

#include "figure_model.h"
#include "figure_state.h"

using Matrix6 = double[6][6];
using Matrix3 = double[3][3];

// The joint's coordinate change of 3-vectors from parent to child: E = Rq Tw.
void denseRotation(Matrix3& e, double twistSin, double twistCos, double sinQ, double cosQ);

// X = [[E, -E [r]x], [0, E]] with r = (a, b twistSin, -b twistCos), the child origin in the parent.
void denseMotionTransform(Matrix6& x, double a, double b, double twistSin, double twistCos,
                          double sinQ, double cosQ);

// M(m, cm, J) = [[m 1, -m [cm]x], [m [cm]x, J]].
void denseRigidInertia(Matrix6& m, double mass, const Vector3& cm, const RotationalInertia& j);

// Full symmetric matrix of a stored SpatialInertia.
void denseFromStored(Matrix6& m, const SpatialInertia& stored);

// y = A x
void multiply6(double y[6], const Matrix6& a, const double x[6]);

// H = sum over bodies of J_k^T M_k J_k, where J_k maps joint rates to body k's velocity, composed
// from the dense transforms. sinQ and cosQ are the joint trigonometry to use.
void jointSpaceInertia(double h[jointCount][jointCount], const FigureModel& model,
                       const double sinQ[jointCount], const double cosQ[jointCount]);

// Solves A x = b by Gaussian elimination with partial pivoting (A and b are copied).
void solveDense(double x[jointCount], const double a[jointCount][jointCount],
                const double b[jointCount]);

// Joint rates H(q)^-1 p with the table trigonometry that the dynamics use.
void oracleJointRates(FigureState& rates, const FigureModel& model, const FigureState& p,
                      const FigureState& q);

// T + V = p^T H(q)^-1 p / 2 + sum of m g-height, with the library sine and cosine (smooth in q).
double oracleHamiltonian(const FigureModel& model, const FigureState& p, const FigureState& q);

// Gives every joint a twist and an axial offset, and every body a centre of mass and products
// of inertia off the plane, with rotational inertias that stay physically consistent: a model
// only the general 6-D path can evaluate.
void twistModel(FigureModel& model);

// Builds the figure model once per test process.
void ensureFigureModel();
