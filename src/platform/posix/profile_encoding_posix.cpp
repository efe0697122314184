#include "platform/utf16.h"
#include "platform/posix/profile_encoding.h"
#include "platform/posix/profile_text.h"

namespace platform::posix {
namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// In UTF-8 no byte of a longer character is an ASCII byte, so the line rules may look
// at every byte on its own.
std::size_t OneByte(std::string_view, std::size_t) {
  return 1;
}

}  // namespace

std::optional<std::string> SetProfileEntryInEncoding(std::string_view content,
                                                     std::string_view section, std::string_view key,
                                                     std::string_view value) {
  if (content.starts_with(kUtf16BeBom)) return std::nullopt;
  if (!content.starts_with(kUtf16LeBom)) return SetProfileEntry(content, section, key, value);
  // The byte order mark becomes the UTF-8 one, which the line rules step over.
  std::string text;
  const std::optional<std::string> sectionText = ExactlyAsUtf8(section);
  const std::optional<std::string> keyText = ExactlyAsUtf8(key);
  const std::optional<std::string> valueText = ExactlyAsUtf8(value);
  if (!Utf16LeToUtf8(content, text) || !sectionText || !keyText || !valueText) return std::nullopt;
  return Utf8ToUtf16Le(SetProfileEntry(text, *sectionText, *keyText, *valueText, &OneByte));
}

}  // namespace platform::posix
