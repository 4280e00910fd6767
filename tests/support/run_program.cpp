#include "run_program.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

ProgramRun runProgram(const std::string& program, const std::string& arguments) {
  // ctest runs tests side by side: every process keeps its standard error in a file of its own.
  const char* tmp = std::getenv("TMPDIR");
  const std::string errFile = std::string(tmp && *tmp ? tmp : "/tmp") + "/papercrowd_stderr_" +
                              std::to_string(getpid()) + ".txt";
  const std::string command = program + " " + arguments + " 2>" + errFile;
  ProgramRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[65536];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  if (FILE* err = fopen(errFile.c_str(), "r")) {
    while ((n = fread(buffer, 1, sizeof buffer, err)) > 0) run.err.append(buffer, n);
    fclose(err);
  }
  std::remove(errFile.c_str());
  return run;
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}
