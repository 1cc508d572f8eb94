// Applies "--set Name=VALUE" assignments to a loaded plug-in and checks that they took.
#pragma once

#include <string>
#include <vector>

#include "PluginHost.h"
#include "RenderStatus.h"

namespace zelrender {

// One "--set Name=VALUE" from the command line.
struct ParameterAssignment {
  std::string name;
  std::string value;
};

// A parameter as set: its plug-in name and index, the value and the text the plug-in shows.
struct AppliedParameter {
  std::string name;
  int index = 0;
  float normalised = 0.0f;
  std::string display;
};

// Finds a parameter by its plug-in name, case-insensitively; placeholders ("-") are refused.
Status findParameter(const PluginHost& host, const std::string& name, int& index,
                     std::string& pluginName);

// Sets every assignment in order, reads each back (value and display text) and records it.
// Notes for values read as normalised are appended to `notes`.
Status applyParameters(const PluginHost& host, const std::vector<ParameterAssignment>& assignments,
                       std::vector<AppliedParameter>& applied, std::vector<std::string>& notes);

}  // namespace zelrender
