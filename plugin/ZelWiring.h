// The one place that puts the effect and its editor object together.
#pragma once

#include "VstInterface.h"

class CPresetSystemEffect;
class PresetEditorLink;
class ZelFETcomp;

// Makes the plug-in's editor object (the panel and preset bar) for an effect.
PresetEditorLink* makeZelEditorObject(CPresetSystemEffect* effect);
// A complete instance: the effect with its editor object attached.
ZelFETcomp* createZelFETcomp(audioMasterCallback master);
