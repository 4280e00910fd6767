#pragma once

// Reads the counters of the probe preloaded into a running program (live_probe.c): ticks, frames,
// time inside the callbacks and heap allocations, as of the moment it is asked.

#include <cstdint>
#include <string>
#include <vector>

#include "x_session.h"

struct ProbeReading {
  double seconds = 0;  // monotonic clock of the program
  std::uint64_t ticks = 0;
  std::uint64_t frames = 0;
  double tickSeconds = 0;              // spent inside the idle callback
  double frameSeconds = 0;             // spent inside the display callback, buffer swap included
  std::uint64_t tickAllocations = 0;   // on the program's thread during ticks, by anyone
  std::uint64_t frameAllocations = 0;  // on the program's thread during frames, by anyone
  std::uint64_t programTickAllocations = 0;   // of those, asked for by the program's own code
  std::uint64_t programFrameAllocations = 0;  // (only when callers are traced)
  std::uint64_t allAllocations = 0;           // every thread, since start
};

struct Probe {
  std::string library;     // the preload library
  std::string reportPath;  // where the program appends its readings
};

// A fresh, empty report file in /tmp for the given preload library.
bool makeProbe(Probe& probe, const std::string& library);

// The environment entries that load the probe into a program started with launchProgram;
// traceCallers attributes every allocation to its caller (slow).
std::vector<std::string> probeEnvironment(const Probe& probe, bool traceCallers);

// The first note "# name: text" in the report (the renderer, say), or "" when there is none yet.
std::string probeNote(const Probe& probe, const std::string& name);

// False when the program's allocations bypass the probe (an allocator linked into the program,
// as a sanitizer's is): the allocation counts are then meaningless. Valid once the program runs.
bool heapWatched(const Probe& probe);

// Asks the running program for a reading (SIGUSR1) and waits up to timeoutMs for it.
bool readProbe(ProbeReading& reading, RunningProgram& program, const Probe& probe, int timeoutMs);

// Reads until the program has done at least ticks more ticks and frames more frames than since,
// or timeoutMs has passed; true with the last reading in reading when it got there.
bool waitForProgress(ProbeReading& reading, RunningProgram& program, const Probe& probe,
                     const ProbeReading& since, std::uint64_t ticks, std::uint64_t frames,
                     int timeoutMs);

void removeProbe(Probe& probe);
