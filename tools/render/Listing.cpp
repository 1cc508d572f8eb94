#include "Listing.h"

#include <cstdio>

#include "ParameterText.h"
#include "PluginSetup.h"
#include "PresetSelection.h"

namespace zelrender {

Status runList(const RenderOptions& options) {
  PluginHost host;
  PluginSetup setup;
  // Preset and --set are applied, so the parameter list shows their result.
  Status status = setUpPlugin(options, 48000.0, host, setup);
  if (!status.ok()) return status;
  std::printf("plug-in  %s\n", host.path().c_str());
  std::printf("presets (--preset N or NAME):\n");
  for (int i = 0; i < kPresetCount; ++i) {
    std::string name;
    if (host.programNameIndexed(i, name)) std::printf("  %2d  %s\n", i, name.c_str());
  }
  std::printf("parameters (--set NAME=VALUE), as set now, and the values they take:\n");
  for (int i = 0; i < host.numParams(); ++i) {
    std::string name = host.parameterName(i);
    if (name.empty() || name == "-") continue;
    char normalised[32];
    std::snprintf(normalised, sizeof normalised, "(@%.4g)", static_cast<double>(host.parameter(i)));
    std::printf("  %-10s %-8s %-9s %s\n", name.c_str(), host.parameterDisplay(i).c_str(),
                normalised, acceptedValues(name).c_str());
  }
  return {};
}

}  // namespace zelrender
