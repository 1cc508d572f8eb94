// The main job: render an input file, or the demo, through the plug-in to a file.
#pragma once

#include "CommandLine.h"
#include "RenderStatus.h"

namespace zelrender {

// Default name of the demo render in the current directory.
inline constexpr const char* kDemoOutputFile = "zel-demo.wav";

// Renders as the options say and prints the summary on stdout.
Status runRender(const RenderOptions& options);

// Output name used when none is given: NAME-zel.EXT beside the input (.wav when EXT is not
// a writable container), or the demo's name when there is no input.
std::string defaultOutputPath(const std::string& input);

}  // namespace zelrender
