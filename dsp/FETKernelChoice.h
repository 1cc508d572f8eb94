#pragma once

// Chooses which compiled form of the compression kernel an engine runs, so the
// tests and the benchmark can hold each one against the plain form. Not used
// by the plug-in, which always runs the fastest form the processor supports.

#include "FETCompressor.h"
#include "FETKernels.h"

struct FETKernelChoice {
  // Makes `engine` run `kernels` from its next block on.
  static void use(FETCompressor& engine, const fet::KernelSet& kernels) {
    engine.kernels = &kernels;
  }
  // The kernels `engine` runs.
  static const fet::KernelSet& inUse(const FETCompressor& engine) { return *engine.kernels; }
};
