// Parameter indices of the effect; editor control tags 0 to 15 are the same numbers.
#pragma once

enum ZelParameter {
  kPower = 0,
  kAttack = 1,
  kRelease = 2,
  kUnused3 = 3,
  kScHpfSwitch = 4,
  kScHpf = 5,
  kRatio = 6,
  kUnused7 = 7,
  kThreshold = 8,
  kChannel = 9,
  kMakeup = 10,
  kLink = 11,
  kBlendSwitch = 12,
  kBlend = 13,
  kUnused14 = 14,
  kUnused15 = 15,
  kNumParams = 16,
  kGainReductionReadout = 17,
};
