#pragma once
// The Windows faces that the window's and the keyboard dialog's layouts name. Where a
// face is missing, Qt is told to draw it with an installed one: the Traditional
// Chinese faces with the AR PL faces of the same style, Times New Roman with
// Liberation Serif, which has its metrics.
#include <QFont>
#include <QString>

namespace controls {

inline const QString kKaiFace = QStringLiteral("標楷體");
inline const QString kNewMingFace = QStringLiteral("新細明體");
inline const QString kMingFace = QStringLiteral("細明體");
inline const QString kSerifFace = QStringLiteral("Times New Roman");

// Call after the QApplication exists and before a window using these faces is built;
// calling it again changes nothing.
void InstallFontSubstitutes();

QFont Font(const QString& family, qreal points, QFont::Weight weight = QFont::Normal);

}  // namespace controls
