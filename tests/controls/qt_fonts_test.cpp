#include "controls/qt/qt_fonts.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

namespace {

using controls::Font;
using controls::InstallFontSubstitutes;

// Each face the layouts name is drawn with itself where installed, otherwise with its
// substitute, and the Chinese faces draw Traditional Chinese text.
TEST(FontSubstitutes, EveryNamedFaceIsDrawnWithAnInstalledFaceOfItsKind) {
  InstallFontSubstitutes();
  const struct {
    const QString& face;
    QString substitute;
  } expected[] = {
      {controls::kKaiFace, "AR PL UKai TW"},
      {controls::kNewMingFace, "AR PL UMing TW"},
      {controls::kMingFace, "AR PL UMing TW"},
      {controls::kSerifFace, "Liberation Serif"},
  };
  for (const auto& entry : expected) {
    const QFont font = Font(entry.face, 12);
    const QString drawnWith = QFontInfo(font).family();
    EXPECT_TRUE(drawnWith == entry.face || drawnWith == entry.substitute)
        << entry.face.toStdString() << " is drawn with " << drawnWith.toStdString();
    if (entry.face != controls::kSerifFace) {
      EXPECT_TRUE(QFontMetrics(font).inFont(QChar(u'檔'))) << entry.face.toStdString();
    }
  }
}

}  // namespace
