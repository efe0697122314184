#pragma once
// Which installed face a font asks for by name. The faces the program's forms name are
// those of a Traditional Chinese Windows; where one is not installed (an English Windows,
// Wine), the nearest Traditional Chinese face present stands in for it, so the Chinese
// captions never fall back to a face without their characters.
#include <string>
#include <string_view>

namespace controls {

// The first installed face of: `face`, its other names and its look-alikes, the faces
// that often hold Traditional Chinese, then the system's message font. Never empty.
std::wstring InstalledFace(std::wstring_view face);

}  // namespace controls
