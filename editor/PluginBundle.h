// Where the plug-in was loaded from: the folder that holds its shared library.
#pragma once

// The folder of the loaded plug-in file, or null (after saying so on standard
// output) when it cannot be found. Computed once; any thread.
const char* GetPluginBundle();
