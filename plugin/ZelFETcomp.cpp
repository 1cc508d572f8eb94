#include "ZelFETcomp.h"

#include <cstdio>
#include <cstring>

#include "AEffEditor.h"
#include "FETCompressor.h"
#include "PresetEditorLink.h"
#include "XPlatMutex.h"
#include "ZelParameterTable.h"

namespace {

const char* const kCanDo[] = {"offline", "plugAsChannelInsert", "mixDryWet", "1in1out", "1in2out",
                              "2in2out"};

constexpr uint32_t kValueInBuffer = 0x44414531;  // the bytes "1EAD" in memory order

// Below 0 or not a number gives 0, above 1 gives 1.
float clampNormalised(float v) { return zelClampNormalised(v); }

static_assert(kZelStepIsSwitch == kVstParameterIsSwitch);
static_assert(kZelStepUsesFloat == kVstParameterUsesFloatStep);

// Pin labels read "Zel Trevalon 1 In", "Zel Trevalon 2 Out" and so on.
void writePin(const char* direction, VstInt32 index, VstPinProperties* p) {
  std::snprintf(p->label, sizeof(p->label), "Zel Trevalon %1d %s", static_cast<int>(index + 1),
                direction);
  p->flags = kVstPinIsActive | kVstPinIsStereo;
}

}  // namespace

ZelFETcomp::ZelFETcomp(audioMasterCallback master, PresetEditorFactory makeEditor)
    : CPresetSystemEffect(master) {
  for (auto& v : values) v.store(0.0f);
  for (auto& v : pendingValues) v.store(0.0f);
  lock = XPlatCreateMutex();
  engine = new FETCompressor();
  engine->resetToDefault();
  values[kUnused14].store(0.0f);
  values[kUnused15].store(0.0f);

  setNumInputs(2);
  setNumOutputs(2);
  canProcessReplacing(true);
  canDoubleReplacing(true);
  setUniqueID(CCONST('K', 'v', 'R', 'd'));
  setInitialDelay(0);
  outputStereo.store(true);

  initPresets();
  loadDefaults();
  setPresetNo(0);

  // The editor object registers itself as the effect's editor when it is made.
  if (makeEditor) editorObject = makeEditor(this);
  // Now the user's stored default bank and preset apply too (a host's chunk overrides them).
  if (editorObject) loadDefaults();

  suspend();
  resume();
  suspend();
}

ZelFETcomp::~ZelFETcomp() {
  XPlatDeleteMutex(lock);
  lock = nullptr;
  // The host has closed the editor by now; release it before the engine it never touches.
  setEditor(nullptr);
  delete editorObject;
  editorObject = nullptr;
  delete engine;
  engine = nullptr;
}

PresetEditorLink* ZelFETcomp::presetEditor() { return editorObject; }

void ZelFETcomp::suspend() {
  XPlatLockGuard guard(lock, kXPlatWaitForever);
  engine->suspend();
  if (editor) editor->suspend();
}

void ZelFETcomp::resume() {
  CPresetSystemEffect::resume();
  XPlatLockGuard guard(lock, kXPlatWaitForever);
  engine->setSampleRate(getSampleRate());
  engine->resume();
}

void ZelFETcomp::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
  if (!inputs || !outputs || !inputs[0] || !outputs[0] || sampleFrames < 1) return;
  XPlatLockGuard guard(lock, kXPlatWaitForever);
  applyPendingParameters();
  const int stereo =
      outputStereo.load(std::memory_order_relaxed) && inputs[1] && inputs[1] != inputs[0];
  engine->processReplacing(inputs, outputs, sampleFrames, stereo);
}

void ZelFETcomp::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
  if (!inputs || !outputs || !inputs[0] || !outputs[0] || sampleFrames < 1) return;
  XPlatLockGuard guard(lock, kXPlatWaitForever);
  applyPendingParameters();
  const int stereo =
      outputStereo.load(std::memory_order_relaxed) && inputs[1] && inputs[1] != inputs[0];
  engine->processDoubleReplacing(inputs, outputs, sampleFrames, stereo);
}

void ZelFETcomp::setParameter(VstInt32 index, float value) {
  const float v = clampNormalised(value);
  XPlatLockGuard guard(lock, kParameterLockWaitMs);
  if (!guard.locked()) {
    // The audio thread kept the lock too long: keep the newest value and let the
    // next block (or the next parameter change) apply it under the lock.
    if (index >= 0 && index < kNumParams) {
      pendingValues[index].store(v, std::memory_order_relaxed);
      pendingMask.fetch_or(1u << index, std::memory_order_acq_rel);
      if (!isPresetLoading()) CPresetSystemEffect::setParameter(index, v);
      parameterChanges.record(index, v);
    }
    return;
  }
  applyPendingParameters();
  applyParameter(index, v);
  if (!isPresetLoading()) CPresetSystemEffect::setParameter(index, v);
  // The editor shows the change at its next idle, on its own thread.
  parameterChanges.record(index, v);
  if (editor) editor->setParameter(index, v);
}

void ZelFETcomp::applyPendingParameters() {
  uint32_t mask = pendingMask.exchange(0, std::memory_order_acq_rel);
  for (VstInt32 index = 0; mask != 0; ++index, mask >>= 1) {
    if (!(mask & 1u)) continue;
    const float v = pendingValues[index].load(std::memory_order_relaxed);
    applyParameter(index, v);
    parameterChanges.record(index, v);
    if (editor) editor->setParameter(index, v);
  }
}

void ZelFETcomp::applyParameter(VstInt32 index, float v) {
  if (index < 0 || index >= kNumParams) return;
  values[index].store(v, std::memory_order_relaxed);
  switch (index) {
    case kPower:
      // Power is one setting for all presets.
      for (long p = 0; p < kNumPresets; ++p) setPresetValue(p, kPower, v);
      engine->setPower(v);
      break;
    case kAttack:
      engine->setAttack(v);
      break;
    case kRelease:
      engine->setRelease(v);
      break;
    case kScHpfSwitch:
      engine->setScHpfSwitch(v);
      break;
    case kScHpf:
      engine->setHPF(v);
      break;
    case kRatio:
      engine->setRatio(v);
      break;
    case kThreshold:
      engine->setThreshold(v);
      break;
    case kChannel:
      engine->setChannel(v);
      break;
    case kMakeup:
      engine->setGain(v);
      break;
    case kLink:
      engine->setLink(v);
      break;
    case kBlendSwitch:
      engine->setBlendSwitch(v);
      break;
    case kBlend:
      engine->setBlend(v);
      break;
    default:
      break;  // placeholders only keep their value
  }
}

float ZelFETcomp::getParameter(VstInt32 index) {
  if (index == kGainReductionReadout) return engine->getGR();
  if (index < 0 || index >= kNumParams) return 0.0f;
  const float v = values[index].load(std::memory_order_relaxed);
  return zelIsPlaceholder(index) ? v : clampNormalised(v);
}

void ZelFETcomp::getParameterLabel(VstInt32 index, char* label) {
  std::strcpy(label, zelHostLabel(index));
}

void ZelFETcomp::getParameterName(VstInt32 index, char* text) {
  const ZelParameterInfo* info = zelParameterInfo(index);
  std::strcpy(text, info ? info->name : "");
}

void ZelFETcomp::getParameterDisplay(VstInt32 index, char* text) {
  uint32_t tag;
  std::memcpy(&tag, text, sizeof(tag));
  float v;
  if (tag == kValueInBuffer) {
    std::memcpy(&v, text + 4, sizeof(v));
    v = clampNormalised(v);
  } else {
    v = getParameter(index);
  }
  zelHostDisplayText(index, v, text);
}

bool ZelFETcomp::canParameterBeAutomated(VstInt32 index) {
  const ZelParameterInfo* info = zelParameterInfo(index);
  return info && info->automatable;
}

bool ZelFETcomp::getParameterProperties(VstInt32 index, VstParameterProperties* p) {
  const ZelParameterInfo* info = zelParameterInfo(index);
  if (!info || !info->steps) return false;
  std::memset(p->label, 0, sizeof(p->label));
  std::strcpy(p->label, info->name);
  std::memset(p->shortLabel, 0, sizeof(p->shortLabel));
  std::strcpy(p->shortLabel, info->shortName);
  p->flags = info->steps->flags;
  p->stepFloat = info->steps->step;
  p->smallStepFloat = info->steps->smallStep;
  p->largeStepFloat = info->steps->largeStep;
  return true;
}

bool ZelFETcomp::getInputProperties(VstInt32 index, VstPinProperties* p) {
  if (index < 0 || index > 1) return false;
  writePin("In", index, p);
  return true;
}

bool ZelFETcomp::getOutputProperties(VstInt32 index, VstPinProperties* p) {
  if (index < 0 || index > 1) return false;
  writePin("Out", index, p);
  return true;
}

bool ZelFETcomp::setSpeakerArrangement(VstSpeakerArrangement* in, VstSpeakerArrangement* out) {
  if (!in || !out) return false;
  const VstInt32 numIn = in->numChannels;
  const VstInt32 numOut = out->numChannels;
  if (numIn == 1 && (numOut == 1 || numOut == 2)) {
    outputStereo.store(numOut == 2);
    return true;
  }
  outputStereo.store(true);
  return numIn == 2 && numOut == 2;
}

bool ZelFETcomp::getEffectName(char* name) {
  std::strcpy(name, "Zel Trevalon");
  return true;
}

bool ZelFETcomp::getVendorString(char* text) {
  std::strcpy(text, "zel-trevalon.audio");
  return true;
}

bool ZelFETcomp::getProductString(char* text) {
  std::strcpy(text, "Zel Trevalon - FET type compressor");
  return true;
}

VstInt32 ZelFETcomp::canDo(char* text) {
  for (const char* answer : kCanDo) {
    // Compare no further than the answer and its NUL: the host's text may be unterminated.
    if (std::strncmp(text, answer, std::strlen(answer) + 1) == 0) return 1;
  }
  return 0;
}

// Presets store the real controls only.
bool ZelFETcomp::isDummy(int index) {
  const ZelParameterInfo* info = zelParameterInfo(index);
  return index >= 0 && !(info && info->automatable);
}

bool ZelFETcomp::isDummyOld(int index) { return isDummy(index); }
