// Everything the plug-in tells a host about its parameters, written as text
// lines: names, labels, automation, properties, display texts over a dense grid
// of values in both display forms, and a fingerprint of the state chunks.
#pragma once

#include <string>
#include <vector>

#include "PluginHost.h"

// Asks the effect `host` has created; leaves its parameters changed.
std::vector<std::string> parameterAnswers(PluginHost& host);
