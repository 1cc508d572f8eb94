// The engine against output samples rendered by a separately written model
// (tests/golden/engine.py): same input, settings and block sizes, outputs and
// meter compared bit for bit in both precisions.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <string>
#include <type_traits>
#include <vector>

#include "FETCompressor.h"
#include "GoldenData.h"

namespace {

static_assert(std::endian::native == std::endian::little, "the golden files are little-endian");

using Setter = void (FETCompressor::*)(float);

// Engine setter per parameter index; placeholders have none.
const Setter kSetters[16] = {&FETCompressor::setPower,
                             &FETCompressor::setAttack,
                             &FETCompressor::setRelease,
                             nullptr,
                             &FETCompressor::setScHpfSwitch,
                             &FETCompressor::setHPF,
                             &FETCompressor::setRatio,
                             nullptr,
                             &FETCompressor::setThreshold,
                             &FETCompressor::setChannel,
                             &FETCompressor::setGain,
                             &FETCompressor::setLink,
                             &FETCompressor::setBlendSwitch,
                             &FETCompressor::setBlend,
                             nullptr,
                             nullptr};

struct Change {
  int block;
  int index;
  float value;
};

template <class T>
struct Rendered {
  std::vector<T> left, right;
  std::vector<float> meter;  // after each block
};

struct Case {
  int frames = 0, blockSize = 0, stereo = 0;
  float sampleRate = 0;
  std::vector<float> settings;
  std::vector<Change> changes;
  std::vector<float> inL, inR;
  Rendered<float> single;
  Rendered<double> twice;

  template <class T>
  const Rendered<T>& expected() const {
    if constexpr (std::is_same_v<T, float>)
      return single;
    else
      return twice;
  }
};

template <class T>
Rendered<T> takeRendered(golden::Reader& r, int frames, int blocks) {
  Rendered<T> out;
  out.left = r.take<T>(frames);
  out.right = r.take<T>(frames);
  out.meter = r.take<float>(blocks);
  return out;
}

Case load(const std::string& name) {
  golden::Reader r(golden::readFile("engine_" + name + ".bin"));
  const auto magic = r.take<std::array<char, 8>>();
  if (std::string(magic.data(), magic.size()) != "ZELENG01")
    throw std::runtime_error("not an engine sample file");
  Case c;
  c.frames = r.take<std::int32_t>();
  c.blockSize = r.take<std::int32_t>();
  c.sampleRate = r.take<float>();
  c.stereo = r.take<std::int32_t>();
  c.settings = r.take<float>(16);
  const int changes = r.take<std::int32_t>();
  for (int i = 0; i < changes; ++i) {
    const int block = r.take<std::int32_t>(), index = r.take<std::int32_t>();
    c.changes.push_back({block, index, r.take<float>()});
  }
  c.inL = r.take<float>(c.frames);
  c.inR = r.take<float>(c.frames);
  const int blocks = (c.frames + c.blockSize - 1) / c.blockSize;
  c.single = takeRendered<float>(r, c.frames, blocks);
  c.twice = takeRendered<double>(r, c.frames, blocks);
  if (!r.atEnd()) throw std::runtime_error("engine sample file longer than expected");
  return c;
}

// Runs the real engine as the effect does: setters, sample rate, resume, then
// the blocks, applying each change before its block.
template <class T>
Rendered<T> render(const Case& c) {
  FETCompressor engine;
  auto set = [&](int index, float v) {
    if (kSetters[index]) (engine.*kSetters[index])(v);
  };
  for (int i = 0; i < 16; ++i) set(i, c.settings[i]);
  engine.setSampleRate(c.sampleRate);
  engine.resume();
  std::vector<T> inL(c.inL.begin(), c.inL.end()), inR(c.inR.begin(), c.inR.end());
  Rendered<T> out{std::vector<T>(c.frames), std::vector<T>(c.frames), {}};
  for (int start = 0, block = 0; start < c.frames; start += c.blockSize, ++block) {
    for (const Change& change : c.changes)
      if (change.block == block) set(change.index, change.value);
    const int n = std::min(c.blockSize, c.frames - start);
    T* in[2] = {inL.data() + start, inR.data() + start};
    T* outs[2] = {out.left.data() + start, out.right.data() + start};
    if constexpr (std::is_same_v<T, float>)
      engine.processReplacing(in, outs, n, c.stereo);
    else
      engine.processDoubleReplacing(in, outs, n, c.stereo);
    out.meter.push_back(engine.getGR());
  }
  return out;
}

// Bitwise equality, reporting the first difference and the largest one.
template <class T>
testing::AssertionResult sameSamples(const std::vector<T>& expected, const std::vector<T>& actual) {
  size_t first = expected.size();
  double largest = 0;
  for (size_t i = 0; i < expected.size(); ++i) {
    if (std::memcmp(&expected[i], &actual[i], sizeof(T)) == 0) continue;
    first = std::min(first, i);
    largest = std::max(largest, std::fabs(double(expected[i]) - double(actual[i])));
  }
  if (first == expected.size()) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "first difference at " << first << ": expected " << expected[first] << ", got "
         << actual[first] << "; largest difference " << largest;
}

class GoldenEngine : public testing::TestWithParam<const char*> {};

TEST_P(GoldenEngine, OutputAndMeterMatchTheModelBitForBit) {
  const Case c = load(GetParam());
  ASSERT_GT(c.frames, 0);
  auto check = [&]<class T>(const char* precision, T) {
    SCOPED_TRACE(precision);
    const Rendered<T> got = render<T>(c);
    const Rendered<T>& want = c.expected<T>();
    EXPECT_TRUE(sameSamples(want.left, got.left)) << "left";
    EXPECT_TRUE(sameSamples(want.right, got.right)) << "right";
    EXPECT_TRUE(sameSamples(want.meter, got.meter)) << "meter";
  };
  check("single precision", 0.0f);
  check("double precision", 0.0);
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenEngine,
                         testing::Values("preset0", "heavy", "sidechain", "blend_unlinked",
                                         "channel_left", "channel_right", "changes_and_power",
                                         "mono_feed"),
                         [](const auto& param) { return std::string(param.param); });

}  // namespace
