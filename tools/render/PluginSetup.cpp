#include "PluginSetup.h"

#include <cstdio>

#include "PluginLocator.h"
#include "PresetSelection.h"

namespace zelrender {

Status loadPlugin(const RenderOptions& options, PluginHost& host) {
  std::string path = options.pluginPath;
  if (path.empty()) {
    path = findDefaultPlugin();
    if (path.empty()) {
      std::string places;
      for (const std::string& candidate : defaultPluginCandidates()) {
        places += (places.empty() ? "" : ", ") + candidate;
      }
      return Status::fail(ExitCode::plugin,
                          "no plug-in found (looked for " + places + "); name one with --plugin");
    }
  }
  return host.load(path);
}

Status setUpPlugin(const RenderOptions& options, double sampleRate, PluginHost& host,
                   PluginSetup& setup) {
  setup = PluginSetup{};
  Status status = loadPlugin(options, host);
  if (!status.ok()) return status;
  status = host.open(sampleRate, options.blockSize, options.doublePrecision);
  if (!status.ok()) return status;

  if (!options.preset.empty()) {
    status = resolvePreset(host, options.preset, setup.presetNumber, setup.presetName);
    if (!status.ok()) return status;
    status = selectPreset(host, setup.presetNumber);
    if (!status.ok()) return status;
  } else {
    setup.presetName = host.programName();
  }

  std::vector<std::string> notes;
  status = applyParameters(host, options.parameters, setup.parameters, notes);
  for (const std::string& note : notes)
    std::fprintf(stderr, "zel-render: note: %s\n", note.c_str());
  return status;
}

std::string describePreset(const PluginSetup& setup) {
  if (setup.presetNumber < 0) return "start-up preset \"" + setup.presetName + "\"";
  return "preset " + std::to_string(setup.presetNumber) + " \"" + setup.presetName + "\"";
}

}  // namespace zelrender
