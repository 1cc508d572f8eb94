// VST 2.x extension of the effect base: opcodes 25 to 79 and the extended
// host-callback wrappers.
#pragma once

#include "AudioEffect.h"

class AudioEffectX : public AudioEffect {
public:
  AudioEffectX(audioMasterCallback master, VstInt32 programs, VstInt32 params)
      : AudioEffect(master, programs, params) {}

  // Handles opcodes 25 to 79 and hands the rest to the base dispatcher.
  VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                       float opt) override;

  // Questions the host asks the plug-in.
  virtual bool canParameterBeAutomated(VstInt32 /*index*/) { return true; }
  virtual bool string2parameter(VstInt32 /*index*/, char* /*text*/) { return false; }
  virtual bool getParameterProperties(VstInt32 /*index*/, VstParameterProperties* /*p*/) {
    return false;
  }
  virtual bool getProgramNameIndexed(VstInt32 /*category*/, VstInt32 /*index*/, char* /*text*/) {
    return false;
  }
  virtual bool beginSetProgram() { return false; }
  virtual bool endSetProgram() { return false; }
  virtual VstInt32 beginLoadBank(void* /*ptr*/) { return 0; }
  virtual VstInt32 beginLoadProgram(void* /*ptr*/) { return 0; }
  virtual bool getInputProperties(VstInt32 /*index*/, VstPinProperties* /*p*/) { return false; }
  virtual bool getOutputProperties(VstInt32 /*index*/, VstPinProperties* /*p*/) { return false; }
  virtual bool setSpeakerArrangement(VstSpeakerArrangement* /*in*/,
                                     VstSpeakerArrangement* /*out*/) {
    return false;
  }
  virtual bool getSpeakerArrangement(VstSpeakerArrangement** in, VstSpeakerArrangement** out);
  virtual bool setBypass(bool /*onOff*/) { return false; }
  virtual bool setPanLaw(VstInt32 /*type*/, float /*val*/) { return false; }
  virtual bool setProcessPrecision(VstInt32 /*precision*/) { return false; }
  virtual VstInt32 getNumMidiInputChannels() { return 0; }
  virtual VstInt32 getNumMidiOutputChannels() { return 0; }
  virtual VstInt32 processEvents(VstEvents* /*events*/) { return 0; }
  virtual VstInt32 startProcess() { return 0; }
  virtual VstInt32 stopProcess() { return 0; }
  virtual bool processVariableIo(void* /*varIo*/) { return false; }
  virtual VstInt32 setTotalSampleToProcess(VstInt32 value) { return value; }
  virtual VstInt32 getGetTailSize() { return 0; }
  virtual bool getEffectName(char* /*name*/) { return false; }
  virtual bool getVendorString(char* /*text*/) { return false; }
  virtual bool getProductString(char* /*text*/) { return false; }
  virtual VstInt32 getVendorVersion() { return 0; }
  virtual VstIntPtr vendorSpecific(VstInt32, VstIntPtr, void*, float) { return 0; }
  virtual VstInt32 canDo(char* /*text*/) { return 0; }
  virtual VstInt32 getVstVersion() { return kVstVersion; }
  virtual VstInt32 getPlugCategory() { return kPlugCategUnknown; }
  virtual VstInt32 getCurrentMidiProgram(VstInt32 /*channel*/, void* /*program*/) { return -1; }
  virtual VstInt32 getNextShellPlugin(char* /*name*/) { return 0; }
  virtual bool offlineNotify(void*, VstInt32, bool) { return false; }
  virtual bool offlinePrepare(void*, VstInt32) { return false; }
  virtual bool offlineRun(void*, VstInt32) { return false; }

  // Host-callback wrappers.
  virtual bool beginEdit(VstInt32 index);
  virtual bool endEdit(VstInt32 index);
  virtual bool updateDisplay();
  virtual bool sizeWindow(VstInt32 width, VstInt32 height);
  virtual bool canHostDo(char* text);
  virtual bool ioChanged();
  virtual VstInt32 getHostVendorVersion();
  virtual bool getHostVendorString(char* text);
  virtual bool getHostProductString(char* text);

  // Flag setters for the synth and silence-in-stop bits.
  virtual void isSynth(bool state = true) { setFlag(effFlagsIsSynth, state); }
  virtual void noTail(bool state = true) { setFlag(effFlagsNoSoundInStop, state); }
};
