// Pop-up menu: entries, opening as a modal list, choosing, dismissing, layout in columns.
#include <string>

#include "COptionMenu.h"
#include "COptionMenuPopup.h"
#include "ToolkitTestSupport.h"

namespace {

class OptionMenuTest : public OffscreenTest {
 protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    openFrame(811, 286);
    menu = new COptionMenu(CRect(293, 269, 305, 283), &listener, 32, nullptr, nullptr, 0x1E00);
    for (int i = 0; i < 48; ++i) menu->addEntry(("Preset " + std::to_string(i)).c_str());
    menu->setNbItemsPerColumn(8);
    menu->setCurrent(5);
    frame->addView(menu);
  }
  COptionMenuPopup* open() {
    screen->mouseDown(CPoint(298, 275), kLButton);
    screen->mouseUp(CPoint(298, 275), kLButton);
    return menu->getPopup();
  }
  CPoint centreOf(const CRect& r) const { return r.getCenter(); }

  RecordingListener listener;
  COptionMenu* menu = nullptr;
};

TEST_F(OptionMenuTest, EntriesAndCurrent) {
  EXPECT_EQ(menu->getNbEntries(), 48);
  EXPECT_EQ(menu->getCurrent(), 5);
  EXPECT_EQ(menu->getValue(), 5.f);
  EXPECT_EQ(menu->getMax(), 47.f);
  EXPECT_TRUE(menu->setEntry(5, "Renamed"));
  EXPECT_STREQ(menu->getEntry(5), "Renamed");
  EXPECT_FALSE(menu->setEntry(48, "x"));
  EXPECT_EQ(menu->getEntry(-1), nullptr);
  char title[5];
  EXPECT_TRUE(menu->getEntry(5, title, sizeof title));
  EXPECT_STREQ(title, "Rena");
  EXPECT_FALSE(menu->setCurrent(99));
  menu->setValue(11.6f);
  EXPECT_EQ(menu->getCurrent(), 12);
}

TEST_F(OptionMenuTest, ListLiesInColumnsInsideTheFrame) {
  COptionMenuPopup* popup = open();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(frame->getModalView(), popup);
  CRect list = popup->getListRect();
  EXPECT_TRUE(CRect(0, 0, 811, 286).rectInside(list));
  EXPECT_LE(list.bottom, 269) << "no room below the menu: opens above it";
  CRect first = popup->getEntryRect(0), ninth = popup->getEntryRect(8), eighth = popup->getEntryRect(7);
  EXPECT_EQ(ninth.top, first.top) << "entry 8 starts the second column";
  EXPECT_GT(ninth.left, first.left);
  EXPECT_GT(eighth.top, first.top);
  EXPECT_EQ(popup->entryAt(centreOf(popup->getEntryRect(47))), 47);
  EXPECT_EQ(popup->entryAt(CPoint(list.left - 5, list.top)), -1);
}

TEST_F(OptionMenuTest, ClickingAnEntryChoosesIt) {
  COptionMenuPopup* popup = open();
  ASSERT_NE(popup, nullptr);
  CPoint target = centreOf(popup->getEntryRect(12));
  screen->mouseMove(target, 0);
  EXPECT_EQ(popup->getHighlighted(), 12);
  screen->click(target);
  EXPECT_FALSE(menu->isPopupOpen());
  EXPECT_EQ(frame->getModalView(), nullptr);
  EXPECT_EQ(menu->getCurrent(), 12);
  EXPECT_EQ(listener.values, std::vector<float>{12.f});
  EXPECT_EQ(editor.events, (std::vector<std::string>{"begin 32", "end 32"}));
}

TEST_F(OptionMenuTest, PressDragReleaseChoosesToo) {
  screen->mouseDown(CPoint(298, 275), kLButton);
  COptionMenuPopup* popup = menu->getPopup();
  ASSERT_NE(popup, nullptr);
  CPoint target = centreOf(popup->getEntryRect(3));
  screen->mouseMove(target, kLButton);
  screen->mouseUp(target, kLButton);
  EXPECT_EQ(menu->getCurrent(), 3);
  EXPECT_EQ(listener.values.size(), 1u);
}

TEST_F(OptionMenuTest, ClickOutsideOrEscapeClosesWithoutChange) {
  ASSERT_NE(open(), nullptr);
  screen->click(CPoint(805, 5));
  EXPECT_FALSE(menu->isPopupOpen());
  EXPECT_EQ(menu->getCurrent(), 5);
  ASSERT_NE(open(), nullptr);
  CKeyCode escape;
  escape.virt = kVKeyEscape;
  EXPECT_EQ(screen->keyDown(escape), kKeyHandled);
  EXPECT_FALSE(menu->isPopupOpen());
  EXPECT_TRUE(listener.values.empty());
}

TEST_F(OptionMenuTest, KeyboardMovesFromTheCurrentEntry) {
  ASSERT_NE(open(), nullptr);
  CKeyCode key;
  key.virt = kVKeyDown;
  screen->keyDown(key);
  key.virt = kVKeyRight;  // next column
  screen->keyDown(key);
  key.virt = kVKeyReturn;
  screen->keyDown(key);
  EXPECT_EQ(menu->getCurrent(), 14);
}

TEST_F(OptionMenuTest, OpenListIsDrawnWithTheCurrentEntryTicked) {
  COptionMenuPopup* popup = open();
  ASSERT_NE(popup, nullptr);
  frame->idle();
  CRect list = popup->getListRect();
  EXPECT_EQ(pixel(static_cast<int>(list.left), static_cast<int>(list.top)), CColor(80, 80, 80));
  CRect current = popup->getEntryRect(5);
  int dark = 0;
  for (int x = static_cast<int>(current.left); x < current.left + current.getHeight(); ++x)
    for (int y = static_cast<int>(current.top); y < current.bottom; ++y) dark += pixel(x, y).red < 128;
  EXPECT_GT(dark, 0) << "tick mark";
}

TEST_F(OptionMenuTest, ClosingTheFrameWithTheListOpenReleasesEverything) {
  ASSERT_NE(open(), nullptr);
  // TearDown closes the frame; leak and use-after-free checks run under the sanitizers.
}

TEST_F(OptionMenuTest, SecondModalViewKeepsTheListClosed) {
  auto* other = new SolidView(CRect(0, 0, 10, 10), kRedCColor);
  ASSERT_TRUE(frame->setModalView(other));
  EXPECT_FALSE(menu->openPopup());
  frame->setModalView(nullptr);
  other->forget();
  EXPECT_TRUE(menu->openPopup());
  menu->closePopup();
  EXPECT_TRUE(listener.values.empty());
}

}  // namespace
