// Audio files through libsndfile: reading the input and choosing the output format.
#pragma once

#include <sndfile.h>

#include <string>

#include "FrameStream.h"
#include "RenderStatus.h"

namespace zelrender {

// Sample format asked for with --format; `keep` follows the input.
enum class SampleFormat { keep, pcm16, pcm24, float32 };

// An input file opened for reading.
class AudioReader : public FrameSource {
public:
  AudioReader() = default;
  ~AudioReader() override;
  AudioReader(const AudioReader&) = delete;
  AudioReader& operator=(const AudioReader&) = delete;

  // Opens `path`; fails with ExitCode::input when missing, unreadable or not mono or stereo.
  Status open(const std::string& path);

  // libsndfile format code of the file (container and subtype).
  int format() const { return info_.format; }

  int channels() const override { return info_.channels; }
  double sampleRate() const override { return info_.samplerate; }
  int64_t frames() const override { return info_.frames; }
  int64_t read(float* interleaved, int64_t count) override;
  int64_t read(double* interleaved, int64_t count) override;

private:
  SNDFILE* file_ = nullptr;
  SF_INFO info_{};
};

// The libsndfile container for a file name by its extension (.wav, .aif, .aiff, .flac); 0 if none.
int containerFromPath(const std::string& path);

// Picks the output format: container from the output name, samples as requested or as the
// input's (`inputFormat` 0 for none: 24-bit). Sets `note` when the input's samples cannot be
// kept in that container. Fails with ExitCode::usage for an unusable name or combination.
Status chooseOutputFormat(const std::string& path, int inputFormat, SampleFormat requested,
                          int& format, std::string& note);

// Short human description of a format, such as "24-bit WAV".
std::string describeFormat(int format);

// True for sample formats that clip at full scale (integer PCM).
bool isIntegerFormat(int format);

}  // namespace zelrender
