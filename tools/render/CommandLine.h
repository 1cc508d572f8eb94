// The zel-render command line: options, their checks and the help text.
#pragma once

#include <string>
#include <vector>

#include "AudioFile.h"
#include "ParameterSettings.h"
#include "RenderStatus.h"

namespace zelrender {

struct RenderOptions {
  bool help = false;
  bool version = false;
  bool list = false;  // print presets and parameters, render nothing
  std::string input;  // empty: render the demo signal
  std::string output;
  std::string pluginPath;  // empty: search the default places
  std::string preset;      // empty: the plug-in's own start-up preset
  std::string presetFile;  // preset or bank file loaded by the plug-in; empty: none
  std::string savePreset;  // where the plug-in saves the current preset; empty: nowhere
  std::string saveBank;    // where the plug-in saves the bank; empty: nowhere
  std::vector<ParameterAssignment> parameters;
  SampleFormat format = SampleFormat::keep;
  bool doublePrecision = false;
  int blockSize = 512;
  bool progress = false;
  std::string dryOutput;  // demo only: where to write the unprocessed demo
  int benchRuns = 0;      // 0: no benchmark

  // Only preset or bank files are to be written: no input, output or listing was asked for.
  bool onlySavesFiles() const {
    return (!savePreset.empty() || !saveBank.empty()) && input.empty() && output.empty() &&
           dryOutput.empty() && !list && benchRuns == 0;
  }
};

// Reads argv into `options`; fails with ExitCode::usage on anything malformed.
Status parseCommandLine(int argc, const char* const* argv, RenderOptions& options);

// The --help text, with options, exit codes and examples.
std::string usageText();

}  // namespace zelrender
