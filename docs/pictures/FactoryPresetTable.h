// The factory presets as a typesetter table, read from a fresh instance of the
// plug-in, so the manual shows exactly the values the panel displays.
#pragma once

#include <string>

// Writes the table (tbl source) to path; false when it cannot be written.
bool writeFactoryPresetTable(const std::string& path);
