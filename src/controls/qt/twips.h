#pragma once
// The window's and the keyboard dialog's layouts are given in twips: 15 to a
// device-independent pixel.
#include <QRect>
#include <QtMath>

namespace controls {

inline constexpr int kTwipsPerPixel = 15;

inline int Pixels(int twips) {
  return qRound(twips / static_cast<double>(kTwipsPerPixel));
}

inline QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(Pixels(left), Pixels(top), Pixels(width), Pixels(height));
}

}  // namespace controls
