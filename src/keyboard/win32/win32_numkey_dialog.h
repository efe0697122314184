#pragma once
// The keyboard dialog on Windows as the rest of the program uses it: the three entry
// points over the process's one frmANumKey window. The window is created on first use
// (its Form_Load runs then), only hidden between uses, and created again after the
// user closed it through its window frame. Shown modally with no owner: while it is
// up, the thread's other top-level windows take no input.
#include <memory>

#include "keyboard/entry_points.h"
#include "keyboard/text_entry.h"

namespace keyboard {

class frmANumKey;

class Win32NumKeyDialog final : public TextEntryDialog, private EntryForm {
 public:
  Win32NumKeyDialog();
  ~Win32NumKeyDialog() override;
  Win32NumKeyDialog(const Win32NumKeyDialog&) = delete;
  Win32NumKeyDialog& operator=(const Win32NumKeyDialog&) = delete;

  using TextEntryDialog::EnterPWD;
  using TextEntryDialog::ShowInput;
  using TextEntryDialog::ShowInput2;
  bool ShowInput(std::string& text, std::optional<std::string> defaultText = {}) override;
  bool ShowInput2(std::string& text, std::string_view header,
                  std::optional<std::string> defaultText = {}) override;
  bool EnterPWD(std::string& text, std::optional<std::string> defaultText = {}) override;

  // The loaded window; nullptr before the first use and after the user closed it.
  frmANumKey* LoadedForm() const { return form_.get(); }

 private:
  void Load() override;
  void SetTitle(std::string_view title) override;
  void SetMessage(std::string_view message) override;
  void SetDisplayFontSize(double points) override;
  void SetMasked(bool masked) override;
  void SetDisplayText(std::string_view text) override;
  void ResetAccepted() override;
  void ShowModal() override;
  bool Accepted() const override;
  std::string DisplayText() const override;

  int ScreenWidth() const override;
  int ScreenHeight() const override;
  int OuterWidth() const override;
  int OuterHeight() const override;
  void SetLeft(int twips) override;
  void SetTop(int twips) override;

  std::unique_ptr<frmANumKey> form_;
};

}  // namespace keyboard
