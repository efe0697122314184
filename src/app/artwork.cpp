#include "app/artwork.h"

namespace app {

std::optional<Rgb> PictureColour(char code) {
  switch (code) {
    case 'k':
      return Rgb{0, 0, 0};  // black
    case 'n':
      return Rgb{0, 0, 128};  // navy
    case 'o':
      return Rgb{128, 128, 0};  // olive
    case 'g':
      return Rgb{128, 128, 128};  // grey
    case 's':
      return Rgb{192, 192, 192};  // silver, &H00C0C0C0, the light grey of a button face
    case 'y':
      return Rgb{255, 255, 0};  // yellow
    case 'c':
      return Rgb{0, 255, 255};  // cyan
    case 'w':
      return Rgb{255, 255, 255};  // white
    default:
      return std::nullopt;
  }
}

// clang-format off
const PictureRows& ApplicationPicture() {
  static constexpr PictureRows kRows = {
    "................................",
    "................................",
    "................................",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
    "..kssssssssssssssssssssssssssk..",
    "..kssssssssssssssssssssssssssk..",
    "..ksskkkkkkkkkkkkkkkkkkkkkkssk..",
    "..kssknnnnnnnnnnnnnnnnnnnnkssk..",
    "..kssknyyyyyynwwwwwwwwwwnnkssk..",
    "..kssknyyyyyynwwwwwwwwwwnnkssk..",
    "..kssknnnnnnnnnnnnnnnnnnnnkssk..",
    "..kssknnnnnnnnnnnnnnnnnnnnkssk..",
    "..kssknyyyyyynwwwwwwwwnnnnkssk..",
    "..kssknyyyyyynwwwwwwwwnnnnkssk..",
    "..kssknnnnnnnnnnnnnnnnnnnnkssk..",
    "..kssknnnnnnnnnnnnnnnnnnnnkssk..",
    "..kssknyyyyyynccccccccccnnkssk..",
    "..kssknyyyyyynccccccccccnnkssk..",
    "..kssknnnnnnnnnnnnnnnnnnnnkssk..",
    "..kssknnnnnnnnnnnnnnnnnnnnkssk..",
    "..ksskkkkkkkkkkkkkkkkkkkkkkssk..",
    "..kssssssssssssssssssssssssssk..",
    "..kssssssssssssssssssssssssssk..",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
    "............kkkkkkkk............",
    "............kggggggk............",
    "............kkkkkkkk............",
    "......kkkkkkkkkkkkkkkkkkkk......",
    "......kggggggggggggggggggk......",
    "......kkkkkkkkkkkkkkkkkkkk......",
    "................................",
    "................................",
  };
  return kRows;
}

const PictureRows& PictureButtonPicture() {
  static constexpr PictureRows kRows = {
    "................................",
    "................................",
    "...........kkkkkkkkk............",
    "........kkkwwwwwwwwwkkk.........",
    "......kkwwwwwwwwwwwwwwwkk.......",
    ".....kwwwwwwwwwwwwwwwwwwwk......",
    ".....kwwwwwwwwwwwwwwwwwwwk......",
    ".....kwwwwwwwwwwwwwwwwwwwk......",
    ".....kwwwwwwwwwwwwwwwwwwwk......",
    ".....kkkwwwwwwwwwwwwwwwkkk......",
    ".....kyykkkwwwwwwwwwkkkoyk......",
    ".....kyyyyykkkkkkkkkooooyk......",
    ".....kyyyyyyyyyyyyyyooooyk......",
    ".....kyyyyyyyyyyyyyyooooyk......",
    ".....kyyyyyyyyyyyyyyooooyk......",
    ".....kyyyyyyyyyyyyyyooooykkkkkk.",
    ".....kyyyyyyyyyyyyyyooooykknnnk.",
    ".....kyyyyyyyyyyyyyyooooykknnnk.",
    ".....kyyyyyyyyyyyyyyooooykkkkkk.",
    ".....kyyyyyyyyyyyyyyooooyk..k...",
    ".....kyyyyyyyyyyyyyyooooyk..k...",
    ".....kyyyyyyyyyyyyyyooooyk..k...",
    ".....kyyyyyyyyyyyyyyooooyk..k...",
    ".....kyyyyyyyyyyyyyyooooyk..k...",
    ".....kyyyyyyyyyyyyyyooooyk..k...",
    ".....kyyyyyyyyyyyyyyooooyk..k...",
    ".....kyyyyyyyyyyyyyyyyyyyk..k...",
    "......kkyyyyyyyyyyyyyyykk...k...",
    "........kkkyyyyyyyyykkk.....k...",
    "...........kkkkkkkkk........k...",
    "............................k...",
    "................................",
  };
  return kRows;
}
// clang-format on

}  // namespace app
