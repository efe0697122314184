// The window's controls as Win32 child windows, from the shared layout table: each
// page's controls are children of its page panel, placed in twips by the window's DPI.
#include "app/win32/fm_reg_tool.h"
// After windows.h, which the window's header includes.
#include <commctrl.h>

#include "app/win32/picture_button.h"
#include "controls/win32/wide_text.h"
#include "controls/win32/win32_caption_panel.h"
#include "controls/win32/win32_grid.h"
#include "controls/win32/win32_tab_control.h"

namespace app {
namespace {

constexpr UINT_PTR kTextBoxSubclass = 1;

RECT Pixels(const TwipsBox& box, int dpi) {
  const int left = MulDiv(box.left, dpi, 1440);
  const int top = MulDiv(box.top, dpi, 1440);
  return {left, top, left + MulDiv(box.width, dpi, 1440), top + MulDiv(box.height, dpi, 1440)};
}

// An edit control does not report a double-click; the server-name box's opens the
// keyboard dialog, so it tells its parent, which passes it up to the window.
LRESULT CALLBACK TextBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
  const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
  if (message == WM_LBUTTONDBLCLK) {
    SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), kTextBoxDoubleClicked),
                 reinterpret_cast<LPARAM>(box));
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(box, TextBoxProc, kTextBoxSubclass);
  }
  return result;
}

HWND CreateChild(const wchar_t* windowClass, std::string_view caption, DWORD style, DWORD exStyle,
                 HWND parent, int id) {
  return CreateWindowExW(exStyle, windowClass, controls::Wide(caption).c_str(),
                         WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

void fmRegTool::BuildControls() {
  const RECT none{};
  vsElastic1_ = std::make_unique<controls::Win32CaptionPanel>(window_, kVsElastic1.id, none);
  tabPage_ = std::make_unique<controls::Win32TabControl>(vsElastic1_->Handle(), kTabPage.id, none);
  vsElastic2_ =
      std::make_unique<controls::Win32CaptionPanel>(tabPage_->Handle(), kVsElastic2.id, none);
  vsElastic3_ =
      std::make_unique<controls::Win32CaptionPanel>(tabPage_->Handle(), kVsElastic3.id, none);
  tabPage_->SetCaptions(kTabCaptions);
  tabPage_->SetPagePanel(0, vsElastic2_->Handle());
  tabPage_->SetPagePanel(1, vsElastic3_->Handle());

  const auto container = [](const ContainerLayout& layout, HWND handle, bool takesFocus) {
    return Placed{layout.name,       layout.id,         handle,     layout.box,
                  FontRole::kWindow, layout.focusOrder, takesFocus, nullptr};
  };
  placed_.push_back(container(kVsElastic1, vsElastic1_->Handle(), false));
  placed_.push_back(container(kTabPage, tabPage_->Handle(), true));
  placed_.push_back(container(kVsElastic2, vsElastic2_->Handle(), false));
  placed_.push_back(container(kVsElastic3, vsElastic3_->Handle(), false));

  for (const ControlLayout& entry : ControlTable()) {
    const HWND page = entry.page == Page::kRegistry ? vsElastic2_->Handle() : vsElastic3_->Handle();
    const HWND handle = CreateControl(entry, page);
    const bool takesFocus = entry.kind != Kind::kLabel && entry.kind != Kind::kFrame;
    placed_.push_back({entry.name, entry.id, handle, entry.box, entry.font, entry.focusOrder,
                       takesFocus, &entry});
  }
  // fgUpdLog lies within Frame2's rectangle: above it, so the frame never covers it.
  SetWindowPos(fgUpdLog_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

HWND fmRegTool::CreateControl(const ControlLayout& entry, HWND page) {
  const RECT none{};
  switch (entry.kind) {
    case Kind::kGrid: {
      auto grid = std::make_unique<controls::Win32Grid>(page, entry.id, none);
      const HWND handle = grid->Handle();
      (entry.name == "fgList" ? fgList_ : fgUpdLog_) = std::move(grid);
      return handle;
    }
    case Kind::kCheckBox:
      return CreateChild(L"BUTTON", entry.caption, WS_TABSTOP | BS_AUTOCHECKBOX, 0, page, entry.id);
    case Kind::kButton:
      return CreateChild(L"BUTTON", entry.caption, WS_TABSTOP | BS_PUSHBUTTON, 0, page, entry.id);
    case Kind::kPictureButton:
      pictureButtons_.push_back(
          std::make_unique<PictureButton>(page, entry.id, entry.caption, pictureButtonIcon_.Get()));
      return pictureButtons_.back()->Handle();
    case Kind::kLabel:
      return CreateChild(L"STATIC", entry.caption, SS_LEFT | SS_NOPREFIX, 0, page, entry.id);
    case Kind::kTextBox: {
      const HWND box = CreateChild(L"EDIT", entry.caption, WS_TABSTOP | ES_AUTOHSCROLL,
                                   WS_EX_CLIENTEDGE, page, entry.id);
      SetWindowSubclass(box, TextBoxProc, kTextBoxSubclass, 0);
      return box;
    }
    case Kind::kFrame:
      return CreateChild(L"BUTTON", entry.caption, BS_GROUPBOX, 0, page, entry.id);
  }
  return nullptr;
}

// The controls take the new fonts before the old ones are deleted, so no control is
// ever left drawing with a deleted font.
void fmRegTool::LayOut() {
  std::array<GdiFont, 3> fonts;
  for (FontRole role : {FontRole::kWindow, FontRole::kList, FontRole::kPictureCaption}) {
    fonts[static_cast<std::size_t>(role)] = MakeFont(role, dpi_);
  }
  fonts_.swap(fonts);
  const HFONT windowFont = fonts_[static_cast<std::size_t>(FontRole::kWindow)].Get();
  vsElastic1_->SetFont(windowFont);
  vsElastic2_->SetFont(windowFont);
  vsElastic3_->SetFont(windowFont);
  tabPage_->SetFont(windowFont);
  tabPage_->SetStripHeight(MulDiv(kTabStripHeight, dpi_, 1440));
  for (const Placed& p : placed_) {
    const RECT r = Pixels(p.box, dpi_);
    SetWindowPos(p.handle, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (p.layout == nullptr) continue;
    const HFONT font = fonts_[static_cast<std::size_t>(p.font)].Get();
    if (p.layout->kind == Kind::kGrid) {
      (p.name == "fgList" ? fgList_ : fgUpdLog_)->SetFont(font);
    } else {
      SendMessageW(p.handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
  }
}

}  // namespace app
