#include "PluginSetup.h"

#include <cstdio>

#include "PluginLocator.h"
#include "PresetSelection.h"
#include "StateFiles.h"

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

  // A bank file first, so that --preset picks from its presets.
  LoadedFile loaded = LoadedFile::none;
  if (!options.presetFile.empty()) {
    status = requestLoad(host, options.presetFile, kLoadBankOnly, loaded);
    if (!status.ok()) return status;
  }
  if (!options.preset.empty()) {
    status = resolvePreset(host, options.preset, setup.presetNumber, setup.presetName);
    if (!status.ok()) return status;
    status = selectPreset(host, setup.presetNumber);
    if (!status.ok()) return status;
  }
  // A preset file goes into the preset now current.
  if (!options.presetFile.empty() && loaded == LoadedFile::none) {
    status = requestLoad(host, options.presetFile, kLoadPresetOnly, loaded);
    if (!status.ok()) return status;
    if (loaded == LoadedFile::none) {
      return Status::fail(ExitCode::value,
                          "the plug-in rejected " + options.presetFile +
                              ": not a Zel Trevalon preset or bank file, or damaged");
    }
  }
  if (!options.presetFile.empty()) {
    setup.presetFile = options.presetFile;
    setup.presetFileIsBank = loaded == LoadedFile::bank;
  }
  if (setup.presetNumber < 0 || loaded == LoadedFile::preset) setup.presetName = host.programName();

  std::vector<std::string> notes;
  status = applyParameters(host, options.parameters, setup.parameters, notes);
  for (const std::string& note : notes)
    std::fprintf(stderr, "zel-render: note: %s\n", note.c_str());
  if (!status.ok()) return status;

  for (const bool bank : {false, true}) {
    const std::string& path = bank ? options.saveBank : options.savePreset;
    if (path.empty()) continue;
    status = requestSave(host, path, bank);
    if (!status.ok()) return status;
    setup.savedFiles.push_back(std::string(bank ? "bank   " : "preset ") + path);
  }
  return {};
}

std::string describePreset(const PluginSetup& setup) {
  std::string text = setup.presetNumber < 0 ? "start-up preset \"" + setup.presetName + "\""
                                            : "preset " + std::to_string(setup.presetNumber) +
                                                  " \"" + setup.presetName + "\"";
  if (!setup.presetFile.empty()) {
    text += std::string(setup.presetFileIsBank ? " of bank file " : " from preset file ") +
            setup.presetFile;
  }
  return text;
}

}  // namespace zelrender
