#pragma once
// The keyboard dialog as the rest of the program uses it, for any window toolkit: the
// three entry points over the process's one Form window. The window is created on
// first use (its Form_Load runs then), only hidden between uses, and created again
// after the user closed it through its window frame. Standard C++ only; Form is the
// toolkit's frmANumKey, which places itself (PlaceableForm) and offers:
//   void Form_Load();  KeyHandling& Keys();  void SetTitle(std::string_view);
//   void SetMessage(std::string_view);  void SetDisplayFontSize(double);
//   void SetMasked(bool);  void SetDisplayText(std::string_view);
//   std::string DisplayText() const;  void ShowModal();  bool Unloaded() const;
#include <memory>

#include "keyboard/entry_points.h"
#include "keyboard/text_entry.h"

namespace keyboard {

template <class Form>
class FormEntryDialog : public TextEntryDialog, private EntryForm {
 public:
  using TextEntryDialog::EnterPWD;
  using TextEntryDialog::ShowInput;
  using TextEntryDialog::ShowInput2;
  bool ShowInput(std::string& text, std::optional<std::string> defaultText = {}) final {
    return keyboard::ShowInput(*this, text, std::move(defaultText));
  }
  bool ShowInput2(std::string& text, std::string_view header,
                  std::optional<std::string> defaultText = {}) final {
    return keyboard::ShowInput2(*this, text, header, std::move(defaultText));
  }
  bool EnterPWD(std::string& text, std::optional<std::string> defaultText = {}) final {
    return keyboard::EnterPWD(*this, text, std::move(defaultText));
  }

  // The loaded window; nullptr before the first use and after the user closed it.
  Form* LoadedForm() const { return form_.get(); }

 private:
  void Load() final {
    if (form_) return;
    form_ = std::make_unique<Form>();
    form_->Form_Load();
  }
  void SetTitle(std::string_view title) final { form_->SetTitle(title); }
  void SetMessage(std::string_view message) final { form_->SetMessage(message); }
  void SetDisplayFontSize(double points) final { form_->SetDisplayFontSize(points); }
  void SetMasked(bool masked) final { form_->SetMasked(masked); }
  void SetDisplayText(std::string_view text) final { form_->SetDisplayText(text); }
  void ResetAccepted() final { form_->Keys().ResetAccepted(); }
  // A window closed through its frame is unloaded here, once its modal show has ended.
  void ShowModal() final {
    form_->ShowModal();
    if (form_->Unloaded()) form_.reset();
  }
  bool Accepted() const final { return form_ && form_->Keys().Accepted(); }
  std::string DisplayText() const final { return form_->DisplayText(); }

  int ScreenWidth() const final { return form_->ScreenWidth(); }
  int ScreenHeight() const final { return form_->ScreenHeight(); }
  int OuterWidth() const final { return form_->OuterWidth(); }
  int OuterHeight() const final { return form_->OuterHeight(); }
  void SetLeft(int twips) final { form_->SetLeft(twips); }
  void SetTop(int twips) final { form_->SetTop(twips); }

  std::unique_ptr<Form> form_;
};

}  // namespace keyboard
