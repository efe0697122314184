#include "controls/win32/installed_face.h"

#include <windows.h>

#include <array>
#include <initializer_list>

namespace controls {
namespace {

// Besides its Chinese name, each face is registered under an English one; the AR PL
// faces are the free faces of the same styles (the Kai brush, the Ming print).
struct FaceFamily {
  std::wstring_view face;
  std::initializer_list<std::wstring_view> alternatives;
};

const std::array<FaceFamily, 3> kFamilies = {{
    {L"標楷體", {L"DFKai-SB", L"AR PL UKai TW", L"AR PL UKai"}},
    {L"新細明體", {L"PMingLiU", L"AR PL UMing TW", L"AR PL New Sung"}},
    {L"細明體", {L"MingLiU", L"AR PL UMing TW", L"AR PL New Sung"}},
}};

// Faces that hold Traditional Chinese and are often present, tried after the family.
constexpr std::wstring_view kChineseFaces[] = {L"Microsoft JhengHei", L"Noto Sans CJK TC",
                                               L"WenQuanYi Zen Hei", L"Droid Sans Fallback"};

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

bool IsInstalled(std::wstring_view face) {
  if (face.size() >= LF_FACESIZE) return false;
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  face.copy(wanted.lfFaceName, face.size());
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

std::wstring MessageFontFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return metrics.lfMessageFont.lfFaceName;
  }
  return L"MS Shell Dlg 2";  // a name every Windows maps to its dialog face
}

}  // namespace

std::wstring InstalledFace(std::wstring_view face) {
  if (IsInstalled(face)) return std::wstring(face);
  for (const FaceFamily& family : kFamilies) {
    if (family.face != face) continue;
    for (std::wstring_view alternative : family.alternatives) {
      if (IsInstalled(alternative)) return std::wstring(alternative);
    }
  }
  for (std::wstring_view chinese : kChineseFaces) {
    if (IsInstalled(chinese)) return std::wstring(chinese);
  }
  return MessageFontFace();
}

}  // namespace controls
