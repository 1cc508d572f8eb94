// Shows a control value as text over its background; a value-to-text function may format it.
#pragma once

#include "CColor.h"
#include "CControl.h"
#include "CDrawContext.h"
#include "CFontDesc.h"

// Style bits of text views (combinable).
enum CParamDisplayStyle : int32_t {
  k3DIn = 1 << 0,               // sunken edge
  k3DOut = 1 << 1,              // raised edge
  kShadowText = 1 << 2,         // text with a shadow
  kTransparencyStyle = 1 << 9,  // no background colour
  kNoFrame = 1 << 10,           // no frame around the background colour
  kNoTextStyle = 1 << 11,       // no text
  kNoDrawStyle = 1 << 12,       // draws nothing at all
};

// Writes the text for value into text (256 bytes); false leaves the default format.
using CParamDisplayValueToStringProc = bool (*)(float value, char* text, void* userData);

class CParamDisplay : public CControl {
public:
  static constexpr size_t kTextSize = 256;

  CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);
  ~CParamDisplay() override;

  // Background (bitmap from the background offset, else the background colour and frame),
  // then the value's text.
  void draw(CDrawContext* context) override;

  void setFont(const CFontDesc* font);
  const CFontDesc& getFont() const { return font; }
  void setFontColor(const CColor& color);
  CColor getFontColor() const { return fontColor; }
  void setBackColor(const CColor& color);
  CColor getBackColor() const { return backColor; }
  void setFrameColor(const CColor& color);
  CColor getFrameColor() const { return frameColor; }
  void setShadowColor(const CColor& color);
  CColor getShadowColor() const { return shadowColor; }
  void setHoriAlign(CHoriTxtAlign align);
  CHoriTxtAlign getHoriAlign() const { return horiAlign; }
  void setStyle(int32_t newStyle);
  int32_t getStyle() const { return style; }
  void setAntialias(bool state) { antialias = state; }

  // Text function with its user argument (null restores the default "%2.2f").
  void setValueToStringProc(CParamDisplayValueToStringProc proc, void* userData = nullptr);
  // The text shown for value.
  void getDisplayText(float value, char text[kTextSize]) const;

protected:
  // Draws the background part of the view.
  virtual void drawBack(CDrawContext* context);
  // Draws text in the view's font, colour and alignment.
  virtual void drawText(CDrawContext* context, const char* text);

  CParamDisplayValueToStringProc valueToString = nullptr;
  void* valueToStringUserData = nullptr;
  CHoriTxtAlign horiAlign = kCenterText;
  int32_t style;
  CFontDesc font = *kNormalFont;
  CColor fontColor = kWhiteCColor;
  CColor backColor = kBlackCColor;
  CColor frameColor = kBlackCColor;
  CColor shadowColor = CColor(0, 0, 0, 160);
  bool antialias = true;
};
