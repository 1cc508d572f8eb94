// The renderer's plain parts: statistics, demo signal, command line and output naming.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "CommandLine.h"
#include "DemoSignal.h"
#include "RenderJob.h"
#include "SignalStats.h"

using namespace zelrender;

namespace {

TEST(SignalStats, LevelsAndGainReduction) {
  std::vector<double> sine(48000);
  for (size_t i = 0; i < sine.size(); ++i) sine[i] = std::sin(2 * M_PI * 1000.0 * i / 48000.0);
  const float loud[4] = {1.5f, -0.5f, std::numeric_limits<float>::quiet_NaN(), 0.0f};
  LevelMeter meter(2);
  meter.add(0, sine.data(), static_cast<int64_t>(sine.size()));
  meter.add(1, loud, 4);
  EXPECT_NEAR(amplitudeToDb(meter.rms(0)), -3.0103, 1e-3);
  EXPECT_NEAR(meter.peak(0), 1.0, 1e-9);
  EXPECT_EQ(meter.peak(), 1.5);
  EXPECT_EQ(meter.clippedSamples(), 1);
  EXPECT_EQ(meter.nonFiniteSamples(), 1);
  EXPECT_TRUE(std::isinf(amplitudeToDb(0.0)));

  EXPECT_NEAR(reductionDb(0.5), 6.0206, 1e-4);
  EXPECT_EQ(reductionDb(1.0), 0.0);
  EXPECT_EQ(reductionDb(1.2), 0.0);  // meter overshoot is no reduction
  EXPECT_EQ(reductionDb(std::nan("")), 0.0);
  EXPECT_NEAR(reductionDb(0.0), 120.0, 1e-9);
  GainReductionMeter gr;
  gr.add(0.5, 100);
  gr.add(1.0, 300);
  EXPECT_NEAR(gr.maximumDb(), 6.0206, 1e-4);
  EXPECT_NEAR(gr.averageDb(), 6.0206 / 4, 1e-4);  // weighted by block length
}

TEST(DemoSignal, LoudStereoAndRepeatable) {
  AudioBuffer a = makeDemoSignal();
  AudioBuffer b = makeDemoSignal();
  ASSERT_EQ(a.channels, 2);
  EXPECT_EQ(a.frames(), 8 * 48000);
  EXPECT_EQ(a.samples, b.samples);
  double peak = 0.0;
  double side = 0.0;
  double mid = 0.0;
  for (int64_t i = 0; i < a.frames(); ++i) {
    double l = a.samples[static_cast<size_t>(2 * i)];
    double r = a.samples[static_cast<size_t>(2 * i + 1)];
    peak = std::max({peak, std::fabs(l), std::fabs(r)});
    side += (l - r) * (l - r);
    mid += (l + r) * (l + r);
  }
  EXPECT_NEAR(20 * std::log10(peak), -1.0, 0.01);
  EXPECT_GT(side, 0.001 * mid);  // some stereo width
  EXPECT_LT(side, mid);          // but centred
}

TEST(CommandLine, ReadsOptionsInBothFormsAndFileNames) {
  const char* argv[] = {"zel-render", "--block=256", "--preset", "Smooth Vocal", "--set",
                        "Ratio=@0.5", "--double",    "in.wav",   "out.flac"};
  RenderOptions o;
  ASSERT_TRUE(parseCommandLine(9, argv, o).ok());
  EXPECT_EQ(o.blockSize, 256);
  EXPECT_EQ(o.preset, "Smooth Vocal");
  ASSERT_EQ(o.parameters.size(), 1u);
  EXPECT_EQ(o.parameters[0].name, "Ratio");
  EXPECT_EQ(o.parameters[0].value, "@0.5");
  EXPECT_TRUE(o.doublePrecision);
  EXPECT_EQ(o.input, "in.wav");
  EXPECT_EQ(o.output, "out.flac");

  const char* missingValue[] = {"zel-render", "--preset"};
  EXPECT_EQ(parseCommandLine(2, missingValue, o).code(), ExitCode::usage);
  const char* benchWithOutput[] = {"zel-render", "--bench", "3", "-o", "x.wav"};
  EXPECT_EQ(parseCommandLine(5, benchWithOutput, o).code(), ExitCode::usage);
  const char* afterDashes[] = {"zel-render", "--", "-odd.wav"};
  ASSERT_TRUE(parseCommandLine(3, afterDashes, o).ok());
  EXPECT_EQ(o.input, "-odd.wav");
}

TEST(CommandLine, DefaultOutputNameSitsBesideTheInput) {
  EXPECT_EQ(defaultOutputPath(""), "zel-demo.wav");
  EXPECT_EQ(defaultOutputPath("dir/song.flac"), "dir/song-zel.flac");
  EXPECT_EQ(defaultOutputPath("take.AIFF"), "take-zel.AIFF");
  EXPECT_EQ(defaultOutputPath("song.ogg"), "song-zel.wav");
  EXPECT_EQ(defaultOutputPath("./a.b/noext"), "./a.b/noext-zel.wav");
  EXPECT_EQ(defaultOutputPath("dir/.hidden"), "dir/.hidden-zel.wav");
}

}  // namespace
