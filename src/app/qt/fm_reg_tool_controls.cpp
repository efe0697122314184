// The window's controls as Qt widgets, from the shared layout table: positions and
// sizes in twips (15 twips = 1 pixel), fonts, and the keyboard focus order.
#include <QCheckBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <algorithm>
#include <utility>
#include <vector>

#include "app/fm_reg_tool_layout.h"
#include "app/qt/artwork.h"
#include "app/qt/fm_reg_tool.h"
#include "app/qt/picture_button.h"
#include "app/qt/text_box.h"
#include "app/qt/window_fonts.h"
#include "controls/qt/qt_caption_panel.h"
#include "controls/qt/qt_grid.h"
#include "controls/qt/qt_tab_control.h"
#include "controls/qt/twips.h"

namespace {

using app::ControlLayout;
using app::Kind;
using app::PictureButton;
using app::TextBox;
using controls::Pixels;
using controls::QtCaptionPanel;
using controls::QtGrid;

QRect TwipsRect(const app::TwipsBox& box) {
  return controls::TwipsRect(box.left, box.top, box.width, box.height);
}

QFont FontFor(app::FontRole role) {
  switch (role) {
    case app::FontRole::kList:
      return app::ListFont();
    case app::FontRole::kPictureCaption:
      return app::PictureButtonFont();
    case app::FontRole::kWindow:
      break;
  }
  return app::WindowFont();
}

QWidget* Create(const ControlLayout& entry, QWidget* page) {
  const QString caption = QString::fromUtf8(entry.caption.data(), entry.caption.size());
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
  setFixedSize(Pixels(app::kClientWidth), Pixels(app::kClientHeight));
  auto& c = controls_;
  c.vsElastic1 = new QtCaptionPanel(this);
  c.vsElastic1->setGeometry(TwipsRect(app::kVsElastic1.box));
  c.tabPage = new controls::QtTabControl(c.vsElastic1);
  c.tabPage->setGeometry(TwipsRect(app::kTabPage.box));
  c.tabPage->SetStripHeight(Pixels(app::kTabStripHeight));
  c.vsElastic2 = new QtCaptionPanel;
  c.vsElastic3 = new QtCaptionPanel;
  for (QtCaptionPanel* page : {c.vsElastic2, c.vsElastic3}) {
    c.tabPage->AddPage(page);
    page->setGeometry(TwipsRect(app::kVsElastic2.box));
  }
  c.tabPage->SetCaptions(app::kTabCaptions);

  std::vector<std::pair<int, QWidget*>> focusOrder = {
      {app::kVsElastic1.focusOrder, c.vsElastic1},
      {app::kTabPage.focusOrder, c.tabPage->strip()},
      {app::kVsElastic2.focusOrder, c.vsElastic2},
      {app::kVsElastic3.focusOrder, c.vsElastic3}};
  QHash<QString, QWidget*> built;
  for (const ControlLayout& entry : app::ControlTable()) {
    QWidget* control =
        Create(entry, entry.page == app::Page::kRegistry ? c.vsElastic2 : c.vsElastic3);
    control->setObjectName(QString::fromLatin1(entry.name.data(), entry.name.size()));
    control->setGeometry(TwipsRect(entry.box));
    if (entry.font != app::FontRole::kWindow) control->setFont(FontFor(entry.font));
    built.insert(control->objectName(), control);
    focusOrder.emplace_back(entry.focusOrder, control);
    if (entry.command == app::Command::kNone) continue;
    auto run = [this, command = entry.command, index = entry.index] { form_->Run(command, index); };
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      connect(button, &QPushButton::clicked, this, run);
    } else if (auto* box = qobject_cast<TextBox*>(control)) {
      connect(box, &TextBox::doubleClicked, this, run);
    }
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
