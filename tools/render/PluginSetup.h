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
  std::string presetFile;  // the preset or bank file loaded; empty when none
  bool presetFileIsBank = false;
  std::vector<AppliedParameter> parameters;
  std::vector<std::string> savedFiles;  // "preset PATH" / "bank PATH" for each file written
};

// Loads --plugin PATH, or the first default candidate that exists.
Status loadPlugin(const RenderOptions& options, PluginHost& host);

// Loads and opens the plug-in (suspended) at `sampleRate`; loads a bank file, selects the
// preset, loads a preset file into it, applies the parameters, then has the plug-in save the
// preset and bank files asked for. Notes about values read as normalised go to stderr.
Status setUpPlugin(const RenderOptions& options, double sampleRate, PluginHost& host,
                   PluginSetup& setup);

// "preset 3 "Smooth Vocal"" or "start-up preset "Default"", with the file it came from.
std::string describePreset(const PluginSetup& setup);

}  // namespace zelrender
