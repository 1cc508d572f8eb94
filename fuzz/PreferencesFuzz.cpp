// Feeds arbitrary bytes to the preferences reader as a preferences file: what it reads must
// write out and read back the same, and the values must be safe to apply to an instance.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "Preferences.h"
#include "PresetPreferences.h"
#include "RememberedPaths.h"
#include "ZelFETcomp.h"
#include "ZelWiring.h"

namespace {

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Never the user's own preferences: the instance starts from none.
  static const int isolated = setenv("XDG_CONFIG_HOME", "/nonexistent/zel-fuzz", 1);
  static ZelFETcomp* effect = createZelFETcomp(&host);
  (void)isolated;
  const Preferences prefs = Preferences::parse(reinterpret_cast<const char*>(data), size);
  const std::string text = prefs.serialise();
  if (!(Preferences::parse(text.data(), text.size()) == prefs)) __builtin_trap();

  applyStoredDefaults(*effect, prefs);
  loadPresetImage(*effect, prefs, kMemoAKey);
  RememberedPaths paths;
  paths.recall(prefs);
  for (const char* field : {paths.currentDirectory, paths.bankFileName, paths.presetFileName})
    if (strnlen(field, kPathFieldSize) >= kPathFieldSize) __builtin_trap();
  return 0;
}
