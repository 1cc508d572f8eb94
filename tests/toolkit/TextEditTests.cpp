// In-place text editing: keys, commit and cancel, focus, UTF-8 handling.
#include "CTextEdit.h"
#include "TextUtf8.h"
#include "ToolkitTestSupport.h"

namespace {

CKeyCode virtualKey(uint8_t virt) {
  CKeyCode k;
  k.virt = virt;
  return k;
}

class TextEditTest : public OffscreenTest {
 protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    openFrame(200, 60);
    edit = new CTextEdit(CRect(10, 10, 110, 30), &listener, 20, "Default");
    frame->addView(edit);
  }
  RecordingListener listener;
  CTextEdit* edit = nullptr;
};

TEST_F(TextEditTest, ClickSelectsAllAndTypingReplacesIt) {
  screen->click(CPoint(50, 20));
  ASSERT_TRUE(edit->isEditing());
  EXPECT_TRUE(edit->isAllSelected());
  EXPECT_EQ(frame->getFocusView(), edit);
  screen->typeText("Vox");
  EXPECT_EQ(edit->getEditText(), "Vox");
  EXPECT_STREQ(edit->getText(), "Default") << "not committed yet";
  screen->keyDown(virtualKey(kVKeyReturn));
  EXPECT_FALSE(edit->isEditing());
  EXPECT_STREQ(edit->getText(), "Vox");
  ASSERT_EQ(listener.values.size(), 1u);
  EXPECT_EQ(listener.last, edit);
  EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(TextEditTest, CaretKeysAndDeletion) {
  edit->beginEditing();
  screen->keyDown(virtualKey(kVKeyEnd));  // caret to the end, selection gone
  screen->keyDown(virtualKey(kVKeyBack));
  EXPECT_EQ(edit->getEditText(), "Defaul");
  screen->keyDown(virtualKey(kVKeyHome));
  screen->keyDown(virtualKey(kVKeyDelete));
  EXPECT_EQ(edit->getEditText(), "efaul");
  screen->keyDown(virtualKey(kVKeyRight));
  screen->keyDown(virtualKey(kVKeyRight));
  screen->typeText("X");
  EXPECT_EQ(edit->getEditText(), "efXaul");
  screen->keyDown(virtualKey(kVKeyLeft));
  screen->keyDown(virtualKey(kVKeyBack));
  EXPECT_EQ(edit->getEditText(), "eXaul");
  CKeyCode space = virtualKey(kVKeySpace);
  screen->keyDown(space);
  EXPECT_EQ(edit->getEditText(), "e Xaul");
  CKeyCode copy;
  copy.character = 'c';
  copy.modifier = kKeyModCommand;
  EXPECT_EQ(screen->keyDown(copy), kKeyHandled) << "swallowed while editing";
  EXPECT_EQ(edit->getEditText(), "e Xaul") << "Command shortcuts are not text";
  // Deleting at the ends changes nothing.
  screen->keyDown(virtualKey(kVKeyHome));
  screen->keyDown(virtualKey(kVKeyBack));
  screen->keyDown(virtualKey(kVKeyEnd));
  screen->keyDown(virtualKey(kVKeyDelete));
  EXPECT_EQ(edit->getEditText(), "e Xaul");
}

TEST_F(TextEditTest, EscapeCancelsAndClickElsewhereCommits) {
  screen->click(CPoint(50, 20));
  screen->typeText("Gone");
  screen->keyDown(virtualKey(kVKeyEscape));
  EXPECT_STREQ(edit->getText(), "Default");
  EXPECT_TRUE(listener.values.empty());

  screen->click(CPoint(50, 20));
  screen->typeText("Kept");
  screen->click(CPoint(150, 50));  // on the background
  EXPECT_FALSE(edit->isEditing());
  EXPECT_STREQ(edit->getText(), "Kept");
  EXPECT_EQ(listener.values.size(), 1u);

  // Committing an unchanged text reports nothing.
  screen->click(CPoint(50, 20));
  screen->keyDown(virtualKey(kVKeyEnter));
  EXPECT_EQ(listener.values.size(), 1u);
  EXPECT_EQ(screen->keyDown(virtualKey(kVKeyBack)), kKeyNotHandled) << "not editing";
}

TEST_F(TextEditTest, ListenerMaySetTheTextWhileBeingTold) {
  class Trimmer : public CControlListener {
   public:
    void valueChanged(CControl* c) override {
      auto* e = static_cast<CTextEdit*>(c);
      std::string t = e->getText();
      e->setText(t.substr(0, 3).c_str());
    }
  } trimmer;
  edit->setListener(&trimmer);
  edit->beginEditing();
  screen->typeText("Longer");
  screen->keyDown(virtualKey(kVKeyReturn));
  EXPECT_STREQ(edit->getText(), "Lon");
  EXPECT_FALSE(edit->isEditing());
}

TEST_F(TextEditTest, MaximumLengthAndSafeCopyOut) {
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
  CKeyCode e;
  e.character = 0xE9;  // é
  screen->keyDown(e);
  e.character = 0x20AC;  // €
  screen->keyDown(e);
  EXPECT_EQ(edit->getEditText(), "\xC3\xA9\xE2\x82\xAC");
  screen->keyDown(virtualKey(kVKeyBack));
  EXPECT_EQ(edit->getEditText(), "\xC3\xA9");
  screen->keyDown(virtualKey(kVKeyLeft));
  EXPECT_EQ(edit->getCaretPosition(), 0u);
  frame->idle();  // draws while editing
}

TEST(TextUtf8, InvalidBytesAreReadAsLatin1) {
  EXPECT_EQ(toValidUtf8("abc"), "abc");
  EXPECT_EQ(toValidUtf8("\xC3\xA9"), "\xC3\xA9");
  EXPECT_EQ(toValidUtf8("\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(toValidUtf8("ab\xC3"), "ab\xC3\x83") << "sequence cut at the end";
  EXPECT_EQ(toValidUtf8("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80") << "surrogates are not UTF-8";
  EXPECT_EQ(toValidUtf8("\xC0\xAF"), "\xC3\x80\xC2\xAF") << "overlong";
  EXPECT_EQ(toValidUtf8(nullptr), "");
  EXPECT_EQ(encodeUtf8(0x110000), "\xEF\xBF\xBD");
}

}  // namespace
