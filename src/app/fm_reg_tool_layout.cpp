// The window's controls as the designer laid them out: positions and sizes in twips
// (15 twips = 1 pixel), and the keyboard focus order across the whole window.
#include <QCheckBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <algorithm>
#include <utility>
#include <vector>

#include "app/artwork.h"
#include "app/fm_reg_tool.h"
#include "app/picture_button.h"
#include "app/text_box.h"
#include "app/window_fonts.h"
#include "controls/qt/qt_caption_panel.h"
#include "controls/qt/qt_grid.h"
#include "controls/qt/qt_tab_control.h"
#include "controls/qt/twips.h"

namespace {

using app::PictureButton;
using app::TextBox;
using controls::Pixels;
using controls::QtCaptionPanel;
using controls::QtGrid;
using controls::TwipsRect;

enum class Kind { kGrid, kCheckBox, kButton, kPictureButton, kLabel, kTextBox, kFrame };
enum class Page { kRegistry, kConnection };

struct ControlLayout {
  const char* name;
  Kind kind;
  Page page;
  const char* caption;
  int left, top, width, height;  // twips, inside the page panel
  int focusOrder;
};

// clang-format off
constexpr ControlLayout kControls[] = {
  // name               kind                 page              caption                   left   top  width height focus
  {"fgList",           Kind::kGrid,          Page::kRegistry,   "",                        120,  120, 11400, 5925,  8},
  {"chkDefault",       Kind::kCheckBox,      Page::kRegistry,   "使用預設的檔案及目錄",    120, 6000,  4695,  495, 18},
  {"cmdLoadReg",       Kind::kButton,        Page::kRegistry,   "復原Registry",            180, 6510,  2220,  600,  4},
  {"cmdReadRegFile",   Kind::kButton,        Page::kRegistry,   "讀入Registry",           2565, 6510,  2205,  600,  5},
  {"cmdSave",          Kind::kButton,        Page::kRegistry,   "存檔",                   4950, 6510,  2205,  600,  7},
  {"cmdGetCurrentReg", Kind::kButton,        Page::kRegistry,   "讀取本機Registry",       7260, 6510,  2760,  600,  3},
  {"cmdExit_0",        Kind::kButton,        Page::kRegistry,   "結束",                  10125, 6510,  1365,  600,  6},
  {"Label28",          Kind::kLabel,         Page::kConnection, "電腦名稱:",               360,  675,  2295,  315, 16},
  {"txtComputerName",  Kind::kTextBox,       Page::kConnection, "",                       2670,  615,  3195,  435, 14},
  {"cmdInputName",     Kind::kPictureButton, Page::kConnection, "...",                    5985,  615,   990,  390, 12},
  {"Frame2",           Kind::kFrame,         Page::kConnection, "作業訊息",                495, 1620,  5385, 4470, 15},
  // Not inside Frame2 but on the page, above it, within the frame's rectangle.
  {"fgUpdLog",         Kind::kGrid,          Page::kConnection, "",                        615, 1980,  5010, 3870, 13},
  {"cmdUpdINI",        Kind::kPictureButton, Page::kConnection, "修改系統參數檔",         7320, 2115,  2700,  630, 11},
  {"cmdUpdIDMENU",     Kind::kPictureButton, Page::kConnection, "修改主選單",             7320, 3105,  2700,  630, 10},
  {"cmdExit_1",        Kind::kButton,        Page::kConnection, "結束",                   8520, 6120,  2445,  600, 17},
};
// clang-format on

// The containers: the window-filling panel and tab control, and the two page panels
// below the tab strip, which is 420 twips high.
constexpr int kClientWidth = 11730, kClientHeight = 7815;
constexpr int kPageLeft = 45, kPageTop = 420, kPageWidth = 11640, kPageHeight = 7350;
constexpr int kFocusPanel = 0, kFocusTabs = 1, kFocusRegistryPage = 2, kFocusConnectionPage = 9;

QWidget* Create(const ControlLayout& entry, QWidget* page) {
  const QString caption = QString::fromUtf8(entry.caption);
  switch (entry.kind) {
    case Kind::kGrid:
      return new QtGrid(page);
    case Kind::kCheckBox:
      return new QCheckBox(caption, page);
    case Kind::kButton:
      return new QPushButton(caption, page);
    case Kind::kPictureButton:
      return new PictureButton(caption, app::PictureButtonIcon(), page);
    case Kind::kLabel: {
      auto* label = new QLabel(caption, page);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case Kind::kTextBox:
      return new TextBox(page);
    case Kind::kFrame: {
      // The caption sits on the frame's top line, so what lies within the frame's
      // rectangle (fgUpdLog) is inside the drawn frame too.
      auto* frame = new QGroupBox(caption, page);
      frame->setStyleSheet(QStringLiteral(
          "QGroupBox { border: 1px solid palette(mid); margin-top: 0.6em; }"
          "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
      return frame;
    }
  }
  return nullptr;
}

template <class T>
T* Named(const QHash<QString, QWidget*>& built, const char* name) {
  return dynamic_cast<T*>(built.value(QString::fromLatin1(name)));
}

}  // namespace

void fmRegTool::BuildControls() {
  setFixedSize(Pixels(kClientWidth), Pixels(kClientHeight));
  auto& c = controls_;
  c.vsElastic1 = new QtCaptionPanel(this);
  c.vsElastic1->setGeometry(TwipsRect(0, 0, kClientWidth, kClientHeight));
  c.tabPage = new controls::QtTabControl(c.vsElastic1);
  c.tabPage->setGeometry(TwipsRect(0, 0, kClientWidth, kClientHeight));
  c.tabPage->SetStripHeight(Pixels(kPageTop));
  c.vsElastic2 = new QtCaptionPanel;
  c.vsElastic3 = new QtCaptionPanel;
  for (QtCaptionPanel* page : {c.vsElastic2, c.vsElastic3}) {
    c.tabPage->AddPage(page);
    page->setGeometry(TwipsRect(kPageLeft, kPageTop, kPageWidth, kPageHeight));
  }
  c.tabPage->SetCaptions("Registry|連線設定");

  std::vector<std::pair<int, QWidget*>> focusOrder = {{kFocusPanel, c.vsElastic1},
                                                      {kFocusTabs, c.tabPage->strip()},
                                                      {kFocusRegistryPage, c.vsElastic2},
                                                      {kFocusConnectionPage, c.vsElastic3}};
  QHash<QString, QWidget*> built;
  for (const ControlLayout& entry : kControls) {
    QWidget* control = Create(entry, entry.page == Page::kRegistry ? c.vsElastic2 : c.vsElastic3);
    control->setObjectName(QString::fromLatin1(entry.name));
    control->setGeometry(TwipsRect(entry.left, entry.top, entry.width, entry.height));
    built.insert(control->objectName(), control);
    focusOrder.emplace_back(entry.focusOrder, control);
  }

  c.fgList = Named<QtGrid>(built, "fgList");
  c.chkDefault = Named<QCheckBox>(built, "chkDefault");
  c.cmdLoadReg = Named<QPushButton>(built, "cmdLoadReg");
  c.cmdReadRegFile = Named<QPushButton>(built, "cmdReadRegFile");
  c.cmdSave = Named<QPushButton>(built, "cmdSave");
  c.cmdGetCurrentReg = Named<QPushButton>(built, "cmdGetCurrentReg");
  c.cmdExit = {Named<QPushButton>(built, "cmdExit_0"), Named<QPushButton>(built, "cmdExit_1")};
  c.Label28 = Named<QLabel>(built, "Label28");
  c.txtComputerName = Named<TextBox>(built, "txtComputerName");
  c.cmdInputName = Named<PictureButton>(built, "cmdInputName");
  c.Frame2 = Named<QGroupBox>(built, "Frame2");
  c.fgUpdLog = Named<QtGrid>(built, "fgUpdLog");
  c.cmdUpdINI = Named<PictureButton>(built, "cmdUpdINI");
  c.cmdUpdIDMENU = Named<PictureButton>(built, "cmdUpdIDMENU");
  c.fgList->setFont(app::ListFont());

  // Panels, the frame and the label take no focus; the rest follow the focus order.
  std::stable_sort(focusOrder.begin(), focusOrder.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  QWidget* previous = nullptr;
  for (const auto& [order, control] : focusOrder) {
    if (control->focusPolicy() == Qt::NoFocus) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}
