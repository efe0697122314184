#pragma once
// controls::TabControl as a Qt widget: a tab strip over a page area whose panels the
// owner places itself (the window lays out its pages to the twip); the strip switches
// which panel is visible.
#include <QWidget>
#include <vector>

#include "controls/tab_control.h"

class QTabBar;

namespace controls {

class QtTabControl final : public QWidget, public TabControl {
 public:
  explicit QtTabControl(QWidget* parent = nullptr);

  // The panel shown for the next tab; the tab control becomes its parent. The caller
  // sets its geometry below the strip.
  void AddPage(QWidget* page);
  // Height of the strip at the top; the pages start below it.
  void SetStripHeight(int pixels);
  QTabBar* strip() const { return strip_; }

  // One tab per caption; page i belongs to tab i.
  void SetCaptions(std::string_view captions) override;
  void SetCurrTab(int index) override;
  int CurrTab() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void ShowPage(int index);

  QTabBar* strip_;
  std::vector<QWidget*> pages_;
  int stripHeight_;
};

}  // namespace controls
