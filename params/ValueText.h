// Number-to-text conversions for parameter displays: the host's 8-character
// display text and the editor's value read-outs. Stateless, allocation-free,
// independent of the C locale.
#pragma once

// Size of the buffer the editor's read-out procedures write into.
constexpr int kValueTextSize = 64;

// Writes value with `decimals` places into an 8-character budget (text holds at
// least 9 bytes). Rounds halves away from zero; "Huge!" when out of range.
void float2string2(float value, int decimals, char* text);

// Editor read-outs: (value, text of kValueTextSize bytes, ignored user data) -> true.
bool direct1StringConvert(float value, char* text, void* userData);  // "%.1f"
bool intStringConvert(float value, char* text, void* userData);      // "%.0f"
bool ratioStringConvert(float value, char* text, void* userData);    // "%.1f:1"
bool fract1StringConvert(float value, char* text, void* userData);   // "0.0" or "%+.1f"
