// papercrowd-measure-live: frame cost and tick rate of the real demo under Xvfb and Mesa's software
// renderer, measured from inside the running program by the probe preloaded into it
// (live_probe.c): ticks and frames per second, the time of one drawScene (buffer swap included)
// and of one tick, and the heap allocations made during ticks and frames.
//
//   papercrowd-measure-live [--seconds N] [--warm-up N] [--callers]
//     --seconds  length of the measured stretch (default: 10)
//     --warm-up  seconds run before it, past start-up and the driver's first frames (default: 3)
//     --callers  also tell the program's own allocations from the driver's (slows the frames down)

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "probe_reader.h"
#include "x_session.h"

static int usage(const char* program) {
  std::fprintf(stderr, "usage: %s [--seconds N] [--warm-up N] [--callers]\n", program);
  return 2;
}

// The figures between two readings of the probe, as one table.
static void printFigures(const ProbeReading& a, const ProbeReading& b, const std::string& renderer,
                         bool callers) {
  const double wall = b.seconds - a.seconds;
  const double ticks = double(b.ticks - a.ticks), frames = double(b.frames - a.frames);
  std::printf("renderer:               %s\n", renderer.c_str());
  std::printf("measured:               %.1f s, %.0f ticks, %.0f frames\n", wall, ticks, frames);
  std::printf("ticks per second:       %.0f\n", ticks / wall);
  std::printf("frames per second:      %.1f (one per %.2f ticks)\n", frames / wall, ticks / frames);
  std::printf("one tick:               %.3f ms (100 figure steps, mouse-look step)\n",
              1000 * (b.tickSeconds - a.tickSeconds) / ticks);
  std::printf("one drawScene:          %.2f ms (1344 textured quads and the buffer swap)\n",
              1000 * (b.frameSeconds - a.frameSeconds) / frames);
  std::printf("share of the time:      %.0f %% ticks, %.0f %% drawing\n",
              100 * (b.tickSeconds - a.tickSeconds) / wall,
              100 * (b.frameSeconds - a.frameSeconds) / wall);
  std::printf("allocations per tick:   %.2f\n",
              double(b.tickAllocations - a.tickAllocations) / ticks);
  std::printf(
      "allocations per frame:  %.1f (by anyone on the program thread: the GL driver included)\n",
      double(b.frameAllocations - a.frameAllocations) / frames);
  if (callers)
    std::printf(
        "the program's own:      %llu during ticks, %llu during frames\n",
        static_cast<unsigned long long>(b.programTickAllocations - a.programTickAllocations),
        static_cast<unsigned long long>(b.programFrameAllocations - a.programFrameAllocations));
}

int main(int argc, char** argv) {
  double seconds = 10, warmUp = 3;
  bool callers = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--callers") == 0)
      callers = true;
    else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
      seconds = std::atof(argv[++i]);
    else if (std::strcmp(argv[i], "--warm-up") == 0 && i + 1 < argc)
      warmUp = std::atof(argv[++i]);
    else
      return usage(argv[0]);
  }
  if (seconds <= 0 || warmUp < 0) return usage(argv[0]);

  XSession session;
  if (!startXSession(session)) {
    std::fprintf(stderr, "Xvfb did not start (bash scripts/install-deps.sh installs it)\n");
    return 1;
  }
  Probe probe;
  RunningProgram demo;
  ProbeReading first, last;
  bool ok =
      makeProbe(probe, PROBE_PATH) && launchProgram(demo, session, PAPERCROWD_PATH, PAPERCROWD_DIR,
                                                    {}, probeEnvironment(probe, callers));
  if (ok) {
    sleepMs(static_cast<int>(warmUp * 1000));
    ok = readProbe(first, demo, probe, 10000);
  }
  if (ok) {
    sleepMs(static_cast<int>(seconds * 1000));
    ok = readProbe(last, demo, probe, 10000);
  }
  const std::string renderer = probeNote(probe, "renderer");
  stopProgram(demo);
  stopXSession(session);
  removeProbe(probe);

  if (!ok || last.ticks <= first.ticks || last.frames <= first.frames) {
    std::fprintf(stderr, "the program made no progress\n");
    return 1;
  }
  printFigures(first, last, renderer, callers);
  return 0;
}
