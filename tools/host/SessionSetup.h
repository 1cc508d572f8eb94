// Steps shared by zel-host's window and screenshot runs.
#pragma once

#include <cstdio>

#include "HostCommandLine.h"
#include "HostOutcome.h"
#include "PluginHost.h"

namespace zelhost {

// Loads the plug-in that options.pluginPath names (default: the one zel-render would find)
// with zel-host's callback; fails when it cannot be loaded or has no editor.
Outcome loadPlugin(const HostOptions& options, zelrender::PluginHost& plugin);

// Opens the loaded plug-in at the demo's rate and block size, selects the preset and sets the
// parameters the options name (notes go to stderr), and resumes it.
Outcome prepareForDemo(zelrender::PluginHost& plugin, const HostOptions& options);

// The editor's size as the plug-in reports it (effEditGetRect); false when it gives none.
bool editorSize(const zelrender::PluginHost& plugin, int& width, int& height);

// Prints the gain reduction that the plug-in's meter value (parameter 17) stands for.
void printGainReduction(const zelrender::PluginHost& plugin, std::FILE* out);

}  // namespace zelhost
