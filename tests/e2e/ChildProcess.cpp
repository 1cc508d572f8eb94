#include "ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

extern char** environ;

namespace e2e {

ChildProcess::~ChildProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (!outputPath_.empty()) unlink(outputPath_.c_str());
}

bool ChildProcess::start(const std::string& program, const std::vector<std::string>& args,
                         bool withDisplay) {
  char pattern[] = "/tmp/zel-e2e-output-XXXXXX";
  int fd = mkstemp(pattern);
  if (fd < 0) return false;
  outputPath_ = pattern;

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (char** e = environ; *e != nullptr; ++e) {
    if (!withDisplay && std::strncmp(*e, "DISPLAY=", 8) == 0) continue;
    envp.push_back(*e);
  }
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, fd, STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, fd);
  int failed = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(fd);
  if (failed != 0) pid_ = -1;
  return failed == 0;
}

bool ChildProcess::running() {
  if (pid_ <= 0) return false;
  int status = 0;
  pid_t done = waitpid(pid_, &status, WNOHANG);
  if (done == 0) return true;
  exitCode_ = (done == pid_ && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
  pid_ = -1;
  return false;
}

bool ChildProcess::wait(int timeoutMs) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (running()) {
    if (std::chrono::steady_clock::now() >= until) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
      exitCode_ = -1;
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

std::string ChildProcess::output() const {
  std::ifstream in(outputPath_, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int runToEnd(const std::string& program, const std::vector<std::string>& args, std::string& output,
             bool withDisplay, int timeoutMs) {
  ChildProcess child;
  if (!child.start(program, args, withDisplay)) return -1;
  bool ended = child.wait(timeoutMs);
  output = child.output();
  return ended ? child.exitCode() : -1;
}

}  // namespace e2e
