// A minimal host for tests: loads the built plug-in through its exported entry
// point and records what the plug-in asks of the host.
#pragma once

#include <dlfcn.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "VstInterface.h"

struct HostCall {
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  float opt;
};

class PluginHost {
public:
  // The version the host answers; 0 makes the plug-in refuse to start.
  static inline std::atomic<VstIntPtr> versionAnswer{2400};

  PluginHost() {
    active = this;
    library = dlopen(ZEL_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
    if (library) entry = reinterpret_cast<VstPluginMainProc>(dlsym(library, "VSTPluginMain"));
  }
  ~PluginHost() {
    closeEffect();
    if (library) dlclose(library);
    if (active == this) active = nullptr;
  }
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  // Creates an instance; null when the plug-in refused.
  AEffect* create() {
    effect = entry ? entry(&callback) : nullptr;
    return effect;
  }

  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
  }

  // Sends effClose, after which the record is gone.
  void closeEffect() {
    if (!effect) return;
    dispatch(effClose);
    effect = nullptr;
  }

  std::string paramDisplay(VstInt32 index) {
    char text[256] = {};
    dispatch(effGetParamDisplay, index, 0, text);
    return text;
  }
  std::string paramName(VstInt32 index) {
    char text[256] = {};
    dispatch(effGetParamName, index, 0, text);
    return text;
  }
  std::string programName(VstInt32 index) {
    char text[256] = {};
    if (!dispatch(effGetProgramNameIndexed, index, 0, text)) return "<none>";
    return text;
  }

  std::vector<HostCall> calls() {
    std::lock_guard<std::mutex> guard(callsLock);
    return recorded;
  }
  void clearCalls() {
    std::lock_guard<std::mutex> guard(callsLock);
    recorded.clear();
  }

  void* library = nullptr;
  VstPluginMainProc entry = nullptr;
  AEffect* effect = nullptr;

private:
  static inline PluginHost* active = nullptr;

  static VstIntPtr callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*,
                            float opt) {
    if (opcode == audioMasterVersion) return versionAnswer.load();
    if (PluginHost* host = active) {
      std::lock_guard<std::mutex> guard(host->callsLock);
      host->recorded.push_back({opcode, index, value, opt});
    }
    return 0;
  }

  std::mutex callsLock;
  std::vector<HostCall> recorded;
};
