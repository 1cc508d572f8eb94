// The effect: sixteen host parameters over the FET compressor engine, the
// description of the plug-in to the host, and block processing under a lock.
#pragma once

#include <atomic>
#include <cstdint>

#include "CPresetSystemEffect.h"
#include "PresetEditorLink.h"
#include "ZelParameters.h"

class FETCompressor;
class PresetEditorLink;
struct XPlatMutex;

class ZelFETcomp : public CPresetSystemEffect {
public:
  static constexpr unsigned int kParameterLockWaitMs = 500;

  // makeEditor builds the editor object (the plug-in's wiring passes the real one).
  ZelFETcomp(audioMasterCallback master, PresetEditorFactory makeEditor);
  ~ZelFETcomp() override;

  void suspend() override;
  void resume() override;
  // Audio thread: compress one block under the effect's lock.
  void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
  void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;

  // Any thread: clamp, apply to the engine, record in the current preset, tell the editor.
  void setParameter(VstInt32 index, float value) override;
  // Any thread, without the lock.
  float getParameter(VstInt32 index) override;
  void getParameterLabel(VstInt32 index, char* label) override;
  // Display text; a buffer starting with the bytes "1EAD" carries the value to show.
  void getParameterDisplay(VstInt32 index, char* text) override;
  void getParameterName(VstInt32 index, char* text) override;
  bool canParameterBeAutomated(VstInt32 index) override;
  bool getParameterProperties(VstInt32 index, VstParameterProperties* p) override;
  bool getInputProperties(VstInt32 index, VstPinProperties* p) override;
  bool getOutputProperties(VstInt32 index, VstPinProperties* p) override;
  bool setSpeakerArrangement(VstSpeakerArrangement* in, VstSpeakerArrangement* out) override;
  bool getEffectName(char* name) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;
  VstInt32 getVendorVersion() override { return 1000; }
  VstInt32 canDo(char* text) override;
  VstInt32 getPlugCategory() override { return kPlugCategMastering; }
  bool isDummy(int index) override;
  // The same question for the old file and chunk format, which has the same placeholders.
  bool isDummyOld(int index) override;
  void initPresets() override;

protected:
  PresetEditorLink* presetEditor() override;
  // The lock that keeps parameter changes out of a running block.
  XPlatMutex* effectLock() const { return lock; }

private:
  // Stores the value and drives the engine; the caller holds the lock.
  void applyParameter(VstInt32 index, float value);
  // Applies values that arrived while the lock could not be had; the caller holds the lock.
  void applyPendingParameters();

  // Normalised values of every slot (placeholders included), readable without the lock.
  std::atomic<float> values[kNumParams];

  FETCompressor* engine = nullptr;
  // The editor object: lives as long as the effect, whether or not its window is open.
  PresetEditorLink* editorObject = nullptr;
  // Whether the host gives two outputs; only then (and with two distinct inputs) is the
  // engine run in stereo.
  std::atomic<bool> outputStereo{true};
  XPlatMutex* lock = nullptr;

  // Newest values that could not be applied within the lock's wait limit.
  std::atomic<float> pendingValues[kNumParams];
  std::atomic<uint32_t> pendingMask{0};
};
