#include "Images.h"

#include "AboutArt.h"
#include "ButtonArt.h"
#include "KnobArt.h"
#include "MeterArt.h"
#include "PanelArt.h"
#include "PresetBarArt.h"

#include "ZelImageIds.h"

#include <map>

namespace zelart {
namespace {

using namespace ZelImageId;

constexpr ImageFormat kSpecs[] = {
    {kManualButton, 12, 45, 3, "manual-key"},
    {kPanel, 811, 286, 1, "panel"},
    {kAboutPicture, 811, 286, 1, "about"},
    {kThresholdKnob, 104, 20072, 193, "threshold-knob"},
    {kMakeupKnob, 104, 20072, 193, "makeup-knob"},
    {kAttackKnob, 50, 4850, 97, "attack-knob"},
    {kReleaseKnob, 50, 4850, 97, "release-knob"},
    {kScHpfKnob, 50, 4850, 97, "sc-filter-knob"},
    {kRatioKnob, 50, 4850, 97, "ratio-knob"},
    {kBlendKnob, 50, 4850, 97, "blend-knob"},
    {kPowerButton, 57, 214, 2, "power-toggle"},
    {kChannelSwitch, 73, 198, 3, "channel-switch"},
    {kLinkButton, 62, 161, 2, "link-toggle"},
    {kMeterFaceBypassed, 145, 145, 1, "meter-face-bypassed"},
    {kMeterFace, 145, 145, 1, "meter-face"},
    {kMeterCover, 145, 145, 1, "meter-cover"},
    {kBlendButton, 67, 48, 2, "blend-button"},
    {kScHpfButton, 55, 48, 2, "sc-filter-button"},
    {kDefaultPresetButton, 42, 45, 3, "default-preset-key"},
    {kDefaultBankButton, 36, 45, 3, "default-bank-key"},
    {kRecallAButton, 12, 42, 3, "recall-a-key"},
    {kRecallBButton, 12, 42, 3, "recall-b-key"},
    {kLoadBankButton, 12, 42, 3, "load-bank-key"},
    {kSaveBankButton, 12, 42, 3, "save-bank-key"},
    {kStoreAButton, 12, 42, 3, "store-a-key"},
    {kStoreBButton, 12, 42, 3, "store-b-key"},
    {kPresetRocker, 31, 70, 5, "preset-rocker"},
    {kLoadPresetButton, 12, 42, 3, "load-preset-key"},
    {kSavePresetButton, 12, 42, 3, "save-preset-key"},
};

static_assert(std::size(kSpecs) == std::size(kAll));

// Draws one image; knob strips and keys that look alike are drawn once and copied.
class Workshop {
public:
  Workshop() : metal_(paintPanelMetal()) {}

  Image draw(const ImageFormat& format) {
    switch (format.id) {
      case kPanel:
        return paintPanel(metal_);
      case kAboutPicture:
        return paintAbout(metal_);
      case kThresholdKnob:
      case kMakeupKnob:
        return shared(KnobKind::Large, format);
      case kAttackKnob:
      case kReleaseKnob:
      case kScHpfKnob:
      case kRatioKnob:
      case kBlendKnob:
        return shared(KnobKind::Small, format);
      case kPowerButton:
        return paintPowerButton();
      case kLinkButton:
        return paintLinkButton();
      case kChannelSwitch:
        return paintChannelSwitch();
      case kBlendButton:
      case kScHpfButton:
        return paintLatchButton(format.width);
      case kMeterFace:
        return paintMeterFace(metal_, true);
      case kMeterFaceBypassed:
        return paintMeterFace(metal_, false);
      case kMeterCover:
        return paintMeterCover();
      case kSaveBankButton:
      case kSavePresetButton:
        return key(KeySymbol::Save, format);
      case kLoadBankButton:
      case kLoadPresetButton:
        return key(KeySymbol::Load, format);
      case kStoreAButton:
      case kStoreBButton:
        return key(KeySymbol::Store, format);
      case kRecallAButton:
      case kRecallBButton:
        return key(KeySymbol::Recall, format);
      case kManualButton:
        return key(KeySymbol::Manual, format);
      case kDefaultBankButton:
      case kDefaultPresetButton:
        return key(KeySymbol::Default, format);
      case kPresetRocker:
        return paintPresetRocker();
      default:
        return Image(format.width, format.height);
    }
  }

private:
  Image copy(const Image& image) { return image.crop(0, 0, image.width(), image.height()); }

  Image shared(KnobKind kind, const ImageFormat& format) {
    auto found = knobs_.find(kind);
    if (found == knobs_.end())
      found = knobs_.emplace(kind, paintKnobStrip(kind, format.frames)).first;
    return copy(found->second);
  }

  Image key(KeySymbol symbol, const ImageFormat& format) {
    return paintPresetKey(symbol, format.width, format.height / format.frames);
  }

  Image metal_;
  std::map<KnobKind, Image> knobs_;
};

}  // namespace

std::span<const ImageFormat> imageFormats() { return kSpecs; }

std::vector<RenderedImage> renderAll() {
  Workshop workshop;
  std::vector<RenderedImage> images;
  for (const ImageFormat& format : kSpecs) images.push_back({&format, workshop.draw(format)});
  return images;
}

}  // namespace zelart
