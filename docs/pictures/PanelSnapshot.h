// The plug-in's panel as a picture: one instance, its editor opened offscreen with
// a steady tone running through the effect so the meter shows some reduction.
#pragma once

#include <string>

// Writes the panel to pngPath; false (with a line on stderr) when it cannot.
bool writePanelSnapshot(const std::string& pngPath);
