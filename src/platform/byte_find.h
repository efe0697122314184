#pragma once
// Finding the first of a few bytes in a text. std::string_view::find_first_of looks up
// every byte of the text in the set, one library call per byte; the per-value checks of
// a large store and snapshot do better with one vectorised search per byte of the set.
#include <string_view>

namespace platform {

// Where the first byte of `text` that is one of `bytes` stands; npos when none is.
inline std::size_t FindFirstOf(std::string_view text, std::string_view bytes) {
  std::size_t first = std::string_view::npos;
  for (const char byte : bytes) {
    const std::size_t found = text.substr(0, first).find(byte);
    if (found != std::string_view::npos) first = found;
  }
  return first;
}

inline bool HoldsAnyOf(std::string_view text, std::string_view bytes) {
  return FindFirstOf(text, bytes) != std::string_view::npos;
}

}  // namespace platform
