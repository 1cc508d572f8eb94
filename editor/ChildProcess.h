// A helper program (file dialog, alert, document opener) run beside the host:
// started without a shell, watched without blocking, ended when no longer wanted.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class ChildProcess {
public:
  // Most bytes of standard output kept; the rest is read and dropped.
  static constexpr size_t kMaxOutput = 64 * 1024;

  ChildProcess() = default;
  // Ends a child that still runs and reaps it.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts argv[0] (looked up on PATH) with the remaining arguments, standard input from
  // /dev/null and standard error dropped. The child gets the host's environment without
  // LD_PRELOAD and LD_LIBRARY_PATH. False when nothing could be started.
  bool start(const std::vector<std::string>& argv);
  // Collects output and checks for the child's end without waiting; true once it has ended.
  bool poll();
  // Waits at most timeoutMs for the end (tests and short-lived programs); true when ended.
  bool waitFor(int timeoutMs);
  // Ends a running child (terminate, then kill) and reaps it.
  void end();

  bool running() const { return pid > 0 && !finished; }
  bool hasEnded() const { return finished; }
  // The exit status once ended normally; -1 after a signal or before the end.
  int exitStatus() const { return status; }
  // Standard output read so far (at most kMaxOutput bytes).
  const std::string& output() const { return out; }

private:
  void drain();
  void closePipe();

  pid_t pid = -1;
  int pipeFd = -1;
  bool finished = false;
  int status = -1;
  std::string out;
};

// The full path of a program found on PATH, or empty.
std::string findProgramOnPath(const char* name);
