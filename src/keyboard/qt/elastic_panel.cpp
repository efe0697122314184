#include "keyboard/qt/elastic_panel.h"

namespace keyboard {

ElasticPanel::ElasticPanel(Bevel bevel, QWidget* parent) : QLabel(parent) {
  setFrameStyle(QFrame::Panel | (bevel == Bevel::kRaised ? QFrame::Raised : QFrame::Sunken));
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setIndent(4);
  // A caption is shown as it is, never read as markup.
  setTextFormat(Qt::PlainText);
}

void ElasticPanel::SetCaption(std::string_view text) {
  setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace keyboard
