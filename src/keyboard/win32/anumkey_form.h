#pragma once
// frmANumKey on Windows: the display, the letter keys on their panel, the digit and
// command keys and the status bar, built from the shared layout table at the window's
// DPI. Its keys and the physical keyboard run the handlers of KeyHandling; every key
// message reaches those handlers first, whichever control has the focus (the form-level
// key preview), so Windows' own key codes go to them unchanged.
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/place_bottom_right.h"
#include "controls/win32/win32_caption_panel.h"
#include "keyboard/anumkey_layout.h"
#include "keyboard/key_handling.h"

namespace keyboard {

// Control IDs, by which the window's controls are found.
namespace control_id {
inline constexpr int kDisplay = 100;      // txtDisp
inline constexpr int kLetterPanel = 101;  // vsElastic1
inline constexpr int kStatusBar = 102;    // elaSBar
inline constexpr int kMessage = 103;      // elaMsg
// Letter keys are 200 + index, digit keys 300 + index, the command keys 400 to 403.
int Key(const layout::Key& key);
}  // namespace control_id

class frmANumKey final : public KeyPad, public common::PlaceableForm {
 public:
  frmANumKey();
  ~frmANumKey() override;
  frmANumKey(const frmANumKey&) = delete;
  frmANumKey& operator=(const frmANumKey&) = delete;

  // Runs once, right after the window is created: the load message.
  void Form_Load() noexcept;

  HWND Handle() const { return window_; }
  KeyHandling& Keys() { return keys_; }
  const KeyHandling& Keys() const { return keys_; }
  void SetTitle(std::string_view title);
  void SetMessage(std::string_view text);
  std::string Message() const;
  void SetMasked(bool masked);
  void SetDisplayFontSize(double points);
  // Shows the window and runs its modal loop until it is hidden or closed; the thread's
  // other windows are disabled meanwhile.
  void ShowModal();
  // True once the user closed the window through its frame: it is then destroyed, and
  // the next entry point creates it again.
  bool Unloaded() const { return unloaded_; }
  int Dpi() const { return dpi_; }

  std::string DisplayText() const override;
  void SetDisplayText(std::string_view text) override;
  std::string AlphaCaption(int index) const override;
  void FocusAcceptKey() override;
  void HideDialog() override;

  // Twips on the primary monitor, whose top-left corner is (0, 0); positions are those
  // of the window's frame.
  int ScreenWidth() const override;
  int ScreenHeight() const override;
  int OuterWidth() const override;
  int OuterHeight() const override;
  void SetLeft(int twips) override;
  void SetTop(int twips) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK PreviewProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  static LRESULT CALLBACK SilverProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void PaintSilver(HWND panel);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  // The form-level key preview; true when the key must go no further.
  bool PreviewKey(UINT message, WPARAM wParam);
  void EnableCallers();
  void NextKey(bool backwards);
  void BuildDisplay();
  void BuildKeys();
  void BuildStatusBar();
  RECT Place(const layout::Box& box) const;
  HWND AddChild(DWORD exStyle, const wchar_t* windowClass, int id, DWORD style,
                const layout::Box& box, HWND parent);
  std::unique_ptr<controls::Win32CaptionPanel> NewPanel(HWND parent, int id, const layout::Box& box,
                                                        controls::Win32CaptionPanel::Bevel bevel);
  HFONT NewFont(const layout::Face& face, double points, bool latinText) const;
  int Pixels(int twips) const;
  int Twips(int pixels) const;

  KeyHandling keys_{*this};
  HWND window_ = nullptr;
  int dpi_ = 96;
  HWND txtDisp_ = nullptr;
  HWND cmdEnter_ = nullptr;
  std::unique_ptr<controls::Win32CaptionPanel> vsElastic1_;
  std::unique_ptr<controls::Win32CaptionPanel> elaSBar_;
  std::unique_ptr<controls::Win32CaptionPanel> elaMsg_;
  std::map<int, const layout::Key*> keyById_;
  std::map<int, HWND> cmdAlpha_;
  std::vector<HFONT> fonts_;
  HFONT displayFont_ = nullptr;
  HBRUSH background_;
  HBRUSH displayBackground_;
  bool unloaded_ = false;
  // The windows the dialog disabled while it is up.
  std::vector<HWND> callers_;
};

}  // namespace keyboard
