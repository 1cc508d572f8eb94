#include "CFontDesc.h"

namespace {
constexpr CFontDesc normalFont("Arial", 12);
constexpr CFontDesc normalFontSmall("Arial", 11);
}  // namespace

const CFontDesc* const kNormalFont = &normalFont;
const CFontDesc* const kNormalFontSmall = &normalFontSmall;
