#include "keyboard/qt/anumkey_form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProxyStyle>
#include <string>

#include "common/failure.h"
#include "common/trap.h"
#include "controls/qt/pictures.h"
#include "controls/qt/qt_caption_panel.h"
#include "controls/qt/qt_fonts.h"
#include "controls/qt/qt_text.h"
#include "controls/qt/twips.h"
#include "keyboard/qt/key_button.h"
#include "keyboard/qt/key_codes.h"
#include "keyboard/qt/key_pictures.h"

namespace keyboard {
namespace {

using controls::Font;
using controls::kMingFace;
using controls::kSerifFace;
using controls::Pixels;
using controls::TwipsRect;

const QColor kDisplayBackground(255, 255, 128);

// A masked display shows "*" for every character, and shows it at once.
class StarMaskStyle final : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return '*';
    if (hint == SH_LineEdit_PasswordMaskDelay) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

// The dialog's caption panels are bevelled and keep a caption on one line at the
// left, as a status bar does.
controls::QtCaptionPanel* NewPanel(const char* name, controls::QtCaptionPanel::Bevel bevel,
                                   QWidget* parent) {
  auto* panel = new controls::QtCaptionPanel(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->SetBevel(bevel);
  panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  panel->setIndent(4);
  panel->setWordWrap(false);
  return panel;
}

// Letter keys, within vsElastic1: five rows; A to Z fill them six to a row, and "-"
// takes the last column of the fifth row.
struct LetterRow {
  int top, height;
  bool firstRowLefts;
};
constexpr LetterRow kLetterRows[] = {{105, 735, true},
                                     {900, 750, false},
                                     {1725, 720, false},
                                     {2535, 735, false},
                                     {3360, 720, false}};
constexpr int kFirstRowLefts[] = {120, 1056, 1992, 2928, 3864, 4800};
constexpr int kRowLefts[] = {120, 1050, 1995, 2925, 3870, 4800};
constexpr int kLetterWidth = 885;
constexpr int kLettersPerRow = 6;
constexpr int kMinusIndex = 30;

// Digit and command keys, on the dialog: a grid of four columns and four rows.
constexpr int kKeyColumns[] = {5970, 7140, 8310, 9450};
constexpr int kKeyRows[] = {1080, 2130, 3180, 4230};
constexpr int kKeySize = 1000;
struct DigitKey {
  int index, row, column;
};
constexpr DigitKey kDigitKeys[] = {{7, 0, 0}, {8, 0, 1}, {9, 0, 2}, {4, 1, 0}, {5, 1, 1}, {6, 1, 2},
                                   {1, 2, 0}, {2, 2, 1}, {3, 2, 2}, {0, 3, 0}, {10, 3, 1}};

}  // namespace

frmANumKey::frmANumKey() : handPicture_(HandPressingKeyPicture()) {
  // The dialog may be the first window built (it is also used without the main one).
  controls::InstallFontSubstitutes();
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(Pixels(10530), Pixels(6015));
  QPalette background = palette();
  background.setColor(QPalette::Window, controls::kSilver);
  setPalette(background);
  setAutoFillBackground(true);

  BuildDisplay();
  BuildLetterKeys();
  BuildDigitKeys();
  BuildCommandKeys();
  BuildStatusBar();
}

void frmANumKey::BuildDisplay() {
  txtDisp_ = new QLineEdit(this);
  txtDisp_->setObjectName(QStringLiteral("txtDisp"));
  txtDisp_->setGeometry(TwipsRect(4440, 240, 5955, 675));
  // A widget does not own its style; the dialog does, and deletes it after the box.
  auto* mask = new StarMaskStyle;
  mask->setParent(this);
  txtDisp_->setStyle(mask);
  txtDisp_->setFont(Font(kSerifFace, 24, QFont::Bold));
  QPalette yellow = txtDisp_->palette();
  yellow.setColor(QPalette::Base, kDisplayBackground);
  yellow.setColor(QPalette::Text, Qt::black);
  txtDisp_->setPalette(yellow);
  // All typing goes through the dialog's key handling; the box takes none of its own.
  txtDisp_->setReadOnly(true);
  txtDisp_->setFocusPolicy(Qt::NoFocus);
}

void frmANumKey::BuildLetterKeys() {
  vsElastic1_ = NewPanel("vsElastic1", controls::QtCaptionPanel::Bevel::kRaised, this);
  vsElastic1_->setGeometry(TwipsRect(60, 1080, 5775, 4185));
  const QFont font = Font(kSerifFace, 21.75, QFont::Bold);
  const auto addKey = [&](int index, const QString& caption, int row, int column) {
    const LetterRow& place = kLetterRows[row];
    const int left = place.firstRowLefts ? kFirstRowLefts[column] : kRowLefts[column];
    auto* key = new KeyButton(caption, font, handPicture_, vsElastic1_);
    key->setObjectName(QStringLiteral("cmdAlpha(%1)").arg(index));
    key->setGeometry(TwipsRect(left, place.top, kLetterWidth, place.height));
    connect(key, &QPushButton::clicked, this, [this, index] { keys_.cmdAlpha_Click(index); });
    cmdAlpha_[index] = key;
  };
  for (int letter = 0; letter < 26; ++letter) {
    addKey(letter + 1, QString(QChar('A' + letter)), letter / kLettersPerRow,
           letter % kLettersPerRow);
  }
  addKey(kMinusIndex, QStringLiteral("-"), 4, kLettersPerRow - 1);
}

void frmANumKey::BuildDigitKeys() {
  const QFont font = Font(kSerifFace, 24, QFont::Bold);
  for (const DigitKey& digit : kDigitKeys) {
    const QString caption =
        digit.index == kDoubleZeroIndex ? QStringLiteral("00") : QString::number(digit.index);
    auto* key = new KeyButton(caption, font, handPicture_, this);
    key->setObjectName(QStringLiteral("cmdNum(%1)").arg(digit.index));
    key->setGeometry(TwipsRect(kKeyColumns[digit.column], kKeyRows[digit.row], kKeySize, kKeySize));
    const int index = digit.index;
    connect(key, &QPushButton::clicked, this, [this, index] { keys_.cmdNum_Click(index); });
    cmdNum_[static_cast<std::size_t>(index)] = key;
  }
}

void frmANumKey::BuildCommandKeys() {
  const QFont font = Font(kSerifFace, 18, QFont::Bold);
  const auto addKey = [&](const char* name, const QString& caption, const QRect& place) {
    auto* key = new KeyButton(caption, font, handPicture_, this);
    key->setObjectName(QString::fromLatin1(name));
    key->setGeometry(place);
    return key;
  };
  cmdBack_ = addKey("cmdBack", QString(), TwipsRect(9450, 1080, kKeySize, kKeySize));
  cmdBack_->SetFacePicture(LeftArrowPicture());
  cmdExit_ = addKey("cmdExit", QStringLiteral("離開"), TwipsRect(9450, 2130, kKeySize, kKeySize));
  cmdEnter_ = addKey("cmdEnter", QStringLiteral("確定"), TwipsRect(9420, 3180, 1035, 2055));
  cmdDel_ = addKey("cmdDel", QStringLiteral("清除"), TwipsRect(8310, 4230, kKeySize, kKeySize));
  connect(cmdBack_, &QPushButton::clicked, this, [this] { keys_.cmdBack_Click(); });
  connect(cmdExit_, &QPushButton::clicked, this, [this] { keys_.cmdExit_Click(); });
  connect(cmdEnter_, &QPushButton::clicked, this, [this] { keys_.cmdEnter_Click(); });
  connect(cmdDel_, &QPushButton::clicked, this, [this] { keys_.cmdDel_Click(); });
}

void frmANumKey::BuildStatusBar() {
  elaSBar_ = NewPanel("elaSBar", controls::QtCaptionPanel::Bevel::kRaised, this);
  elaSBar_->setGeometry(TwipsRect(0, 5370, 10530, 645));
  elaMsg_ = NewPanel("elaMsg", controls::QtCaptionPanel::Bevel::kSunken, elaSBar_);
  elaMsg_->setGeometry(TwipsRect(180, 120, 10155, 420));
  elaMsg_->setFont(Font(kMingFace, 15.75));
}

void frmANumKey::Form_Load() noexcept {
  common::TrapShow("frmNumKey_Form_Load", [&] {
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
    SetMessage(kLoadMessage);
  });
}

void frmANumKey::SetMessage(std::string_view text) {
  elaMsg_->SetCaption(text);
}

void frmANumKey::SetMasked(bool masked) {
  txtDisp_->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
}

void frmANumKey::SetDisplayFontSize(double points) {
  QFont font = txtDisp_->font();
  font.setPointSizeF(points);
  txtDisp_->setFont(font);
}

std::string frmANumKey::DisplayText() const {
  return controls::ToUtf8(txtDisp_->text());
}

void frmANumKey::SetDisplayText(std::string_view text) {
  txtDisp_->setText(controls::ToQString(text));
}

std::string frmANumKey::AlphaCaption(int index) const {
  const auto key = cmdAlpha_.find(index);
  if (key == cmdAlpha_.end()) {
    common::Raise(common::err::kSubscriptOutOfRange,
                  "No letter key has the index " + std::to_string(index) + ".");
  }
  return controls::ToUtf8(key->second->text());
}

void frmANumKey::FocusAcceptKey() {
  cmdEnter_->setFocus();
}

void frmANumKey::HideDialog() {
  hide();
}

// Key preview: a key press reaches the handlers once, at the control that has the
// focus (or the dialog when none has), before that control sees it. A swallowed
// character goes no further.
bool frmANumKey::eventFilter(QObject* watched, QEvent* event) {
  QWidget* const receiver = focusWidget() != nullptr ? focusWidget() : this;
  if (event->type() != QEvent::KeyPress || watched != receiver) {
    return QDialog::eventFilter(watched, event);
  }
  const PressedKey pressed = FromQt(*static_cast<QKeyEvent*>(event));
  keys_.Form_KeyDown(pressed.keyCode);
  if (!pressed.charCode) return false;
  int charCode = *pressed.charCode;
  keys_.Form_KeyPress(charCode);
  return charCode == 0;
}

// Escape and Enter are the key handlers' alone; the dialog adds no reaction of its own.
void frmANumKey::keyPressEvent(QKeyEvent* event) {
  QWidget::keyPressEvent(event);
}

void frmANumKey::closeEvent(QCloseEvent* event) {
  unloaded_ = true;
  QDialog::closeEvent(event);
}

}  // namespace keyboard
