// Loads the plug-in named on the command line and brings it to the requested settings.
#pragma once

#include <string>
#include <vector>

#include "CommandLine.h"
#include "ParameterSettings.h"
#include "PluginHost.h"
#include "RenderStatus.h"

namespace zelrender {

// What the plug-in was set to, for the summary.
struct PluginSetup {
  int presetNumber = -1;  // -1: left at the plug-in's start-up preset
  std::string presetName;
  std::vector<AppliedParameter> parameters;
};

// Loads --plugin PATH, or the first default candidate that exists.
Status loadPlugin(const RenderOptions& options, PluginHost& host);

// Loads and opens the plug-in (suspended) at `sampleRate`, selects the preset, then applies
// the parameters. Notes about values read as normalised go to stderr.
Status setUpPlugin(const RenderOptions& options, double sampleRate, PluginHost& host,
                   PluginSetup& setup);

// "preset 3 "Smooth Vocal"" or "start-up preset "Default"".
std::string describePreset(const PluginSetup& setup);

}  // namespace zelrender
