#include "controls/qt/qt_caption_panel.h"

#include "controls/qt/qt_text.h"

namespace controls {

QtCaptionPanel::QtCaptionPanel(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignCenter);
  setWordWrap(true);
  // A caption is shown as it is, never read as markup.
  setTextFormat(Qt::PlainText);
}

void QtCaptionPanel::SetBevel(Bevel bevel) {
  switch (bevel) {
    case Bevel::kNone:
      setFrameStyle(QFrame::NoFrame);
      break;
    case Bevel::kRaised:
      setFrameStyle(QFrame::Panel | QFrame::Raised);
      break;
    case Bevel::kSunken:
      setFrameStyle(QFrame::Panel | QFrame::Sunken);
      break;
  }
}

void QtCaptionPanel::SetCaption(std::string_view text) {
  setText(ToQString(text));
}

}  // namespace controls
