// The parameter table: its slots, the laws between normalised and shown
// values, and the texts the host and the panel show.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "ValueText.h"
#include "ZelParameterTable.h"

namespace {

const int kSlots[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, kGainReductionReadout};

std::string hostText(int index, float v) {
  char text[32];
  std::memset(text, 'x', sizeof text);
  zelHostDisplayText(index, v, text);
  EXPECT_EQ(text[12], 'x') << "wrote past 12 bytes";
  return text;
}

std::string panelText(int index, float v) {
  char text[kValueTextSize] = "untouched";
  if (!zelPanelDisplayText(index, v, text)) {
    EXPECT_STREQ(text, "untouched");
  }
  return text;
}

TEST(ParameterTable, SlotsNamesAndLookup) {
  for (int index : kSlots) {
    const ZelParameterInfo* info = zelParameterInfo(index);
    ASSERT_NE(info, nullptr) << index;
    EXPECT_EQ(info->index, index);
    EXPECT_EQ(std::string(info->name).substr(0, 7), info->shortName) << index;
    EXPECT_EQ(info->automatable, info->steps != nullptr) << index;
    EXPECT_EQ(zelIsPlaceholder(index), info->law == ZelLaw::placeholder) << index;
    const bool numeric = info->law == ZelLaw::exponential || info->law == ZelLaw::linear;
    EXPECT_EQ(numeric, info->readOut != nullptr) << "every knob has a panel display: " << index;
    EXPECT_EQ(numeric, info->units[0].text != nullptr) << index;
    if (info->automatable) {
      // Found by its host name in any case, and only by it.
      std::string upper = info->name;
      for (char& c : upper) c = static_cast<char>(std::toupper(c));
      EXPECT_EQ(zelFindParameter(upper), info) << upper;
    }
  }
  for (int index : {-1, 16, 18, 1000}) EXPECT_EQ(zelParameterInfo(index), nullptr) << index;
  EXPECT_EQ(zelFindParameter("-"), nullptr);
  EXPECT_EQ(zelFindParameter(""), nullptr);
  EXPECT_EQ(zelFindParameter("Thresho"), nullptr);
  EXPECT_STREQ(zelHostLabel(-1), "  ");
  EXPECT_STREQ(zelHostLabel(17), "  ");
}

TEST(ParameterTable, PanelDisplayValuesAndTexts) {
  EXPECT_DOUBLE_EQ(zelDisplayValue(kThreshold, 0.5f), -12.0);
  EXPECT_DOUBLE_EQ(zelDisplayValue(kMakeup, 1.0f), 36.0);
  EXPECT_DOUBLE_EQ(zelDisplayValue(kRatio, 0.5f), 4.0);
  // Built with Ratio at 0.53 the panel shows 16^(8/16); later changes show 16^v unrounded.
  EXPECT_DOUBLE_EQ(zelOpeningDisplayValue(kRatio, 0.53f), 4.0);
  EXPECT_NEAR(zelDisplayValue(kRatio, 0.53f), std::pow(16.0, 0.53), 1e-6);
  EXPECT_DOUBLE_EQ(zelOpeningDisplayValue(kRatio, 1.0f), 16.0);
  EXPECT_DOUBLE_EQ(zelOpeningDisplayValue(kThreshold, 0.53f), zelDisplayValue(kThreshold, 0.53f));
  EXPECT_DOUBLE_EQ(zelDisplayValue(kChannel, 0.26f), 1.0);
  EXPECT_DOUBLE_EQ(zelDisplayValue(kScHpfSwitch, 0.49999997f), 0.0);
  // The meter reading is held to the needle's range.
  EXPECT_FLOAT_EQ(static_cast<float>(zelDisplayValue(kGainReductionReadout, 5.0f)), 1.1f);
  EXPECT_FLOAT_EQ(static_cast<float>(zelDisplayValue(kGainReductionReadout, -3.0f)), -0.1f);
  EXPECT_FLOAT_EQ(static_cast<float>(zelDisplayValue(kGainReductionReadout, NAN)), -0.1f);
  EXPECT_FLOAT_EQ(static_cast<float>(zelDisplayValue(kGainReductionReadout, 0.7f)), 0.7f);

  const struct {
    int index;
    float v;
    const char* text;
  } cases[] = {
      {kThreshold, 0.5f, "-12.0"},
      {kMakeup, 1.0f, "+36.0"},
      {kMakeup, 0.25f, "0.0"},
      {kRatio, 0.5f, "4.0:1"},
      {kScHpf, 1.0f, "1000"},
      {kAttack, 0.5f, "1.0"},
      {kRelease, 0.0f, "10.0"},
      {kBlend, 0.5f, "50.0"},
      {kPower, 1.0f, "untouched"},
      {kChannel, 0.5f, "untouched"},
      {kGainReductionReadout, 1.0f, "untouched"},
  };
  for (const auto& c : cases) EXPECT_EQ(panelText(c.index, c.v), c.text) << c.index;
}

TEST(ParameterTable, ShownValuesMapBackToTheirNormalisedValue) {
  for (int index : kSlots) {
    const ZelLaw law = zelParameterInfo(index)->law;
    if (law == ZelLaw::placeholder || law == ZelLaw::meter) continue;
    for (int step = 0; step <= 64; ++step) {
      const float v = static_cast<float>(step) / 64.0f;
      const float back = zelNormalisedValue(index, zelDisplayValue(index, v));
      if (law == ZelLaw::exponential || law == ZelLaw::linear) {
        EXPECT_NEAR(back, v, 1e-6f) << index << " @" << v;
      } else {
        // Switches and the channel come back as the position's own value.
        EXPECT_EQ(hostText(index, back), hostText(index, v)) << index << " @" << v;
      }
    }
  }
  // Shown values beyond the ends, or none at all, give the nearest end.
  EXPECT_EQ(zelNormalisedValue(kThreshold, 100.0), 1.0f);
  EXPECT_EQ(zelNormalisedValue(kThreshold, -100.0), 0.0f);
  EXPECT_EQ(zelNormalisedValue(kRatio, 0.0), 0.0f);
  EXPECT_EQ(zelNormalisedValue(kRatio, -4.0), 0.0f);
  EXPECT_EQ(zelNormalisedValue(kBlend, NAN), 0.0f);
  EXPECT_EQ(zelNormalisedValue(kChannel, 7.0), 1.0f);
  EXPECT_EQ(zelNormalisedValue(16, 0.5), 0.0f);
}

}  // namespace
