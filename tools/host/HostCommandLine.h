// The zel-host command line: options, their checks and the help text.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "HostOutcome.h"
#include "ParameterSettings.h"

namespace zelhost {

struct HostOptions {
  bool help = false;
  bool version = false;
  bool verbose = false;    // print automation, gestures and the meter on stdout
  std::string pluginPath;  // empty: search the default places
  double seconds = 0.0;    // > 0: close by itself after this long; 0: run until closed
  std::string screenshot;  // non-empty: write a picture of the editor's window to this PNG, exit
  std::string preset;      // empty: the plug-in's start-up preset
  std::vector<zelrender::ParameterAssignment> parameters;
  // Screenshots: clicks at editor coordinates, then text typed, before the picture is taken.
  std::vector<std::pair<int, int>> clicks;
  std::string typed;
};

// Longest run --seconds accepts (a day).
inline constexpr double kMaxSeconds = 86400.0;

// Reads argv into `options`; fails with HostExit::usage on anything malformed.
Outcome parseHostCommandLine(int argc, const char* const* argv, HostOptions& options);

// The --help text, with options, exit codes and examples.
std::string hostUsageText();

}  // namespace zelhost
