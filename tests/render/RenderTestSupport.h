// Shared helpers of the zel-render tests: scratch folders, test audio, running the tool.
#pragma once

#include <sndfile.h>

#include <string>
#include <vector>

namespace zelrendertest {

// A fresh directory under $TMPDIR (or /tmp), removed with everything in it.
class ScratchDir {
public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  // Names of the entries in the directory, hidden ones included.
  std::vector<std::string> entries() const;

private:
  std::string path_;
};

// A whole audio file in memory.
struct AudioData {
  SF_INFO info{};
  std::vector<float> samples;  // interleaved
  float at(long frame, int channel) const {
    return samples[static_cast<size_t>(frame * info.channels + channel)];
  }
};

// Writes a loud drum-like pattern: decaying noise-and-tone bursts over a quiet bed, peaking
// near -0.5 dBFS. `channels` 1 or more; the same arguments give the same file.
void writeBurstFile(const std::string& path, int channels, int sampleRate, int format,
                    double seconds);

// Reads a file completely; fails the calling test when it cannot.
AudioData readAudio(const std::string& path);

// Peak over RMS of all samples, in dB.
double crestFactorDb(const AudioData& audio);

struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs the zel-render executable with `args` in directory `cwd` and collects its output.
RunResult runRender(const std::vector<std::string>& args, const std::string& cwd);

// Path of the plug-in built with the tests.
const char* pluginPath();

}  // namespace zelrendertest
