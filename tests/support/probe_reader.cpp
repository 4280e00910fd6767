#include "probe_reader.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

bool makeProbe(Probe& probe, const std::string& library) {
  char path[] = "/tmp/papercrowd-probe-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return false;
  close(fd);
  probe.library = library;
  probe.reportPath = path;
  return true;
}

std::vector<std::string> probeEnvironment(const Probe& probe, bool traceCallers) {
  // Whatever the test itself runs with is preloaded too.
  const char* inherited = std::getenv("LD_PRELOAD");
  const std::string preload =
      inherited && *inherited ? std::string(inherited) + ":" + probe.library : probe.library;
  std::vector<std::string> environment = {"LD_PRELOAD=" + preload,
                                          "PAPERCROWD_PROBE_OUT=" + probe.reportPath};
  if (traceCallers) environment.push_back("PAPERCROWD_PROBE_CALLERS=1");
  return environment;
}

// The readings written so far, oldest first; lines starting with '#' are notes.
static std::vector<ProbeReading> readingsInFile(const std::string& path) {
  std::vector<ProbeReading> readings;
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    ProbeReading r;
    if (fields >> r.seconds >> r.ticks >> r.frames >> r.tickSeconds >> r.frameSeconds >>
        r.tickAllocations >> r.frameAllocations >> r.programTickAllocations >>
        r.programFrameAllocations >> r.allAllocations)
      readings.push_back(r);
  }
  return readings;
}

std::string probeNote(const Probe& probe, const std::string& name) {
  const std::string prefix = "# " + name + ": ";
  std::ifstream file(probe.reportPath);
  std::string line;
  while (std::getline(file, line))
    if (line.compare(0, prefix.size(), prefix) == 0) return line.substr(prefix.size());
  return "";
}

bool heapWatched(const Probe& probe) { return probeNote(probe, "heap") != "not watched"; }

bool readProbe(ProbeReading& reading, RunningProgram& program, const Probe& probe, int timeoutMs) {
  const std::size_t before = readingsInFile(probe.reportPath).size();
  if (!isRunning(program) || kill(program.pid, SIGUSR1) != 0) return false;
  const long long deadline = nowMs() + timeoutMs;
  while (nowMs() < deadline) {
    const std::vector<ProbeReading> readings = readingsInFile(probe.reportPath);
    if (readings.size() > before) {
      reading = readings.back();
      return true;
    }
    if (!isRunning(program)) return false;
    sleepMs(20);
  }
  return false;
}

bool waitForProgress(ProbeReading& reading, RunningProgram& program, const Probe& probe,
                     const ProbeReading& since, std::uint64_t ticks, std::uint64_t frames,
                     int timeoutMs) {
  const long long deadline = nowMs() + timeoutMs;
  while (nowMs() < deadline) {
    if (!readProbe(reading, program, probe, static_cast<int>(std::max(deadline - nowMs(), 1LL))))
      return false;
    if (reading.ticks >= since.ticks + ticks && reading.frames >= since.frames + frames)
      return true;
    sleepMs(50);
  }
  return false;
}

void removeProbe(Probe& probe) {
  if (!probe.reportPath.empty()) std::remove(probe.reportPath.c_str());
  probe.reportPath.clear();
}
