// A warning with one "OK" button, shown beside the host without waiting for it.
#pragma once

#include <string>
#include <vector>

class ChildProcess;

// Writes message to standard error and shows it through the desktop's dialog program
// (zenity, else kdialog, else xmessage) run as `shown`. False when no program could show
// it; the caller then draws the message itself.
bool XPlatDisplayAlert(const char* message, ChildProcess& shown);

// The command line that shows message with program ("zenity", "kdialog" or "xmessage").
std::vector<std::string> alertCommandFor(const std::string& program, const char* message);
