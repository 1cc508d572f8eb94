// A shared library that loads fine but has no VST entry point.
extern "C" __attribute__((visibility("default"))) int zelRenderTestNotAPlugin() { return 1; }
