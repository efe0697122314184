#pragma once
// The widest-text search measuring with a Qt font, as QFontMetrics::horizontalAdvance
// gives a text's width: the Qt grid fits its columns with it.
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QString>
#include <string_view>

#include "controls/widest_text.h"

namespace controls {

inline std::u16string_view Utf16View(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.constData()),
          static_cast<std::size_t>(text.size())};
}

inline WidestText WidestTextIn(const QFont& font) {
  return WidestText(
      [fractional = QFontMetricsF(font)](char16_t unit) {
        return fractional.horizontalAdvance(QChar(unit));
      },
      [whole = QFontMetrics(font)](std::u16string_view text) {
        return whole.horizontalAdvance(QString::fromRawData(
            reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size())));
      });
}

}  // namespace controls
