#pragma once
// The main window on Windows: the controls of the shared layout table as Win32 child
// windows at their twips (pixels by the window's DPI), in the layout's fonts, with
// the keyboard focus order of the table. Start-up, the computer name and the pages'
// commands are the shared form's (app/main_form.h); this class builds the windows and
// dispatches their WM_COMMAND to it by control ID.
#include <windows.h>
// The user-interface seam's MessageBox is a method; <windows.h> would rename it.
#undef MessageBox

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/fm_reg_tool_layout.h"
#include "app/main_form.h"
#include "app/win32/picture_icon.h"
#include "app/win32/window_fonts.h"

namespace controls {
class Win32CaptionPanel;
class Win32Grid;
class Win32TabControl;
}  // namespace controls

namespace keyboard {
class Win32NumKeyDialog;
}  // namespace keyboard

namespace app {

class PictureButton;
class Win32OpenFileDialog;
class Win32UserInterface;

// WM_COMMAND notification code with which the server-name box reports a double-click;
// outside the EN_ codes of an edit control.
inline constexpr WORD kTextBoxDoubleClicked = 0x7001;

class fmRegTool {
 public:
  using ComputerNameSource = MainForm::ComputerNameSource;

  // Builds the window, hidden, and runs its load event, so it is set up before it is
  // first shown. Install the user interface first: a failed set-up is reported. `ui`,
  // when given, keeps the busy pointer over the window while a command runs.
  explicit fmRegTool(ComputerNameSource computerName = nullptr,
                     const Win32UserInterface* ui = nullptr);
  ~fmRegTool();
  fmRegTool(const fmRegTool&) = delete;
  fmRegTool& operator=(const fmRegTool&) = delete;

  HWND Handle() const { return window_; }
  void Show(int showCommand);

  // The thread's message loop until the program ends; returns the exit code.
  int RunMessageLoop();
  // The window's own keys, before a message is dispatched: Tab and Shift+Tab move the
  // focus in the layout's focus order, Enter clicks a focused button. True when taken.
  bool PreTranslateMessage(const MSG& message);

  // A control or container by its designer name ("cmdExit_1", "tabPage"), for tests.
  HWND Control(std::string_view name) const;
  int Dpi() const { return dpi_; }
  // The face each font role was given after the fallback (tests and screenshots).
  std::wstring FaceOf(FontRole role) const;

  // This machine's computer name (ANSI, as the platform gives it), set once at start.
  const std::string& ComputerName() const { return form_->ComputerName(); }
  controls::Grid& fgList();
  controls::Grid& fgUpdLog();
  controls::TabControl& tabPage();

 private:
  struct Placed {
    std::string_view name;
    int id;
    HWND handle;
    TwipsBox box;
    FontRole font;
    int focusOrder;
    bool takesFocus;
    const ControlLayout* layout;  // nullptr for the containers
  };

  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void BuildControls();
  HWND CreateControl(const ControlLayout& entry, HWND page);
  void LayOut();  // places and fonts every control for dpi_
  void SetClientSize();
  void OnCommand(int id, int code);
  void MoveFocus(bool backwards);
  void EndProgram();
  bool DefaultFilesChecked() const;
  std::string ComputerNameText() const;
  void SetComputerNameText(const std::string& text);

  const Win32UserInterface* ui_;
  HWND window_ = nullptr;
  HWND focused_ = nullptr;  // the control that had the focus when the window went back
  int dpi_ = 96;
  Icon applicationIcon_;
  Icon pictureButtonIcon_;
  std::array<GdiFont, 3> fonts_;  // by FontRole
  std::unique_ptr<controls::Win32CaptionPanel> vsElastic1_;
  std::unique_ptr<controls::Win32TabControl> tabPage_;
  std::unique_ptr<controls::Win32CaptionPanel> vsElastic2_;
  std::unique_ptr<controls::Win32CaptionPanel> vsElastic3_;
  std::unique_ptr<controls::Win32Grid> fgList_;
  std::unique_ptr<controls::Win32Grid> fgUpdLog_;
  std::vector<std::unique_ptr<PictureButton>> pictureButtons_;
  std::vector<Placed> placed_;
  std::unique_ptr<Win32OpenFileDialog> commonDialog1_;
  // frmANumKey, created on first use; declared before the form that uses it.
  std::unique_ptr<keyboard::Win32NumKeyDialog> keyboard_;
  std::unique_ptr<MainForm> form_;
};

}  // namespace app
