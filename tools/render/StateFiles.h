// Preset and bank files through the plug-in's own file code, reached with its documented
// effVendorSpecific requests, so files load and save exactly as the plug-in's preset bar does.
#pragma once

#include <string>

#include "PluginHost.h"
#include "RenderStatus.h"

namespace zelrender {

// effVendorSpecific index values of the plug-in's file requests (its README documents them).
inline constexpr VstInt32 kLoadFileRequest = CCONST('Z', 'l', 'L', 'd');
inline constexpr VstInt32 kSaveFileRequest = CCONST('Z', 'l', 'S', 'v');
// Load request values: which files, plus kLoadReversed for an endian-reversed load.
inline constexpr VstIntPtr kLoadPresetOrBank = 0;
inline constexpr VstIntPtr kLoadPresetOnly = 1;
inline constexpr VstIntPtr kLoadBankOnly = 2;
// Save request values.
inline constexpr VstIntPtr kSavePreset = 0;
inline constexpr VstIntPtr kSaveBank = 1;

// Answers of the load request.
enum class LoadedFile { none = 0, preset = 1, bank = 2 };

// Asks the plug-in to load `path` (which must exist and be readable) with the request value.
Status requestLoad(const PluginHost& host, const std::string& path, VstIntPtr value,
                   LoadedFile& loaded);

// Asks the plug-in to save the current preset (bank false) or the bank to `path`.
Status requestSave(const PluginHost& host, const std::string& path, bool bank);

}  // namespace zelrender
