#pragma once
// frmANumKey, the on-screen keyboard dialog's window: the display, the letter and
// digit keys, the command keys and the status bar, laid out to the twip. Its keys
// and the physical keyboard (seen before the focused key sees it, once Form_Load has
// switched key preview on) run the handlers of KeyHandling.
#include <QDialog>
#include <QPixmap>
#include <map>
#include <string>
#include <string_view>

#include "common/place_bottom_right.h"
#include "keyboard/key_handling.h"

class QLineEdit;

namespace controls {
class QtCaptionPanel;
}

namespace keyboard {

class KeyButton;

class frmANumKey final : public QDialog, public KeyPad, public common::PlaceableForm {
 public:
  frmANumKey();

  // Runs once, right after the dialog is created: key preview on, the load message.
  void Form_Load() noexcept;

  KeyHandling& Keys() { return keys_; }
  const KeyHandling& Keys() const { return keys_; }
  void SetTitle(std::string_view title);
  void SetMessage(std::string_view text);
  void SetMasked(bool masked);
  void SetDisplayFontSize(double points);
  // Modal for the whole application, with no owner window, the accept key focused.
  void ShowModal();
  // True once the user closed the dialog through its window frame: it is then
  // unloaded, and the next entry point creates it again.
  bool Unloaded() const { return unloaded_; }

  std::string DisplayText() const override;
  void SetDisplayText(std::string_view text) override;
  std::string AlphaCaption(int index) const override;
  void FocusAcceptKey() override;
  void HideDialog() override;

  // Twips on the primary screen; positions are those of the window's frame.
  int ScreenWidth() const override;
  int ScreenHeight() const override;
  int OuterWidth() const override;
  int OuterHeight() const override;
  void SetLeft(int twips) override;
  void SetTop(int twips) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildDisplay();
  void BuildKeys();
  void BuildStatusBar();

  KeyHandling keys_{*this};
  const QPixmap handPicture_;
  QLineEdit* txtDisp_ = nullptr;
  controls::QtCaptionPanel* vsElastic1_ = nullptr;
  controls::QtCaptionPanel* elaSBar_ = nullptr;
  controls::QtCaptionPanel* elaMsg_ = nullptr;
  std::map<int, KeyButton*> cmdAlpha_;
  KeyButton* cmdEnter_ = nullptr;
  bool unloaded_ = false;
};

}  // namespace keyboard
