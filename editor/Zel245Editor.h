// The plug-in's editor object (named after its panel design, revision 2.45): an
// 811 x 286 bitmap panel in the host's window, with its own lock around opening,
// closing and the open-state idle work.
#pragma once

#include "CPresetSystemEditor.h"
#include "ZelParameters.h"

class CAbout;
class CBitmap;
class CControl;
class COldVuMeter2;
class ZelValueDisplay;
class ZelValueEntry;
struct XPlatMutex;

class Zel245Editor : public CPresetSystemEditor {
public:
  static constexpr unsigned int kEditorLockWaitMs = 500;

  explicit Zel245Editor(CPresetSystemEffect* owner);
  ~Zel245Editor() override;

  // UI thread: builds the frame in the host's window; false for a null window.
  bool open(void* window) override;
  // UI thread: releases the frame and every view; nothing when closed.
  void close() override;
  // UI thread: shows parameter changes recorded since the last idle, feeds the meter and
  // redraws dirty views.
  void idle() override;
  // UI thread: a control moved by the user. Tags 0 to 15 automate their parameter; a click
  // on a value display opens its entry field, whose typed value is then applied.
  void valueChanged(CControl* control) override;
  // Any thread, inside the effect's lock. Touches no view: the effect has recorded the
  // change, and the next idle shows it.
  void setParameter(VstInt32 index, float value) override;
  void suspend() override {}
  void resume() override {}

  bool isOpen() const { return frame != nullptr; }
  // While open: the control of a parameter (null for placeholders), the value display of a
  // parameter (null where there is none), the meter, the about box, the open entry field.
  CControl* getParameterControl(int index) const;
  ZelValueDisplay* getValueDisplay(int index) const;
  COldVuMeter2* getMeter() const { return meter; }
  CAbout* getAboutBox() const { return aboutBox; }
  ZelValueEntry* getValueEntry() const { return valueEntry; }
  // The lock around opening, closing and the open-state idle work.
  XPlatMutex* getEditorLock() const { return editorLock; }

private:
  // UI thread, editor lock held, editor open: moves recorded changes into the controls.
  void showParameterChanges();
  // UI thread: puts a parameter's value on its control and display.
  void showParameter(int index, float value);
  // UI thread, while opening: the knobs, displays, buttons, switch, meter and about box.
  void buildPanel();
  void addKnobs();
  void addDisplays();
  void addSwitches();
  void addMeterAndAbout();
  // UI thread, editor open: the meter follows parameter 17 and Power, unless the about
  // picture covers it.
  void feedMeter();
  // UI thread: an entry field over the display of parameter index / its typed text applied.
  void openValueEntry(int index);
  void applyValueEntry(ZelValueEntry* entry);
  // UI thread: removes an entry field that has stopped editing.
  void dropFinishedValueEntry();
  // Forgets every control reference (the frame owns the controls).
  void clearControls();

  // The panel's controls, by parameter index; null while closed and for placeholders.
  CControl* parameterControls[kNumParams] = {};
  ZelValueDisplay* valueDisplays[kNumParams] = {};
  COldVuMeter2* meter = nullptr;
  CAbout* aboutBox = nullptr;
  ZelValueEntry* valueEntry = nullptr;

  CBitmap* background = nullptr;
  XPlatMutex* editorLock = nullptr;
};
