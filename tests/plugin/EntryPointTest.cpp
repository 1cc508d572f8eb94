// The plug-in as a host sees it: the record, the dispatcher, names and displays.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "PluginHost.h"
#include "ZelParameterTable.h"

namespace {

class EntryPoint : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(host.library, nullptr) << dlerror();
    ASSERT_NE(host.entry, nullptr);
    ASSERT_NE(host.create(), nullptr);
  }
  PluginHost host;
};

TEST(EntryPointLoad, ExportsOnlyTheEntryPointAndRefusesAHostWithoutVersion) {
  PluginHost host;
  ASSERT_NE(host.library, nullptr);
  EXPECT_NE(dlsym(host.library, "VSTPluginMain"), nullptr);
  EXPECT_EQ(dlsym(host.library, "createEffectInstance"), nullptr);
  EXPECT_EQ(dlsym(host.library, "_ZN10ZelFETcompC1EPFlP7AEffectiilPvfE"), nullptr);

  PluginHost::versionAnswer = 0;
  EXPECT_EQ(host.create(), nullptr);
  PluginHost::versionAnswer = 2400;
  EXPECT_EQ(host.entry(nullptr), nullptr);
}

TEST_F(EntryPoint, RecordAfterConstruction) {
  const AEffect* e = host.effect;
  EXPECT_EQ(e->magic, kEffectMagic);
  EXPECT_EQ(e->numPrograms, 1);
  EXPECT_EQ(e->numParams, 16);
  EXPECT_EQ(e->numInputs, 2);
  EXPECT_EQ(e->numOutputs, 2);
  EXPECT_EQ(e->flags, 0x1031);  // editor, replacing, chunks, double replacing
  EXPECT_EQ(e->uniqueID, 0x4B765264);
  EXPECT_EQ(e->version, 1);
  EXPECT_EQ(e->initialDelay, 0);
  EXPECT_EQ(e->ioRatio, 1.0f);
  EXPECT_EQ(e->resvd1, 0);
  EXPECT_EQ(e->resvd2, 0);
  EXPECT_EQ(e->user, nullptr);
  EXPECT_NE(e->object, nullptr);
  EXPECT_NE(e->processReplacing, nullptr);
  EXPECT_NE(e->processDoubleReplacing, nullptr);
  for (char c : e->future) EXPECT_EQ(c, 0);
}

TEST_F(EntryPoint, FixedAnswers) {
  EXPECT_EQ(host.dispatch(effIdentify), 0x4E764566);
  EXPECT_EQ(host.dispatch(effGetVstVersion), 2400);
  EXPECT_EQ(host.dispatch(effGetVendorVersion), 1000);
  EXPECT_EQ(host.dispatch(effGetPlugCategory), 4);
  EXPECT_EQ(host.dispatch(effSetBypass, 0, 1), 0);
  EXPECT_EQ(host.dispatch(effGetCurrentMidiProgram), -1);
  EXPECT_EQ(host.dispatch(effSetTotalSampleToProcess, 0, 777), 777);
  EXPECT_EQ(host.dispatch(effGetProgram), 0);
  EXPECT_EQ(host.dispatch(effGetTailSize), 0);
  EXPECT_EQ(host.dispatch(effOpen), 0);

  // The host sees one program; selecting another changes nothing.
  EXPECT_EQ(host.dispatch(effSetProgram, 0, 1), 0);
  EXPECT_EQ(host.dispatch(effGetProgram), 0);
  EXPECT_EQ(host.dispatch(effSetProgram, 0, 0), 0);

  char text[256];
  ASSERT_EQ(host.dispatch(effGetEffectName, 0, 0, text), 1);
  EXPECT_STREQ(text, "Zel Trevalon");
  ASSERT_EQ(host.dispatch(effGetProductString, 0, 0, text), 1);
  EXPECT_STREQ(text, "Zel Trevalon - FET type compressor");
  ASSERT_EQ(host.dispatch(effGetVendorString, 0, 0, text), 1);
  EXPECT_GT(std::strlen(text), 0u);

  VstSpeakerArrangement* in = reinterpret_cast<VstSpeakerArrangement*>(1);
  VstSpeakerArrangement* out = reinterpret_cast<VstSpeakerArrangement*>(1);
  EXPECT_EQ(host.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 0);
  EXPECT_EQ(in, nullptr);
  EXPECT_EQ(out, nullptr);
}

TEST_F(EntryPoint, UnhandledAndClosedEditorOpcodesAnswerZero) {
  // Editor opcodes answer 0 while the editor is closed (open needs a window).
  const VstInt32 quiet[] = {9,  14, 15, 16, 17, 18, 19, 20, 21, 27, 28, 30, 31, 32, 36,  37,
                            38, 39, 40, 41, 43, 46, 50, 52, 53, 54, 55, 57, 59, 60, 62,  64,
                            65, 66, 67, 68, 70, 71, 72, 74, 75, 76, 77, 78, 79, 80, 500, -1};
  for (VstInt32 opcode : quiet) {
    char buffer[512] = {};
    EXPECT_EQ(host.dispatch(opcode, 0, 0, buffer), 0) << "opcode " << opcode;
  }
  // Null pointers where text or structures are expected are refused, not followed.
  for (VstInt32 opcode : {4, 5, 6, 7, 8, 13, 23, 24, 29, 33, 34, 42, 45, 47, 48, 51, 56})
    EXPECT_LE(host.dispatch(opcode, 0, 0, nullptr), 0) << "opcode " << opcode;

  ERect* rect = nullptr;
  ASSERT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->right - rect->left, 811);
  EXPECT_EQ(rect->bottom - rect->top, 286);
  EXPECT_EQ(host.dispatch(effSetEditKnobMode, 0, 2), 1);
}

TEST_F(EntryPoint, CloseDestroysTheEffect) {
  EXPECT_EQ(host.dispatch(effMainsChanged, 0, 0), 0);
  EXPECT_EQ(host.effect->dispatcher(host.effect, effClose, 0, 0, nullptr, 0.0f), 1);
  host.effect = nullptr;
}

TEST_F(EntryPoint, ParameterNamesLabelsAndAutomation) {
  const char* names[] = {"Power",  "Attack", "Release",   "-",       "ScHpfSt", "ScHpf",
                         "Ratio",  "-",      "Threshold", "Channel", "Makeup",  "Link",
                         "BlndSt", "Blend",  "-",         "-"};
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(host.paramName(i), names[i]);
    char label[64];
    std::memset(label, 'x', sizeof(label));
    host.dispatch(effGetParamLabel, i, 0, label);
    EXPECT_STREQ(label, "  ");
    const bool automatable = i != 3 && i != 7 && i < 14;
    EXPECT_EQ(host.dispatch(effCanBeAutomated, i), automatable ? 1 : 0) << i;
  }
  EXPECT_EQ(host.paramName(16), "");
  EXPECT_EQ(host.paramName(-3), "");
  EXPECT_EQ(host.paramDisplay(16), "");
  EXPECT_EQ(host.dispatch(effCanBeAutomated, 16), 0);
}

TEST_F(EntryPoint, DefaultPresetDisplays) {
  const char* expected[] = {"In",   "1.0", "100", " ",      "Off", "100",  "4.0:1", " ",
                            "-6.0", "OO",  "6.0", "Linked", "Off", "75.0", " ",     " "};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(host.paramDisplay(i), expected[i]) << "parameter " << i;
  EXPECT_FLOAT_EQ(host.effect->getParameter(host.effect, 13), 0.75f);
  EXPECT_FLOAT_EQ(host.effect->getParameter(host.effect, 14), 0.5f);
}

// The panel's switches reset to what factory preset 0 (loaded at construction) sets.
TEST_F(EntryPoint, SwitchesResetToFactoryPresetZero) {
  int switches = 0;
  for (int index = 0; index < kNumParams; ++index) {
    const ZelParameterInfo* info = zelParameterInfo(index);
    if (info->law != ZelLaw::onOff && info->law != ZelLaw::channel) continue;
    ++switches;
    EXPECT_EQ(host.effect->getParameter(host.effect, index), info->resetValue) << index;
  }
  EXPECT_EQ(switches, 5);
}

TEST_F(EntryPoint, SetParameterClampsAndDisplaysFollow) {
  AEffect* e = host.effect;
  e->setParameter(e, 6, 1.5f);
  EXPECT_EQ(e->getParameter(e, 6), 1.0f);
  EXPECT_EQ(host.paramDisplay(6), "16.0:1");
  e->setParameter(e, 6, -0.2f);
  EXPECT_EQ(e->getParameter(e, 6), 0.0f);
  e->setParameter(e, 6, std::nanf(""));
  EXPECT_EQ(e->getParameter(e, 6), 0.0f);
  EXPECT_EQ(host.paramDisplay(6), "1.0:1");

  struct Case {
    int index;
    float value;
    const char* text;
  } cases[] = {
      {9, 0.24f, "L"},         {9, 0.26f, "OO"},     {9, 0.75f, "R"},      {6, 0.5f, "4.0:1"},
      {8, 0.5f, "-12.0"},      {10, 0.25f, "0.0"},   {2, 1.0f, "1000"},    {1, 0.0f, "0.1"},
      {1, 1.0f, "10.0"},       {5, 0.0f, "10"},      {13, 0.333f, "33.3"}, {0, 0.49f, "Out"},
      {0, 0.5f, "In"},         {11, 0.2f, "Unlnkd"}, {12, 0.7f, "On"},     {4, 0.5f, "On"},
      {4, 0.49999997f, "Off"}, {8, 0.0f, "-36.0"},   {10, 1.0f, "36.0"}};
  for (const Case& c : cases) {
    e->setParameter(e, c.index, c.value);
    EXPECT_EQ(host.paramDisplay(c.index), c.text) << c.index << " at " << c.value;
  }

  // Placeholders keep what was set; 16 and beyond read 0; 17 is the meter.
  e->setParameter(e, 3, 0.3f);
  EXPECT_EQ(e->getParameter(e, 3), 0.3f);
  EXPECT_EQ(host.paramDisplay(3), " ");
  e->setParameter(e, 16, 0.7f);
  EXPECT_EQ(e->getParameter(e, 16), 0.0f);
  EXPECT_EQ(e->getParameter(e, 100), 0.0f);
  EXPECT_EQ(e->getParameter(e, 17), 1.0f);
}

TEST_F(EntryPoint, DisplayOfAValueCarriedInTheBuffer) {
  AEffect* e = host.effect;
  e->setParameter(e, 9, 0.0f);
  auto carried = [&](int index, float value) {
    char text[64] = {'1', 'E', 'A', 'D'};
    std::memcpy(text + 4, &value, sizeof(value));
    host.dispatch(effGetParamDisplay, index, 0, text);
    return std::string(text);
  };
  EXPECT_EQ(carried(9, 1.0f), "R");
  EXPECT_EQ(host.paramDisplay(9), "L");
  EXPECT_EQ(carried(6, 0.5f), "4.0:1");
  EXPECT_EQ(carried(1, 7.0f), "10.0");    // clamped to 1
  EXPECT_EQ(carried(8, -1.0f), "-36.0");  // clamped to 0
  EXPECT_EQ(carried(8, std::nanf("")), "-36.0");
  // The same value gives the same text both ways.
  for (int index : {1, 2, 5, 6, 8, 10, 13}) {
    e->setParameter(e, index, 0.37f);
    EXPECT_EQ(carried(index, 0.37f), host.paramDisplay(index)) << index;
  }
}

TEST_F(EntryPoint, ParameterProperties) {
  struct Group {
    int index;
    VstInt32 flags;
    float step, small, large;
  } groups[] = {{0, 5, 0.5f, 0.5f, 0.5f},
                {4, 5, 0.5f, 0.5f, 0.5f},
                {1, 4, 1.f / 16, 1.f / 96, 1.f / 24},
                {13, 4, 1.f / 16, 1.f / 96, 1.f / 24},
                {8, 4, 1.f / 48, 1.f / 192, 1.f / 48},
                {10, 4, 1.f / 48, 1.f / 192, 1.f / 48},
                {9, 4, 1.f / 3, 1.f / 6, 1.f / 3}};
  for (const Group& g : groups) {
    VstParameterProperties p{};
    p.minInteger = 1234;
    ASSERT_EQ(host.dispatch(effGetParameterProperties, g.index, 0, &p), 1);
    EXPECT_EQ(p.flags, g.flags);
    EXPECT_FLOAT_EQ(p.stepFloat, g.step);
    EXPECT_FLOAT_EQ(p.smallStepFloat, g.small);
    EXPECT_FLOAT_EQ(p.largeStepFloat, g.large);
    EXPECT_EQ(std::string(p.label), host.paramName(g.index));
    EXPECT_EQ(p.minInteger, 1234);  // fields it does not own stay as given
  }
  VstParameterProperties threshold{};
  host.dispatch(effGetParameterProperties, 8, 0, &threshold);
  EXPECT_STREQ(threshold.shortLabel, "Thresho");

  for (int index : {3, 7, 14, 15, 16}) {
    VstParameterProperties p;
    std::memset(&p, 0xAB, sizeof(p));
    EXPECT_EQ(host.dispatch(effGetParameterProperties, index, 0, &p), 0);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&p);
    for (size_t i = 0; i < sizeof(p); ++i) ASSERT_EQ(bytes[i], 0xAB);
  }
}

TEST_F(EntryPoint, PinsSpeakersAndCanDo) {
  VstPinProperties pin{};
  ASSERT_EQ(host.dispatch(effGetInputProperties, 1, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Zel Trevalon 2 In");
  EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
  ASSERT_EQ(host.dispatch(effGetOutputProperties, 0, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Zel Trevalon 1 Out");
  EXPECT_EQ(host.dispatch(effGetOutputProperties, 2, 0, &pin), 0);
  EXPECT_EQ(host.dispatch(effGetInputProperties, -1, 0, &pin), 0);

  auto arrange = [&](int in, int out) {
    VstSpeakerArrangement a{}, b{};
    a.numChannels = in;
    b.numChannels = out;
    return host.dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&a), &b);
  };
  EXPECT_EQ(arrange(1, 1), 1);
  EXPECT_EQ(arrange(1, 2), 1);
  EXPECT_EQ(arrange(2, 1), 0);
  EXPECT_EQ(arrange(2, 2), 1);
  EXPECT_EQ(arrange(6, 6), 0);
  EXPECT_EQ(host.dispatch(effSetSpeakerArrangement, 0, 0, nullptr), 0);

  for (const char* yes :
       {"offline", "plugAsChannelInsert", "mixDryWet", "1in1out", "1in2out", "2in2out"}) {
    char text[64] = {};
    std::strcpy(text, yes);
    EXPECT_EQ(host.dispatch(effCanDo, 0, 0, text), 1) << yes;
  }
  for (const char* no : {"receiveVstMidiEvent", "bypass", "Offline", "offline2", "2in2", ""}) {
    char text[64] = {};
    std::strcpy(text, no);
    EXPECT_EQ(host.dispatch(effCanDo, 0, 0, text), 0) << no;
  }
}

TEST_F(EntryPoint, ProgramNames) {
  EXPECT_EQ(host.programName(0), "Default");
  EXPECT_EQ(host.programName(8), "Power of Blend");
  EXPECT_EQ(host.programName(17), "Magnetizer");
  EXPECT_EQ(host.programName(47), "Init");
  EXPECT_EQ(host.programName(48), "<none>");
  EXPECT_EQ(host.programName(-1), "<none>");

  char name[64];
  std::memset(name, 'x', sizeof(name));
  host.dispatch(effGetProgramName, 0, 0, name);
  EXPECT_STREQ(name, "Default");
  EXPECT_EQ(name[25], 'x');  // 25 bytes written, no more

  // A 30-character name keeps its first 23 characters; the buffer need not be terminated.
  char longName[30];
  std::memset(longName, 'A', sizeof(longName));
  host.dispatch(effSetProgramName, 0, 0, longName);
  EXPECT_EQ(host.programName(0), std::string(23, 'A'));
  char shortName[] = "Bass";
  host.dispatch(effSetProgramName, 0, 0, shortName);
  EXPECT_EQ(host.programName(0), "Bass");
}

TEST_F(EntryPoint, FactoryPresetsAreInPlace) {
  for (int i = 18; i < 48; ++i) EXPECT_EQ(host.programName(i), "Init");
  const char* names[] = {
      "Default",     "Soft Comp",   "Density",        "Smooth Vocal", "Vocal Fast", "Vocal Slow",
      "Snare Power", "Drum Group",  "Power of Blend", "N.Y. Drums",   "Fast Limit", "Slow Limit",
      "Clean Strat", "Strong Bass", "Master Track",   "Squeezer",     "Destructor", "Magnetizer"};
  for (int i = 0; i < 18; ++i) EXPECT_EQ(host.programName(i), names[i]);
}

}  // namespace
