#include "ZelFETcomp.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "AEffEditor.h"
#include "FETCompressor.h"
#include "PresetEditorLink.h"
#include "ValueText.h"
#include "XPlatMutex.h"

namespace {

const char* const kParameterNames[kNumParams] = {
    "Power",     "Attack",  "Release", "-",    "ScHpfSt", "ScHpf", "Ratio", "-",
    "Threshold", "Channel", "Makeup",  "Link", "BlndSt",  "Blend", "-",     "-"};

const char* const kCanDo[] = {"offline", "plugAsChannelInsert", "mixDryWet", "1in1out", "1in2out",
                              "2in2out"};

constexpr uint32_t kValueInBuffer = 0x44414531;  // the bytes "1EAD" in memory order

bool isPlaceholder(VstInt32 index) {
  return index == kUnused3 || index == kUnused7 || index == kUnused14 || index == kUnused15;
}

// Below 0 or not a number gives 0, above 1 gives 1.
float clampNormalised(float v) {
  if (!(v >= 0.0f)) return 0.0f;
  return v > 1.0f ? 1.0f : v;
}

// Switch position: v + 0.5 truncated, in single precision.
int roundedPosition(float v) { return static_cast<int>(v + 0.5f); }

struct StepGroup {
  VstInt32 flags;
  float step, smallStep, largeStep;
};

constexpr StepGroup kSwitchSteps{kVstParameterIsSwitch | kVstParameterUsesFloatStep, 0.5f, 0.5f,
                                 0.5f};
constexpr StepGroup kFineSteps{kVstParameterUsesFloatStep, 1.0f / 16, 1.0f / 96, 1.0f / 24};
constexpr StepGroup kDecibelSteps{kVstParameterUsesFloatStep, 1.0f / 48, 1.0f / 192, 1.0f / 48};
constexpr StepGroup kThreeWaySteps{kVstParameterUsesFloatStep, 1.0f / 3, 1.0f / 6, 1.0f / 3};

const StepGroup* stepGroupFor(VstInt32 index) {
  switch (index) {
    case kPower:
    case kScHpfSwitch:
    case kLink:
    case kBlendSwitch:
      return &kSwitchSteps;
    case kAttack:
    case kRelease:
    case kScHpf:
    case kRatio:
    case kBlend:
      return &kFineSteps;
    case kThreshold:
    case kMakeup:
      return &kDecibelSteps;
    case kChannel:
      return &kThreeWaySteps;
    default:
      return nullptr;
  }
}

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
  return isPlaceholder(index) ? v : clampNormalised(v);
}

void ZelFETcomp::getParameterLabel(VstInt32, char* label) { std::strcpy(label, "  "); }

void ZelFETcomp::getParameterName(VstInt32 index, char* text) {
  if (index < 0 || index >= kNumParams) {
    text[0] = 0;
    return;
  }
  std::strcpy(text, kParameterNames[index]);
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
  displayText(index, v, text);
}

void ZelFETcomp::displayText(VstInt32 index, float v, char* text) const {
  const double dv = v;
  switch (index) {
    case kPower:
      std::strcpy(text, roundedPosition(v) != 0 ? "In" : "Out");
      return;
    case kAttack:
      float2string2(static_cast<float>(0.1 * std::pow(100.0, dv)), 1, text);
      return;
    case kRelease:
    case kScHpf:
      float2string2(static_cast<float>(10.0 * std::pow(100.0, dv)), 0, text);
      return;
    case kScHpfSwitch:
      std::strcpy(text, static_cast<int>(dv + 0.5) != 0 ? "On" : "Off");
      return;
    case kRatio:
      float2string2(static_cast<float>(std::pow(16.0, dv)), 1, text);
      std::strcat(text, ":1");
      return;
    case kThreshold:
      float2string2(static_cast<float>(48.0 * dv - 36.0), 1, text);
      return;
    case kChannel: {
      const int position = roundedPosition(2.0f * v);
      std::strcpy(text, position == 0 ? "L" : position == 1 ? "OO" : "R");
      return;
    }
    case kMakeup:
      float2string2(static_cast<float>(48.0 * dv - 12.0), 1, text);
      return;
    case kLink:
      std::strcpy(text, roundedPosition(v) != 0 ? "Linked" : "Unlnkd");
      return;
    case kBlendSwitch:
      std::strcpy(text, roundedPosition(v) != 0 ? "On" : "Off");
      return;
    case kBlend:
      float2string2(static_cast<float>(100.0 * dv), 1, text);
      return;
    default:
      std::strcpy(text, index >= 0 && index < kNumParams ? " " : "");
      return;
  }
}

bool ZelFETcomp::canParameterBeAutomated(VstInt32 index) {
  return index >= 0 && index <= kBlend && !isPlaceholder(index);
}

bool ZelFETcomp::getParameterProperties(VstInt32 index, VstParameterProperties* p) {
  const StepGroup* group = stepGroupFor(index);
  if (!group) return false;
  std::memset(p->label, 0, sizeof(p->label));
  std::strcpy(p->label, kParameterNames[index]);
  std::memset(p->shortLabel, 0, sizeof(p->shortLabel));
  std::strncpy(p->shortLabel, kParameterNames[index], kVstMaxShortLabelLen - 1);
  p->flags = group->flags;
  p->stepFloat = group->step;
  p->smallStepFloat = group->smallStep;
  p->largeStepFloat = group->largeStep;
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

bool ZelFETcomp::isDummy(int index) { return isPlaceholder(index) || index > kBlend; }

bool ZelFETcomp::isDummyOld(int index) { return isDummy(index); }
