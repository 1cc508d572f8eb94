// A font description: family name, size in pixels and style bits.
#pragma once

#include <cstdint>

enum CTxtFace : int32_t {
  kNormalFace = 0,
  kBoldFace = 1 << 0,
  kItalicFace = 1 << 1,
  kUnderlineFace = 1 << 2,
};

class CFontDesc {
public:
  static constexpr int kMaxNameLength = 63;

  // Describes the family `name` (cut to 63 bytes) at `size` with `style` (CTxtFace bits).
  constexpr CFontDesc(const char* name, double size, int32_t style = kNormalFace)
      : fontSize(size), fontStyle(style) {
    int i = 0;
    for (; name && name[i] && i < kMaxNameLength; ++i) fontName[i] = name[i];
    fontName[i] = 0;
  }

  const char* getName() const { return fontName; }
  double getSize() const { return fontSize; }
  int32_t getStyle() const { return fontStyle; }
  // Changes the size / style.
  void setSize(double size) { fontSize = size; }
  void setStyle(int32_t style) { fontStyle = style; }

private:
  char fontName[kMaxNameLength + 1] = {};
  double fontSize;
  int32_t fontStyle;
};

// Stock fonts: "Arial" 12 and 11 pixels ("Arial" resolves to Liberation Sans).
extern const CFontDesc* const kNormalFont;
extern const CFontDesc* const kNormalFontSmall;
