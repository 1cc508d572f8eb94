#include "Layout.h"

#include "ZelImageIds.h"

#include <cmath>

namespace zelart {
namespace {

using namespace ZelImageId;

// Rectangles are (left, top, width, height) in panel pixels.
constexpr Place kPlaces[] = {
    {Control::ThresholdKnob, {246, 44, 104, 104}, kThresholdKnob, 193},
    {Control::MakeupKnob, {576, 45, 104, 104}, kMakeupKnob, 193},
    {Control::AttackKnob, {49, 48, 50, 50}, kAttackKnob, 97},
    {Control::ReleaseKnob, {150, 48, 50, 50}, kReleaseKnob, 97},
    {Control::ScHpfKnob, {49, 182, 50, 50}, kScHpfKnob, 97},
    {Control::RatioKnob, {150, 182, 50, 50}, kRatioKnob, 97},
    {Control::BlendKnob, {712, 182, 50, 50}, kBlendKnob, 97},
    {Control::PowerButton, {710, 3, 57, 107}, kPowerButton, 2},
    {Control::LinkButton, {600, 180, 62, 80.5}, kLinkButton, 2},
    {Control::BlendButton, {704, 141, 67, 24}, kBlendButton, 2},
    {Control::ScHpfButton, {47, 141, 55, 24}, kScHpfButton, 2},
    {Control::ChannelSwitch, {261, 186, 73, 66}, kChannelSwitch, 3},
    {Control::Meter, {392, 34, 145, 145}, kMeterFace, 1},
    {Control::AboutArea, {370, 210, 188, 29}, 0, 0},
    {Control::BlendDisplay, {720, 242, 35, 14}, 0, 0},
    {Control::ScHpfDisplay, {57, 242, 35, 14}, 0, 0},
    {Control::RatioDisplay, {157, 242, 31, 14}, 0, 0},
    {Control::AttackDisplay, {57, 110, 31, 14}, 0, 0},
    {Control::ReleaseDisplay, {156, 110, 35, 14}, 0, 0},
    {Control::ThresholdDisplay, {280, 155, 31, 14}, 0, 0},
    {Control::MakeupDisplay, {613, 155, 31, 14}, 0, 0},
    // The light plate the name field writes on, level with the keys; the field itself
    // centres its 11-point text on the rows 268 to 282.
    {Control::NameField, {175, 268, 117, 15}, 0, 0},
    {Control::PresetMenu, {293, 269, 12, 14}, 0, 0},
    {Control::PresetRocker, {313, 269, 31, 14}, kPresetRocker, 5},
    {Control::LoadBank, {70, 269, 12, 14}, kLoadBankButton, 3},
    {Control::SaveBank, {20, 269, 12, 14}, kSaveBankButton, 3},
    {Control::DefaultBank, {32, 268, 36, 15}, kDefaultBankButton, 3},
    {Control::LoadPreset, {150, 269, 12, 14}, kLoadPresetButton, 3},
    {Control::SavePreset, {91, 269, 12, 14}, kSavePresetButton, 3},
    {Control::DefaultPreset, {104, 268, 42, 15}, kDefaultPresetButton, 3},
    {Control::RecallA, {374, 269, 12, 14}, kRecallAButton, 3},
    {Control::StoreA, {352, 269, 12, 14}, kStoreAButton, 3},
    {Control::RecallB, {417, 269, 12, 14}, kRecallBButton, 3},
    {Control::StoreB, {395, 269, 12, 14}, kStoreBButton, 3},
    {Control::Manual, {786, 269, 16, 14}, kManualButton, 3},
};

static_assert(sizeof(kPlaces) / sizeof(kPlaces[0]) == static_cast<std::size_t>(Control::Count));

constexpr bool tableInOrder() {
  for (std::size_t i = 0; i < sizeof(kPlaces) / sizeof(kPlaces[0]); ++i)
    if (static_cast<std::size_t>(kPlaces[i].control) != i) return false;
  return true;
}
static_assert(tableInOrder(), "kPlaces must list the controls in enum order");

}  // namespace

const Place& place(Control control) { return kPlaces[static_cast<std::size_t>(control)]; }

double knobDegrees(double value) { return kKnobStartDeg + kKnobTravelDeg * value; }

Point onDial(double cx, double cy, double r, double deg) {
  const double a = deg * M_PI / 180.0;
  return {cx + r * std::sin(a), cy - r * std::cos(a)};
}

double needleDegrees(double value) { return -45.0 + 90.0 * value; }

double gainForDb(double db) { return std::pow(10.0, db / 20.0); }

}  // namespace zelart
