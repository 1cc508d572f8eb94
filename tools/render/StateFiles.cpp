#include "StateFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zelrender {

Status requestLoad(const PluginHost& host, const std::string& path, VstIntPtr value,
                   LoadedFile& loaded) {
  loaded = LoadedFile::none;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    return Status::fail(ExitCode::input,
                        "cannot read preset file " + path + ": " + std::strerror(errno));
  }
  std::fclose(file);
  std::string terminated = path;  // the request carries a NUL-terminated path
  const VstIntPtr answer =
      host.dispatch(effVendorSpecific, kLoadFileRequest, value, terminated.data());
  if (answer == 1) loaded = LoadedFile::preset;
  if (answer == 2) loaded = LoadedFile::bank;
  return {};
}

Status requestSave(const PluginHost& host, const std::string& path, bool bank) {
  std::string terminated = path;
  const VstIntPtr answer = host.dispatch(effVendorSpecific, kSaveFileRequest,
                                         bank ? kSaveBank : kSavePreset, terminated.data());
  if (answer != 1) {
    return Status::fail(ExitCode::output, std::string("the plug-in could not save the ") +
                                              (bank ? "bank" : "preset") + " to " + path);
  }
  return {};
}

}  // namespace zelrender
