#pragma once
// A caller may give the keyboard dialog's display any value to start from; numbers
// and Booleans are shown as text: 12 shows "12", 1.5 shows "1.5", true shows "True".
#include <charconv>
#include <concepts>
#include <string>

namespace keyboard {

// Characters are not numbers here: a char default would otherwise show its code.
template <class T>
concept NumericDefault = std::same_as<T, bool> || std::floating_point<T> ||
    (std::integral<T> && !std::same_as<T, char> && !std::same_as<T, signed char> &&
     !std::same_as<T, unsigned char> && !std::same_as<T, wchar_t> && !std::same_as<T, char8_t> &&
     !std::same_as<T, char16_t> && !std::same_as<T, char32_t>);

// Floating-point values give the shortest text that reads back as the same value.
template <NumericDefault T>
std::string DefaultText(T value) {
  if constexpr (std::same_as<T, bool>) {
    return value ? "True" : "False";
  } else {
    char buffer[64];  // room for any integer and any shortest floating-point text
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
  }
}

}  // namespace keyboard
