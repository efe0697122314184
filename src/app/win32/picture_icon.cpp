#include "app/win32/picture_icon.h"

#include <cstdint>
#include <vector>

namespace app {

Icon::Icon(const PictureRows& rows) : icon_(nullptr) {
  // A 32-bit colour image with alpha, top row first, and an all-clear mask: the alpha
  // says what is transparent.
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = kPictureSize;
  header.bV5Height = -kPictureSize;
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (colour == nullptr) return;
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < kPictureSize; ++y) {
    for (int x = 0; x < kPictureSize; ++x) {
      const auto rgb = PictureColour(rows[y][x]);
      pixels[y * kPictureSize + x] =
          rgb ? 0xFF000000u | (rgb->red << 16) | (rgb->green << 8) | rgb->blue : 0u;
    }
  }
  const std::vector<std::uint8_t> clear(kPictureSize * kPictureSize / 8, 0);
  HBITMAP mask = CreateBitmap(kPictureSize, kPictureSize, 1, 1, clear.data());
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colour;
  info.hbmMask = mask;
  icon_ = CreateIconIndirect(&info);
  DeleteObject(colour);
  DeleteObject(mask);
}

Icon::~Icon() {
  if (icon_ != nullptr) DestroyIcon(icon_);
}

}  // namespace app
