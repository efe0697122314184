#include "keyboard/win32/win32_numkey_dialog.h"

#include "keyboard/win32/anumkey_form.h"

namespace keyboard {
namespace {

constexpr int kTwipsPerInch = 1440;

int Twips(int pixels, int dpi) {
  return MulDiv(pixels, kTwipsPerInch, dpi);
}

RECT OuterRect(HWND window) {
  RECT outer{};
  GetWindowRect(window, &outer);
  return outer;
}

}  // namespace

Win32NumKeyDialog::Win32NumKeyDialog() = default;
Win32NumKeyDialog::~Win32NumKeyDialog() = default;

bool Win32NumKeyDialog::ShowInput(std::string& text, std::optional<std::string> defaultText) {
  return keyboard::ShowInput(*this, text, std::move(defaultText));
}

bool Win32NumKeyDialog::ShowInput2(std::string& text, std::string_view header,
                                   std::optional<std::string> defaultText) {
  return keyboard::ShowInput2(*this, text, header, std::move(defaultText));
}

bool Win32NumKeyDialog::EnterPWD(std::string& text, std::optional<std::string> defaultText) {
  return keyboard::EnterPWD(*this, text, std::move(defaultText));
}

void Win32NumKeyDialog::Load() {
  if (form_) return;
  form_ = std::make_unique<frmANumKey>();
  form_->Form_Load();
}

void Win32NumKeyDialog::SetTitle(std::string_view title) {
  form_->SetTitle(title);
}
void Win32NumKeyDialog::SetMessage(std::string_view message) {
  form_->SetMessage(message);
}
void Win32NumKeyDialog::SetDisplayFontSize(double points) {
  form_->SetDisplayFontSize(points);
}
void Win32NumKeyDialog::SetMasked(bool masked) {
  form_->SetMasked(masked);
}
void Win32NumKeyDialog::SetDisplayText(std::string_view text) {
  form_->SetDisplayText(text);
}
void Win32NumKeyDialog::ResetAccepted() {
  form_->Keys().ResetAccepted();
}

// A window closed through its frame is unloaded here, once its modal loop has ended.
void Win32NumKeyDialog::ShowModal() {
  form_->ShowModal();
  if (form_->Unloaded()) form_.reset();
}

bool Win32NumKeyDialog::Accepted() const {
  return form_ && form_->Keys().Accepted();
}

std::string Win32NumKeyDialog::DisplayText() const {
  return form_->DisplayText();
}

// The screen is the primary monitor's, whose top-left corner is (0, 0).
int Win32NumKeyDialog::ScreenWidth() const {
  return Twips(GetSystemMetrics(SM_CXSCREEN), form_->Dpi());
}
int Win32NumKeyDialog::ScreenHeight() const {
  return Twips(GetSystemMetrics(SM_CYSCREEN), form_->Dpi());
}
int Win32NumKeyDialog::OuterWidth() const {
  const RECT outer = OuterRect(form_->Handle());
  return Twips(outer.right - outer.left, form_->Dpi());
}
int Win32NumKeyDialog::OuterHeight() const {
  const RECT outer = OuterRect(form_->Handle());
  return Twips(outer.bottom - outer.top, form_->Dpi());
}

void Win32NumKeyDialog::SetLeft(int twips) {
  const RECT outer = OuterRect(form_->Handle());
  SetWindowPos(form_->Handle(), nullptr, MulDiv(twips, form_->Dpi(), kTwipsPerInch), outer.top, 0,
               0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32NumKeyDialog::SetTop(int twips) {
  const RECT outer = OuterRect(form_->Handle());
  SetWindowPos(form_->Handle(), nullptr, outer.left, MulDiv(twips, form_->Dpi(), kTwipsPerInch), 0,
               0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace keyboard
