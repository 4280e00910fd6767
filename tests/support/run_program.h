#pragma once

// Runs one of the project's command-line tools to completion and keeps what it said.

#include <string>
#include <vector>

struct ProgramRun {
  int status = -1;  // exit status; -1 when it did not exit normally
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs "program arguments" through the shell (arguments are split by it) and waits for it.
ProgramRun runProgram(const std::string& program, const std::string& arguments);

// The text split at line ends, without them.
std::vector<std::string> splitLines(const std::string& text);
