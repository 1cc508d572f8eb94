#pragma once

// Plain data of the compressor engine, kept apart from the class so that the
// processing kernels can copy it into locals and back in one place.

// Engineering values derived from the normalised controls; changed only by the
// engine's setters.
struct FETControls {
  int power = 1;                             // 1 = in circuit, 0 = bypassed
  int scHpfOn = 1;                           // 1 = detector hears the high-passed side chain
  double thresholdFactor = 4.0;              // detector gain, 0.25 to 64
  double ratio = 0.5;                        // ratio setting, 0 to 1
  double attackTime = 0.022360679774997897;  // seconds, 0.001 to 0.5
  double releaseTime = 0.05;                 // seconds, 0.005 to 0.5
  int channelMode = 1;                       // 0 = left only, 1 = both, 2 = right only
  int link = 1;                              // 1 = stereo-linked gain in mode 1
  double hpfAmount = 0.0;                    // side-chain high-pass setting, 0 to 1
  double makeupGain = 0.25;                  // linear output gain, 0.25 to 64
  double blend = 0.0;                        // wet share of the parallel mix, 0 to 1
  double blendSwitch = 0.0;                  // exactly 0.0 (fully wet) or 1.0 (use blend)
};

// State that the audio path carries from sample to sample and block to block.
struct FETRunningState {
  double outState[2] = {0.0, 0.0};        // output-stage running average, L/R
  float scState[2] = {0.0f, 0.0f};        // side-chain one-pole low-pass, L/R
  float ratioSmoothed = 0.5f;             // ratio after the control smoother
  double thresholdSmoothed = 4.0;         // thresholdFactor after the smoother
  double envelope[2] = {0.0001, 0.0001};  // detector envelopes, L/R
  double makeupSmoothed = 0.25;           // makeupGain after the smoother
  double blendSmoothed = 0.0;             // wet share actually applied
};
