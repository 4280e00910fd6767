#pragma once

// End-to-end harness: an X server of the test's own (Xvfb on a free display, 24-bit screen), the
// real program started in it with its standard output captured, its window found and read back,
// and real key and pointer events sent through XTest.
//
// Typical use:
//   XSession session;
//   ASSERT_TRUE(startXSession(session));
//   RunningProgram program;
//   ASSERT_TRUE(launchProgram(program, session, PAPERCROWD_PATH, PAPERCROWD_DIR));
//   ASSERT_TRUE(waitForWindow(program, session, PAPERCROWD_PATH, 10000));
//   Screenshot shot;
//   ASSERT_TRUE(waitForFrame(shot, program, session, 10000));
//   pressKey(session, XK_Up);
//   ...
//   stopProgram(program);
//   stopXSession(session);
// Every call is synchronous and bounded by its timeout; nothing here throws.

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

struct XSession {
  pid_t serverPid = -1;
  int displayNumber = -1;
  Display* display = nullptr;  // the harness's own connection to the server
};

// Starts Xvfb with -displayfd on a free display and connects to it. Screen: width x height x 24.
bool startXSession(XSession& session, int width = 1024, int height = 768);

// Closes the connection and ends the server.
void stopXSession(XSession& session);

// The display name for clients of this session, ":N".
std::string displayName(const XSession& session);

struct RunningProgram {
  pid_t pid = -1;
  int stdoutFd = -1;    // read end of the pipe on the program's standard output
  std::string output;   // everything read from it so far
  Window window = 0;    // its top-level window, once found
  int exitStatus = -1;  // exit code, 128 + signal when killed by one, -1 while running
};

// Starts path in workDir with DISPLAY set to the session; argv[0] is path itself, then args.
// environment adds "NAME=value" entries to the program's environment.
// Standard output goes into a pipe (see readOutput); standard error is discarded.
bool launchProgram(RunningProgram& program, const XSession& session, const std::string& path,
                   const std::string& workDir, const std::vector<std::string>& args = {},
                   const std::vector<std::string>& environment = {});

// Appends to program.output whatever the program wrote, waiting up to waitMs for more.
void readOutput(RunningProgram& program, int waitMs);

// True while the program has not exited; records exitStatus once it has.
bool isRunning(RunningProgram& program);

// Waits up to timeoutMs for the program to end by itself; true if it did (exitStatus set).
bool waitForExit(RunningProgram& program, int timeoutMs);

// Ends the program (SIGTERM, then SIGKILL after a second), collects the rest of its output and
// its exit status. Safe to call twice.
void stopProgram(RunningProgram& program);

// Waits for a viewable top-level window with the given title, stores it in program.window, and
// gives it the keyboard focus so that key events reach it wherever the pointer is.
bool waitForWindow(RunningProgram& program, const XSession& session, const std::string& title,
                   int timeoutMs);

// Asks the window to close as a window manager's close button does (WM_DELETE_WINDOW).
bool closeWindow(const XSession& session, Window window);

// Where the window's top-left pixel lies on the screen.
bool windowOrigin(const XSession& session, Window window, int& x, int& y);

// The window's pixels as read back from the server, RGB, rows from the top.
struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  const std::uint8_t* at(int x, int y) const {
    return &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
  }
};

bool grabWindow(Screenshot& shot, const XSession& session, Window window);

// Grabs the window until its four corners are the cleared white background, i.e. a frame has been
// drawn and swapped; true with that frame in shot, false after timeoutMs.
bool waitForFrame(Screenshot& shot, RunningProgram& program, const XSession& session,
                  int timeoutMs);

// Writes a binary PPM, to look at a failing run.
bool writePpm(const Screenshot& shot, const std::string& path);

// Real input through XTest. Keys go to the focused window (see waitForWindow).
void pressKey(const XSession& session, KeySym key);            // press and release
void holdKey(const XSession& session, KeySym key, bool down);  // press or release only
void movePointer(const XSession& session, int x, int y);       // screen coordinates
void clickButton(const XSession& session, unsigned button);
void pointerPosition(const XSession& session, int& x, int& y);  // screen coordinates
// Waits up to timeoutMs for the pointer to stand at (x, y) on the screen.
bool waitForPointer(const XSession& session, int x, int y, int timeoutMs);

// Sleeps for the given number of milliseconds.
void sleepMs(int ms);

// Milliseconds on a monotonic clock, for deadlines.
long long nowMs();
