// The widest text found from estimates must be the one shaping every text finds.
#include "controls/qt/qt_widest_text.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QStringList>
#include <algorithm>

namespace {

using controls::WidestText;

int ShapeEvery(const QFontMetrics& metrics, const QStringList& texts) {
  int widest = 0;
  for (const QString& text : texts) widest = std::max(widest, metrics.horizontalAdvance(text));
  return widest;
}

int FromEstimates(const QFont& font, const QStringList& texts) {
  WidestText widest = controls::WidestTextIn(font);
  for (int i = 0; i < texts.size(); ++i) widest.Add(i, controls::Utf16View(texts[i]));
  return widest.Width([&](int i) { return texts[i].toStdU16String(); });
}

TEST(WidestText, FindsTheWidthShapingEveryTextFinds) {
  // Kerned pairs, Chinese, mixed scripts, a tab, a character beyond the BMP, combining
  // marks, and texts close to each other in width.
  QStringList texts = {QString(),
                       "AVAVAVAVAV",
                       "WAWAWAWAWA",
                       "iiiiiiiiiiiiiiii",
                       QString::fromUtf8("修改系統參數檔"),
                       QString::fromUtf8("謝謝惠顧，歡迎再度光臨"),
                       "C:\\Program Files\\App\\Data\\file123.dat",
                       "tab\there",
                       QString::fromUtf8("𠀀𠀁 wide"),
                       QString::fromUtf8("e\u0301e\u0301e\u0301")};
  for (int i = 0; i < 500; ++i) texts.append(QString("2024/03/%1 08:30:00").arg(i % 28 + 1));
  const QFont fonts[] = {QApplication::font(), QFont("AR PL UMing TW", 14), QFont("serif", 20)};
  for (const QFont& font : fonts) {
    const QFontMetrics metrics(font);
    EXPECT_EQ(FromEstimates(font, texts), ShapeEvery(metrics, texts))
        << font.family().toStdString();
    // Each text alone as well: the widest of one is that one.
    for (const QString& text : texts) {
      EXPECT_EQ(FromEstimates(font, {text}), metrics.horizontalAdvance(text)) << text.toStdString();
    }
  }
}

TEST(WidestText, NothingOrOnlyEmptyTextsIsZeroWide) {
  EXPECT_EQ(FromEstimates(QApplication::font(), {}), 0);
  EXPECT_EQ(FromEstimates(QApplication::font(), {QString(), QString()}), 0);
}

}  // namespace
