// Preset bar keys: three frames each (normal, pointer over, pressed); the rocker has five
// (normal, pointer over left, over right, left pressed, right pressed).
#pragma once

#include "Canvas.h"

namespace zelart {

// The symbol a preset bar key carries.
enum class KeySymbol {
  Save,     // floppy disk: save bank or preset to a file
  Load,     // open folder: load bank or preset from a file
  Store,    // arrow down into a slot: store to memory A or B
  Recall,   // arrow up out of a slot: recall memory A or B
  Manual,   // question mark: open the manual
  Default,  // the word DEFAULT
};

// Draws a key strip of three frames, each width x frameHeight.
Image paintPresetKey(KeySymbol symbol, int width, int frameHeight);

// Draws the preset rocker, five frames of 31 x 14.
Image paintPresetRocker();

}  // namespace zelart
