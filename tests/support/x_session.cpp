#include "x_session.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

long long nowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Child side of a fork: stdin from /dev/null, stderr (and stdout unless given) discarded.
static void quietChild(int stdoutFd) {
  int null = open("/dev/null", O_RDWR);
  if (null >= 0) {
    dup2(null, 0);
    dup2(stdoutFd >= 0 ? stdoutFd : null, 1);
    dup2(null, 2);
  }
}

static void recordStatus(RunningProgram& program, int status) {
  if (WIFEXITED(status))
    program.exitStatus = WEXITSTATUS(status);
  else if (WIFSIGNALED(status))
    program.exitStatus = 128 + WTERMSIG(status);
  program.pid = -1;
}

bool startXSession(XSession& session, int width, int height) {
  int fds[2];
  if (pipe(fds) != 0) return false;
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  const std::string fdText = std::to_string(fds[1]);
  pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    close(fds[0]);
    quietChild(-1);
    execlp("Xvfb", "Xvfb", "-displayfd", fdText.c_str(), "-screen", "0", screen.c_str(),
           "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  session.serverPid = pid;

  // Xvfb writes its display number and a newline once it accepts clients.
  std::string number;
  const long long deadline = nowMs() + 15000;
  while (nowMs() < deadline) {
    pollfd p = {fds[0], POLLIN, 0};
    if (poll(&p, 1, 200) <= 0) continue;
    char c;
    if (read(fds[0], &c, 1) != 1) break;
    if (c == '\n') break;
    number += c;
  }
  close(fds[0]);
  if (number.empty()) {
    stopXSession(session);
    return false;
  }
  session.displayNumber = std::atoi(number.c_str());
  session.display = XOpenDisplay(displayName(session).c_str());
  if (!session.display) {
    stopXSession(session);
    return false;
  }
  return true;
}

void stopXSession(XSession& session) {
  if (session.display) XCloseDisplay(session.display);
  session.display = nullptr;
  if (session.serverPid > 0) {
    kill(session.serverPid, SIGTERM);
    waitpid(session.serverPid, nullptr, 0);
  }
  session.serverPid = -1;
}

std::string displayName(const XSession& session) {
  return ":" + std::to_string(session.displayNumber);
}

bool launchProgram(RunningProgram& program, const XSession& session, const std::string& path,
                   const std::string& workDir, const std::vector<std::string>& args,
                   const std::vector<std::string>& environment) {
  int fds[2];
  if (pipe(fds) != 0) return false;
  const std::string display = displayName(session);
  pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    close(fds[0]);
    quietChild(fds[1]);
    close(fds[1]);
    if (chdir(workDir.c_str()) != 0) _exit(127);
    setenv("DISPLAY", display.c_str(), 1);
    for (const std::string& entry : environment) {
      const std::size_t equals = entry.find('=');
      if (equals != std::string::npos)
        setenv(entry.substr(0, equals).c_str(), entry.c_str() + equals + 1, 1);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
  }
  close(fds[1]);
  fcntl(fds[0], F_SETFL, O_NONBLOCK);
  program = RunningProgram{};
  program.pid = pid;
  program.stdoutFd = fds[0];
  return true;
}

void readOutput(RunningProgram& program, int waitMs) {
  if (program.stdoutFd < 0) return;
  const long long deadline = nowMs() + waitMs;
  for (;;) {
    char buffer[256];
    ssize_t n = read(program.stdoutFd, buffer, sizeof buffer);
    if (n > 0) {
      program.output.append(buffer, static_cast<std::size_t>(n));
      continue;
    }
    if (n == 0) {  // writer closed: the program has ended
      close(program.stdoutFd);
      program.stdoutFd = -1;
      return;
    }
    const long long left = deadline - nowMs();
    if (left <= 0) return;
    pollfd p = {program.stdoutFd, POLLIN, 0};
    poll(&p, 1, static_cast<int>(left));
  }
}

bool isRunning(RunningProgram& program) {
  if (program.pid <= 0) return false;
  int status = 0;
  if (waitpid(program.pid, &status, WNOHANG) == program.pid) {
    recordStatus(program, status);
    return false;
  }
  return true;
}

bool waitForExit(RunningProgram& program, int timeoutMs) {
  const long long deadline = nowMs() + timeoutMs;
  while (isRunning(program)) {
    if (nowMs() >= deadline) return false;
    sleepMs(20);
  }
  readOutput(program, 0);
  return true;
}

void stopProgram(RunningProgram& program) {
  if (isRunning(program)) {
    kill(program.pid, SIGTERM);
    if (!waitForExit(program, 1000)) {
      kill(program.pid, SIGKILL);
      waitForExit(program, 5000);
    }
  }
  readOutput(program, 0);
  if (program.stdoutFd >= 0) close(program.stdoutFd);
  program.stdoutFd = -1;
}

// A viewable child of the root window whose name is title.
static Window findWindow(Display* display, const std::string& title) {
  Window root = DefaultRootWindow(display), parent = 0, found = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, root, &root, &parent, &children, &count)) return 0;
  for (unsigned i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    XWindowAttributes attributes;
    if (XFetchName(display, children[i], &name) && name) {
      if (title == name && XGetWindowAttributes(display, children[i], &attributes) &&
          attributes.map_state == IsViewable)
        found = children[i];
      XFree(name);
    }
  }
  if (children) XFree(children);
  return found;
}

bool waitForWindow(RunningProgram& program, const XSession& session, const std::string& title,
                   int timeoutMs) {
  const long long deadline = nowMs() + timeoutMs;
  while (nowMs() < deadline) {
    Window window = findWindow(session.display, title);
    if (window) {
      program.window = window;
      XSetInputFocus(session.display, window, RevertToPointerRoot, CurrentTime);
      XSync(session.display, False);
      return true;
    }
    if (!isRunning(program)) return false;
    sleepMs(50);
  }
  return false;
}

bool closeWindow(const XSession& session, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(session.display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] =
      static_cast<long>(XInternAtom(session.display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(session.display, window, False, NoEventMask, &event);
  XSync(session.display, False);
  return sent != 0;
}

bool windowOrigin(const XSession& session, Window window, int& x, int& y) {
  Window child = 0;
  return XTranslateCoordinates(session.display, window, DefaultRootWindow(session.display), 0, 0,
                               &x, &y, &child);
}

// Bit position and width of a visual's colour mask.
static void maskShift(unsigned long mask, int& shift, int& bits) {
  shift = 0;
  bits = 0;
  while (mask && !(mask & 1)) mask >>= 1, ++shift;
  while (mask & 1) mask >>= 1, ++bits;
}

static std::uint8_t channel(unsigned long pixel, unsigned long mask) {
  int shift, bits;
  maskShift(mask, shift, bits);
  if (bits == 0) return 0;
  const unsigned long value = (pixel & mask) >> shift;
  return static_cast<std::uint8_t>(value * 255 / ((1ul << bits) - 1));
}

bool grabWindow(Screenshot& shot, const XSession& session, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(session.display, window, &attributes)) return false;
  XImage* image = XGetImage(session.display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (!image) return false;
  shot.width = attributes.width;
  shot.height = attributes.height;
  shot.rgb.resize(static_cast<std::size_t>(shot.width) * shot.height * 3);
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      std::uint8_t* out = &shot.rgb[(static_cast<std::size_t>(y) * shot.width + x) * 3];
      out[0] = channel(pixel, image->red_mask);
      out[1] = channel(pixel, image->green_mask);
      out[2] = channel(pixel, image->blue_mask);
    }
  }
  XDestroyImage(image);
  return true;
}

static bool cornersWhite(const Screenshot& shot) {
  if (shot.width < 2 || shot.height < 2) return false;
  const int xs[2] = {0, shot.width - 1}, ys[2] = {0, shot.height - 1};
  for (int x : xs)
    for (int y : ys)
      for (int c = 0; c < 3; ++c)
        if (shot.at(x, y)[c] < 250) return false;
  return true;
}

bool waitForFrame(Screenshot& shot, RunningProgram& program, const XSession& session,
                  int timeoutMs) {
  const long long deadline = nowMs() + timeoutMs;
  while (nowMs() < deadline && isRunning(program)) {
    if (grabWindow(shot, session, program.window) && cornersWhite(shot)) return true;
    sleepMs(50);
  }
  return false;
}

bool writePpm(const Screenshot& shot, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  std::fprintf(file, "P6\n%d %d\n255\n", shot.width, shot.height);
  const bool ok = std::fwrite(shot.rgb.data(), 1, shot.rgb.size(), file) == shot.rgb.size();
  return std::fclose(file) == 0 && ok;
}

void holdKey(const XSession& session, KeySym key, bool down) {
  XTestFakeKeyEvent(session.display, XKeysymToKeycode(session.display, key), down ? True : False,
                    CurrentTime);
  XSync(session.display, False);
}

void pressKey(const XSession& session, KeySym key) {
  holdKey(session, key, true);
  holdKey(session, key, false);
}

void movePointer(const XSession& session, int x, int y) {
  XTestFakeMotionEvent(session.display, -1, x, y, CurrentTime);
  XSync(session.display, False);
}

void clickButton(const XSession& session, unsigned button) {
  XTestFakeButtonEvent(session.display, button, True, CurrentTime);
  XTestFakeButtonEvent(session.display, button, False, CurrentTime);
  XSync(session.display, False);
}

void pointerPosition(const XSession& session, int& x, int& y) {
  Window root = 0, child = 0;
  int windowX = 0, windowY = 0;
  unsigned mask = 0;
  XQueryPointer(session.display, DefaultRootWindow(session.display), &root, &child, &x, &y,
                &windowX, &windowY, &mask);
}

bool waitForPointer(const XSession& session, int x, int y, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += 20) {
    int px = -1, py = -1;
    pointerPosition(session, px, py);
    if (px == x && py == y) return true;
    sleepMs(20);
  }
  return false;
}
