// Reads parameter values typed on the command line, in display units or normalised.
#pragma once

#include <string>
#include <string_view>

#include "RenderStatus.h"

namespace zelrender {

// What a --set value asks for.
struct ValueRequest {
  float normalised = 0.0f;
  bool readAsNormalised = false;  // a bare number outside the display range, taken as 0..1
  std::string note;               // one line for stderr when readAsNormalised is set
};

// Turns VALUE of "--set Name=VALUE" into a normalised value: what the
// parameter table reads for the parameter of that plug-in name, or "@x" for a
// normalised x, or a bare number in 0..1 that is no display value (with a note).
// Parameters the table does not know take normalised values only.
// Fails with ExitCode::value when the text is not a value of this parameter or out of range.
Status parseParameterValue(std::string_view parameterName, std::string_view text,
                           ValueRequest& request);

// True when `display`, the plug-in's text for the parameter, is the table's text for v.
bool displayAgrees(std::string_view parameterName, float v, std::string_view display);

// What the parameter takes, for messages and --list: "-36 to 12 dB", "In/Out", "L/LR/R";
// "@0..1" for parameters the table does not know.
std::string acceptedValues(std::string_view parameterName);

}  // namespace zelrender
