// Finds the plug-in file when none is named on the command line.
#pragma once

#include <string>
#include <vector>

namespace zelrender {

// File name of the plug-in that zel-render looks for by default.
inline constexpr const char* kDefaultPluginFile = "zel-trevalon.so";

// The places searched in order: beside the executable, ../lib/vst from it, then ~/.vst.
std::vector<std::string> defaultPluginCandidates();

// The first candidate that exists as a regular file; empty when none does.
std::string findDefaultPlugin();

}  // namespace zelrender
