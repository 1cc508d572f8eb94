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
    screen->click(CPoint(298, 275));
    return menu->getPopup();
  }

  RecordingListener listener;
  COptionMenu* menu = nullptr;
};

TEST_F(OptionMenuTest, EntriesAndCurrentRefuseOutOfRangeIndices) {
  EXPECT_EQ(menu->getMax(), 47.f);
  EXPECT_FALSE(menu->setEntry(48, "x"));
  EXPECT_EQ(menu->getEntry(-1), nullptr);
  char title[5];
  EXPECT_TRUE(menu->getEntry(5, title, sizeof title));
  EXPECT_STREQ(title, "Pres") << "cut to the buffer";
  EXPECT_FALSE(menu->setCurrent(99));
  menu->setValue(11.6f);
  EXPECT_EQ(menu->getCurrent(), 12);
}

TEST_F(OptionMenuTest, ListLiesInColumnsInsideTheFrameAndIsDrawnWithTheCurrentEntryTicked) {
  COptionMenuPopup* popup = open();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(frame->getModalView(), popup);
  CRect list = popup->getListRect();
  EXPECT_TRUE(CRect(0, 0, 811, 286).rectInside(list));
  EXPECT_LE(list.bottom, 269) << "no room below the menu: opens above it";
  CRect first = popup->getEntryRect(0), ninth = popup->getEntryRect(8),
        eighth = popup->getEntryRect(7);
  EXPECT_EQ(ninth.top, first.top) << "entry 8 starts the second column";
  EXPECT_GT(ninth.left, first.left);
  EXPECT_GT(eighth.top, first.top);
  EXPECT_EQ(popup->entryAt(popup->getEntryRect(47).getCenter()), 47);
  EXPECT_EQ(popup->entryAt(CPoint(list.left - 5, list.top)), -1);

  frame->idle();
  EXPECT_EQ(pixel(static_cast<int>(list.left), static_cast<int>(list.top)), grey(80))
      << "list drawn";
  CRect current = popup->getEntryRect(5);
  int dark = 0;
  for (int x = static_cast<int>(current.left); x < current.left + current.getHeight(); ++x)
    for (int y = static_cast<int>(current.top); y < current.bottom; ++y)
      dark += pixel(x, y).red < 128;
  EXPECT_GT(dark, 0) << "tick mark";
}

TEST_F(OptionMenuTest, ClickingOrPressDragReleaseChoosesAnEntry) {
  COptionMenuPopup* popup = open();
  ASSERT_NE(popup, nullptr);
  CPoint target = popup->getEntryRect(12).getCenter();
  screen->mouseMove(target, 0);
  EXPECT_EQ(popup->getHighlighted(), 12);
  screen->click(target);
  EXPECT_FALSE(menu->isPopupOpen());
  EXPECT_EQ(frame->getModalView(), nullptr);
  EXPECT_EQ(menu->getCurrent(), 12);
  EXPECT_EQ(listener.values, std::vector<float>{12.f});
  EXPECT_EQ(editor.events, (Events{"begin 32", "end 32"}));

  screen->mouseDown(CPoint(298, 275), kLButton);
  ASSERT_NE(popup = menu->getPopup(), nullptr);
  target = popup->getEntryRect(3).getCenter();
  screen->mouseMove(target, kLButton);
  screen->mouseUp(target, kLButton);
  EXPECT_EQ(menu->getCurrent(), 3);
  EXPECT_EQ(listener.values.size(), 2u);
}

TEST_F(OptionMenuTest, ClickOutsideOrEscapeClosesWithoutChangeAndKeysChoose) {
  ASSERT_NE(open(), nullptr);
  screen->click(CPoint(805, 5));
  EXPECT_FALSE(menu->isPopupOpen());
  EXPECT_EQ(menu->getCurrent(), 5);
  ASSERT_NE(open(), nullptr);
  EXPECT_EQ(screen->keyDown(virtualKey(kVKeyEscape)), kKeyHandled);
  EXPECT_FALSE(menu->isPopupOpen());
  EXPECT_TRUE(listener.values.empty());

  ASSERT_NE(open(), nullptr);  // keys move from the current entry; right is the next column
  for (uint8_t key : {kVKeyDown, kVKeyRight, kVKeyReturn}) screen->keyDown(virtualKey(key));
  EXPECT_EQ(menu->getCurrent(), 14);
}

TEST_F(OptionMenuTest, SecondModalViewKeepsTheListClosedAndClosingTheFrameReleasesAnOpenList) {
  auto* other = new SolidView(CRect(0, 0, 10, 10), kRedCColor);
  ASSERT_TRUE(frame->setModalView(other));
  EXPECT_FALSE(menu->openPopup());
  frame->setModalView(nullptr);
  other->forget();
  EXPECT_TRUE(menu->openPopup());
  EXPECT_TRUE(listener.values.empty());
  // TearDown closes the frame with the list open; the sanitizers check what it releases.
}

}  // namespace
