#include "controls/qt/qt_tab_control.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <stdexcept>

#include "controls/qt/qt_text.h"

namespace controls {
QtTabControl::QtTabControl(QWidget* parent)
    : QWidget(parent), strip_(new QTabBar(this)), stripHeight_(strip_->sizeHint().height()) {
  strip_->setDrawBase(false);
  strip_->setExpanding(false);
  connect(strip_, &QTabBar::currentChanged, this, &QtTabControl::ShowPage);
}

void QtTabControl::AddPage(QWidget* page) {
  page->setParent(this);
  pages_.push_back(page);
  ShowPage(strip_->currentIndex());
}

void QtTabControl::SetStripHeight(int pixels) {
  stripHeight_ = pixels;
  strip_->setGeometry(0, 0, width(), stripHeight_);
  update();
}

void QtTabControl::SetCaptions(std::string_view captions) {
  const QStringList texts = ToQString(captions).split(QLatin1Char('|'));
  const QSignalBlocker quiet(strip_);
  while (strip_->count() > 0) strip_->removeTab(strip_->count() - 1);
  for (const QString& text : texts) strip_->addTab(text);
  ShowPage(strip_->currentIndex());
}

void QtTabControl::SetCurrTab(int index) {
  if (index < 0 || index >= strip_->count()) throw std::out_of_range("Invalid tab index");
  strip_->setCurrentIndex(index);
  ShowPage(index);  // also when the index did not change, so the page is surely shown
}

int QtTabControl::CurrTab() const {
  return strip_->currentIndex();
}

void QtTabControl::ShowPage(int index) {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    pages_[i]->setVisible(static_cast<int>(i) == index);
  }
}

void QtTabControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  strip_->setGeometry(0, 0, width(), stripHeight_);
}

void QtTabControl::paintEvent(QPaintEvent*) {
  // The frame around the page area, joined to the strip above it.
  QPainter painter(this);
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  frame.rect = QRect(0, stripHeight_ - 1, width(), height() - stripHeight_ + 1);
  frame.shape = QTabBar::RoundedNorth;
  frame.tabBarSize = strip_->sizeHint();
  frame.selectedTabRect = strip_->tabRect(strip_->currentIndex());
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

}  // namespace controls
