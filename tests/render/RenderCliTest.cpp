// zel-render run as a user runs it, with the real plug-in.
#include <sys/stat.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <regex>
#include <set>

#include <gtest/gtest.h>

#include "RenderTestSupport.h"

using namespace zelrendertest;

namespace {

constexpr int kInputRate = 44100;
constexpr double kInputSeconds = 3.0;
constexpr int kWav24 = SF_FORMAT_WAV | SF_FORMAT_PCM_24;

class RenderCli : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    inputs_ = std::make_unique<ScratchDir>();
    writeBurstFile(stereoInput(), 2, kInputRate, kWav24, kInputSeconds);
    writeBurstFile(monoInput(), 1, kInputRate, kWav24, kInputSeconds);
    writeBurstFile(inputs_->file("three.wav"), 3, kInputRate, kWav24, 0.5);
  }
  static void TearDownTestSuite() { inputs_.reset(); }

  static std::string stereoInput() { return inputs_->file("stereo.wav"); }
  static std::string monoInput() { return inputs_->file("mono.wav"); }
  static std::string threeChannelInput() { return inputs_->file("three.wav"); }

  // Runs zel-render in the scratch folder with the test plug-in (a later --plugin wins).
  RunResult render(std::vector<std::string> args) {
    args.insert(args.begin(), {"--plugin", pluginPath()});
    return runRender(args, work_.path());
  }

  std::string out(const std::string& name) const { return work_.file(name); }

  static std::unique_ptr<ScratchDir> inputs_;
  ScratchDir work_;
};

std::unique_ptr<ScratchDir> RenderCli::inputs_;

double maxDifference(const AudioData& a, const AudioData& b) {
  EXPECT_EQ(a.samples.size(), b.samples.size());
  double worst = 0.0;
  for (size_t i = 0; i < std::min(a.samples.size(), b.samples.size()); ++i) {
    worst = std::max(worst, std::fabs(static_cast<double>(a.samples[i]) - b.samples[i]));
  }
  return worst;
}

// The "max X dB, average Y dB" figures of the summary.
bool gainReduction(const std::string& summary, double& maxDb, double& averageDb) {
  std::smatch m;
  static const std::regex pattern(R"(gain reduction\s+max ([0-9.]+) dB, average ([0-9.]+) dB)");
  if (!std::regex_search(summary, m, pattern)) return false;
  maxDb = std::stod(m[1]);
  averageDb = std::stod(m[2]);
  return true;
}

TEST_F(RenderCli, StereoFileKeepsShapeAndLosesCrest) {
  RunResult r = render({"--preset", "Fast Limit", stereoInput(), out("out.wav")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  AudioData in = readAudio(stereoInput());
  AudioData result = readAudio(out("out.wav"));
  EXPECT_EQ(result.info.frames, in.info.frames);
  EXPECT_EQ(result.info.samplerate, kInputRate);
  EXPECT_EQ(result.info.channels, 2);
  EXPECT_EQ(result.info.format, kWav24);
  EXPECT_LT(crestFactorDb(result), crestFactorDb(in) - 2.0);
  double maxDb = 0, averageDb = 0;
  ASSERT_TRUE(gainReduction(r.out, maxDb, averageDb)) << r.out;
  EXPECT_GT(maxDb, 3.0);
  EXPECT_NE(r.out.find("preset 10 \"Fast Limit\""), std::string::npos) << r.out;
}

// One input buffer puts the plug-in in its mono mode, which compresses only the left lane:
// both channels of the result must carry the compressed signal.
TEST_F(RenderCli, MonoInputComesOutCompressedOnBothChannels) {
  RunResult r = render(
      {"--preset", "Fast Limit", monoInput(), "-o", out("mono-out.wav"), "--format", "float"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  AudioData result = readAudio(out("mono-out.wav"));
  ASSERT_EQ(result.info.channels, 2);
  EXPECT_EQ(result.info.frames, static_cast<sf_count_t>(kInputRate * kInputSeconds));
  AudioData right = result;
  right.info.channels = 1;
  right.samples.clear();
  double worst = 0.0;
  for (long i = 0; i < result.info.frames; ++i) {
    worst = std::max(worst, std::fabs(static_cast<double>(result.at(i, 0)) - result.at(i, 1)));
    right.samples.push_back(result.at(i, 1));
  }
  EXPECT_EQ(worst, 0.0);
  EXPECT_LT(crestFactorDb(right), crestFactorDb(readAudio(monoInput())) - 2.0);
}

TEST_F(RenderCli, OutputFormatFollowsNameAndOption) {
  struct Case {
    const char* name;
    std::vector<std::string> extra;
    int format;
  };
  const Case cases[] = {
      {"a.aiff", {"--format", "16"}, SF_FORMAT_AIFF | SF_FORMAT_PCM_16},
      {"b.aif", {}, SF_FORMAT_AIFF | SF_FORMAT_PCM_24},
      {"c.flac", {}, SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
      {"d.WAV", {"--format=float"}, SF_FORMAT_WAV | SF_FORMAT_FLOAT},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.extra;
    args.insert(args.end(), {stereoInput(), out(c.name)});
    RunResult r = render(args);
    ASSERT_EQ(r.exitCode, 0) << c.name << ": " << r.err;
    AudioData result = readAudio(out(c.name));
    EXPECT_EQ(result.info.format & (SF_FORMAT_TYPEMASK | SF_FORMAT_SUBMASK), c.format) << c.name;
    EXPECT_EQ(result.info.frames, static_cast<sf_count_t>(kInputRate * kInputSeconds)) << c.name;
  }
}

TEST_F(RenderCli, DoublePrecisionAgreesWithSingle) {
  ASSERT_EQ(render({stereoInput(), out("single.wav"), "--format", "float"}).exitCode, 0);
  RunResult r = render({"--double", stereoInput(), out("double.wav"), "--format", "float"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("double precision"), std::string::npos);
  EXPECT_LT(maxDifference(readAudio(out("single.wav")), readAudio(out("double.wav"))), 1e-4);
}

TEST_F(RenderCli, BlockSizeChangesNeitherLengthNorSound) {
  ASSERT_EQ(render({stereoInput(), out("b512.wav"), "--format", "float"}).exitCode, 0);
  for (const char* block : {"1", "333", "8192"}) {
    std::string name = std::string("b") + block + ".wav";
    RunResult r = render({"--block", block, stereoInput(), out(name), "--format", "float"});
    ASSERT_EQ(r.exitCode, 0) << block << ": " << r.err;
    EXPECT_LT(maxDifference(readAudio(out("b512.wav")), readAudio(out(name))), 1e-5) << block;
  }
}

TEST_F(RenderCli, PresetByNameOrNumberIsTheSamePreset) {
  RunResult byName = render({"--preset", "smooth VOCAL", stereoInput(), out("name.wav")});
  ASSERT_EQ(byName.exitCode, 0) << byName.err;
  EXPECT_NE(byName.out.find("preset 3 \"Smooth Vocal\""), std::string::npos) << byName.out;
  ASSERT_EQ(render({"--preset", "3", stereoInput(), out("number.wav")}).exitCode, 0);
  ASSERT_EQ(render({stereoInput(), out("default.wav")}).exitCode, 0);
  EXPECT_EQ(maxDifference(readAudio(out("name.wav")), readAudio(out("number.wav"))), 0.0);
  EXPECT_GT(maxDifference(readAudio(out("name.wav")), readAudio(out("default.wav"))), 1e-3);
}

TEST_F(RenderCli, ParameterInUnitsNormalisedOrBareFractionAgree) {
  RunResult units = render({"--set", "Ratio=8:1", stereoInput(), out("units.wav")});
  ASSERT_EQ(units.exitCode, 0) << units.err;
  EXPECT_NE(units.out.find("Ratio = 8.0:1"), std::string::npos) << units.out;
  EXPECT_EQ(units.err.find("note"), std::string::npos) << units.err;

  ASSERT_EQ(render({"--set", "ratio=@0.75", stereoInput(), out("forced.wav")}).exitCode, 0);
  RunResult bare = render({"--set", "RATIO=0.75", stereoInput(), out("bare.wav")});
  ASSERT_EQ(bare.exitCode, 0) << bare.err;
  EXPECT_NE(bare.err.find("note:"), std::string::npos);
  EXPECT_NE(bare.err.find("normalised"), std::string::npos);

  AudioData reference = readAudio(out("units.wav"));
  EXPECT_EQ(maxDifference(reference, readAudio(out("forced.wav"))), 0.0);
  EXPECT_EQ(maxDifference(reference, readAudio(out("bare.wav"))), 0.0);
}

TEST_F(RenderCli, DemoIsLoudCompressedAndRepeatable) {
  RunResult r = render({"--write-dry", "dry.wav"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // Without -o the demo lands in the current directory, and the summary says where.
  EXPECT_NE(r.out.find(out("zel-demo.wav")), std::string::npos) << r.out;
  AudioData wet = readAudio(out("zel-demo.wav"));
  EXPECT_EQ(wet.info.samplerate, 48000);
  EXPECT_EQ(wet.info.channels, 2);
  EXPECT_EQ(wet.info.frames, 8 * 48000);

  AudioData dry = readAudio(out("dry.wav"));
  double peak = 0.0;
  for (float s : dry.samples) peak = std::max(peak, std::fabs(static_cast<double>(s)));
  EXPECT_NEAR(20.0 * std::log10(peak), -1.0, 0.05);

  // Several dB of real reduction, and not the meter's rise from zero after resume.
  double maxDb = 0, averageDb = 0;
  ASSERT_TRUE(gainReduction(r.out, maxDb, averageDb)) << r.out;
  EXPECT_GT(maxDb, 3.0);
  EXPECT_LT(maxDb, 20.0);
  EXPECT_GT(averageDb, 1.0);

  ASSERT_EQ(render({"-o", "again.wav"}).exitCode, 0);
  EXPECT_EQ(maxDifference(wet, readAudio(out("again.wav"))), 0.0);
}

TEST_F(RenderCli, BenchReportsBothPrecisionsAndWritesNothing) {
  RunResult r = render({"--bench", "1"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("single precision"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("double precision"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("ns per stereo frame"), std::string::npos) << r.out;
  EXPECT_TRUE(work_.entries().empty());
}

TEST_F(RenderCli, FailuresReportOneLineAndLeaveNoFileBehind) {
  // A file that is not a shared library, and a directory where the output should go.
  { std::ofstream(out("fake.so")) << "not a plug-in\n"; }
  ASSERT_EQ(mkdir(out("taken.wav").c_str(), 0755), 0);
  const std::set<std::string> before = {"fake.so", "taken.wav"};

  struct Case {
    std::vector<std::string> args;
    int exitCode;
  };
  const std::string in = stereoInput();
  const std::string target = out("out.wav");
  const Case cases[] = {
      {{out("missing.wav"), target}, 3},
      {{threeChannelInput(), target}, 3},
      {{in, out("no/such/dir/out.wav")}, 4},
      {{in, out("taken.wav")}, 4},
      {{"--preset", "No Such Preset", in, target}, 5},
      {{"--preset", "48", in, target}, 5},
      {{"--preset", "-1", in, target}, 5},
      {{"--set", "Loudness=3", in, target}, 5},
      {{"--set", "Threshold=20", in, target}, 5},
      {{"--set", "Ratio=17:1", in, target}, 5},
      {{"--set", "Attack=@1.5", in, target}, 5},
      {{"--set", "Makeup=nan", in, target}, 5},
      {{"--set", "-=0.5", in, target}, 5},
      {{"--plugin", out("fake.so"), in, target}, 6},
      {{"--plugin", out("absent.so"), in, target}, 6},
      {{"--plugin", ZEL_NOENTRY_PLUGIN, in, target}, 6},
      {{"--plugin", ZEL_NULLEFFECT_PLUGIN, in, target}, 6},
      {{"--block", "0", in, target}, 2},
      {{"--block", "8193", in, target}, 2},
      {{"--frobnicate", in, target}, 2},
      {{"--set", "Ratio", in, target}, 2},
      {{"--write-dry", out("dry.wav"), in, target}, 2},
      {{"--format", "float", in, out("out.flac")}, 2},
      {{in, out("out.mp3")}, 2},
      {{in, target, "-o", out("other.wav")}, 2},
  };
  for (const Case& c : cases) {
    std::string shown;
    for (const std::string& a : c.args) shown += a + " ";
    RunResult r = render(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << shown << "\n" << r.err;
    EXPECT_EQ(r.err.rfind("zel-render: error: ", 0), 0u) << shown << "\n" << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << shown << "\n" << r.err;
    auto names = work_.entries();
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), before) << shown;
  }
}

TEST_F(RenderCli, ListShowsEachParameterAsSetAndWhatItTakes) {
  RunResult r = render({"--list", "--set", "Threshold=-18 dB", "--set", "Channel=LR"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char* line : {"  Threshold  -18.0    (@0.375)  -36 to 12 dB\n",
                           "  Channel    OO       (@0.5)    L/LR/R\n",
                           "  Ratio      4.0:1    (@0.5)    1:1 to 16:1\n"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
  }
  EXPECT_EQ(r.out.find("  -  "), std::string::npos) << "placeholders are not listed";
}

TEST_F(RenderCli, HelpListsTheExitCodes) {
  RunResult r = render({"--help"});
  ASSERT_EQ(r.exitCode, 0);
  for (const char* code : {"  2  ", "  3  ", "  4  ", "  5  ", "  6  ", "  7  "}) {
    EXPECT_NE(r.out.find(code), std::string::npos) << code;
  }
}

}  // namespace
