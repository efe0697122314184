#include "keyboard/anumkey_layout.h"

#include <array>

namespace keyboard::layout {
namespace {

constexpr Face kLetterFace{kSerifFamily, 21.75, true};
constexpr Face kDigitFace{kSerifFamily, 24, true};
constexpr Face kCommandFace{kSerifFamily, 18, true};

constexpr KeyKind L = KeyKind::kLetter;
constexpr KeyKind D = KeyKind::kDigit;

// Letter rows differ a little in top and height, and the first row's lefts differ from
// the others' by a few twips: the designer's hand, kept as drawn. Digit and command keys
// sit on a grid of columns 5970, 7140, 8310, 9450 and rows 1080, 2130, 3180, 4230.
// clang-format off
constexpr std::array kKeys = {
  Key{L,  1, "A", {120,  105, 885, 735}}, Key{L,  2, "B", {1056,  105, 885, 735}},
  Key{L,  3, "C", {1992, 105, 885, 735}}, Key{L,  4, "D", {2928,  105, 885, 735}},
  Key{L,  5, "E", {3864, 105, 885, 735}}, Key{L,  6, "F", {4800,  105, 885, 735}},
  Key{L,  7, "G", {120,  900, 885, 750}}, Key{L,  8, "H", {1050,  900, 885, 750}},
  Key{L,  9, "I", {1995, 900, 885, 750}}, Key{L, 10, "J", {2925,  900, 885, 750}},
  Key{L, 11, "K", {3870, 900, 885, 750}}, Key{L, 12, "L", {4800,  900, 885, 750}},
  Key{L, 13, "M", {120, 1725, 885, 720}}, Key{L, 14, "N", {1050, 1725, 885, 720}},
  Key{L, 15, "O", {1995, 1725, 885, 720}}, Key{L, 16, "P", {2925, 1725, 885, 720}},
  Key{L, 17, "Q", {3870, 1725, 885, 720}}, Key{L, 18, "R", {4800, 1725, 885, 720}},
  Key{L, 19, "S", {120, 2535, 885, 735}}, Key{L, 20, "T", {1050, 2535, 885, 735}},
  Key{L, 21, "U", {1995, 2535, 885, 735}}, Key{L, 22, "V", {2925, 2535, 885, 735}},
  Key{L, 23, "W", {3870, 2535, 885, 735}}, Key{L, 24, "X", {4800, 2535, 885, 735}},
  Key{L, 25, "Y", {120, 3360, 885, 720}}, Key{L, 26, "Z", {1050, 3360, 885, 720}},
  Key{L, 30, "-", {4800, 3360, 885, 720}},

  Key{D,  7, "7",  {5970, 1080, 1000, 1000}}, Key{D, 8, "8", {7140, 1080, 1000, 1000}},
  Key{D,  9, "9",  {8310, 1080, 1000, 1000}},
  Key{D,  4, "4",  {5970, 2130, 1000, 1000}}, Key{D, 5, "5", {7140, 2130, 1000, 1000}},
  Key{D,  6, "6",  {8310, 2130, 1000, 1000}},
  Key{D,  1, "1",  {5970, 3180, 1000, 1000}}, Key{D, 2, "2", {7140, 3180, 1000, 1000}},
  Key{D,  3, "3",  {8310, 3180, 1000, 1000}},
  Key{D,  0, "0",  {5970, 4230, 1000, 1000}}, Key{D, 10, "00", {7140, 4230, 1000, 1000}},

  Key{KeyKind::kBack,   0, "",     {9450, 1080, 1000, 1000}},
  Key{KeyKind::kExit,   0, "離開", {9450, 2130, 1000, 1000}},
  Key{KeyKind::kEnter,  0, "確定", {9420, 3180, 1035, 2055}},  // two rows high
  Key{KeyKind::kDelete, 0, "清除", {8310, 4230, 1000, 1000}},
};
// clang-format on

}  // namespace

std::span<const Key> Keys() {
  return kKeys;
}

const Face& KeyFace(KeyKind kind) {
  switch (kind) {
    case KeyKind::kLetter:
      return kLetterFace;
    case KeyKind::kDigit:
      return kDigitFace;
    default:
      return kCommandFace;
  }
}

std::string ControlName(const Key& key) {
  switch (key.kind) {
    case KeyKind::kLetter:
      return "cmdAlpha(" + std::to_string(key.index) + ")";
    case KeyKind::kDigit:
      return "cmdNum(" + std::to_string(key.index) + ")";
    case KeyKind::kBack:
      return "cmdBack";
    case KeyKind::kExit:
      return "cmdExit";
    case KeyKind::kEnter:
      return "cmdEnter";
    case KeyKind::kDelete:
      return "cmdDel";
  }
  return {};
}

}  // namespace keyboard::layout
