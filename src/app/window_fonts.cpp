#include "app/window_fonts.h"

#include <QFontDatabase>

namespace app {
namespace {

const QString kKai = QStringLiteral("標楷體");
const QString kNewMing = QStringLiteral("新細明體");
const QString kMing = QStringLiteral("細明體");

QFont Font(const QString& family, qreal points) {
  QFont font(family);
  font.setPointSizeF(points);
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace

void InstallFontSubstitutes() {
  const struct {
    const QString& family;
    const char* substitute;
  } substitutes[] = {
      {kKai, "AR PL UKai TW"},
      {kNewMing, "AR PL UMing TW"},
      {kMing, "AR PL UMing TW"},
  };
  for (const auto& entry : substitutes) {
    if (!QFontDatabase::hasFamily(entry.family)) {
      QFont::insertSubstitution(entry.family, QString::fromUtf8(entry.substitute));
    }
  }
}

QFont WindowFont() {
  return Font(kKai, 14.25);
}
QFont ListFont() {
  return Font(kNewMing, 12);
}
QFont PictureButtonFont() {
  return Font(kMing, 12);
}

}  // namespace app
