// Reading typed values: what each parameter accepts, what it refuses and why,
// and that every text the host or the panel shows reads back to that text.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "ValueText.h"
#include "ZelParameterTable.h"
#include "ZelValueReading.h"

namespace {

std::string hostText(int index, float v) {
  char text[32];
  zelHostDisplayText(index, v, text);
  return text;
}

// Every thousandth and a fixed pseudo-random spread.
std::vector<float> valueGrid() {
  std::vector<float> values;
  for (int i = 0; i <= 1000; ++i) values.push_back(static_cast<float>(i) / 1000.0f);
  uint32_t state = 777u;
  for (int i = 0; i < 2000; ++i) {
    state = state * 1664525u + 1013904223u;
    values.push_back(static_cast<float>(state >> 8) / 16777216.0f);
  }
  return values;
}

TEST(ValueReading, AcceptsShownUnitsAndWords) {
  const struct {
    int index;
    const char* text;
    double normalised;
  } cases[] = {
      {kThreshold, "-18", 0.375},  {kThreshold, "-18 dB", 0.375}, {kThreshold, " -18dB\t", 0.375},
      {kThreshold, "+12 DB", 1.0}, {kThreshold, "-36.0", 0.0},    {kMakeup, "0", 0.25},
      {kRatio, "8:1", 0.75},       {kRatio, "8", 0.75},           {kRatio, "2.0 :1", 0.25},
      {kRatio, "1", 0.0},          {kScHpf, "100", 0.5},          {kScHpf, "0.1k", 0.5},
      {kScHpf, "1 kHz", 1.0},      {kScHpf, "0.1KHZ", 0.5},       {kScHpf, "10 Hz", 0.0},
      {kAttack, "10ms", 1.0},      {kAttack, ".1", 0.0},          {kRelease, "100 MS", 0.5},
      {kBlend, "50 %", 0.5},       {kBlend, "0.5", 0.005},        {kPower, "In", 1.0},
      {kPower, "out", 0.0},        {kPower, "ON", 1.0},           {kPower, "1", 1.0},
      {kScHpfSwitch, "0", 0.0},    {kScHpfSwitch, "1.0", 1.0},    {kBlendSwitch, "Off", 0.0},
      {kLink, "Linked", 1.0},      {kLink, "Unlnkd", 0.0},        {kLink, "UNLINKED", 0.0},
      {kChannel, "L", 0.0},        {kChannel, "lr", 0.5},         {kChannel, "OO", 0.5},
      {kChannel, "r", 1.0},
  };
  for (const auto& c : cases) {
    float v = -1.0f;
    EXPECT_EQ(zelReadValueText(c.index, c.text, v), ZelReading::ok) << c.index << " " << c.text;
    EXPECT_NEAR(v, c.normalised, 1e-6) << c.index << " " << c.text;
  }
}

TEST(ValueReading, RefusesWithAReasonAndLeavesTheValue) {
  const struct {
    int index;
    const char* text;
    ZelReading reading;
  } cases[] = {
      {kThreshold, "13", ZelReading::outOfRange},
      {kThreshold, "-36.1", ZelReading::outOfRange},
      {kRatio, "0.5", ZelReading::outOfRange},
      {kRatio, "17:1", ZelReading::outOfRange},
      {kScHpf, "1.5k", ZelReading::outOfRange},
      {kScHpf, "9 Hz", ZelReading::outOfRange},
      {kScHpf, "1.5 MHz", ZelReading::unknownUnit},
      {kScHpf, "1.5 kHz", ZelReading::outOfRange},
      {kThreshold, "-18 %", ZelReading::unknownUnit},
      {kBlend, "50 parsecs", ZelReading::unknownUnit},
      {kBlend, "1e3", ZelReading::unknownUnit},
      {kBlend, "", ZelReading::notAValue},
      {kBlend, "abc", ZelReading::notAValue},
      {kBlend, "nan", ZelReading::notAValue},
      {kMakeup, "-inf", ZelReading::notAValue},
      {kBlend, "--5", ZelReading::notAValue},
      {kBlend, "dB", ZelReading::notAValue},
      {kPower, "maybe", ZelReading::notAValue},
      {kPower, "0.5", ZelReading::notAValue},
      {kPower, "2", ZelReading::notAValue},
      {kLink, "Linkedx", ZelReading::notAValue},
      {kScHpfSwitch, "In", ZelReading::notAValue},
      {kChannel, "M", ZelReading::notAValue},
      {kChannel, "0.5", ZelReading::notAValue},
      {kChannel, "LRR", ZelReading::notAValue},
      {kUnused3, "0", ZelReading::notAValue},
      {kGainReductionReadout, "1", ZelReading::notAValue},
      {16, "0", ZelReading::notAValue},
      {-1, "0", ZelReading::notAValue},
  };
  for (const auto& c : cases) {
    float v = 0.123f;
    EXPECT_EQ(zelReadValueText(c.index, c.text, v), c.reading) << c.index << " " << c.text;
    EXPECT_EQ(v, 0.123f) << c.index << " " << c.text;
    EXPECT_FALSE(zelParseValueText(c.index, c.text, v));
  }
  // A text that is not NUL-terminated is read only within its length.
  const char digits[] = {'-', '1', '8', '0', '0'};
  float v = 0.0f;
  EXPECT_TRUE(zelParseValueText(kThreshold, std::string_view(digits, 3), v));
  EXPECT_FLOAT_EQ(v, 0.375f);
}

// What the host shows reads back to a value the host shows the same way.
TEST(ValueReading, HostTextsRoundTrip) {
  for (int index = 0; index < kNumParams; ++index) {
    if (zelIsPlaceholder(index)) continue;
    for (float v : valueGrid()) {
      const std::string shown = hostText(index, v);
      float back = -1.0f;
      ASSERT_TRUE(zelParseValueText(index, shown, back)) << index << " shows " << shown;
      // The host keeps the sign of a small negative value shown as zero ("-0.0");
      // typed, it is 0 dB, which shows "0.0".
      const std::string expected = shown == "-0.0" ? "0.0" : shown;
      EXPECT_EQ(hostText(index, back), expected) << index << " @" << v;
    }
  }
}

// What the panel's displays show reads back to a value the panel shows the same way.
TEST(ValueReading, PanelTextsRoundTrip) {
  int displays = 0;
  for (int index = 0; index < kNumParams; ++index) {
    char shown[kValueTextSize];
    if (!zelPanelDisplayText(index, 0.0f, shown)) continue;
    ++displays;
    for (float v : valueGrid()) {
      zelPanelDisplayText(index, v, shown);
      float back = -1.0f;
      ASSERT_TRUE(zelParseValueText(index, shown, back)) << index << " shows " << shown;
      char again[kValueTextSize];
      zelPanelDisplayText(index, back, again);
      EXPECT_STREQ(again, shown) << index << " @" << v;
    }
  }
  EXPECT_EQ(displays, 7);
}

TEST(ValueReading, Numbers) {
  double x = 0.0;
  std::string_view rest;
  EXPECT_TRUE(zelReadNumber("-1.5 kHz", x, rest));
  EXPECT_EQ(x, -1.5);
  EXPECT_EQ(rest, " kHz");
  EXPECT_TRUE(zelReadNumber("+.5", x, rest));
  EXPECT_EQ(x, 0.5);
  EXPECT_TRUE(zelReadNumber("1e3", x, rest));  // no exponents: the number is 1
  EXPECT_EQ(rest, "e3");
  const std::string huge = "1" + std::string(400, '0');
  for (const std::string bad : {"", "-", "+-1", "inf", "nan", "x1", " 1", huge.c_str()}) {
    EXPECT_FALSE(zelReadNumber(bad, x, rest)) << bad;
  }
}

}  // namespace
