// The reusable host class against the real plug-in: presets and parameters.
#include <cstring>

#include <gtest/gtest.h>

#include "ParameterSettings.h"
#include "PluginHost.h"
#include "PresetSelection.h"
#include "RenderTestSupport.h"

using namespace zelrender;

namespace {

class Host : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(host_.load(zelrendertest::pluginPath()).ok());
    ASSERT_TRUE(host_.open(44100.0, 256, true).ok());
  }

  int indexOf(const char* name) {
    int index = -1;
    std::string exact;
    EXPECT_TRUE(findParameter(host_, name, index, exact).ok()) << name;
    return index;
  }

  PluginHost host_;
};

TEST(PresetChunk, HoldsMarkerIdCountAndNumberInNativeOrder) {
  auto chunk = presetSelectionChunk(5);
  int32_t words[8];
  std::memcpy(words, chunk.data(), sizeof words);
  EXPECT_EQ(words[0], 0x01000000);
  EXPECT_EQ(words[1], 0x4B765264);
  EXPECT_EQ(words[2], 0);
  EXPECT_EQ(words[3], 5);
  for (int i = 4; i < 8; ++i) EXPECT_EQ(words[i], 0);
}

TEST_F(Host, SelectsPresetsByNumberAndName) {
  int number = -1;
  std::string name;
  ASSERT_TRUE(resolvePreset(host_, "Snare Power", number, name).ok());
  EXPECT_EQ(number, 6);
  ASSERT_TRUE(selectPreset(host_, number).ok());
  EXPECT_EQ(host_.programName(), "Snare Power");
  EXPECT_EQ(host_.parameterDisplay(indexOf("Ratio")), "8.0:1");

  ASSERT_TRUE(resolvePreset(host_, "init", number, name).ok());
  EXPECT_EQ(number, 18);  // the first of the thirty
  EXPECT_EQ(name, "Init");
  ASSERT_TRUE(resolvePreset(host_, "47", number, name).ok());
  EXPECT_EQ(name, "Init");
  for (const char* bad : {"48", "-1", "99999999999999999999", "Snare", ""}) {
    Status status = resolvePreset(host_, bad, number, name);
    EXPECT_EQ(status.code(), ExitCode::value) << bad;
  }
}

TEST_F(Host, AppliesParametersAfterThePresetAndReportsTheirText) {
  ASSERT_TRUE(selectPreset(host_, 3).ok());
  std::vector<AppliedParameter> applied;
  std::vector<std::string> notes;
  Status status = applyParameters(
      host_, {{"threshold", "-18"}, {"Ratio", "0.5"}, {"channel", "R"}, {"Threshold", "-24"}},
      applied, notes);
  ASSERT_TRUE(status.ok()) << status.message();
  ASSERT_EQ(notes.size(), 1u);
  ASSERT_EQ(applied.size(), 3u);  // the second Threshold replaced the first
  EXPECT_EQ(applied[0].name, "Ratio");
  EXPECT_EQ(applied[0].display, "4.0:1");
  EXPECT_EQ(applied[1].display, "R");
  EXPECT_EQ(applied[2].name, "Threshold");
  EXPECT_EQ(applied[2].display, "-24.0");
  EXPECT_EQ(host_.parameterDisplay(indexOf("Threshold")), "-24.0");
  // The preset's other values are untouched.
  EXPECT_EQ(host_.programName(), "Smooth Vocal");

  applied.clear();
  EXPECT_EQ(applyParameters(host_, {{"-", "0"}}, applied, notes).code(), ExitCode::value);
  EXPECT_EQ(applyParameters(host_, {{"Volume", "0"}}, applied, notes).code(), ExitCode::value);
}

}  // namespace
