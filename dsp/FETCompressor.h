#pragma once

#include "FETBoundTable.h"
#include "FETState.h"
#include "Filter.h"

#include <atomic>

struct FETCompressorReference;
struct FETEngineAccess;
namespace fet {
struct KernelSet;
}

// FET-type stereo compressor engine: controls, lifecycle and the audio path.
// Not thread-safe by itself: the owner serialises setters and process calls
// with its lock. Only getGR() may be called from another thread at any time.
class FETCompressor {
public:
  // Builds the engine with its default controls at 44100 Hz, suspended.
  FETCompressor();
  FETCompressor(const FETCompressor&) = delete;
  FETCompressor& operator=(const FETCompressor&) = delete;

  // Setters take a normalised value; NaN or below 0 counts as 0, above 1 as 1.
  // They change controls only; the audio path picks them up at the next block.

  // Switches the compressor in (from 0.5) or bypasses it.
  void setPower(float v);
  // Attack time 0.001 * 500^v seconds.
  void setAttack(float v);
  // Release time 0.005 * 100^v seconds.
  void setRelease(float v);
  // Detector hears the high-passed side chain from 0.5 on.
  void setScHpfSwitch(float v);
  // Side-chain high-pass corner setting (12.5 * 125^v Hz).
  void setHPF(float v);
  // Ratio setting (0 gentle to 1 hardest).
  void setRatio(float v);
  // Detector gain 0.25 * 256^(1 - v): +36 dB at 0 down to -12 dB at 1.
  void setThreshold(float v);
  // Channel mode: 0 = left only below 0.25, 1 = both, 2 = right only from 0.75.
  void setChannel(float v);
  // Make-up gain 0.25 * 256^v (linear).
  void setGain(float v);
  // Stereo-linked gain from 0.5 on.
  void setLink(float v);
  // Parallel blend on from 0.5 on (off = fully compressed).
  void setBlendSwitch(float v);
  // Wet share of the parallel mix while blend is on.
  void setBlend(float v);

  // Sets the sample rate (32000 to 400000 Hz, else 44100) and clears the meter
  // filter. Called while no audio is processed.
  void setSampleRate(float sr);
  // Clears the running state (meter, envelopes, output stage). No audio then.
  void suspend();
  // Prepares a new run: smoothers jump to their targets, meter filter is set
  // to a 3 Hz low-pass at the current rate. No audio then.
  void resume();
  // Sets every control to its default.
  void resetToDefault();

  // Gain-reduction meter value (1 = none; may overshoot to about 1.11).
  // Safe from any thread while audio runs.
  float getGR() const;

  // Processes one block of float audio (audio thread, under the owner's lock).
  // stereo = 0 forces left-only compression. A missing second input reads the
  // left one; a missing second output writes the left one (left result wins).
  void processReplacing(float** inputs, float** outputs, int sampleFrames, int stereo);
  // Same for double audio.
  void processDoubleReplacing(double** inputs, double** outputs, int sampleFrames, int stereo);

  // Sample rate in use (under the owner's lock, like everything below).
  float getSampleRate() const { return sampleRate; }
  // Engineering values of the controls, read-only.
  const FETControls& getControls() const { return controls; }
  // Running state (envelopes, smoothers, side chain, output stage), read-only.
  const FETRunningState& getRunningState() const { return state; }
  // The meter smoothing filter, read-only.
  const Filter& getMeterFilter() const { return meterFilter; }

private:
  friend struct FETCompressorReference;
  friend struct FETEngineAccess;

  template <class P>
  void process(const typename P::Sample* const* inputs, typename P::Sample* const* outputs,
               int sampleFrames, int stereo);
  template <class P>
  void bypass(const typename P::Sample* inL, const typename P::Sample* inR,
              typename P::Sample* outL, typename P::Sample* outR, int sampleFrames);

  float sampleRate = 44100.0f;
  std::atomic<double> grValue{1.0};  // written by the audio thread, read by any
  FETControls controls;
  FETRunningState state;
  Filter meterFilter;
  const fet::KernelSet* kernels;     // compiled form of the compression kernel in use
  fet::TargetBoundTable boundTable;  // the kernel's cache of envelope target bounds

  static_assert(std::atomic<double>::is_always_lock_free);
};
