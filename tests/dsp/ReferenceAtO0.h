#pragma once

// The plain kernel compiled without optimisation, as the anchor no optimiser
// transformation can have touched (a vectoriser that drops a rounding to
// float would otherwise change the engine and its release-built reference
// alike).

class FETCompressor;

// Plain form of FETCompressor::processReplacing, built at -O0.
void referenceAtO0(FETCompressor& engine, float** inputs, float** outputs, int frames, int stereo);
// Plain form of FETCompressor::processDoubleReplacing, built at -O0.
void referenceAtO0(FETCompressor& engine, double** inputs, double** outputs, int frames,
                   int stereo);
