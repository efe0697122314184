#pragma once
// Spaces and tabs around names and values in the text files the platform parses (INI
// files, the settings file).
#include <string_view>

namespace platform {

inline bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

inline std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace platform
