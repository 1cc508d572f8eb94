#include "SafeAudioWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace zelrender {
namespace {

// Temporary paths that a signal handler may remove; a slot is live while its flag is set.
constexpr int kCleanupSlots = 4;
constexpr size_t kCleanupPathSize = 4096;
char gCleanupPaths[kCleanupSlots][kCleanupPathSize];
volatile sig_atomic_t gCleanupLive[kCleanupSlots];

int registerTemporary(const std::string& path) {
  if (path.size() >= kCleanupPathSize) return -1;
  for (int i = 0; i < kCleanupSlots; ++i) {
    if (!gCleanupLive[i]) {
      std::memcpy(gCleanupPaths[i], path.c_str(), path.size() + 1);
      gCleanupLive[i] = 1;
      return i;
    }
  }
  return -1;
}

void unregisterTemporary(int slot) {
  if (slot >= 0) gCleanupLive[slot] = 0;
}

extern "C" void removeTemporariesAndExit(int signal) {
  for (int i = 0; i < kCleanupSlots; ++i) {
    if (gCleanupLive[i]) unlink(gCleanupPaths[i]);
  }
  std::signal(signal, SIG_DFL);
  raise(signal);
}

std::string directoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t defaultFileMode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void installInterruptCleanup() {
  struct sigaction action {};
  action.sa_handler = removeTemporariesAndExit;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

SafeAudioWriter::~SafeAudioWriter() { discard(); }

Status SafeAudioWriter::failure(const std::string& what, int error) {
  std::string reason = error != 0 ? std::strerror(error) : "unknown error";
  discard();
  return Status::fail(ExitCode::output, what + " " + path_ + ": " + reason);
}

Status SafeAudioWriter::open(const std::string& path, int format, int channels, int sampleRate) {
  discard();
  path_ = path;
  struct stat st {};
  if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    return failure("cannot write output", EISDIR);
  }
  std::string pattern = directoryOf(path) + "/." + baseNameOf(path) + ".XXXXXX";
  fd_ = mkstemp(pattern.data());
  if (fd_ < 0) return failure("cannot write output", errno);
  temporary_ = pattern;
  slot_ = registerTemporary(temporary_);
  fchmod(fd_, defaultFileMode());

  SF_INFO info{};
  info.samplerate = sampleRate;
  info.channels = channels;
  info.format = format;
  file_ = sf_open_fd(fd_, SFM_WRITE, &info, SF_FALSE);
  if (file_ == nullptr) {
    std::string reason = sf_strerror(nullptr);
    discard();
    return Status::fail(ExitCode::output, "cannot write output " + path + ": " + reason);
  }
  // Out-of-range samples are clipped at full scale rather than wrapped around.
  sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  return {};
}

bool SafeAudioWriter::write(const float* interleaved, int64_t count) {
  return file_ != nullptr && sf_writef_float(file_, interleaved, count) == count;
}

bool SafeAudioWriter::write(const double* interleaved, int64_t count) {
  return file_ != nullptr && sf_writef_double(file_, interleaved, count) == count;
}

Status SafeAudioWriter::commit() {
  if (file_ == nullptr) return Status::fail(ExitCode::output, "output " + path_ + " is not open");
  // sf_close writes the final header; the descriptor stays ours so it can be synced.
  int closeError = sf_close(file_);
  file_ = nullptr;
  if (closeError != SF_ERR_NO_ERROR) return failure("cannot finish output", EIO);
  if (fsync(fd_) != 0) return failure("cannot finish output", errno);
  int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) return failure("cannot finish output", errno);
  if (rename(temporary_.c_str(), path_.c_str()) != 0) return failure("cannot write output", errno);
  unregisterTemporary(slot_);
  slot_ = -1;
  temporary_.clear();
  return {};
}

void SafeAudioWriter::discard() {
  if (file_ != nullptr) {
    sf_close(file_);
    file_ = nullptr;
  }
  if (fd_ >= 0) {
    close(fd_);
    fd_ = -1;
  }
  if (!temporary_.empty()) {
    unlink(temporary_.c_str());
    temporary_.clear();
  }
  unregisterTemporary(slot_);
  slot_ = -1;
}

}  // namespace zelrender
