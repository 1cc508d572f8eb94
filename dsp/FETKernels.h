#pragma once

// The compiled forms of the compression kernel and the choice between them.
// One kernel is built for every x86-64 processor, one more for x86-64-v3
// (AVX2) processors; both compute exactly what the plain form computes.

#include "FETBoundTable.h"
#include "FETFormulas.h"
#include "FETState.h"
#include "Filter.h"

namespace fet {

// What the kernel reads for one block besides audio and running state.
struct KernelBlock {
  BlockSetup setup;        // coefficients and switches of the block
  double ratio;            // where ratioSmoothed glides to
  double thresholdTarget;  // where thresholdSmoothed glides to
  double makeupTarget;     // where makeupSmoothed glides to
};

// One compiled form of the kernel. Each call compresses `frames` (>= 1)
// frames, updates the running state and the meter filter, and returns the
// last meter value; `table` is the engine's cache of target bounds. Every frame's inputs are read
// before its outputs are written, so in-place buffers work; outL may equal outR (left wins).
struct KernelSet {
  const char* name;
  double (*compressFloat)(const KernelBlock& block, FETRunningState& state, Filter& meter,
                          TargetBoundTable& table, const float* inL, const float* inR, float* outL,
                          float* outR, int frames);
  double (*compressDouble)(const KernelBlock& block, FETRunningState& state, Filter& meter,
                           TargetBoundTable& table, const double* inL, const double* inR,
                           double* outL, double* outR, int frames);
  // For tests: the upper bound on envelopeTarget(a, e) the kernel screens
  // with, and its approximations of atan and tanh.
  double (*targetBound)(double a, double e);
  double (*atanApprox)(double t);
  double (*tanhApprox)(double t);
};

// The kernel for every x86-64 processor (SSE2).
const KernelSet& baselineKernels();
// The x86-64-v3 kernel, or nullptr where this processor lacks AVX2 and FMA.
const KernelSet* v3Kernels();
// The fastest kernel this processor runs.
const KernelSet& bestKernels();

}  // namespace fet
