// Runs a program of the build as a child process and collects its exit code and output.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace e2e {

class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts program with args; stdout and stderr go to one temporary file. Without DISPLAY
  // when withDisplay is false. False when it cannot be started.
  bool start(const std::string& program, const std::vector<std::string>& args,
             bool withDisplay = true);
  // Waits for the end, at most timeoutMs (then kills it and returns false).
  bool wait(int timeoutMs);
  // Whether it is still running.
  bool running();

  // Exit code (-1 when killed by a signal or not ended), and what it printed.
  int exitCode() const { return exitCode_; }
  std::string output() const;

 private:
  pid_t pid_ = -1;
  int exitCode_ = -1;
  std::string outputPath_;
};

// Starts the program and waits for it (at most timeoutMs); returns the exit code, -1 when it
// did not end by itself. Its output goes to `output`.
int runToEnd(const std::string& program, const std::vector<std::string>& args, std::string& output,
             bool withDisplay = true, int timeoutMs = 20000);

}  // namespace e2e
