// Reads what a user types for a parameter: a number in the unit the parameter
// shows (with or without the unit), or one of its words ("In", "Off", "LR").
// Case-insensitive, independent of the C locale, allocation-free.
#pragma once

#include <string_view>

enum class ZelReading {
  ok,
  notAValue,    // neither a number nor a word of this parameter
  unknownUnit,  // a number followed by a unit this parameter does not take
  outOfRange,   // a number outside the values the parameter shows
};

// Reads text as a value of parameter index and sets normalised (0..1) when it
// is one. Numbers take the shown unit ("-18", "-18 dB", "8:1", "1.5k" or
// "1.5 kHz"); switches their two texts, "On"/"Off" and 1/0 ("Unlinked" too for
// Link); the channel "L", "LR" or "OO" (both) and "R". Placeholders, the meter
// and indices without a slot read nothing.
ZelReading zelReadValueText(int index, std::string_view text, float& normalised);

// zelReadValueText() == ZelReading::ok.
bool zelParseValueText(int index, std::string_view text, float& normalised);

// Reads a finite decimal number (optional sign, digits and a point, no
// exponent) at the start of text; rest gets what follows it.
bool zelReadNumber(std::string_view text, double& value, std::string_view& rest);

// text without leading and trailing spaces and tabs.
std::string_view zelTrim(std::string_view text);

// Case-insensitive comparison of two ASCII texts.
bool zelEqualsIgnoreCase(std::string_view a, std::string_view b);
