// Reading --set values: rules on their own, and round trips through the plug-in's display.
#include <cmath>

#include <gtest/gtest.h>

#include "ParameterText.h"
#include "PluginHost.h"
#include "RenderTestSupport.h"
#include "ZelParameterTable.h"

using namespace zelrender;

namespace {

struct Accepted {
  const char* name;
  const char* text;
  double normalised;
  bool readAsNormalised;
};

TEST(ParameterText, AcceptsDisplayUnitsLabelsAndNormalisedForms) {
  const Accepted cases[] = {
      {"Ratio", "4:1", 0.5, false},
      {"Ratio", "16", 1.0, false},
      {"Ratio", "0.5", 0.5, true},  // outside 1..16: normalised
      {"ratio", " 2.0 :1 ", 0.25, false},
      {"Threshold", "-12", 0.5, false},
      {"Threshold", "0.5", 36.5 / 48.0, false},  // inside the dB range: dB
      {"Threshold", "+12 dB", 1.0, false},
      {"Makeup", "0dB", 0.25, false},
      {"Blend", "50%", 0.5, false},
      {"Blend", "0.5", 0.005, false},
      {"Attack", "10 ms", 1.0, false},
      {"Attack", "1", 0.5, false},
      {"Attack", "0.05", 0.05, true},
      {"Release", "1000", 1.0, false},
      {"ScHpf", "1kHz", 1.0, false},
      {"ScHpf", "0.1 khz", 0.5, false},
      {"Power", "Out", 0.0, false},
      {"Power", "on", 1.0, false},
      {"Power", "0.3", 0.3, true},
      {"Link", "unlinked", 0.0, false},
      {"Link", "Linked", 1.0, false},
      {"ScHpfSt", "1", 1.0, false},
      {"BlndSt", "OFF", 0.0, false},
      {"Channel", "L", 0.0, false},
      {"Channel", "lr", 0.5, false},
      {"Channel", "OO", 0.5, false},
      {"Channel", "R", 1.0, false},
      {"Threshold", "@0.25", 0.25, false},
      {"Something", "0.7", 0.7, false},  // unknown display: plain normalised
  };
  for (const Accepted& c : cases) {
    ValueRequest request;
    Status status = parseParameterValue(c.name, c.text, request);
    ASSERT_TRUE(status.ok()) << c.name << "=" << c.text << ": " << status.message();
    EXPECT_NEAR(request.normalised, c.normalised, 1e-6) << c.name << "=" << c.text;
    EXPECT_EQ(request.readAsNormalised, c.readAsNormalised) << c.name << "=" << c.text;
    EXPECT_EQ(request.note.empty(), !c.readAsNormalised) << c.name << "=" << c.text;
  }
}

TEST(ParameterText, RejectsWhatIsOutOfRangeOrNotAValue) {
  const std::pair<const char*, const char*> cases[] = {
      {"Threshold", "20"},     {"Threshold", "12.5"}, {"Threshold", "-37"}, {"Ratio", "17"},
      {"Ratio", "0.5:1"},      {"Attack", "0.05 ms"}, {"Attack", "20"},     {"Makeup", "nan"},
      {"Makeup", "inf"},       {"Makeup", "-inf"},    {"Blend", ""},        {"Blend", "abc"},
      {"Blend", "50 parsecs"}, {"Blend", "1e3"},      {"Blend", "--5"},     {"Blend", "@1.5"},
      {"Blend", "@-0.1"},      {"Blend", "@"},        {"Channel", "M"},     {"Channel", "2"},
      {"Link", "maybe"},       {"Power", "2"},        {"Something", "1.5"}, {"Something", "On"},
  };
  for (const auto& [name, text] : cases) {
    ValueRequest request;
    Status status = parseParameterValue(name, text, request);
    EXPECT_FALSE(status.ok()) << name << "=" << text;
    EXPECT_EQ(status.code(), ExitCode::value) << name << "=" << text;
  }
}

TEST(ParameterText, DisplayCheckSpotsTheWrongText) {
  EXPECT_TRUE(displayAgrees("Threshold", 0.5f, "-12.0"));
  EXPECT_FALSE(displayAgrees("Threshold", 0.5f, "-11.0"));
  EXPECT_FALSE(displayAgrees("Threshold", 0.5f, "Huge!"));
  EXPECT_TRUE(displayAgrees("Ratio", 0.5f, "4.0:1"));
  EXPECT_FALSE(displayAgrees("Ratio", 0.5f, "4.0:2"));
  EXPECT_TRUE(displayAgrees("Release", 1.0f, "1000"));
  EXPECT_FALSE(displayAgrees("Release", 1.0f, "999"));
  EXPECT_TRUE(displayAgrees("Power", 0.5f, "In"));
  EXPECT_FALSE(displayAgrees("Link", 1.0f, "Unlnkd"));
  EXPECT_TRUE(displayAgrees("Channel", 0.26f, "OO"));
  EXPECT_FALSE(displayAgrees("Channel", 0.24f, "OO"));
}

// Every display text the plug-in shows reads back to a value with the same text.
TEST(ParameterText, DisplayTextsRoundTripThroughThePlugin) {
  PluginHost host;
  ASSERT_TRUE(host.load(zelrendertest::pluginPath()).ok());
  ASSERT_TRUE(host.open(48000.0, 512, false).ok());
  int checked = 0;
  for (int index = 0; index < host.numParams(); ++index) {
    const std::string name = host.parameterName(index);
    if (zelFindParameter(name) == nullptr) continue;
    ++checked;
    for (int step = 0; step <= 97; ++step) {
      const float v = static_cast<float>(step) / 97.0f;
      host.setParameter(index, v);
      const std::string shown = host.parameterDisplay(index);
      EXPECT_TRUE(displayAgrees(name, v, shown)) << name << " @" << v << " shows " << shown;

      ValueRequest request;
      Status status = parseParameterValue(name, shown, request);
      ASSERT_TRUE(status.ok()) << name << "=" << shown << ": " << status.message();
      EXPECT_FALSE(request.readAsNormalised) << name << "=" << shown;
      host.setParameter(index, request.normalised);
      EXPECT_EQ(host.parameterDisplay(index), shown) << name << " @" << v;
    }
  }
  EXPECT_EQ(checked, 12);
}

}  // namespace
