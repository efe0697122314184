#include "controls/qt/qt_tab_control.h"

#include <gtest/gtest.h>

#include <QTabBar>

namespace {

using controls::QtTabControl;

class QtTabControlTest : public testing::Test {
 protected:
  QtTabControlTest() {
    tabs.AddPage(first);
    tabs.AddPage(second);
    tabs.SetCaptions("Registry|連線設定");
    tabs.show();
  }
  QtTabControl tabs;
  QWidget* first = new QWidget;
  QWidget* second = new QWidget;
};

TEST_F(QtTabControlTest, TakesOneTabPerCaptionFirstPageFirst) {
  ASSERT_EQ(tabs.strip()->count(), 2);
  EXPECT_EQ(tabs.strip()->tabText(0), QString("Registry"));
  EXPECT_EQ(tabs.strip()->tabText(1), QString("連線設定"));
  EXPECT_EQ(first->parentWidget(), &tabs);
}

TEST_F(QtTabControlTest, SelectingAPageShowsItsPanelOnly) {
  tabs.SetCurrTab(1);
  EXPECT_EQ(tabs.CurrTab(), 1);
  EXPECT_FALSE(first->isVisible());
  EXPECT_TRUE(second->isVisible());
  tabs.SetCurrTab(0);
  EXPECT_TRUE(first->isVisible());
  EXPECT_FALSE(second->isVisible());
}

TEST_F(QtTabControlTest, ClickingATabSwitchesThePanelToo) {
  tabs.strip()->setCurrentIndex(1);
  EXPECT_TRUE(second->isVisible());
  EXPECT_FALSE(first->isVisible());
}

TEST_F(QtTabControlTest, ANonexistentPageIsRefusedAndTheCurrentOneStays) {
  EXPECT_THROW(tabs.SetCurrTab(2), std::out_of_range);
  EXPECT_THROW(tabs.SetCurrTab(-1), std::out_of_range);
  EXPECT_EQ(tabs.CurrTab(), 0);
  EXPECT_TRUE(first->isVisible());
}

}  // namespace
