#include "keyboard/qt/numkey_dialog.h"

#include <QGuiApplication>
#include <QScreen>

#include "common/failure.h"
#include "controls/qt/qt_text.h"
#include "controls/qt/twips.h"
#include "keyboard/qt/anumkey_form.h"

namespace keyboard {
namespace {

using controls::kTwipsPerPixel;
using controls::Pixels;

// The screen the dialog is placed on: the primary one.
QRect ScreenArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) common::Raise(common::err::kDeviceIo, "No screen is attached.");
  return screen->geometry();
}

}  // namespace

NumKeyDialog::NumKeyDialog() = default;
NumKeyDialog::~NumKeyDialog() = default;

bool NumKeyDialog::ShowInput(std::string& text, std::optional<std::string> defaultText) {
  return keyboard::ShowInput(*this, text, std::move(defaultText));
}

bool NumKeyDialog::ShowInput2(std::string& text, std::string_view header,
                              std::optional<std::string> defaultText) {
  return keyboard::ShowInput2(*this, text, header, std::move(defaultText));
}

bool NumKeyDialog::EnterPWD(std::string& text, std::optional<std::string> defaultText) {
  return keyboard::EnterPWD(*this, text, std::move(defaultText));
}

void NumKeyDialog::Load() {
  if (form_) return;
  form_ = std::make_unique<frmANumKey>();
  // The native window exists from now on, so its frame is part of the size that
  // PlaceBottomRight reads on the first show too.
  form_->winId();
  form_->Form_Load();
}

void NumKeyDialog::SetTitle(std::string_view title) {
  form_->setWindowTitle(controls::ToQString(title));
}

void NumKeyDialog::SetMessage(std::string_view message) {
  form_->SetMessage(message);
}
void NumKeyDialog::SetDisplayFontSize(double points) {
  form_->SetDisplayFontSize(points);
}
void NumKeyDialog::SetMasked(bool masked) {
  form_->SetMasked(masked);
}
void NumKeyDialog::SetDisplayText(std::string_view text) {
  form_->SetDisplayText(text);
}
void NumKeyDialog::ResetAccepted() {
  form_->Keys().ResetAccepted();
}

// Modal for the whole application, with no owner window. A window closed through its
// frame is unloaded here, once its modal loop has ended.
void NumKeyDialog::ShowModal() {
  form_->FocusAcceptKey();
  form_->exec();
  if (form_->Unloaded()) form_.reset();
}

bool NumKeyDialog::Accepted() const {
  return form_ && form_->Keys().Accepted();
}

std::string NumKeyDialog::DisplayText() const {
  return form_->DisplayText();
}

int NumKeyDialog::ScreenWidth() const {
  return ScreenArea().width() * kTwipsPerPixel;
}
int NumKeyDialog::ScreenHeight() const {
  return ScreenArea().height() * kTwipsPerPixel;
}
int NumKeyDialog::OuterWidth() const {
  return form_->frameGeometry().width() * kTwipsPerPixel;
}
int NumKeyDialog::OuterHeight() const {
  return form_->frameGeometry().height() * kTwipsPerPixel;
}

// Positions count from the screen's top-left corner; a window's position is that of
// its frame.
void NumKeyDialog::SetLeft(int twips) {
  form_->move(ScreenArea().left() + Pixels(twips), form_->pos().y());
}

void NumKeyDialog::SetTop(int twips) {
  form_->move(form_->pos().x(), ScreenArea().top() + Pixels(twips));
}

}  // namespace keyboard
