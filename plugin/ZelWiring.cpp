#include "ZelWiring.h"

#include "Zel245Editor.h"
#include "ZelFETcomp.h"

PresetEditorLink* makeZelEditorObject(CPresetSystemEffect* effect) {
  return new Zel245Editor(effect);
}

ZelFETcomp* createZelFETcomp(audioMasterCallback master) {
  return new ZelFETcomp(master, &makeZelEditorObject);
}
