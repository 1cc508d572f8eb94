// Loads a VST 2.4 plug-in from a shared library and talks to it as a host does.
#pragma once

#include <string>

#include "RenderStatus.h"
#include "VstInterface.h"

namespace zelrender {

// One plug-in instance in this process: library handle, effect record and run state.
// Every call is made from the thread that created the object.
class PluginHost {
public:
  PluginHost() = default;
  ~PluginHost();
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  // Opens the library (RTLD_NOW | RTLD_LOCAL), calls VSTPluginMain and checks the record.
  Status load(const std::string& path);
  // The same with a host callback of the caller's instead of hostCallback.
  Status load(const std::string& path, audioMasterCallback callback);
  // Takes over an effect record made in this process (no library), checked as load does;
  // `name` stands for the path in messages. unload sends it effClose.
  Status adopt(AEffect* effect, const std::string& name);

  // Sends effOpen, sample rate, block size and processing precision; the effect stays suspended.
  Status open(double sampleRate, int blockSize, bool doublePrecision);

  // Changes the processing precision while suspended; fails when double is not supported.
  Status setPrecision(bool doublePrecision);

  // effMainsChanged 1 / 0; each does nothing when already in that state.
  void resume();
  void suspend();

  // Suspends, sends effClose and unloads the library. Safe to call more than once.
  void unload();

  bool loaded() const { return effect_ != nullptr; }
  const std::string& path() const { return path_; }
  AEffect* effect() const { return effect_; }
  double sampleRate() const { return sampleRate_; }
  int numParams() const;
  int numInputs() const;
  int numOutputs() const;
  bool canProcessDouble() const;

  // Raw dispatcher call.
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) const;

  // Parameter name, display text (trimmed) and value through the record.
  std::string parameterName(int index) const;
  std::string parameterDisplay(int index) const;
  float parameter(int index) const;
  void setParameter(int index, float value) const;

  // Name of the current program, and of program `index` (false when the plug-in has none).
  std::string programName() const;
  bool programNameIndexed(int index, std::string& name) const;

  // Hands a state chunk to the plug-in (effSetChunk, bank form); returns its answer.
  VstIntPtr setChunk(const void* data, size_t size) const;

  // One processing call; the effect must be resumed and the precision set accordingly.
  void process(float** inputs, float** outputs, int frames) const;
  void process(double** inputs, double** outputs, int frames) const;

private:
  // Checks a record returned by the entry point and keeps it; unloads on failure.
  Status accept(AEffect* effect);

  void* library_ = nullptr;
  AEffect* effect_ = nullptr;
  std::string path_;
  double sampleRate_ = 44100.0;
  bool opened_ = false;
  bool resumed_ = false;
};

// The host callback given to the plug-in: version 2400, everything else answered with 0.
VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                       float opt) noexcept;

}  // namespace zelrender
