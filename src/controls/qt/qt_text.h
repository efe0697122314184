#pragma once
// UTF-8 texts of the controls' interfaces to and from Qt's strings.
#include <QString>
#include <string>
#include <string_view>

namespace controls {

inline QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string ToUtf8(const QString& text) {
  return text.toStdString();
}

}  // namespace controls
