// zel-host's main job: the plug-in's editor in a window, with the demo running behind it.
#pragma once

#include <cstdio>

#include "HostCommandLine.h"
#include "HostOutcome.h"

namespace zelhost {

// Title of the host window.
inline constexpr const char* kWindowTitle = "Zel Trevalon";
// Editor idle calls per second.
inline constexpr int kIdleRate = 30;

// Loads the plug-in, shows its editor in a window and runs until the window is closed,
// --seconds ran out or SIGINT / SIGTERM arrived; then closes everything in host order.
// Main thread.
Outcome runWindow(const HostOptions& options, std::FILE* out);

}  // namespace zelhost
