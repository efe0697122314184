#include "controls/qt/qt_fonts.h"

#include <QFontDatabase>

namespace controls {

void InstallFontSubstitutes() {
  const struct {
    const QString& family;
    const char* substitute;
  } substitutes[] = {
      {kKaiFace, "AR PL UKai TW"},
      {kNewMingFace, "AR PL UMing TW"},
      {kMingFace, "AR PL UMing TW"},
      {kSerifFace, "Liberation Serif"},
  };
  for (const auto& entry : substitutes) {
    if (!QFontDatabase::hasFamily(entry.family)) {
      QFont::insertSubstitution(entry.family, QString::fromUtf8(entry.substitute));
    }
  }
}

QFont Font(const QString& family, qreal points, QFont::Weight weight) {
  QFont font(family);
  font.setPointSizeF(points);
  font.setWeight(weight);
  return font;
}

}  // namespace controls
