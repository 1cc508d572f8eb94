// Writes an audio file so that a failure never leaves a partial file behind.
#pragma once

#include <sndfile.h>

#include <string>

#include "FrameStream.h"
#include "RenderStatus.h"

namespace zelrender {

// Writes to a temporary file in the target's directory and renames it over the target on
// commit(). Destroyed without commit() (or interrupted by a signal) it removes the temporary.
class SafeAudioWriter : public FrameSink {
public:
  SafeAudioWriter() = default;
  ~SafeAudioWriter() override;
  SafeAudioWriter(const SafeAudioWriter&) = delete;
  SafeAudioWriter& operator=(const SafeAudioWriter&) = delete;

  // Creates the temporary file; fails with ExitCode::output when the place is not writable.
  Status open(const std::string& path, int format, int channels, int sampleRate);

  bool write(const float* interleaved, int64_t count) override;
  bool write(const double* interleaved, int64_t count) override;

  // Finishes the file and moves it into place; fails with ExitCode::output.
  Status commit();

  // Removes the temporary file; the target is left as it was.
  void discard();

  const std::string& path() const { return path_; }

private:
  Status failure(const std::string& what, int error);

  SNDFILE* file_ = nullptr;
  int fd_ = -1;
  int slot_ = -1;
  std::string path_;
  std::string temporary_;
};

// Removes the temporary files of open writers when the process gets SIGINT, SIGTERM or SIGHUP.
void installInterruptCleanup();

}  // namespace zelrender
