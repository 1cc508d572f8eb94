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
  std::vector<ParameterAssignment> parameters;
  SampleFormat format = SampleFormat::keep;
  bool doublePrecision = false;
  int blockSize = 512;
  bool progress = false;
  std::string dryOutput;  // demo only: where to write the unprocessed demo
  int benchRuns = 0;      // 0: no benchmark
};

// Reads argv into `options`; fails with ExitCode::usage on anything malformed.
Status parseCommandLine(int argc, const char* const* argv, RenderOptions& options);

// The --help text, with options, exit codes and examples.
std::string usageText();

}  // namespace zelrender
