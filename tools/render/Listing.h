// --list: what presets and parameters the plug-in offers.
#pragma once

#include "CommandLine.h"
#include "RenderStatus.h"

namespace zelrender {

// Prints the preset numbers and names, and each parameter with its current display text
// and the values it takes.
Status runList(const RenderOptions& options);

}  // namespace zelrender
