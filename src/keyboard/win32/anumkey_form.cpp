#include "keyboard/win32/anumkey_form.h"

#include <commctrl.h>

#include <cmath>
#include <stdexcept>

#include "common/failure.h"
#include "common/trap.h"
#include "controls/win32/child_window.h"
#include "controls/win32/installed_face.h"
#include "controls/win32/wide_text.h"
#include "controls/win32/win32_caption_panel.h"
#include "controls/win32/window_dpi.h"
#include "keyboard/entry_points.h"
#include "keyboard/win32/key_face.h"

namespace keyboard {

int control_id::Key(const layout::Key& key) {
  switch (key.kind) {
    case layout::KeyKind::kLetter:
      return 200 + key.index;
    case layout::KeyKind::kDigit:
      return 300 + key.index;
    case layout::KeyKind::kBack:
      return 400;
    case layout::KeyKind::kExit:
      return 401;
    case layout::KeyKind::kEnter:
      return 402;
    case layout::KeyKind::kDelete:
      return 403;
  }
  return 0;
}

namespace {

constexpr wchar_t kClassName[] = L"frmANumKey";
constexpr int kTwipsPerInch = 1440;
constexpr UINT_PTR kPreviewId = 1;
constexpr UINT_PTR kSilverId = 2;
constexpr auto kRaised = controls::Win32CaptionPanel::Bevel::kRaised;
constexpr auto kSunken = controls::Win32CaptionPanel::Bevel::kSunken;

bool IsLatin(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// A fixed-size window with a title and a close box, and no minimise or maximise box.
constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFrameExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

}  // namespace

frmANumKey::frmANumKey()
    : background_(CreateSolidBrush(Rgb(layout::kBackground))),
      displayBackground_(CreateSolidBrush(Rgb(layout::kDisplayBackground))) {
  controls::RegisterWindowClass(kClassName, WindowProc, nullptr, "The keyboard dialog");
  window_ = CreateWindowExW(kFrameExStyle, kClassName, L"", kFrameStyle, 0, 0, 0, 0, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
  if (window_ == nullptr) throw std::runtime_error("The keyboard dialog cannot be created");
  dpi_ = controls::WindowDpi(window_);
  RECT outer{0, 0, Pixels(layout::kWidth), Pixels(layout::kHeight)};
  controls::ClientToFrame(outer, kFrameStyle, kFrameExStyle, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  BuildDisplay();
  BuildKeys();
  BuildStatusBar();
}

frmANumKey::~frmANumKey() {
  vsElastic1_.reset();
  elaMsg_.reset();
  elaSBar_.reset();
  if (IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  for (const HFONT font : fonts_) DeleteObject(font);
  DeleteObject(displayFont_);
  DeleteObject(background_);
  DeleteObject(displayBackground_);
}

int frmANumKey::Pixels(int twips) const {
  return MulDiv(twips, dpi_, kTwipsPerInch);
}

int frmANumKey::Twips(int pixels) const {
  return MulDiv(pixels, kTwipsPerInch, dpi_);
}

// The text a font shows decides its character set: Latin text asks for the Latin one,
// so a missing Times New Roman maps to a face of its metrics; Chinese text asks for
// Big5, which Windows' font mapper puts before the face name, as the designer's forms
// stored it, and for the installed face that stands for the named one, the same the
// main window takes, so the Chinese captions never show in a face that lacks them.
HFONT frmANumKey::NewFont(const layout::Face& face, double points, bool latinText) const {
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(points * dpi_ / 72.0));
  font.lfWeight = face.bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = latinText ? ANSI_CHARSET : CHINESEBIG5_CHARSET;
  const bool serif = face.family == layout::kSerifFamily;
  font.lfPitchAndFamily = serif ? (VARIABLE_PITCH | FF_ROMAN) : (FIXED_PITCH | FF_MODERN);
  const std::wstring family = controls::Wide(face.family);
  const std::wstring installed = latinText ? family : controls::InstalledFace(family);
  installed.copy(font.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

RECT frmANumKey::Place(const layout::Box& box) const {
  const int left = Pixels(box.left), top = Pixels(box.top);
  return RECT{left, top, left + Pixels(box.width), top + Pixels(box.height)};
}

HWND frmANumKey::AddChild(DWORD exStyle, const wchar_t* windowClass, int id, DWORD style,
                          const layout::Box& box, HWND parent) {
  const HWND child =
      controls::CreateChildWindow(exStyle, windowClass, WS_VISIBLE | style, parent, id, Place(box),
                                  "A control of the keyboard dialog");
  SetWindowSubclass(child, PreviewProc, kPreviewId, reinterpret_cast<DWORD_PTR>(this));
  return child;
}

std::unique_ptr<controls::Win32CaptionPanel> frmANumKey::NewPanel(
    HWND parent, int id, const layout::Box& box, controls::Win32CaptionPanel::Bevel bevel) {
  auto panel = std::make_unique<controls::Win32CaptionPanel>(parent, id, Place(box));
  panel->SetBevel(bevel);
  PaintSilver(panel->Handle());
  return panel;
}

// The panels take the dialog's light grey rather than the system's face colour, so the
// dialog is one grey throughout as the designer drew it.
void frmANumKey::PaintSilver(HWND panel) {
  SetWindowSubclass(panel, SilverProc, kSilverId, reinterpret_cast<DWORD_PTR>(background_));
}

void frmANumKey::BuildDisplay() {
  // Read-only: all typing goes through the dialog's key handling.
  txtDisp_ = AddChild(WS_EX_CLIENTEDGE, L"EDIT", control_id::kDisplay, ES_AUTOHSCROLL | ES_READONLY,
                      layout::kDisplay, window_);
  SetDisplayFontSize(layout::kDisplayFace.points);
}

// Letter keys go on vsElastic1, the others on the dialog itself.
void frmANumKey::BuildKeys() {
  vsElastic1_ = NewPanel(window_, control_id::kLetterPanel, layout::kLetterPanel, kRaised);
  std::map<std::pair<layout::KeyKind, bool>, HFONT> fontOf;
  for (const layout::Key& key : layout::Keys()) {
    const bool letter = key.kind == layout::KeyKind::kLetter;
    const int id = control_id::Key(key);
    const HWND button = AddChild(0, L"BUTTON", id, BS_OWNERDRAW | WS_TABSTOP, key.place,
                                 letter ? vsElastic1_->Handle() : window_);
    SetWindowTextW(button, controls::Wide(key.caption).c_str());
    const bool latin = IsLatin(key.caption);
    HFONT& font = fontOf[{key.kind, latin}];
    if (font == nullptr) {
      const layout::Face& face = layout::KeyFace(key.kind);
      font = fonts_.emplace_back(NewFont(face, face.points, latin));
    }
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    keyById_[id] = &key;
    if (letter) cmdAlpha_[key.index] = button;
    if (key.kind == layout::KeyKind::kEnter) cmdEnter_ = button;
  }
}

void frmANumKey::BuildStatusBar() {
  elaSBar_ = NewPanel(window_, control_id::kStatusBar, layout::kStatusBar, kRaised);
  elaMsg_ = NewPanel(elaSBar_->Handle(), control_id::kMessage, layout::kMessageLine, kSunken);
  const layout::Face& face = layout::kMessageFace;
  elaMsg_->SetFont(fonts_.emplace_back(NewFont(face, face.points, false)));
}

void frmANumKey::Form_Load() noexcept {
  common::TrapShow("frmNumKey_Form_Load", [&] { SetMessage(kLoadMessage); });
}

void frmANumKey::SetTitle(std::string_view title) {
  SetWindowTextW(window_, controls::Wide(title).c_str());
}

void frmANumKey::SetMessage(std::string_view text) {
  elaMsg_->SetCaption(text);
}

std::string frmANumKey::Message() const {
  return controls::Utf8(elaMsg_->Caption());
}

void frmANumKey::SetMasked(bool masked) {
  SendMessageW(txtDisp_, EM_SETPASSWORDCHAR, masked ? L'*' : 0, 0);
  InvalidateRect(txtDisp_, nullptr, TRUE);
}

void frmANumKey::SetDisplayFontSize(double points) {
  // The display shows what the keys type: letters and digits.
  const HFONT font = NewFont(layout::kDisplayFace, points, true);
  SendMessageW(txtDisp_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (displayFont_ != nullptr) DeleteObject(displayFont_);
  displayFont_ = font;
}

std::string frmANumKey::DisplayText() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(txtDisp_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(txtDisp_, text.data(), static_cast<int>(text.size()))));
  return controls::Utf8(text);
}

void frmANumKey::SetDisplayText(std::string_view text) {
  SetWindowTextW(txtDisp_, controls::Wide(text).c_str());
}

std::string frmANumKey::AlphaCaption(int index) const {
  const auto key = cmdAlpha_.find(index);
  if (key == cmdAlpha_.end()) {
    common::Raise(common::err::kSubscriptOutOfRange,
                  "No letter key has the index " + std::to_string(index) + ".");
  }
  wchar_t caption[8] = {};
  GetWindowTextW(key->second, caption, 8);
  return controls::Utf8(caption);
}

void frmANumKey::FocusAcceptKey() {
  SetFocus(cmdEnter_);
}

// The modal loop looks at the window after every message, so a hide from inside a
// handler ends it; the posted message wakes it when nothing else would.
void frmANumKey::HideDialog() {
  EnableCallers();
  ShowWindow(window_, SW_HIDE);
  PostMessageW(window_, WM_NULL, 0, 0);
}

int frmANumKey::ScreenWidth() const {
  return Twips(GetSystemMetrics(SM_CXSCREEN));
}
int frmANumKey::ScreenHeight() const {
  return Twips(GetSystemMetrics(SM_CYSCREEN));
}
int frmANumKey::OuterWidth() const {
  RECT outer{};
  GetWindowRect(window_, &outer);
  return Twips(outer.right - outer.left);
}
int frmANumKey::OuterHeight() const {
  RECT outer{};
  GetWindowRect(window_, &outer);
  return Twips(outer.bottom - outer.top);
}

void frmANumKey::SetLeft(int twips) {
  RECT outer{};
  GetWindowRect(window_, &outer);
  SetWindowPos(window_, nullptr, Pixels(twips), outer.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmANumKey::SetTop(int twips) {
  RECT outer{};
  GetWindowRect(window_, &outer);
  SetWindowPos(window_, nullptr, outer.left, Pixels(twips), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace keyboard
