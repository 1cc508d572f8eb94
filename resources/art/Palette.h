// The colours of the product, shared by all pictures.
#pragma once

#include "Canvas.h"

namespace zelart::palette {

constexpr Rgba kPanelMetal = rgb255(47, 48, 51);     // dark anodised panel
constexpr Rgba kStripMetal = rgb255(33, 34, 36);     // preset bar strip
constexpr Rgba kPaint = rgb255(224, 218, 202);       // engraved label fill
constexpr Rgba kPaintDim = rgb255(160, 156, 146);    // scale numbers, small marks
constexpr Rgba kAccent = rgb255(232, 156, 58);       // amber: logo, lit lamps
constexpr Rgba kDisplayWell = rgb255(17, 18, 20);    // value display windows
constexpr Rgba kNameField = rgb255(209, 227, 238);   // preset name field
constexpr Rgba kMeterCream = rgb255(238, 228, 198);  // meter face, lit
constexpr Rgba kMeterInk = rgb255(34, 30, 26);       // meter scale
constexpr Rgba kMeterRed = rgb255(192, 44, 32);      // meter overshoot zone
constexpr Rgba kLampRed = rgb255(235, 60, 40);       // power lamp
constexpr Rgba kLedGreen = rgb255(120, 235, 90);     // button lamps
constexpr Rgba kKeycap = rgb255(58, 60, 64);         // preset bar keys

}  // namespace zelart::palette
