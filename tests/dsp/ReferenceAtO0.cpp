#include "ReferenceAtO0.h"

#include "FETCompressorReference.h"

void referenceAtO0(FETCompressor& engine, float** inputs, float** outputs, int frames, int stereo)
{
    FETCompressorReference::processReplacing(engine, inputs, outputs, frames, stereo);
}

void referenceAtO0(FETCompressor& engine, double** inputs, double** outputs, int frames,
                   int stereo)
{
    FETCompressorReference::processDoubleReplacing(engine, inputs, outputs, frames, stereo);
}
