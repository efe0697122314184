// Writes the program's icon file from the shared picture rows (app/artwork.h), so the
// icon that Explorer shows for RegTool.exe is the window's icon. Built and run on the
// build machine: make_icon OUTPUT.ico
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string_view>
#include <vector>

#include "app/artwork.h"

namespace {

// The palette letters in palette order; index 0 also stands under transparent pixels.
constexpr std::string_view kLetters = "knogsycw";
constexpr int kColours = 16;

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(value & 0xFF);
  out.push_back((value >> 8) & 0xFF);
}

void Put32(std::vector<std::uint8_t>& out, unsigned value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// A 32 x 32, 16-colour icon image: header, palette, colour bits and the transparency
// mask, both bottom row first.
std::vector<std::uint8_t> IconImage(const app::PictureRows& rows) {
  constexpr int size = app::kPictureSize;
  std::vector<std::uint8_t> image;
  Put32(image, 40);        // header size
  Put32(image, size);      // width
  Put32(image, size * 2);  // height of colour bits and mask together
  Put16(image, 1);         // planes
  Put16(image, 4);         // bits per pixel
  Put32(image, 0);         // no compression
  Put32(image, size * size / 2 + size * size / 8);
  for (int i = 0; i < 4; ++i) Put32(image, 0);
  for (int i = 0; i < kColours; ++i) {
    const auto colour =
        i < static_cast<int>(kLetters.size()) ? app::PictureColour(kLetters[i]) : std::nullopt;
    image.push_back(colour ? colour->blue : 0);
    image.push_back(colour ? colour->green : 0);
    image.push_back(colour ? colour->red : 0);
    image.push_back(0);
  }
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; x += 2) {
      auto index = [&](int column) {
        const auto at = kLetters.find(rows[y][column]);
        return at == std::string_view::npos ? 0u : static_cast<unsigned>(at);
      };
      image.push_back(static_cast<std::uint8_t>(index(x) << 4 | index(x + 1)));
    }
  }
  for (int y = size - 1; y >= 0; --y) {  // 1 = transparent; rows are 4 bytes here
    for (int byte = 0; byte < size / 8; ++byte) {
      std::uint8_t bits = 0;
      for (int bit = 0; bit < 8; ++bit) {
        if (!app::PictureColour(rows[y][byte * 8 + bit])) bits |= 0x80 >> bit;
      }
      image.push_back(bits);
    }
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_icon OUTPUT.ico\n", stderr);
    return 2;
  }
  const std::vector<std::uint8_t> image = IconImage(app::ApplicationPicture());
  std::vector<std::uint8_t> file;
  Put16(file, 0);  // reserved
  Put16(file, 1);  // an icon
  Put16(file, 1);  // one image
  file.push_back(app::kPictureSize);
  file.push_back(app::kPictureSize);
  file.push_back(kColours);
  file.push_back(0);
  Put16(file, 1);  // planes
  Put16(file, 4);  // bits per pixel
  Put32(file, static_cast<unsigned>(image.size()));
  Put32(file, 6 + 16);  // the image follows the directory
  file.insert(file.end(), image.begin(), image.end());
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return out.good() ? 0 : 1;
}
