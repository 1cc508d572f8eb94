#include "PluginHost.h"

#include <dlfcn.h>

#include <cstring>

namespace zelrender {
namespace {

// Text buffers handed to the plug-in are larger than any VST limit, as real hosts do.
constexpr size_t kTextBufferSize = 256;

std::string trimmed(const char* text) {
  std::string s(text);
  size_t begin = s.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  size_t end = s.find_last_not_of(" \t");
  return s.substr(begin, end - begin + 1);
}

}  // namespace

VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) noexcept {
  switch (opcode) {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterAutomate:
    case audioMasterIdle:
    case audioMasterUpdateDisplay:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
    case audioMasterCanDo:
    default:
      // No editor, no automation recording, no host features offered.
      return 0;
  }
}

PluginHost::~PluginHost() { unload(); }

Status PluginHost::load(const std::string& path) { return load(path, &hostCallback); }

Status PluginHost::load(const std::string& path, audioMasterCallback callback) {
  unload();
  path_ = path;
  dlerror();
  library_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library_ == nullptr) {
    const char* why = dlerror();
    return Status::fail(ExitCode::plugin, "cannot load plug-in " + path + ": " +
                                              (why != nullptr ? why : "unknown reason"));
  }
  void* symbol = dlsym(library_, "VSTPluginMain");
  if (symbol == nullptr) {
    unload();
    return Status::fail(ExitCode::plugin, path + " is not a VST 2.4 plug-in (no VSTPluginMain)");
  }
  VstPluginMainProc entry = nullptr;
  static_assert(sizeof(entry) == sizeof(symbol));
  std::memcpy(&entry, &symbol, sizeof(entry));
  return accept(entry(callback));
}

Status PluginHost::adopt(AEffect* effect, const std::string& name) {
  unload();
  path_ = name;
  return accept(effect);
}

Status PluginHost::accept(AEffect* effect) {
  if (effect == nullptr) {
    unload();
    return Status::fail(ExitCode::plugin, "plug-in " + path_ + " returned no effect");
  }
  if (effect->magic != kEffectMagic || effect->dispatcher == nullptr) {
    // Without a valid record nothing can be closed; only the library is released.
    unload();
    return Status::fail(ExitCode::plugin,
                        "plug-in " + path_ + " returned an invalid effect record");
  }
  effect_ = effect;
  if (effect->processReplacing == nullptr || (effect->flags & effFlagsCanReplacing) == 0) {
    unload();
    return Status::fail(ExitCode::plugin, "plug-in " + path_ + " cannot process audio in place");
  }
  if (effect->numInputs < 1 || effect->numOutputs < 2) {
    std::string shape =
        std::to_string(effect->numInputs) + " in, " + std::to_string(effect->numOutputs) + " out";
    unload();
    return Status::fail(ExitCode::plugin, "plug-in " + path_ + " has " + shape +
                                              "; at least 1 input and 2 outputs are needed");
  }
  return {};
}

Status PluginHost::open(double sampleRate, int blockSize, bool doublePrecision) {
  if (effect_ == nullptr) return Status::fail(ExitCode::plugin, "no plug-in loaded");
  if (!opened_) {
    dispatch(effOpen);
    opened_ = true;
  }
  suspend();
  sampleRate_ = sampleRate;
  dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
  dispatch(effSetBlockSize, 0, blockSize);
  return setPrecision(doublePrecision);
}

Status PluginHost::setPrecision(bool doublePrecision) {
  if (doublePrecision && !canProcessDouble()) {
    return Status::fail(ExitCode::plugin,
                        "plug-in " + path_ + " does not support double-precision processing");
  }
  suspend();
  dispatch(effSetProcessPrecision, 0,
           doublePrecision ? kVstProcessPrecision64 : kVstProcessPrecision32);
  return {};
}

void PluginHost::resume() {
  if (effect_ == nullptr || resumed_) return;
  dispatch(effMainsChanged, 0, 1);
  resumed_ = true;
}

void PluginHost::suspend() {
  if (effect_ == nullptr || !resumed_) return;
  dispatch(effMainsChanged, 0, 0);
  resumed_ = false;
}

void PluginHost::unload() {
  if (effect_ != nullptr) {
    suspend();
    // effClose destroys the effect; the record is invalid afterwards.
    dispatch(effClose);
    effect_ = nullptr;
  }
  opened_ = false;
  resumed_ = false;
  if (library_ != nullptr) {
    dlclose(library_);
    library_ = nullptr;
  }
}

int PluginHost::numParams() const { return effect_ != nullptr ? effect_->numParams : 0; }
int PluginHost::numInputs() const { return effect_ != nullptr ? effect_->numInputs : 0; }
int PluginHost::numOutputs() const { return effect_ != nullptr ? effect_->numOutputs : 0; }

bool PluginHost::canProcessDouble() const {
  return effect_ != nullptr && effect_->processDoubleReplacing != nullptr &&
         (effect_->flags & effFlagsCanDoubleReplacing) != 0;
}

VstIntPtr PluginHost::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt) const {
  if (effect_ == nullptr) return 0;
  return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string PluginHost::parameterName(int index) const {
  char text[kTextBufferSize] = {};
  dispatch(effGetParamName, index, 0, text);
  text[kTextBufferSize - 1] = '\0';
  return trimmed(text);
}

std::string PluginHost::parameterDisplay(int index) const {
  // A zeroed buffer: the plug-in reads a value from a buffer that starts with a marker.
  char text[kTextBufferSize] = {};
  dispatch(effGetParamDisplay, index, 0, text);
  text[kTextBufferSize - 1] = '\0';
  return trimmed(text);
}

float PluginHost::parameter(int index) const {
  if (effect_ == nullptr || effect_->getParameter == nullptr) return 0.0f;
  return effect_->getParameter(effect_, index);
}

void PluginHost::setParameter(int index, float value) const {
  if (effect_ == nullptr || effect_->setParameter == nullptr) return;
  effect_->setParameter(effect_, index, value);
}

std::string PluginHost::programName() const {
  char text[kTextBufferSize] = {};
  dispatch(effGetProgramName, 0, 0, text);
  text[kTextBufferSize - 1] = '\0';
  return text;
}

bool PluginHost::programNameIndexed(int index, std::string& name) const {
  char text[kTextBufferSize] = {};
  if (dispatch(effGetProgramNameIndexed, index, 0, text) == 0) return false;
  text[kTextBufferSize - 1] = '\0';
  name = text;
  return true;
}

VstIntPtr PluginHost::setChunk(const void* data, size_t size) const {
  return dispatch(effSetChunk, 0, static_cast<VstIntPtr>(size), const_cast<void*>(data));
}

void PluginHost::process(float** inputs, float** outputs, int frames) const {
  effect_->processReplacing(effect_, inputs, outputs, frames);
}

void PluginHost::process(double** inputs, double** outputs, int frames) const {
  effect_->processDoubleReplacing(effect_, inputs, outputs, frames);
}

}  // namespace zelrender
