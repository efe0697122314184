#include "app/win32/fm_reg_tool.h"

#include <algorithm>
#include <stdexcept>

#include "app/win32/picture_button.h"
#include "app/win32/win32_open_file_dialog.h"
#include "app/win32/win32_user_interface.h"
#include "common/user_interface.h"
#include "controls/win32/child_window.h"
#include "controls/win32/message_reflection.h"
#include "controls/win32/wide_text.h"
#include "controls/win32/win32_caption_panel.h"
#include "controls/win32/win32_grid.h"
#include "controls/win32/win32_tab_control.h"
#include "controls/win32/window_dpi.h"
#include "keyboard/win32/win32_numkey_dialog.h"

namespace app {
namespace {

constexpr wchar_t kWindowClass[] = L"RegToolMainWindow";
// A fixed-size window: no sizing frame, no maximize box.
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

}  // namespace

fmRegTool::fmRegTool(ComputerNameSource computerName, const Win32UserInterface* ui)
    : ui_(ui), applicationIcon_(ApplicationPicture()), pictureButtonIcon_(PictureButtonPicture()) {
  controls::RegisterWindowClass(kWindowClass, WindowProc, GetSysColorBrush(COLOR_BTNFACE),
                                "The main window");
  window_ = CreateWindowExW(0, kWindowClass, controls::Wide(common::kAppTitle).c_str(),
                            kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 800, 600, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
  if (window_ == nullptr) throw std::runtime_error("The main window cannot be created");
  dpi_ = controls::WindowDpi(window_);
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(applicationIcon_.Get()));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(applicationIcon_.Get()));
  BuildControls();
  LayOut();
  SetClientSize();
  commonDialog1_ = std::make_unique<Win32OpenFileDialog>(window_);
  form_ = std::make_unique<MainForm>(
      FormParts{
          .fgList = *fgList_,
          .fgUpdLog = *fgUpdLog_,
          .tabPage = *tabPage_,
          .CommonDialog1 = *commonDialog1_,
          .chkDefault = [this] { return DefaultFilesChecked(); },
          .txtComputerName = {[this] { return ComputerNameText(); },
                              [this](const std::string& text) { SetComputerNameText(text); }},
          .createKeyboard = [this]() -> keyboard::TextEntryDialog& {
            if (!keyboard_) keyboard_ = std::make_unique<keyboard::Win32NumKeyDialog>();
            return *keyboard_;
          },
          .browseOwner = window_,
          .endProgram = [this] { EndProgram(); },
      },
      std::move(computerName));
  form_->Form_Load();
}

fmRegTool::~fmRegTool() {
  form_.reset();
  keyboard_.reset();
  if (IsWindow(window_)) {
    // Gone without ending the program (a test's window): no WM_QUIT for the thread.
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

void fmRegTool::Show(int showCommand) {
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  // The first control in the focus order that can take it: the tab strip.
  SetFocus(window_);
  MoveFocus(false);
}

int fmRegTool::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

bool fmRegTool::PreTranslateMessage(const MSG& message) {
  if (message.message != WM_KEYDOWN || !IsWindow(window_)) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  if (message.wParam == VK_TAB) {
    MoveFocus(GetKeyState(VK_SHIFT) < 0);
    return true;
  }
  if (message.wParam == VK_RETURN) {
    const auto focused = std::find_if(placed_.begin(), placed_.end(), [&](const Placed& p) {
      return p.handle == message.hwnd && p.layout != nullptr &&
             (p.layout->kind == Kind::kButton || p.layout->kind == Kind::kPictureButton);
    });
    if (focused == placed_.end()) return false;
    SendMessageW(focused->handle, BM_CLICK, 0, 0);
    return true;
  }
  return false;
}

void fmRegTool::MoveFocus(bool backwards) {
  std::vector<const Placed*> order;
  for (const Placed& p : placed_) {
    if (p.takesFocus) order.push_back(&p);
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const Placed* a, const Placed* b) { return a->focusOrder < b->focusOrder; });
  if (order.empty()) return;
  // The control that has the focus, or holds it (the grid's in-place parts); the tab
  // control holds the pages, so an exact match comes first.
  const HWND focus = GetFocus();
  auto current = std::find_if(order.begin(), order.end(),
                              [focus](const Placed* p) { return p->handle == focus; });
  if (current == order.end()) {
    current = std::find_if(order.begin(), order.end(), [focus](const Placed* p) {
      return p->layout != nullptr && IsChild(p->handle, focus);
    });
  }
  const int count = static_cast<int>(order.size());
  int at = current == order.end() ? (backwards ? 0 : count - 1)
                                  : static_cast<int>(current - order.begin());
  // Controls on the hidden page, and disabled ones, are passed over.
  for (int step = 0; step < count; ++step) {
    at = (at + (backwards ? count - 1 : 1)) % count;
    const HWND candidate = order[static_cast<std::size_t>(at)]->handle;
    if (IsWindowVisible(candidate) && IsWindowEnabled(candidate)) {
      SetFocus(candidate);
      return;
    }
  }
}

HWND fmRegTool::Control(std::string_view name) const {
  for (const Placed& p : placed_) {
    if (p.name == name) return p.handle;
  }
  return nullptr;
}

std::wstring fmRegTool::FaceOf(FontRole role) const {
  LOGFONTW font{};
  GetObjectW(fonts_[static_cast<std::size_t>(role)].Get(), sizeof font, &font);
  return font.lfFaceName;
}

controls::Grid& fmRegTool::fgList() {
  return *fgList_;
}

controls::Grid& fmRegTool::fgUpdLog() {
  return *fgUpdLog_;
}

controls::TabControl& fmRegTool::tabPage() {
  return *tabPage_;
}

LRESULT CALLBACK fmRegTool::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<fmRegTool*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<fmRegTool*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->OnMessage(message, wParam, lParam);
}

LRESULT fmRegTool::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT answer = 0;
  if (controls::ReflectToChild(window_, message, wParam, lParam, &answer)) return answer;
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_SETCURSOR:
      if (ui_ != nullptr && ui_->KeepBusyPointer()) return TRUE;
      break;
    case WM_ACTIVATE:
      // The focused control is remembered as the window goes to the back (behind a box,
      // the keyboard dialog or another program) and has the focus again when it comes back.
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) focused_ = focus;
      } else if (HIWORD(wParam) == 0 && focused_ != nullptr && IsChild(window_, focused_) &&
                 IsWindowVisible(focused_) && IsWindowEnabled(focused_)) {
        SetFocus(focused_);
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      // Moved to a monitor of another DPI: in the rectangle the system suggests, the same
      // twips as new pixels and fonts, the columns fitted to the new font.
      dpi_ = HIWORD(wParam);
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      LayOut();
      SetClientSize();
      for (controls::Win32Grid* grid : {fgList_.get(), fgUpdLog_.get()}) {
        if (grid->Cols() > 0) grid->AutoSize(0, grid->Cols() - 1);
      }
      return 0;
    }
    case WM_CLOSE:
      EndProgram();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void fmRegTool::OnCommand(int id, int code) {
  const auto entry = std::find_if(placed_.begin(), placed_.end(), [id](const Placed& p) {
    return p.id == id && p.layout != nullptr;
  });
  if (entry == placed_.end() || entry->layout->command == Command::kNone) return;
  const WORD expected =
      entry->layout->kind == Kind::kTextBox ? kTextBoxDoubleClicked : WORD{BN_CLICKED};
  if (code != expected) return;
  form_->Run(entry->layout->command, entry->layout->index);
}

void fmRegTool::EndProgram() {
  // No question and nothing saved: the window goes, the thread's message loop ends
  // (WM_DESTROY posts the quit), and no further event of this window runs. A hidden
  // keyboard dialog goes with the process.
  DestroyWindow(window_);
}

void fmRegTool::SetClientSize() {
  RECT outer{}, client{};
  GetWindowRect(window_, &outer);
  GetClientRect(window_, &client);
  const int frameWidth = (outer.right - outer.left) - client.right;
  const int frameHeight = (outer.bottom - outer.top) - client.bottom;
  SetWindowPos(window_, nullptr, 0, 0, MulDiv(kClientWidth, dpi_, 1440) + frameWidth,
               MulDiv(kClientHeight, dpi_, 1440) + frameHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool fmRegTool::DefaultFilesChecked() const {
  return SendMessageW(Control("chkDefault"), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string fmRegTool::ComputerNameText() const {
  const HWND box = Control("txtComputerName");
  const int length = GetWindowTextLengthW(box);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(box, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return controls::Utf8(text);
}

void fmRegTool::SetComputerNameText(const std::string& text) {
  SetWindowTextW(Control("txtComputerName"), controls::Wide(text).c_str());
}

}  // namespace app
