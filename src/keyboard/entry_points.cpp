#include "keyboard/entry_points.h"

#include "common/trap.h"

namespace keyboard {
namespace {

// The steps every entry point shares; `prepare` sets what differs between them
// (title, message line, masking). The dialog lives on between shows, so everything
// it shows is set again here.
template <class Prepare>
bool RunEntry(std::string_view label, EntryForm& form, std::string& text,
              const std::optional<std::string>& defaultText, Prepare&& prepare) {
  bool result = false;
  common::TrapShow(label, [&] {
    form.Load();
    prepare();
    form.SetDisplayText(defaultText.value_or(std::string()));
    form.ResetAccepted();
    basBase::PlaceBottomRight(form);
    form.ShowModal();
    if (form.Accepted()) {
      text = form.DisplayText();
      result = true;
    }
  });
  return result;
}

}  // namespace

bool ShowInput(EntryForm& form, std::string& text, std::optional<std::string> defaultText) {
  return RunEntry("frmNumKey_ShowInput", form, text, defaultText, [&] {
    form.SetTitle(kEntryTitle);
    form.SetMessage("");
    form.SetMasked(false);
  });
}

bool ShowInput2(EntryForm& form, std::string& text, std::string_view header,
                std::optional<std::string> defaultText) {
  return RunEntry("frmNumKey_ShowInput2", form, text, defaultText, [&] {
    form.SetTitle(header.empty() ? kEntryTitle : header);
    form.SetMessage(header);
    form.SetDisplayFontSize(kDisplayFontPoints);
    form.SetMasked(false);
  });
}

bool EnterPWD(EntryForm& form, std::string& text, std::optional<std::string> defaultText) {
  return RunEntry("frmNumKey_EnterPWD", form, text, defaultText, [&] {
    form.SetTitle(kPasswordTitle);
    form.SetMessage(kPasswordMessage);
    form.SetMasked(true);
  });
}

}  // namespace keyboard
