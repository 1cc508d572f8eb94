// Real pointer and key events through the X server (XTest), for scripted screenshots.
#pragma once

#include <string>

namespace zelhost {

class HostWindow;

// Moves the pointer to (x, y) in the window and clicks the left button; false without XTest.
bool clickInWindow(HostWindow& window, int x, int y);
// Types the printable ASCII characters of text (with Shift where the keyboard needs it);
// false without XTest or for a character the keyboard lacks.
bool typeIntoWindow(HostWindow& window, const std::string& text);

}  // namespace zelhost
