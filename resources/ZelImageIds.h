// Numeric ids of the embedded panel and control images.
#pragma once

namespace ZelImageId {

// Preset bar (three frames: normal, pointer over, pressed; the rocker has five).
constexpr unsigned kManualButton = 989;           // 12 x 45, 3 frames of 12 x 15
constexpr unsigned kDefaultPresetButton = 19989;  // 42 x 45, 3 frames of 42 x 15
constexpr unsigned kDefaultBankButton = 19990;    // 36 x 45, 3 frames of 36 x 15
constexpr unsigned kRecallAButton = 19991;        // 12 x 42, 3 frames of 12 x 14
constexpr unsigned kRecallBButton = 19992;
constexpr unsigned kLoadBankButton = 19993;
constexpr unsigned kSaveBankButton = 19994;
constexpr unsigned kStoreAButton = 19995;
constexpr unsigned kStoreBButton = 19996;
constexpr unsigned kPresetRocker = 19997;  // 31 x 70, 5 frames of 31 x 14
constexpr unsigned kLoadPresetButton = 19998;
constexpr unsigned kSavePresetButton = 19999;

// Main panel.
constexpr unsigned kPanel = 12102;         // 811 x 286 background
constexpr unsigned kAboutPicture = 12200;  // 811 x 286

// Knob film strips: frame k of n shows the value k / (n - 1).
constexpr unsigned kThresholdKnob = 15000;  // 104 x 20072, 193 frames of 104 x 104
constexpr unsigned kMakeupKnob = 15002;
constexpr unsigned kAttackKnob = 15004;  // 50 x 4850, 97 frames of 50 x 50
constexpr unsigned kReleaseKnob = 15006;
constexpr unsigned kScHpfKnob = 15008;
constexpr unsigned kRatioKnob = 15010;
constexpr unsigned kBlendKnob = 15012;

// Switches and buttons: frame 0 off, frame 1 on (channel: L, LR, R).
constexpr unsigned kPowerButton = 15014;    // 57 x 214, 2 frames of 57 x 107
constexpr unsigned kChannelSwitch = 15016;  // 73 x 198, 3 frames of 73 x 66
constexpr unsigned kLinkButton = 15018;     // 62 x 161, 2 frames of 62 x 80.5
constexpr unsigned kBlendButton = 15030;    // 67 x 48, 2 frames of 67 x 24
constexpr unsigned kScHpfButton = 15032;    // 55 x 48, 2 frames of 55 x 24

// Gain-reduction meter, 145 x 145 each.
constexpr unsigned kMeterFaceBypassed = 15020;  // meter state 0 (Power off)
constexpr unsigned kMeterFace = 15022;          // meter state 1 (Power on)
constexpr unsigned kMeterCover = 15024;         // glass and bezel, drawn over the needle

// Every id the image store holds, in ascending order.
constexpr unsigned kAll[] = {
    kManualButton,  kPanel,         kAboutPicture,     kThresholdKnob,       kMakeupKnob,
    kAttackKnob,    kReleaseKnob,   kScHpfKnob,        kRatioKnob,           kBlendKnob,
    kPowerButton,   kChannelSwitch, kLinkButton,       kMeterFaceBypassed,   kMeterFace,
    kMeterCover,    kBlendButton,   kScHpfButton,      kDefaultPresetButton, kDefaultBankButton,
    kRecallAButton, kRecallBButton, kLoadBankButton,   kSaveBankButton,      kStoreAButton,
    kStoreBButton,  kPresetRocker,  kLoadPresetButton, kSavePresetButton,
};

}  // namespace ZelImageId
