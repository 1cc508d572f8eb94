// What a plug-in instance costs while its editor is closed, as a host that holds many
// instances sees it: the built plug-in is loaded through its entry point, one instance is
// made to warm the library up, then N more are made and timed; resident memory is read from
// /proc/self/statm before and after. With --editors (needs an X display), the editors of
// two instances are opened in turn and the memory each open adds is reported.
//   zel-bench-instances [--count N] [--editors] [path/to/zel-trevalon.so]

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "VstInterface.h"

namespace {

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? kVstVersion : 0;
}

// Resident set size in KiB.
double residentKiB() {
  FILE* f = std::fopen("/proc/self/statm", "r");
  if (!f) return 0;
  long size = 0, resident = 0;
  const int read = std::fscanf(f, "%ld %ld", &size, &resident);
  std::fclose(f);
  if (read != 2) return 0;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024.0;
}

double nowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

std::string besideExecutable(const char* file) {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return file;
  path[n] = 0;
  std::string dir(path);
  return dir.substr(0, dir.rfind('/') + 1) + file;
}

void closeEffect(AEffect* effect) { effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f); }

// Opens the editors of two instances one after the other in an X window and reports the
// resident memory each open adds.
int measureEditors(VstPluginMainProc entry) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "--editors needs an X display (try xvfb-run -a)\n");
    return 1;
  }
  Window parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 811, 286, 0, 0, 0);
  XMapWindow(display, parent);
  XSync(display, False);
  void* window = reinterpret_cast<void*>(static_cast<uintptr_t>(parent));

  AEffect* effects[2] = {entry(&host), entry(&host)};
  for (int i = 0; i < 2; ++i) {
    const double before = residentKiB();
    effects[i]->dispatcher(effects[i], effEditOpen, 0, 0, window, 0.0f);
    for (int k = 0; k < 5; ++k)
      effects[i]->dispatcher(effects[i], effEditIdle, 0, 0, nullptr, 0.0f);
    std::printf("editor %d open: +%.0f KiB resident\n", i + 1, residentKiB() - before);
  }
  for (AEffect* e : effects) {
    e->dispatcher(e, effEditClose, 0, 0, nullptr, 0.0f);
    closeEffect(e);
  }
  XDestroyWindow(display, parent);
  XCloseDisplay(display);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int count = 100;
  bool editors = false;
  std::string path;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--count") && i + 1 < argc)
      count = std::max(1, std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "--editors"))
      editors = true;
    else
      path = argv[i];
  }
  if (path.empty()) path = besideExecutable("zel-trevalon.so");

  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), dlerror());
    return 1;
  }
  VstPluginMainProc entry = nullptr;
  void* symbol = dlsym(library, "VSTPluginMain");
  std::memcpy(&entry, &symbol, sizeof entry);
  if (!entry) {
    std::fprintf(stderr, "%s has no VSTPluginMain\n", path.c_str());
    return 1;
  }

  const double coldStart = nowMs();
  AEffect* warm = entry(&host);
  const double coldMs = nowMs() - coldStart;
  if (!warm) return 1;

  std::vector<AEffect*> effects;
  effects.reserve(static_cast<size_t>(count));
  const double rssBefore = residentKiB();
  const double start = nowMs();
  for (int i = 0; i < count; ++i) effects.push_back(entry(&host));
  const double elapsed = nowMs() - start;
  const double rssAfter = residentKiB();

  std::printf("first instance: %.2f ms\n", coldMs);
  std::printf("%d instances: %.3f ms and %.1f KiB resident per instance (editor closed)\n", count,
              elapsed / count, (rssAfter - rssBefore) / count);

  const double closeStart = nowMs();
  for (AEffect* e : effects) closeEffect(e);
  std::printf("closing: %.3f ms per instance\n", (nowMs() - closeStart) / count);
  closeEffect(warm);

  return editors ? measureEditors(entry) : 0;
}
