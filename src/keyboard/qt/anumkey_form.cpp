#include "keyboard/qt/anumkey_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProxyStyle>
#include <QScreen>
#include <string>

#include "common/failure.h"
#include "common/trap.h"
#include "controls/qt/qt_caption_panel.h"
#include "controls/qt/qt_fonts.h"
#include "controls/qt/qt_text.h"
#include "controls/qt/twips.h"
#include "keyboard/anumkey_layout.h"
#include "keyboard/entry_points.h"
#include "keyboard/qt/key_button.h"
#include "keyboard/qt/key_codes.h"
#include "keyboard/qt/key_pictures.h"

namespace keyboard {
namespace {

using controls::kTwipsPerPixel;
using controls::Pixels;
using controls::TwipsRect;

// The screen the dialog is placed on: the primary one.
QRect ScreenArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) common::Raise(common::err::kDeviceIo, "No screen is attached.");
  return screen->geometry();
}

QRect Place(const layout::Box& box) {
  return TwipsRect(box.left, box.top, box.width, box.height);
}

QFont Font(const layout::Face& face) {
  return controls::Font(controls::ToQString(face.family), face.points,
                        face.bold ? QFont::Bold : QFont::Normal);
}

QColor Colour(const layout::Colour& colour) {
  return QColor(colour.red, colour.green, colour.blue);
}

// A masked display shows "*" for every character, and shows it at once.
class StarMaskStyle final : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return '*';
    if (hint == SH_LineEdit_PasswordMaskDelay) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

// The dialog's caption panels are bevelled and keep a caption on one line at the
// left, as a status bar does.
controls::QtCaptionPanel* NewPanel(const char* name, controls::QtCaptionPanel::Bevel bevel,
                                   QWidget* parent) {
  auto* panel = new controls::QtCaptionPanel(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->SetBevel(bevel);
  panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  panel->setIndent(4);
  panel->setWordWrap(false);
  return panel;
}

}  // namespace

frmANumKey::frmANumKey() : handPicture_(HandPressingKeyPicture()) {
  // The dialog may be the first window built (it is also used without the main one).
  controls::InstallFontSubstitutes();
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(Pixels(layout::kWidth), Pixels(layout::kHeight));
  QPalette background = palette();
  background.setColor(QPalette::Window, Colour(layout::kBackground));
  setPalette(background);
  setAutoFillBackground(true);

  BuildDisplay();
  BuildKeys();
  BuildStatusBar();
  // The native window exists from now on, so its frame is part of the size that
  // PlaceBottomRight reads on the first show too.
  winId();
}

void frmANumKey::BuildDisplay() {
  txtDisp_ = new QLineEdit(this);
  txtDisp_->setObjectName(QStringLiteral("txtDisp"));
  txtDisp_->setGeometry(Place(layout::kDisplay));
  // A widget does not own its style; the dialog does, and deletes it after the box.
  auto* mask = new StarMaskStyle;
  mask->setParent(this);
  txtDisp_->setStyle(mask);
  txtDisp_->setFont(Font(layout::kDisplayFace));
  QPalette yellow = txtDisp_->palette();
  yellow.setColor(QPalette::Base, Colour(layout::kDisplayBackground));
  yellow.setColor(QPalette::Text, Qt::black);
  txtDisp_->setPalette(yellow);
  // All typing goes through the dialog's key handling; the box takes none of its own.
  txtDisp_->setReadOnly(true);
  txtDisp_->setFocusPolicy(Qt::NoFocus);
}

// Letter keys go on vsElastic1, the others on the dialog itself.
void frmANumKey::BuildKeys() {
  vsElastic1_ = NewPanel("vsElastic1", controls::QtCaptionPanel::Bevel::kRaised, this);
  vsElastic1_->setGeometry(Place(layout::kLetterPanel));
  for (const layout::Key& place : layout::Keys()) {
    const bool letter = place.kind == layout::KeyKind::kLetter;
    auto* key = new KeyButton(controls::ToQString(place.caption), Font(layout::KeyFace(place.kind)),
                              handPicture_, letter ? static_cast<QWidget*>(vsElastic1_) : this);
    key->setGeometry(Place(place.place));
    key->setObjectName(QString::fromStdString(layout::ControlName(place)));
    connect(key, &QPushButton::clicked, this,
            [this, kind = place.kind, index = place.index] { keys_.Click(kind, index); });
    if (letter) cmdAlpha_[place.index] = key;
    if (place.kind == layout::KeyKind::kBack) key->SetFacePicture(LeftArrowPicture());
    if (place.kind == layout::KeyKind::kEnter) cmdEnter_ = key;
  }
}

void frmANumKey::BuildStatusBar() {
  elaSBar_ = NewPanel("elaSBar", controls::QtCaptionPanel::Bevel::kRaised, this);
  elaSBar_->setGeometry(Place(layout::kStatusBar));
  elaMsg_ = NewPanel("elaMsg", controls::QtCaptionPanel::Bevel::kSunken, elaSBar_);
  elaMsg_->setGeometry(Place(layout::kMessageLine));
  elaMsg_->setFont(Font(layout::kMessageFace));
}

void frmANumKey::Form_Load() noexcept {
  common::TrapShow("frmNumKey_Form_Load", [&] {
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
    SetMessage(kLoadMessage);
  });
}

void frmANumKey::SetTitle(std::string_view title) {
  setWindowTitle(controls::ToQString(title));
}

void frmANumKey::ShowModal() {
  FocusAcceptKey();
  exec();
}

void frmANumKey::SetMessage(std::string_view text) {
  elaMsg_->SetCaption(text);
}

void frmANumKey::SetMasked(bool masked) {
  txtDisp_->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
}

void frmANumKey::SetDisplayFontSize(double points) {
  QFont font = txtDisp_->font();
  font.setPointSizeF(points);
  txtDisp_->setFont(font);
}

std::string frmANumKey::DisplayText() const {
  return controls::ToUtf8(txtDisp_->text());
}

void frmANumKey::SetDisplayText(std::string_view text) {
  txtDisp_->setText(controls::ToQString(text));
}

std::string frmANumKey::AlphaCaption(int index) const {
  const auto key = cmdAlpha_.find(index);
  if (key == cmdAlpha_.end()) {
    common::Raise(common::err::kSubscriptOutOfRange,
                  "No letter key has the index " + std::to_string(index) + ".");
  }
  return controls::ToUtf8(key->second->text());
}

void frmANumKey::FocusAcceptKey() {
  cmdEnter_->setFocus();
}

void frmANumKey::HideDialog() {
  hide();
}

// Key preview: a key press reaches the handlers once, at the control that has the
// focus (or the dialog when none has), before that control sees it. A swallowed
// character goes no further.
bool frmANumKey::eventFilter(QObject* watched, QEvent* event) {
  QWidget* const receiver = focusWidget() != nullptr ? focusWidget() : this;
  if (event->type() != QEvent::KeyPress || watched != receiver) {
    return QDialog::eventFilter(watched, event);
  }
  const PressedKey pressed = FromQt(*static_cast<QKeyEvent*>(event));
  keys_.Form_KeyDown(pressed.keyCode);
  if (!pressed.charCode) return false;
  int charCode = *pressed.charCode;
  keys_.Form_KeyPress(charCode);
  return charCode == 0;
}

// Escape and Enter are the key handlers' alone; the dialog adds no reaction of its own.
void frmANumKey::keyPressEvent(QKeyEvent* event) {
  QWidget::keyPressEvent(event);
}

void frmANumKey::closeEvent(QCloseEvent* event) {
  unloaded_ = true;
  QDialog::closeEvent(event);
}

int frmANumKey::ScreenWidth() const {
  return ScreenArea().width() * kTwipsPerPixel;
}
int frmANumKey::ScreenHeight() const {
  return ScreenArea().height() * kTwipsPerPixel;
}
int frmANumKey::OuterWidth() const {
  return frameGeometry().width() * kTwipsPerPixel;
}
int frmANumKey::OuterHeight() const {
  return frameGeometry().height() * kTwipsPerPixel;
}

// Positions count from the screen's top-left corner.
void frmANumKey::SetLeft(int twips) {
  move(ScreenArea().left() + Pixels(twips), pos().y());
}

void frmANumKey::SetTop(int twips) {
  move(pos().x(), ScreenArea().top() + Pixels(twips));
}

}  // namespace keyboard
