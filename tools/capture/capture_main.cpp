// papercrowd-capture: the real demo window under an Xvfb of its own, read back as PPM frames
// while real key presses (XTest) fly the camera and switch the drives.
//
//   papercrowd-capture --program PATH --out DIR [--keys "KEY*N ..."] [--seconds S] [--frames N]
//
// The program runs in its own folder (where its pictures are). With --frames 1 (the default) every
// key is pressed at once, the crowd runs S seconds (default 4) and one frame is written. With more
// frames, the frames are spread evenly over S seconds by the wall clock and one key of the list is
// pressed just before each frame, so the keys play out in the picture; "wait" presses nothing.
// Frames are written as DIR/frame0000.ppm, frame0001.ppm, ...
#include <X11/Xlib.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "x_session.h"

namespace {

struct CaptureOptions {
  std::string program;
  std::string out;
  std::string keys;
  double seconds = 4.0;
  long frames = 1;
};

}  // namespace

// Fills options from argv; on a bad option or value writes one line to stderr and returns false.
static bool parseOptions(CaptureOptions& options, int argc, char** argv) {
  for (int i = 1; i < argc; i += 2) {
    const char* name = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    bool ok = value != nullptr && *value != '\0';
    char* end = nullptr;
    errno = 0;
    if (std::strcmp(name, "--program") == 0) {
      if (ok) options.program = value;
    } else if (std::strcmp(name, "--out") == 0) {
      if (ok) options.out = value;
    } else if (std::strcmp(name, "--keys") == 0) {
      ok = value != nullptr;
      if (ok) options.keys = value;
    } else if (std::strcmp(name, "--seconds") == 0) {
      if (ok) options.seconds = std::strtod(value, &end);
      ok = ok && errno == 0 && *end == '\0' && options.seconds >= 0.0 && options.seconds <= 600.0;
    } else if (std::strcmp(name, "--frames") == 0) {
      if (ok) options.frames = std::strtol(value, &end, 10);
      ok = ok && errno == 0 && *end == '\0' && options.frames >= 1 && options.frames <= 10000;
    } else {
      std::fprintf(stderr, "papercrowd-capture: unknown option '%s'\n", name);
      return false;
    }
    if (!ok) {
      std::fprintf(stderr, "papercrowd-capture: bad value '%s' for %s\n", value ? value : "", name);
      return false;
    }
  }
  if (options.program.empty() || options.out.empty()) {
    std::fprintf(stderr, "papercrowd-capture: --program and --out are required\n");
    return false;
  }
  return true;
}

// "Up*3 F8 wait*2" -> Up Up Up F8 wait wait; NoSymbol stands for a wait. False on an unknown name.
static bool expandKeys(std::vector<KeySym>& keys, const std::string& text) {
  std::istringstream in(text);
  for (std::string press; in >> press;) {
    const std::size_t star = press.find('*');
    const std::string name = press.substr(0, star);
    const long count = star == std::string::npos ? 1 : std::atol(press.c_str() + star + 1);
    const KeySym key = name == "wait" ? NoSymbol : XStringToKeysym(name.c_str());
    if (count < 1 || (key == NoSymbol && name != "wait")) {
      std::fprintf(stderr, "papercrowd-capture: bad key '%s' in --keys\n", press.c_str());
      return false;
    }
    keys.insert(keys.end(), static_cast<std::size_t>(count), key);
  }
  return true;
}

static bool writeFrame(const XSession& session, const RunningProgram& program,
                       const std::string& out, long index) {
  Screenshot shot;
  char name[32];
  std::snprintf(name, sizeof name, "/frame%04ld.ppm", index);
  return grabWindow(shot, session, program.window) && writePpm(shot, out + name);
}

int main(int argc, char** argv) {
  CaptureOptions options;
  std::vector<KeySym> keys;
  if (!parseOptions(options, argc, argv) || !expandKeys(keys, options.keys)) {
    return 2;
  }
  // The program runs in its own folder and is titled with the path it was started by.
  char* absolute = realpath(options.program.c_str(), nullptr);
  if (absolute == nullptr) {
    std::fprintf(stderr, "papercrowd-capture: no program at %s\n", options.program.c_str());
    return 1;
  }
  options.program = absolute;
  std::free(absolute);
  const std::string folder = options.program.substr(0, options.program.find_last_of('/'));

  XSession session;
  if (!startXSession(session)) {
    std::fprintf(stderr, "papercrowd-capture: cannot start Xvfb\n");
    return 1;
  }
  RunningProgram program;
  Screenshot first;
  if (!launchProgram(program, session, options.program, folder.empty() ? "/" : folder) ||
      !waitForWindow(program, session, options.program, 15000) ||
      !waitForFrame(first, program, session, 15000)) {
    std::fprintf(stderr, "papercrowd-capture: no window from %s\n", options.program.c_str());
    stopProgram(program);
    stopXSession(session);
    return 1;
  }

  bool written = true;
  if (options.frames == 1) {
    for (KeySym key : keys) {
      if (key != NoSymbol) pressKey(session, key);
    }
    sleepMs(static_cast<int>(options.seconds * 1000.0));
    written = writeFrame(session, program, options.out, 0);
  } else {
    // Frame i is due i * interval after the start, whatever the grabs cost.
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const double interval = options.seconds / static_cast<double>(options.frames - 1);
    for (long i = 0; i < options.frames && written; ++i) {
      std::this_thread::sleep_until(
          start + std::chrono::duration_cast<Clock::duration>(
                      std::chrono::duration<double>(interval * static_cast<double>(i))));
      if (i < static_cast<long>(keys.size()) && keys[i] != NoSymbol) pressKey(session, keys[i]);
      written = writeFrame(session, program, options.out, i);
    }
  }

  const bool running = isRunning(program);
  stopProgram(program);
  stopXSession(session);
  if (!written || !running) {
    std::fprintf(stderr, "papercrowd-capture: %s\n",
                 running ? "cannot write the frames" : "the program ended early");
    return 1;
  }
  return 0;
}
