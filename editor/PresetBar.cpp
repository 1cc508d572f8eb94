// The preset bar's controls: built on the open frame, their reports turned into preset
// operations, and kept in step with the preset table.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "CFrame.h"
#include "COptionMenu.h"
#include "CPresetSystemEditor.h"
#include "CPresetSystemEffect.h"
#include "CSaveLoadButton.h"
#include "CZelBitmap.h"
#include "CZelTextEdit.h"
#include "CZlKickButton.h"
#include "CZlRockerSwitch.h"
#include "PresetRecord.h"
#include "ZelImageIds.h"

namespace {

// Not among the stored images: an empty picture, so the name field and the menu draw nothing
// behind themselves and the panel's strip shows through.
constexpr int kNoPicture = 12128;
constexpr int32_t kMenuStyle = 0x1E00;  // no background colour, frame, text or drawing
constexpr int32_t kMenuEntriesPerColumn = 8;
constexpr int kButtonFrames = 3;
constexpr int kRockerFrames = 5;
// The strip the name field is centred on.
constexpr int kStripTop = 268, kStripBottom = 282;
const CColor kNameBackColor(209, 227, 238, 255);
const CColor kNameTextColor(36, 36, 32, 255);

// Name as shown: at most CPresetSystemEditor::kShownNameLength bytes.
void cutName(const char* name, char* out) {
  const size_t n = name ? strnlen(name, CPresetSystemEditor::kShownNameLength) : 0;
  std::memcpy(out, name, n);
  out[n] = 0;
}

// True when shown is what the bar shows for the stored name: the same, or the one more
// character a name typed or given by the host keeps on screen while the store keeps 23.
bool showsStoredName(const char* shown, const char* stored) {
  if (std::strcmp(shown, stored) == 0) return true;
  const size_t storedLength = std::strlen(stored);
  return storedLength == CPresetSystemEditor::kShownNameLength - 1 &&
         std::strlen(shown) == CPresetSystemEditor::kShownNameLength &&
         std::strncmp(shown, stored, storedLength) == 0;
}

template <typename Button, typename... Extra>
Button* addButton(CFrame* frame, CControlListener* listener, const CRect& rect, int32_t tag,
                  unsigned imageId, int frames, Extra... extra) {
  auto* image = new CZelBitmap(static_cast<int>(imageId));
  auto* button =
      new Button(rect, listener, tag, image->getHeight() / frames, image, CPoint(0, 0), extra...);
  image->forget();
  frame->addView(button);
  return button;
}

}  // namespace

bool CPresetSystemEditor::open(void*) {
  if (!frame || !presetEffect) return false;
  const long current = presetEffect->getPresetNo();
  char names[kNumPresets][kShownNameLength + 1];
  for (long i = 0; i < kNumPresets; ++i) {
    char raw[kPresetNameSize];
    presetEffect->copyPresetName(i, raw);
    cutName(raw, names[i]);
  }
  CZelBitmap* noPicture = new CZelBitmap(kNoPicture);

  // The name field, centred vertically on the strip for the small font.
  const int h = static_cast<int>(std::lround(kNormalFontSmall->getSize()));
  const int y0 = (kStripTop + kStripBottom - h) / 2 - 2;
  const int y1 = (kStripTop + kStripBottom + h) / 2 + 2;
  nameField = new CZelTextEdit(CRect(175, y0, 292, y1), this, kNameFieldTag, names[current],
                               noPicture, 0, false);
  nameField->setBackOffset(CPoint(175, y0));
  nameField->setBackColor(kNameBackColor);
  nameField->setFont(kNormalFontSmall);
  nameField->setFontColor(kNameTextColor);
  nameField->setFrameColor(kNameTextColor);
  nameField->setHoriAlign(kCenterText);
  frame->addView(nameField);

  // The menu: an invisible click area over the panel that opens the list of presets.
  presetMenu = new COptionMenu(CRect(293, 269, 305, 283), this, kPresetMenuTag, noPicture, nullptr,
                               kMenuStyle);
  presetMenu->setBackOffset(CPoint(293, 269));
  presetMenu->setNbItemsPerColumn(kMenuEntriesPerColumn);
  for (const auto& name : names) presetMenu->addEntry(name);
  presetMenu->setCurrent(static_cast<int32_t>(current));
  frame->addView(presetMenu);
  noPicture->forget();

  using ZelImageId::kDefaultBankButton, ZelImageId::kDefaultPresetButton;
  presetRocker =
      addButton<CZlRockerSwitch>(frame, this, CRect(313, 269, 344, 283), kPresetRockerTag,
                                 ZelImageId::kPresetRocker, kRockerFrames, int32_t{kHorizontal});
  loadBankButton = addButton<CSaveLoadButton>(frame, this, CRect(70, 269, 82, 283), kLoadBankTag,
                                              ZelImageId::kLoadBankButton, kButtonFrames);
  saveBankButton = addButton<CSaveLoadButton>(frame, this, CRect(20, 269, 32, 283), kSaveBankTag,
                                              ZelImageId::kSaveBankButton, kButtonFrames);
  defaultBankButton =
      addButton<CZlKickButton>(frame, this, CRect(32, 268, 68, 283), kDefaultBankTag,
                               kDefaultBankButton, kButtonFrames, true);
  loadPresetButton =
      addButton<CSaveLoadButton>(frame, this, CRect(150, 269, 162, 283), kLoadPresetTag,
                                 ZelImageId::kLoadPresetButton, kButtonFrames);
  savePresetButton =
      addButton<CSaveLoadButton>(frame, this, CRect(91, 269, 103, 283), kSavePresetTag,
                                 ZelImageId::kSavePresetButton, kButtonFrames);
  defaultPresetButton =
      addButton<CZlKickButton>(frame, this, CRect(104, 268, 146, 283), kDefaultPresetTag,
                               kDefaultPresetButton, kButtonFrames, true);
  recallAButton = addButton<CZlKickButton>(frame, this, CRect(374, 269, 386, 283), kRecallATag,
                                           ZelImageId::kRecallAButton, kButtonFrames, false);
  storeAButton = addButton<CZlKickButton>(frame, this, CRect(352, 269, 364, 283), kStoreATag,
                                          ZelImageId::kStoreAButton, kButtonFrames, false);
  recallBButton = addButton<CZlKickButton>(frame, this, CRect(417, 269, 429, 283), kRecallBTag,
                                           ZelImageId::kRecallBButton, kButtonFrames, false);
  storeBButton = addButton<CZlKickButton>(frame, this, CRect(395, 269, 407, 283), kStoreBTag,
                                          ZelImageId::kStoreBButton, kButtonFrames, false);
  manualButton = addButton<CZlKickButton>(frame, this, CRect(786, 269, 802, 283), kManualTag,
                                          ZelImageId::kManualButton, kButtonFrames, false);
  return true;
}

void CPresetSystemEditor::close() {
  if (fileDialog) fileDialog->cancel();
  fileDialog.reset();
  fileOperation = FileOperation::none;
  removeDialogShield();
  alert.close(frame);
  manual.end();
  manualStarting = false;
  nameField = nullptr;
  presetMenu = nullptr;
  presetRocker = nullptr;
  savePresetButton = loadPresetButton = saveBankButton = loadBankButton = nullptr;
  storeAButton = recallAButton = storeBButton = recallBButton = nullptr;
  defaultPresetButton = defaultBankButton = manualButton = nullptr;
  AEffGUIEditor::close();
}

void CPresetSystemEditor::showName(long entry, const char* name) {
  char shown[kShownNameLength + 1];
  cutName(name, shown);
  if (nameField) nameField->setText(shown);
  if (presetMenu) presetMenu->setEntry(static_cast<int32_t>(entry), shown);
}

void CPresetSystemEditor::showPresetChange() {
  if (!presetEffect || !frame) return;
  char external[kShownNameLength + 1] = {};
  bool hasExternal = false;
  {
    std::lock_guard<std::mutex> guard(externalNameLock);
    hasExternal = externalNamePending;
    externalNamePending = false;
    std::memcpy(external, externalName, sizeof external);
  }
  const long current = presetEffect->getPresetNo();
  for (long i = 0; i < kNumPresets; ++i) {
    char raw[kPresetNameSize], stored[kShownNameLength + 1];
    presetEffect->copyPresetName(i, raw);
    cutName(raw, stored);
    // A name shown with its 24th character stays while the store agrees with it.
    if (i == current && hasExternal && showsStoredName(external, stored)) {
      showName(i, external);
      continue;
    }
    if (presetMenu) {
      const char* entry = presetMenu->getEntry(static_cast<int32_t>(i));
      if (!entry || !showsStoredName(entry, stored))
        presetMenu->setEntry(static_cast<int32_t>(i), stored);
    }
    if (i == current && nameField && !showsStoredName(nameField->getText(), stored)) {
      nameField->setText(stored);
    }
  }
  if (presetMenu && presetMenu->getCurrent() != current) {
    presetMenu->setCurrent(static_cast<int32_t>(current));
  }
}

void CPresetSystemEditor::nameChangedExternal(const char* name) {
  if (!name) return;
  {
    std::lock_guard<std::mutex> guard(externalNameLock);
    cutName(name, externalName);
    externalNamePending = true;
  }
  // The next idle shows it, on the editor's thread.
  if (presetEffect) presetEffect->getParameterChanges().markPreset();
}

void CPresetSystemEditor::valueChanged(CControl* control) {
  if (!presetEffect || !control) return;
  const int32_t tag = control->getTag();
  if (tag < kNameFieldTag || tag > kManualTag) return;
  const float value = control->getValue();
  // The buttons report a press with a value above 0; a 0 is no press.
  const bool pressed = value > 0.0f;
  switch (tag) {
    case kNameFieldTag:
      if (auto* field = dynamic_cast<CTextEdit*>(control)) {
        char text[kShownNameLength + 1];
        cutName(field->getText(), text);
        field->setText(text);
        if (presetMenu)
          presetMenu->setEntry(static_cast<int32_t>(presetEffect->getPresetNo()), text);
        presetEffect->setPresetName(text);
      }
      break;
    case kPresetRockerTag: {
      if (value == 0.0f) return;  // no step, no refresh
      long n = presetEffect->getPresetNo();
      n = value > 0.0f ? std::min<long>(n + 1, kNumPresets - 1) : std::max<long>(n - 1, 0);
      char raw[kPresetNameSize], name[kShownNameLength + 1];
      presetEffect->copyPresetName(n, raw);
      cutName(raw, name);
      if (presetMenu) presetMenu->setCurrent(static_cast<int32_t>(n));
      if (nameField) nameField->setText(name);
      presetEffect->setPresetNo(n);
      presetEffect->setPresetName(name);
      break;
    }
    case kLoadBankTag:
      if (pressed) loadBank(value == 0.5f);
      break;
    case kSaveBankTag:
      if (pressed) saveBank();
      break;
    case kLoadPresetTag:
      if (pressed) loadPreset(value == 0.5f);
      break;
    case kSavePresetTag:
      if (pressed) savePreset();
      break;
    case kPresetMenuTag:
      if (auto* menu = dynamic_cast<COptionMenu*>(control)) {
        const long n = static_cast<long>(value + 0.5f);
        if (n < 0 || n >= kNumPresets || n >= menu->getNbEntries()) break;
        char title[kShownNameLength + 1];
        cutName(menu->getEntry(static_cast<int32_t>(n)), title);
        menu->setCurrent(static_cast<int32_t>(n));
        presetEffect->setPresetNo(n);
        presetEffect->setPresetName(title);
        if (nameField) nameField->setText(title);
      }
      break;
    case kDefaultBankTag:
      if (pressed) value >= 0.75f ? saveDefaultBank() : resetDefaultBank();
      break;
    case kDefaultPresetTag:
      if (pressed) value >= 0.75f ? saveDefaultPreset() : resetDefaultPreset();
      break;
    case kStoreATag:
      if (pressed) storeA();
      break;
    case kStoreBTag:
      if (pressed) storeB();
      break;
    case kRecallATag:
      if (pressed) recallA();
      break;
    case kRecallBTag:
      if (pressed) recallB();
      break;
    case kManualTag:
      if (pressed) openManual();
      break;
    default:
      break;
  }
  forceRefresh();
}
