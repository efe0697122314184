#include "controls/qt/qt_caption_panel.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

namespace {

using controls::QtCaptionPanel;

TEST(QtCaptionPanel, ShowsACaptionAndNothingForAnEmptyOne) {
  QtCaptionPanel panel;
  panel.resize(200, 40);
  const QImage blank = panel.grab().toImage();
  panel.SetCaption("請輸入電腦名稱");
  EXPECT_NE(panel.grab().toImage(), blank);
  panel.SetCaption("");
  EXPECT_EQ(panel.grab().toImage(), blank);
}

// A message that looks like markup is still shown as it stands, not read as markup
// that draws nothing.
TEST(QtCaptionPanel, ShowsMarkupLikeTextAsItStands) {
  QtCaptionPanel panel;
  panel.resize(200, 40);
  const QImage blank = panel.grab().toImage();
  panel.SetCaption("<b></b>");
  EXPECT_NE(panel.grab().toImage(), blank);
}

TEST(QtCaptionPanel, DrawsItsBevelOnlyWhenGivenOne) {
  QtCaptionPanel panel;
  panel.resize(200, 40);
  const QImage flat = panel.grab().toImage();
  panel.SetBevel(QtCaptionPanel::Bevel::kSunken);
  const QImage sunken = panel.grab().toImage();
  EXPECT_NE(sunken, flat);
  panel.SetBevel(QtCaptionPanel::Bevel::kRaised);
  EXPECT_NE(panel.grab().toImage(), sunken);
  panel.SetBevel(QtCaptionPanel::Bevel::kNone);
  EXPECT_EQ(panel.grab().toImage(), flat);
}

}  // namespace
