// The report printed on standard output after a render.
#pragma once

#include <cstdio>
#include <string>

#include "BlockRenderer.h"
#include "PluginSetup.h"

namespace zelrender {

struct SummaryInfo {
  std::string input;  // description of what was rendered
  std::string pluginPath;
  PluginSetup setup;
  RenderSettings settings;
  double sampleRate = 0.0;
  double wallSeconds = 0.0;  // whole run, files included
  std::string output;        // "path (format)"
  std::string dryOutput;     // empty when none was written
};

// Prints levels in and out, gain reduction, timing and the files written.
void printSummary(std::FILE* out, const SummaryInfo& info, const RenderResult& result);

// "%.2f" of a dB value, or "-inf".
std::string formatDb(double db);

}  // namespace zelrender
