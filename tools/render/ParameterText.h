// Reads parameter values typed on the command line, in display units or normalised.
#pragma once

#include <string>
#include <string_view>

#include "RenderStatus.h"

namespace zelrender {

// How a parameter's display text follows from its normalised value v.
enum class ScaleKind {
  none,          // display unknown: only normalised values are accepted
  exponential,   // a * b^v
  linear,        // a * v + b
  switchLabels,  // on label when v >= 0.5, else off label
  channel,       // "L", "OO" (also "LR"), "R" for round(2v) = 0, 1, 2
};

// A unit suffix accepted after a number, with the factor that converts it to display units.
struct UnitSuffix {
  const char* text;
  double factor;
};

struct ParameterScale {
  const char* name;
  ScaleKind kind;
  double a;
  double b;
  UnitSuffix units[2];  // first entry is the display unit; empty text ends the list
  const char* onLabel;  // switches
  const char* offLabel;
  const char* offAlias;  // another accepted word for off, or null
};

// The scale of a parameter by its plug-in name (case-insensitive); null when unknown.
const ParameterScale* findScale(std::string_view parameterName);

// The display value for normalised value v of a numeric scale.
double displayValueOf(const ParameterScale& scale, double v);

// What a --set value asks for.
struct ValueRequest {
  float normalised = 0.0f;
  bool readAsNormalised = false;  // a bare number outside the display range, taken as 0..1
  std::string note;               // one line for stderr when readAsNormalised is set
};

// Turns VALUE of "--set Name=VALUE" into a normalised value. "@x" forces a normalised value.
// Fails with ExitCode::value when the text is not a value of this parameter or out of range.
Status parseParameterValue(std::string_view parameterName, std::string_view text,
                           ValueRequest& request);

// True when `display`, the plug-in's text for the parameter, shows normalised value v.
bool displayAgrees(std::string_view parameterName, float v, std::string_view display);

// Case-insensitive comparison of two ASCII texts.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace zelrender
