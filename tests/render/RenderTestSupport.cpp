#include "RenderTestSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

extern char** environ;

namespace zelrendertest {
namespace {

std::string slurp(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

ScratchDir::ScratchDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/zel-render-test-XXXXXX";
  char* made = mkdtemp(pattern.data());
  if (made == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = made;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> ScratchDir::entries() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

void writeBurstFile(const std::string& path, int channels, int sampleRate, int format,
                    double seconds) {
  SF_INFO info{};
  info.samplerate = sampleRate;
  info.channels = channels;
  info.format = format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  const long frames = std::lround(seconds * sampleRate);
  const long beat = sampleRate / 4;  // four hits a second
  std::vector<float> data(static_cast<size_t>(frames * channels));
  uint32_t noise = 12345;
  for (long i = 0; i < frames; ++i) {
    double t = static_cast<double>(i % beat) / sampleRate;
    bool accent = (i / beat) % 2 == 0;
    noise = noise * 1664525u + 1013904223u;
    double n = static_cast<double>(noise >> 8) / 8388608.0 - 1.0;
    double hit = (std::sin(2 * M_PI * 70.0 * t) * 0.8 + n * 0.2) * std::exp(-t / 0.05);
    double bed = 0.05 * std::sin(2 * M_PI * 220.0 * static_cast<double>(i) / sampleRate);
    double x = (accent ? 0.94 : 0.6) * hit + bed;
    for (int c = 0; c < channels; ++c) {
      data[static_cast<size_t>(i * channels + c)] = static_cast<float>(c == 1 ? 0.9 * x : x);
    }
  }
  EXPECT_EQ(sf_writef_float(file, data.data(), frames), frames);
  sf_close(file);
}

AudioData readAudio(const std::string& path) {
  AudioData audio;
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &audio.info);
  EXPECT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
  if (file == nullptr) return audio;
  audio.samples.resize(static_cast<size_t>(audio.info.frames * audio.info.channels));
  EXPECT_EQ(sf_readf_float(file, audio.samples.data(), audio.info.frames), audio.info.frames);
  sf_close(file);
  return audio;
}

double crestFactorDb(const AudioData& audio) {
  double peak = 0.0;
  double sum = 0.0;
  for (float s : audio.samples) {
    peak = std::max(peak, std::fabs(static_cast<double>(s)));
    sum += static_cast<double>(s) * s;
  }
  double rms = std::sqrt(sum / static_cast<double>(audio.samples.size()));
  return 20.0 * std::log10(peak / rms);
}

RunResult runRender(const std::vector<std::string>& args, const std::string& cwd) {
  ScratchDir capture;
  const std::string outPath = capture.file("stdout.txt");
  const std::string errPath = capture.file("stderr.txt");
  std::vector<std::string> all = {ZEL_RENDER_EXE};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
  RunResult result;
  pid_t pid = 0;
  int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  EXPECT_EQ(spawned, 0) << "cannot start " << argv[0];
  if (spawned != 0) return result;
  int status = 0;
  waitpid(pid, &status, 0);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = slurp(outPath);
  result.err = slurp(errPath);
  return result;
}

const char* pluginPath() { return ZEL_PLUGIN_PATH; }

}  // namespace zelrendertest
