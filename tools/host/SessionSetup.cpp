#include "SessionSetup.h"

#include <cmath>
#include <string>
#include <vector>

#include "DemoFeed.h"
#include "EditorHost.h"
#include "ParameterSettings.h"
#include "PluginLocator.h"
#include "PresetSelection.h"

namespace zelhost {
namespace {

// Parameter 17: the gain-reduction meter, a linear gain (1 = no reduction).
constexpr int kMeterParameter = 17;
// Meter values below this show as "below -100 dB".
constexpr float kMeterFloor = 1e-5f;

}  // namespace

Outcome loadPlugin(const HostOptions& options, zelrender::PluginHost& plugin) {
  std::string path = options.pluginPath;
  if (path.empty()) {
    path = zelrender::findDefaultPlugin();
    if (path.empty()) {
      std::string places;
      for (const std::string& candidate : zelrender::defaultPluginCandidates()) {
        places += (places.empty() ? "" : ", ") + candidate;
      }
      return Outcome::fail(HostExit::plugin,
                           "no plug-in found (looked for " + places + "); name one with --plugin");
    }
  }
  Outcome loaded = Outcome::from(plugin.load(path, &EditorHost::callback));
  if (!loaded.ok()) return loaded;
  if ((plugin.effect()->flags & effFlagsHasEditor) == 0) {
    plugin.unload();
    return Outcome::fail(HostExit::plugin, "plug-in " + path + " has no editor");
  }
  return {};
}

Outcome prepareForDemo(zelrender::PluginHost& plugin, const HostOptions& options) {
  Outcome opened = Outcome::from(plugin.open(kFeedSampleRate, kFeedBlockSize, false));
  if (!opened.ok()) return opened;
  if (!options.preset.empty()) {
    int number = 0;
    std::string name;
    Outcome found = Outcome::from(zelrender::resolvePreset(plugin, options.preset, number, name));
    if (!found.ok()) return found;
    Outcome selected = Outcome::from(zelrender::selectPreset(plugin, number));
    if (!selected.ok()) return selected;
  }
  std::vector<zelrender::AppliedParameter> applied;
  std::vector<std::string> notes;
  Outcome set =
      Outcome::from(zelrender::applyParameters(plugin, options.parameters, applied, notes));
  for (const std::string& note : notes) std::fprintf(stderr, "zel-host: note: %s\n", note.c_str());
  if (!set.ok()) return set;
  plugin.resume();
  return {};
}

bool editorSize(const zelrender::PluginHost& plugin, int& width, int& height) {
  ERect* rect = nullptr;
  plugin.dispatch(effEditGetRect, 0, 0, &rect);
  if (rect == nullptr) return false;
  width = rect->right - rect->left;
  height = rect->bottom - rect->top;
  return width > 0 && height > 0;
}

void printGainReduction(const zelrender::PluginHost& plugin, std::FILE* out) {
  float meter = plugin.parameter(kMeterParameter);
  if (!(meter >= kMeterFloor)) {
    std::fprintf(out, "gain reduction below -100 dB (meter %.4f)\n", static_cast<double>(meter));
    return;
  }
  std::fprintf(out, "gain reduction %.1f dB (meter %.4f)\n", 20.0 * std::log10(meter),
               static_cast<double>(meter));
}

}  // namespace zelhost
