#include "PrivateXServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "XCookieFile.h"

namespace zelhost {
namespace {

constexpr const char* kServerProgram = "Xvfb";
// Smallest screen made, so window managers' and toolkits' assumptions hold.
constexpr int kMinScreenWidth = 640, kMinScreenHeight = 480;
constexpr int kStopTimeoutMs = 3000;

// The first executable `name` in PATH (empty when there is none).
std::string findInPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  for (size_t start = 0; start <= dirs.size();) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string dir = dirs.substr(start, end - start);
    std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

std::optional<std::string> environmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

void restoreEnvironment(const char* name, const std::optional<std::string>& value) {
  if (value)
    setenv(name, value->c_str(), 1);
  else
    unsetenv(name);
}

std::string temporaryDirectory() {
  const char* dir = std::getenv("TMPDIR");
  return dir != nullptr && *dir == '/' ? dir : "/tmp";
}

}  // namespace

bool PrivateXServer::start(int width, int height, std::string& error) {
  stop();
  const std::string program = findInPath(kServerProgram);
  if (program.empty()) {
    error = "Xvfb is not installed (Debian package xvfb)";
    return false;
  }
  std::string dir = temporaryDirectory() + "/zel-host-XXXXXX";
  if (mkdtemp(dir.data()) == nullptr) {
    error = "cannot make a folder for the X cookie: " + std::string(std::strerror(errno));
    return false;
  }
  cookieDir_ = dir;
  cookieFile_ = dir + "/Xauthority";
  if (!writeCookieFile(cookieFile_, error) || !launch(program, width, height, error)) {
    stop();
    return false;
  }
  savedDisplay_ = environmentValue("DISPLAY");
  savedAuthority_ = environmentValue("XAUTHORITY");
  setenv("DISPLAY", display_.c_str(), 1);
  setenv("XAUTHORITY", cookieFile_.c_str(), 1);
  environmentSet_ = true;
  return true;
}

bool PrivateXServer::launch(const std::string& program, int width, int height, std::string& error) {
  // Everything the child needs is made before fork: it only calls async-signal-safe functions.
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) {
    error = "cannot make a pipe: " + std::string(std::strerror(errno));
    return false;
  }
  const int readFd = pipeFds[0];
  // Above the standard descriptors, which the child points at /dev/null.
  const int writeFd = fcntl(pipeFds[1], F_DUPFD_CLOEXEC, 3);
  close(pipeFds[1]);
  const int nullFd = open("/dev/null", O_RDWR | O_CLOEXEC);
  const std::string screen = std::to_string(std::max(width, kMinScreenWidth)) + "x" +
                             std::to_string(std::max(height, kMinScreenHeight)) + "x24";
  const std::string fdText = std::to_string(writeFd);
  std::vector<std::string> args = {program, "-displayfd", fdText,      "-screen",   "0",
                                   screen,  "-auth",      cookieFile_, "-nolisten", "tcp"};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const pid_t parent = getpid();

  const pid_t pid = (writeFd >= 0 && nullFd >= 0) ? fork() : -1;
  if (pid == 0) {
    // The server ends (and cleans up its socket and lock) when zel-host dies.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(126);
    dup2(nullFd, STDIN_FILENO);
    dup2(nullFd, STDOUT_FILENO);
    dup2(nullFd, STDERR_FILENO);
    fcntl(writeFd, F_SETFD, 0);  // the server writes its display number here
    execv(argv[0], argv.data());
    _exit(127);
  }
  const int forkErrno = errno;
  if (writeFd >= 0) close(writeFd);
  if (nullFd >= 0) close(nullFd);
  if (pid < 0) {
    close(readFd);
    error = "cannot start Xvfb: " + std::string(std::strerror(forkErrno));
    return false;
  }
  pid_ = pid;
  const bool ready = awaitDisplayNumber(readFd, error);
  close(readFd);
  return ready;
}

bool PrivateXServer::awaitDisplayNumber(int fd, std::string& error) {
  std::string text;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
  while (text.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        until - std::chrono::steady_clock::now());
    pollfd waitFor{fd, POLLIN, 0};
    const int polled = left.count() > 0 ? poll(&waitFor, 1, static_cast<int>(left.count())) : 0;
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) {
      error = "Xvfb did not get ready within " + std::to_string(kStartTimeoutMs / 1000) + " s";
      return false;
    }
    char buffer[32];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0 || text.size() > 16) {
      int status = 0;
      const bool ended = waitpid(pid_, &status, 0) == pid_;
      if (ended) pid_ = -1;
      error = ended && WIFEXITED(status)
                  ? "Xvfb ended with exit code " + std::to_string(WEXITSTATUS(status))
                  : std::string("Xvfb ended without naming its display");
      return false;
    }
    text.append(buffer, static_cast<size_t>(got));
  }
  const std::string number = text.substr(0, text.find('\n'));
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
    error = "Xvfb named no usable display (\"" + number + "\")";
    return false;
  }
  display_ = ":" + number;
  return true;
}

void PrivateXServer::stop() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    reap();
  }
  removeCookie();
  if (environmentSet_) {
    restoreEnvironment("DISPLAY", savedDisplay_);
    restoreEnvironment("XAUTHORITY", savedAuthority_);
    environmentSet_ = false;
  }
  display_.clear();
}

void PrivateXServer::reap() {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStopTimeoutMs);
  while (std::chrono::steady_clock::now() < until) {
    const pid_t done = waitpid(pid_, nullptr, WNOHANG);
    if (done == pid_ || (done < 0 && errno != EINTR)) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

void PrivateXServer::removeCookie() {
  if (!cookieFile_.empty()) unlink(cookieFile_.c_str());
  if (!cookieDir_.empty()) rmdir(cookieDir_.c_str());
  cookieFile_.clear();
  cookieDir_.clear();
}

}  // namespace zelhost
