// Speed of the figure dynamics on the start-up crowd.
#include <benchmark/benchmark.h>

#include "crowd.h"
#include "forward_dynamics.h"
#include "joint_drives.h"
#include "sine_table.h"
#include "time_integration.h"

// The crowd set up once and run into its settled, driven motion.
static void prepareCrowd() {
  static bool prepared = false;
  if (!prepared) {
    setUpCrowd();
    for (int tick = 0; tick < 500; ++tick) stepCrowd(0, 0);
    prepared = true;
  }
}

static void BM_TableSin(benchmark::State& state) {
  prepareCrowd();
  double x = 0.1;
  for (auto _ : state) {
    double sum = 0.0;
    for (int i = 0; i < 26; ++i) {
      sum += tableSin(x + 0.37 * i);
    }
    benchmark::DoNotOptimize(sum);
    x += 1e-3;
  }
  state.SetItemsProcessed(state.iterations() * 26);
}
BENCHMARK(BM_TableSin);

using Evaluation = void (*)(const FigureState&, const FigureState&, FigureState&, FigureState&);

// Evaluations of one mid-crowd figure in its driven motion.
static void runEvaluations(benchmark::State& state, Evaluation evaluate) {
  prepareCrowd();
  const FigureState p = jointMomenta[57];
  const FigureState q = jointAngles[57];
  setFigureDrives(0, 0, 5, 7);
  FigureState dp, dq;
  for (auto _ : state) {
    evaluate(p, q, dp, dq);
    benchmark::DoNotOptimize(dp);
    benchmark::DoNotOptimize(dq);
  }
}

static void BM_EvaluateDerivatives(benchmark::State& state) {
  runEvaluations(state, evaluateDerivatives);
}
BENCHMARK(BM_EvaluateDerivatives);

// The full 6-D path, for comparison with the planar one that the crowd uses.
static void BM_EvaluateDerivativesGeneral(benchmark::State& state) {
  runEvaluations(state, evaluateDerivativesGeneral);
}
BENCHMARK(BM_EvaluateDerivativesGeneral);

static void BM_StepFigure(benchmark::State& state) {
  prepareCrowd();
  FigureState p = jointMomenta[57];
  FigureState q = jointAngles[57];
  for (auto _ : state) {
    stepFigure(p, q, 0, 0, 5, 7);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_StepFigure);

static void BM_CrowdTick(benchmark::State& state) {
  prepareCrowd();
  for (auto _ : state) {
    stepCrowd(0, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CrowdTick)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
