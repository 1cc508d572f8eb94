#pragma once

// Access to an engine's internals for the tests and the benchmark: which
// compiled form of the kernel it runs, and its running state. The plug-in
// never uses it; it always runs the fastest form the processor supports.

#include "FETCompressor.h"
#include "FETKernels.h"

struct FETEngineAccess {
  // Makes `engine` run `kernels` from its next block on.
  static void useKernels(FETCompressor& engine, const fet::KernelSet& kernels) {
    engine.kernels = &kernels;
  }
  // The kernels `engine` runs.
  static const fet::KernelSet& kernels(const FETCompressor& engine) { return *engine.kernels; }
  // The running state, writable (for example to start from decayed envelopes).
  static FETRunningState& state(FETCompressor& engine) { return engine.state; }
};
