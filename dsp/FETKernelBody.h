// The compression kernel for one instruction set (see FETLanes.h); no include
// guard. It runs the plain form's per-sample steps in chunks of frames, pass
// by pass, with every value computed by the same operations in the same order:
//   1. controls and side chain (serial, cheap): smoothers, e and K, x, d;
//   2. feed-forward targets that may be needed, in a row;
//   3. envelopes and meter (serial): the attack half of an envelope step runs
//      only where the bound table cannot rule out a rise;
//   4. make-up and saturation, atan and tanh lanes gathered apart;
//   5. mix, output-stage running average (serial, cheap) and shape, its atan
//      and tanh lanes gathered apart.
// Where the float path rounds a libm result to float, vector approximations
// give the exact float and libm runs only where they cannot be sure.
// Results that are known exactly are not recomputed: a repeated target or
// shape argument, a zero saturation input, gains of tiny envelopes, and decay
// steps that cannot change a decayed state.

// In this order, each building on the ones before:
#include "FETLanes.h"

#include "FETTargetBound.h"

#include "FETVectorMath.h"

#include "FETKernelRun.h"

#include "FETKernelEnvelopes.h"

#include "FETKernelOutput.h"

namespace fet::ZEL_ISA {

template <class P>
double compress(const KernelBlock& block, FETRunningState& state, Filter& meter,
                TargetBoundTable& table, const typename P::Sample* inL,
                const typename P::Sample* inR, typename P::Sample* outL, typename P::Sample* outR,
                int frames) {
  Run r(block, state, meter, table);
  Chunk c;
  for (int start = 0; start < frames; start += kChunk) {
    const int n = frames - start < kChunk ? frames - start : kChunk;
    if (controlsAtRest(r))
      controlsAndSideChain<P, true>(r, inL + start, inR + start, n, c);
    else
      controlsAndSideChain<P, false>(r, inL + start, inR + start, n, c);
    feedForwardTargets(r, c);
    envelopesAndMeter<P>(r, c, n);
    saturation<P>(r, c, n);
    mixAndOutput<P>(r, c, n, outL + start, outR + start);
  }
  state = r.s;
  meter = r.meter;
  return r.meterValue;
}

double compressFloat(const KernelBlock& block, FETRunningState& state, Filter& meter,
                     TargetBoundTable& table, const float* inL, const float* inR, float* outL,
                     float* outR, int frames) {
  return compress<SinglePrecision>(block, state, meter, table, inL, inR, outL, outR, frames);
}

double compressDouble(const KernelBlock& block, FETRunningState& state, Filter& meter,
                      TargetBoundTable& table, const double* inL, const double* inR, double* outL,
                      double* outR, int frames) {
  return compress<DoublePrecision>(block, state, meter, table, inL, inR, outL, outR, frames);
}

double targetBound(double a, double e) { return targetUpper(broadcast(a), broadcast(e))[0]; }
double atanOne(double t) { return atanApprox(broadcast(t))[0]; }
double tanhOne(double t) { return tanhApprox(broadcast(t))[0]; }

}  // namespace fet::ZEL_ISA
