#pragma once
// The program's two pictures as pixels, in the 16 colours of the classic palette: the
// window's icon (a monitor showing a list of settings) and the one icon every picture
// button shows (a database drum with a link). The Qt window, the Win32 window and the
// icon file of RegTool.exe are all made from these rows.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace app {

inline constexpr int kPictureSize = 32;

// One character a pixel, top row first: '.' is transparent, the letters are colours.
using PictureRows = std::array<std::string_view, kPictureSize>;

struct Rgb {
  std::uint8_t red, green, blue;
};

// The colour a letter stands for; nothing for '.' (and for an unknown letter).
std::optional<Rgb> PictureColour(char code);

const PictureRows& ApplicationPicture();
const PictureRows& PictureButtonPicture();

}  // namespace app
