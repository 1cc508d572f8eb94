#include "ZelParameterTable.h"

#include <cmath>
#include <cstring>

#include "ValueText.h"
#include "ZelValueReading.h"

namespace {

constexpr ZelStepGroup kSwitchSteps{kZelStepIsSwitch | kZelStepUsesFloat, 0.5f, 0.5f, 0.5f};
constexpr ZelStepGroup kFineSteps{kZelStepUsesFloat, 1.0f / 16, 1.0f / 96, 1.0f / 24};
constexpr ZelStepGroup kDecibelSteps{kZelStepUsesFloat, 1.0f / 48, 1.0f / 192, 1.0f / 48};
constexpr ZelStepGroup kThreeWaySteps{kZelStepUsesFloat, 1.0f / 3, 1.0f / 6, 1.0f / 3};

constexpr const char* kLabel = "  ";

constexpr ZelParameterInfo placeholder(int index) {
  return {.index = index, .name = "-", .shortName = "-", .law = ZelLaw::placeholder};
}

// Slots 0 to 15 in index order, then the meter. Switches reset to factory
// preset 0's setting; the knobs to the panel's defaults.
constexpr ZelParameterInfo kTable[] = {
    {.index = kPower,
     .name = "Power",
     .shortName = "Power",
     .automatable = true,
     .steps = &kSwitchSteps,
     .law = ZelLaw::onOff,
     .onText = "In",
     .offText = "Out",
     .resetValue = 1.0f},
    {.index = kAttack,
     .name = "Attack",
     .shortName = "Attack",
     .automatable = true,
     .steps = &kFineSteps,
     .law = ZelLaw::exponential,
     .a = 0.1,
     .b = 100,
     .decimals = 1,
     .units = {{"ms", 1}},
     .readOut = direct1StringConvert,
     .resetValue = 0.5f},
    {.index = kRelease,
     .name = "Release",
     .shortName = "Release",
     .automatable = true,
     .steps = &kFineSteps,
     .law = ZelLaw::exponential,
     .a = 10,
     .b = 100,
     .decimals = 0,
     .units = {{"ms", 1}},
     .readOut = direct1StringConvert,
     .resetValue = 0.5f},
    placeholder(kUnused3),
    {.index = kScHpfSwitch,
     .name = "ScHpfSt",
     .shortName = "ScHpfSt",
     .automatable = true,
     .steps = &kSwitchSteps,
     .law = ZelLaw::onOff,
     .onText = "On",
     .offText = "Off",
     .positionInDouble = true,
     .resetValue = 0.0f},
    {.index = kScHpf,
     .name = "ScHpf",
     .shortName = "ScHpf",
     .automatable = true,
     .steps = &kFineSteps,
     .law = ZelLaw::exponential,
     .a = 10,
     .b = 100,
     .decimals = 0,
     .units = {{"Hz", 1}, {"kHz", 1000}, {"k", 1000}},
     .readOut = intStringConvert,
     .resetValue = 0.5f},
    {.index = kRatio,
     .name = "Ratio",
     .shortName = "Ratio",
     .automatable = true,
     .steps = &kFineSteps,
     .law = ZelLaw::exponential,
     .a = 1,
     .b = 16,
     .decimals = 1,
     .suffix = ":1",
     .units = {{":1", 1}},
     .readOut = ratioStringConvert,
     .openingSteps = 16,
     .resetValue = 0.5f},
    placeholder(kUnused7),
    {.index = kThreshold,
     .name = "Threshold",
     .shortName = "Thresho",
     .automatable = true,
     .steps = &kDecibelSteps,
     .law = ZelLaw::linear,
     .a = 48,
     .b = -36,
     .decimals = 1,
     .units = {{"dB", 1}},
     .readOut = fract1StringConvert,
     .resetValue = 0.75f},
    {.index = kChannel,
     .name = "Channel",
     .shortName = "Channel",
     .automatable = true,
     .steps = &kThreeWaySteps,
     .law = ZelLaw::channel,
     .resetValue = 0.5f},
    {.index = kMakeup,
     .name = "Makeup",
     .shortName = "Makeup",
     .automatable = true,
     .steps = &kDecibelSteps,
     .law = ZelLaw::linear,
     .a = 48,
     .b = -12,
     .decimals = 1,
     .units = {{"dB", 1}},
     .readOut = fract1StringConvert,
     .resetValue = 0.25f},
    {.index = kLink,
     .name = "Link",
     .shortName = "Link",
     .automatable = true,
     .steps = &kSwitchSteps,
     .law = ZelLaw::onOff,
     .onText = "Linked",
     .offText = "Unlnkd",
     .offAlias = "Unlinked",
     .resetValue = 1.0f},
    {.index = kBlendSwitch,
     .name = "BlndSt",
     .shortName = "BlndSt",
     .automatable = true,
     .steps = &kSwitchSteps,
     .law = ZelLaw::onOff,
     .onText = "On",
     .offText = "Off",
     .resetValue = 0.0f},
    {.index = kBlend,
     .name = "Blend",
     .shortName = "Blend",
     .automatable = true,
     .steps = &kFineSteps,
     .law = ZelLaw::linear,
     .a = 100,
     .b = 0,
     .decimals = 1,
     .units = {{"%", 1}},
     .readOut = direct1StringConvert,
     .resetValue = 0.5f},
    placeholder(kUnused14),
    placeholder(kUnused15),
    // The host sees no name and no text for the meter, only its value.
    {.index = kGainReductionReadout,
     .name = "",
     .shortName = "",
     .law = ZelLaw::meter,
     .resetValue = 1.0f},
};

constexpr bool inIndexOrder() {
  for (int i = 0; i < kNumParams; ++i) {
    if (kTable[i].index != i) return false;
  }
  return kTable[kNumParams].index == kGainReductionReadout;
}
static_assert(sizeof(kTable) / sizeof(kTable[0]) == kNumParams + 1 && inIndexOrder());

// The meter needle's range.
constexpr float kMeterLowest = -0.1f;
constexpr float kMeterHighest = 1.1f;

// round(x): truncation of x + 0.5, here in single precision.
int roundedPosition(float x) { return static_cast<int>(x + 0.5f); }

// c is clamped to 0..1.
bool isOn(const ZelParameterInfo& info, float c) {
  if (info.positionInDouble) return static_cast<int>(static_cast<double>(c) + 0.5) != 0;
  return roundedPosition(c) != 0;
}

int channelPosition(float c) { return roundedPosition(2.0f * c); }

// The shown value of a numeric law at normalised v.
double numericValue(const ZelParameterInfo& info, double v) {
  if (info.law == ZelLaw::exponential) return info.a * std::pow(info.b, v);
  return info.a * v + info.b;
}

}  // namespace

const char* const kZelChannelTexts[3] = {"L", "OO", "R"};

const ZelParameterInfo* zelParameterInfo(int index) {
  if (index >= 0 && index < kNumParams) return &kTable[index];
  if (index == kGainReductionReadout) return &kTable[kNumParams];
  return nullptr;
}

const ZelParameterInfo* zelFindParameter(std::string_view name) {
  for (const ZelParameterInfo& info : kTable) {
    if (info.automatable && zelEqualsIgnoreCase(name, info.name)) return &info;
  }
  return nullptr;
}

bool zelIsPlaceholder(int index) {
  const ZelParameterInfo* info = zelParameterInfo(index);
  return info && info->law == ZelLaw::placeholder;
}

const char* zelHostLabel(int) { return kLabel; }

float zelClampNormalised(float v) {
  if (!(v >= 0.0f)) return 0.0f;
  return v > 1.0f ? 1.0f : v;
}

double zelDisplayValue(int index, float v) {
  const ZelParameterInfo* info = zelParameterInfo(index);
  if (!info) return 0.0;
  if (info->law == ZelLaw::meter) {
    float g = v;
    if (g > kMeterHighest)
      g = kMeterHighest;
    else if (!(g >= kMeterLowest))
      g = kMeterLowest;
    return g;
  }
  const float c = zelClampNormalised(v);
  switch (info->law) {
    case ZelLaw::exponential:
    case ZelLaw::linear:
      return numericValue(*info, c);
    case ZelLaw::onOff:
      return isOn(*info, c) ? 1.0 : 0.0;
    case ZelLaw::channel:
      return channelPosition(c);
    default:
      return c;
  }
}

double zelOpeningDisplayValue(int index, float v) {
  const ZelParameterInfo* info = zelParameterInfo(index);
  if (!info || info->openingSteps <= 0) return zelDisplayValue(index, v);
  const int steps = info->openingSteps;
  const int step = roundedPosition(zelClampNormalised(v) * static_cast<float>(steps));
  return numericValue(*info, static_cast<double>(step) / steps);
}

float zelNormalisedValue(int index, double shown) {
  const ZelParameterInfo* info = zelParameterInfo(index);
  if (!info) return 0.0f;
  double v = shown;
  switch (info->law) {
    case ZelLaw::exponential:
      v = std::log(shown / info->a) / std::log(info->b);
      break;
    case ZelLaw::linear:
      v = (shown - info->b) / info->a;
      break;
    case ZelLaw::onOff:
      v = shown >= 0.5 ? 1.0 : 0.0;
      break;
    case ZelLaw::channel:
      v = shown >= 1.5 ? 1.0 : shown >= 0.5 ? 0.5 : 0.0;
      break;
    case ZelLaw::meter:
      return static_cast<float>(shown);
    case ZelLaw::placeholder:
      break;
  }
  return zelClampNormalised(static_cast<float>(v));
}

void zelHostDisplayText(int index, float v, char* text) {
  const ZelParameterInfo* info = zelParameterInfo(index);
  if (!info) {
    text[0] = 0;
    return;
  }
  const float c = zelClampNormalised(v);
  switch (info->law) {
    case ZelLaw::placeholder:
      std::strcpy(text, " ");
      return;
    case ZelLaw::meter:
      text[0] = 0;
      return;
    case ZelLaw::onOff:
      std::strcpy(text, isOn(*info, c) ? info->onText : info->offText);
      return;
    case ZelLaw::channel:
      std::strcpy(text, kZelChannelTexts[channelPosition(c)]);
      return;
    case ZelLaw::exponential:
    case ZelLaw::linear:
      float2string2(static_cast<float>(numericValue(*info, c)), info->decimals, text);
      std::strcat(text, info->suffix);
      return;
  }
}

bool zelPanelDisplayText(int index, float v, char* text) {
  const ZelParameterInfo* info = zelParameterInfo(index);
  if (!info || !info->readOut) return false;
  return info->readOut(static_cast<float>(zelDisplayValue(index, v)), text, nullptr);
}
