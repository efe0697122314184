#pragma once
// The keyboard dialog's caption panels (vsElastic1, elaSBar, elaMsg): a bevelled
// panel that may hold other controls and shows its caption at the left.
#include <QLabel>

#include "controls/tab_control.h"

namespace keyboard {

class ElasticPanel final : public QLabel, public controls::CaptionPanel {
 public:
  enum class Bevel { kRaised, kSunken };
  ElasticPanel(Bevel bevel, QWidget* parent);
  void SetCaption(std::string_view text) override;
};

}  // namespace keyboard
