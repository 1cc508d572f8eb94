// In-place text editing: keys, commit and cancel, focus, UTF-8 handling.
#include <initializer_list>

#include "CTextEdit.h"
#include "TextUtf8.h"
#include "ToolkitTestSupport.h"

namespace {

class TextEditTest : public OffscreenTest {
protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    openFrame(200, 60);
    edit = new CTextEdit(CRect(10, 10, 110, 30), &listener, 20, "Default");
    frame->addView(edit);
  }
  void keys(std::initializer_list<uint8_t> virts) {
    for (uint8_t v : virts) screen->keyDown(virtualKey(v));
  }
  RecordingListener listener;
  CTextEdit* edit = nullptr;
};

TEST_F(TextEditTest, ReturnOrClickElsewhereCommitsAndEscapeCancels) {
  screen->click(CPoint(50, 20));
  ASSERT_TRUE(edit->isEditing());
  EXPECT_TRUE(edit->isAllSelected());
  EXPECT_EQ(frame->getFocusView(), edit);
  screen->typeText("Vox");  // replaces the selection
  EXPECT_EQ(edit->getEditText(), "Vox");
  EXPECT_STREQ(edit->getText(), "Default") << "not committed yet";
  keys({kVKeyReturn});
  EXPECT_FALSE(edit->isEditing());
  EXPECT_STREQ(edit->getText(), "Vox");
  EXPECT_EQ(listener.values.size(), 1u);
  EXPECT_EQ(frame->getFocusView(), nullptr);

  screen->click(CPoint(50, 20));
  screen->typeText("Gone");
  keys({kVKeyEscape});
  EXPECT_STREQ(edit->getText(), "Vox");
  EXPECT_EQ(listener.values.size(), 1u);

  screen->click(CPoint(50, 20));
  screen->typeText("Kept");
  screen->click(CPoint(150, 50));  // on the background
  EXPECT_FALSE(edit->isEditing());
  EXPECT_STREQ(edit->getText(), "Kept");
  EXPECT_EQ(listener.values.size(), 2u);

  screen->click(CPoint(50, 20));
  keys({kVKeyEnter});
  EXPECT_EQ(listener.values.size(), 2u) << "an unchanged text is not reported";
  EXPECT_EQ(screen->keyDown(virtualKey(kVKeyBack)), kKeyNotHandled) << "not editing";
}

TEST_F(TextEditTest, CaretKeysAndDeletion) {
  edit->beginEditing();
  keys({kVKeyEnd, kVKeyBack});  // caret to the end, selection gone
  EXPECT_EQ(edit->getEditText(), "Defaul");
  keys({kVKeyHome, kVKeyDelete});
  EXPECT_EQ(edit->getEditText(), "efaul");
  keys({kVKeyRight, kVKeyRight});
  screen->typeText("X");
  EXPECT_EQ(edit->getEditText(), "efXaul");
  keys({kVKeyLeft, kVKeyBack, kVKeySpace});
  EXPECT_EQ(edit->getEditText(), "e Xaul");
  CKeyCode copy;
  copy.character = 'c';
  copy.modifier = kKeyModCommand;
  EXPECT_EQ(screen->keyDown(copy), kKeyHandled) << "swallowed while editing";
  keys({kVKeyHome, kVKeyBack, kVKeyEnd, kVKeyDelete});  // deleting at the ends
  EXPECT_EQ(edit->getEditText(), "e Xaul")
      << "neither Command shortcuts nor deletes at the ends change it";
}

TEST_F(TextEditTest, ListenerMaySetTheTextWhileBeingToldAndLengthIsLimited) {
  class Trimmer : public CControlListener {
  public:
    void valueChanged(CControl* c) override {
      auto* e = static_cast<CTextEdit*>(c);
      e->setText(std::string(e->getText()).substr(0, 3).c_str());
    }
  } trimmer;
  edit->setListener(&trimmer);
  edit->beginEditing();
  screen->typeText("Longer");
  keys({kVKeyReturn});
  EXPECT_STREQ(edit->getText(), "Lon");
  EXPECT_FALSE(edit->isEditing());

  edit->setText("Default");
  edit->setMaxLength(5);
  EXPECT_STREQ(edit->getText(), "Defau");
  edit->beginEditing();
  screen->typeText("abcdefgh");
  EXPECT_EQ(edit->getEditText(), "abcde");
  char small[4];
  edit->getText(small, sizeof small);
  EXPECT_STREQ(small, "Def");
}

TEST_F(TextEditTest, NonAsciiKeysBecomeUtf8AndBackspaceRemovesWholeCharacters) {
  edit->beginEditing();
  CKeyCode key;
  for (int32_t character : {0xE9, 0x20AC}) {  // é, €
    key.character = character;
    screen->keyDown(key);
  }
  EXPECT_EQ(edit->getEditText(), "\xC3\xA9\xE2\x82\xAC");
  keys({kVKeyBack});
  EXPECT_EQ(edit->getEditText(), "\xC3\xA9");
  keys({kVKeyLeft});
  EXPECT_EQ(edit->getCaretPosition(), 0u);
  frame->idle();  // draws while editing
}

TEST(TextUtf8, InvalidBytesAreReadAsLatin1) {
  const std::pair<const char*, std::string> cases[] = {
      {"abc", "abc"},
      {"\xC3\xA9", "\xC3\xA9"},
      {"\xE9t\xE9", "\xC3\xA9t\xC3\xA9"},
      {"ab\xC3", "ab\xC3\x83"},                      // sequence cut at the end
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},  // surrogates are not UTF-8
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"},              // overlong
      {nullptr, ""}};
  for (const auto& [in, out] : cases) EXPECT_EQ(toValidUtf8(in), out) << (in ? in : "null");
  EXPECT_EQ(encodeUtf8(0x110000), "\xEF\xBF\xBD");
}

}  // namespace
