#pragma once
// controls::CaptionPanel as a Qt widget: a panel that holds other controls and shows
// an optional caption. By default it is flat and centres its caption, wrapped to its
// width; a status bar's panel is bevelled and keeps its caption on one line at the
// left (QLabel's alignment, indent and word wrap set that).
#include <QLabel>

#include "controls/tab_control.h"

namespace controls {

class QtCaptionPanel final : public QLabel, public CaptionPanel {
 public:
  enum class Bevel { kNone, kRaised, kSunken };

  explicit QtCaptionPanel(QWidget* parent = nullptr);
  void SetBevel(Bevel bevel);
  void SetCaption(std::string_view text) override;
};

}  // namespace controls
