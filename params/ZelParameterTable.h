// The parameter table: for every slot its host name and properties, the law
// from normalised value to the value shown and back, the host's display text,
// the panel's read-out and the value a control resets to. The effect, the
// panel's value displays and zel-render all read it. Plain constant data and
// stateless functions; callable from any thread, allocation-free.
#pragma once

#include <cstdint>
#include <string_view>

#include "ZelParameters.h"

// How a slot's shown value follows from its normalised value v (0..1).
enum class ZelLaw {
  placeholder,  // slot kept for the host's sake; shows " ", drives nothing
  exponential,  // a * b^v
  linear,       // a * v + b
  onOff,        // two positions: on when round(v) != 0
  channel,      // three positions round(2v): left only, both, right only
  meter,        // read-only gain-reduction reading: a linear gain, 1 = no reduction
};

// VstParameterProperties flags, as plain numbers.
constexpr int32_t kZelStepIsSwitch = 1;
constexpr int32_t kZelStepUsesFloat = 4;

// The step sizes a host uses for a slot (VstParameterProperties).
struct ZelStepGroup {
  int32_t flags;
  float step;
  float smallStep;
  float largeStep;
};

// A unit that may follow a typed number, and the factor to the shown unit.
struct ZelUnit {
  const char* text = nullptr;
  double factor = 1.0;
};

// A panel read-out procedure of ValueText.h: (value, text, user data) -> true.
using ZelReadOut = bool (*)(float value, char* text, void* userData);

struct ZelParameterInfo {
  int index = 0;
  const char* name = "";       // host name; "-" for placeholders; the meter has none
  const char* shortName = "";  // the name cut to 7 characters (VstParameterProperties::shortLabel)
  const char* label = "  ";    // host label: two spaces for every slot
  bool automatable = false;    // a real control: the host may automate it and presets store it
  const ZelStepGroup* steps = nullptr;  // host step properties; null: the host gets none
  ZelLaw law = ZelLaw::placeholder;
  double a = 0.0;  // exponential a * b^v, linear a * v + b
  double b = 0.0;
  int decimals = 0;                // host text: places float2string2 keeps
  const char* suffix = "";         // host text: follows the number (":1" for Ratio)
  const char* onText = "";         // onOff: host text when on
  const char* offText = "";        // onOff: host text when off
  const char* offAlias = nullptr;  // onOff: another word typed for off, or null
  bool positionInDouble = false;   // onOff: round(v) in double precision, so 0.49999997 is
                                   // still off (single precision, the other switches' rule,
                                   // rounds it to on)
  ZelUnit units[3] = {};           // units a typed number may carry; the first is the shown unit;
                                   // an entry with text null ends the list
  ZelReadOut readOut = nullptr;    // formats the panel display; null: no display on the panel
  int openingSteps = 0;            // the panel display, when the panel is built, shows v rounded to
                                   // 1/openingSteps (Ratio: 16); 0: never rounded
  float resetValue = 0.0f;         // the value a control resets to
};

// The channel texts for positions 0, 1, 2: left only, "OO" = both channels, right only.
extern const char* const kZelChannelTexts[3];

// The slot of index: 0..15 and kGainReductionReadout; null for any other index.
const ZelParameterInfo* zelParameterInfo(int index);

// The real control whose host name is name, in any case; null for unknown
// names, placeholders ("-") and the meter.
const ZelParameterInfo* zelFindParameter(std::string_view name);

// True for the four slots that only keep their value (3, 7, 14, 15).
bool zelIsPlaceholder(int index);

// The host label of any index (slot or not): two spaces.
const char* zelHostLabel(int index);

// Below 0 or not a number gives 0, above 1 gives 1.
float zelClampNormalised(float v);

// The value shown for v (clamped to 0..1): ms, Hz, ratio, dB or %; the
// position for switches (0, 1) and the channel (0, 1, 2); v for placeholders.
// For the meter, the reading held to the needle's range -0.1..1.1. 0 without a slot.
double zelDisplayValue(int index, float v);

// The panel display's value when the panel is built (Ratio rounds to sixteenths).
double zelOpeningDisplayValue(int index, float v);

// The normalised value (0..1) that shows `shown`; the inverse of zelDisplayValue.
float zelNormalisedValue(int index, double shown);

// Writes the host's display text for v (clamped to 0..1): at most 11
// characters, text holds at least 12 bytes. " " for placeholders, "" for the
// meter and for indices without a slot.
void zelHostDisplayText(int index, float v, char* text);

// Writes the panel display's text for v with the slot's read-out procedure
// (text holds kValueTextSize bytes); false, text untouched, without one.
bool zelPanelDisplayText(int index, float v, char* text);
