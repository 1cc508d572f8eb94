// The plain kernel compiled without optimisation, as the anchor no optimiser
// transformation can have touched (a vectoriser that drops a rounding to float
// would otherwise change the engine and its release-built reference alike).

#include "FETCompressorReference.h"

void referenceAtO0(FETCompressor& engine, float** in, float** out, int frames, int stereo) {
  FETCompressorReference::processReplacing(engine, in, out, frames, stereo);
}

void referenceAtO0(FETCompressor& engine, double** in, double** out, int frames, int stereo) {
  FETCompressorReference::processDoubleReplacing(engine, in, out, frames, stereo);
}
