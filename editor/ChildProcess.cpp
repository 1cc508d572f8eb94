#include "ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace {

bool startsWith(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// The host's environment without the variables that would load the host's libraries
// into the helper program.
std::vector<char*> cleanEnvironment() {
  std::vector<char*> env;
  for (char** e = environ; e && *e; ++e) {
    if (startsWith(*e, "LD_PRELOAD=") || startsWith(*e, "LD_LIBRARY_PATH=")) continue;
    env.push_back(*e);
  }
  env.push_back(nullptr);
  return env;
}

void sleepMs(int ms) {
  timespec pause{ms / 1000, (ms % 1000) * 1000000L};
  nanosleep(&pause, nullptr);
}

}  // namespace

std::string findProgramOnPath(const char* name) {
  if (!name || !*name) return {};
  if (std::strchr(name, '/')) return access(name, X_OK) == 0 ? std::string(name) : std::string();
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t begin = 0;
  while (begin <= dirs.size()) {
    size_t end = dirs.find(':', begin);
    if (end == std::string::npos) end = dirs.size();
    // An empty entry means the current folder.
    std::string candidate(end > begin ? dirs.data() + begin : ".", end > begin ? end - begin : 1);
    candidate.append("/").append(name);
    struct stat info {};
    if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    begin = end + 1;
  }
  return {};
}

ChildProcess::~ChildProcess() { end(); }

bool ChildProcess::start(const std::vector<std::string>& argv) {
  end();
  finished = false;
  status = -1;
  out.clear();
  if (argv.empty()) return false;
  const std::string program = findProgramOnPath(argv[0].c_str());
  if (program.empty()) return false;

  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::vector<char*> env = cleanEnvironment();
  pid_t child = -1;
  const int rc = posix_spawn(&child, program.c_str(), &actions, nullptr, args.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    close(fds[0]);
    return false;
  }
  pid = child;
  pipeFd = fds[0];
  fcntl(pipeFd, F_SETFL, fcntl(pipeFd, F_GETFL) | O_NONBLOCK);
  return true;
}

void ChildProcess::drain() {
  if (pipeFd < 0) return;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(pipeFd, buffer, sizeof buffer);
    if (n > 0) {
      const size_t room = kMaxOutput - std::min(kMaxOutput, out.size());
      out.append(buffer, std::min(room, static_cast<size_t>(n)));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) closePipe();  // the child closed its end
    return;
  }
}

void ChildProcess::closePipe() {
  if (pipeFd >= 0) close(pipeFd);
  pipeFd = -1;
}

bool ChildProcess::poll() {
  if (pid <= 0) return finished;
  drain();
  int raw = 0;
  const pid_t r = waitpid(pid, &raw, WNOHANG);
  if (r == pid || (r < 0 && errno == ECHILD)) {
    drain();
    closePipe();
    status = (r == pid && WIFEXITED(raw)) ? WEXITSTATUS(raw) : -1;
    finished = true;
    pid = -1;
  }
  return finished;
}

bool ChildProcess::waitFor(int timeoutMs) {
  for (int waited = 0; !poll(); waited += 5) {
    if (waited >= timeoutMs) return false;
    sleepMs(5);
  }
  return true;
}

void ChildProcess::end() {
  if (pid > 0 && !poll()) {
    kill(pid, SIGTERM);
    if (!waitFor(200)) {
      kill(pid, SIGKILL);
      int raw = 0;
      waitpid(pid, &raw, 0);
      pid = -1;
      finished = true;
      status = -1;
    }
  }
  closePipe();
}
