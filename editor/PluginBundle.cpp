#include "PluginBundle.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>

namespace {

std::string findBundle() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&GetPluginBundle), &info) || !info.dli_fname) return {};
  std::string path = info.dli_fname;
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

}  // namespace

const char* GetPluginBundle() {
  static const std::string bundle = [] {
    std::string found = findBundle();
    if (found.empty()) std::printf("Could not determine bundle location.\n");
    return found;
  }();
  return bundle.empty() ? nullptr : bundle.c_str();
}
