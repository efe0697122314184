#pragma once
// frmANumKey's layout as the designer drew it, for every window toolkit that builds
// the dialog: the keys with their captions and places, the panels, the fonts and the
// colours. Positions are left and top within the key's container, in twips (1/1440
// inch; 15 twips to a pixel at 96 dots per inch). Standard C++ only.
#include <span>
#include <string>
#include <string_view>

namespace keyboard::layout {

struct Box {
  int left, top, width, height;
};

struct Face {
  std::string_view family;
  double points;
  bool bold;
};

struct Colour {
  int red, green, blue;
};

inline constexpr std::string_view kSerifFamily = "Times New Roman";
inline constexpr std::string_view kMingFamily = "細明體";

// The dialog's inner area, without its frame.
inline constexpr int kWidth = 10530;
inline constexpr int kHeight = 6015;
inline constexpr Colour kBackground{192, 192, 192};

// txtDisp, the one-line display of the text being entered.
inline constexpr Box kDisplay{4440, 240, 5955, 675};
inline constexpr Face kDisplayFace{kSerifFamily, 24, true};
inline constexpr Colour kDisplayBackground{255, 255, 128};

// vsElastic1, the panel that holds the letter keys.
inline constexpr Box kLetterPanel{60, 1080, 5775, 4185};
// elaSBar, the status bar across the bottom, and elaMsg, the message line inside it.
inline constexpr Box kStatusBar{0, 5370, 10530, 645};
inline constexpr Box kMessageLine{180, 120, 10155, 420};
inline constexpr Face kMessageFace{kMingFamily, 15.75, false};

// Every key has this light grey face and the picture of a hand pressing a key.
inline constexpr Colour kKeyFace{224, 224, 224};

enum class KeyKind {
  kLetter,  // cmdAlpha(index), inside vsElastic1
  kDigit,   // cmdNum(index)
  kBack,    // cmdBack: no caption, a left arrow on its face
  kExit,    // cmdExit, the leave key
  kEnter,   // cmdEnter, the accept key
  kDelete,  // cmdDel, the clear key
};

struct Key {
  KeyKind kind;
  int index;  // the control-array index of a letter or digit key; 0 for the others
  std::string_view caption;
  Box place;
};

// All 42 keys: A to Z are letter indexes 1 to 26, "-" is 30; the digits are their own
// index and "00" is 10.
std::span<const Key> Keys();

// The font of a key's caption.
const Face& KeyFace(KeyKind kind);

// The key's control name as the designer gave it: "cmdAlpha(1)", "cmdNum(10)", "cmdBack".
std::string ControlName(const Key& key);

}  // namespace keyboard::layout
