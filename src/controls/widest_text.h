#pragma once
// The advance of the widest of many texts, as the toolkit's own text measurement gives
// it, without measuring every text whole. Measuring a whole text (shaping, kerning,
// fallback fonts) costs far more than adding up the advances of its characters, and that
// sum differs from the whole text's width only by kerning; so each text is first
// estimated from its characters (each character measured once), and only the texts whose
// estimate comes near the widest are measured whole. Fitting a column of 100 000
// settings then measures a handful of texts, not 100 000. The toolkit comes in as two
// functions, so the Qt and the Win32 grid fit their columns the same way.
#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace controls {

class WidestText {
 public:
  // The advance of one UTF-16 code unit, fractional where the toolkit knows fractions.
  using CharAdvance = std::function<double(char16_t)>;
  // The width of a whole text as the toolkit draws it.
  using TextWidth = std::function<int(std::u16string_view)>;

  WidestText(CharAdvance charAdvance, TextWidth textWidth);

  // `id` names the text to the caller, who gives the text again when it is measured whole.
  void Add(int id, std::u16string_view text);

  // Starts over with no texts, for another column in the same font: the characters
  // and texts measured so far stay measured.
  void StartOver();

  // Once every text is added: the width of the widest, 0 when none was added (empty
  // texts count as none). `textOf(id)` gives the text of an id passed to Add, as anything
  // a std::u16string_view can view.
  template <typename TextOf>
  int Width(TextOf&& textOf) {
    int widest = 0;
    while (const Candidate* next = NextCandidate(widest)) {
      const auto& text = textOf(next->id);
      widest = std::max(widest, Whole(std::u16string_view(text)));
    }
    return widest;
  }

 private:
  struct Candidate {
    double estimate;
    int id;
  };

  // The estimate from the characters' own advances, or the whole width for a text
  // whose characters cannot be taken one by one (control characters such as a tab,
  // surrogate pairs).
  double Estimate(std::u16string_view text);
  int Whole(std::u16string_view text);
  // The candidate with the highest estimate that could still be wider than `widest`,
  // taken out of the list; null when none is left.
  const Candidate* NextCandidate(int widest);

  CharAdvance charAdvance_;
  TextWidth textWidth_;
  std::vector<double> advances_;  // by UTF-16 code unit; -1 until measured
  // Looked up by view: a column's widest texts often repeat thousands of times (one
  // application's name on every row), and each look-up must not copy the text.
  struct ViewHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const {
      return std::hash<std::u16string_view>()(text);
    }
  };
  std::unordered_map<std::u16string, int, ViewHash, std::equal_to<>> measured_;
  std::vector<Candidate> candidates_;
  Candidate taken_{};
  bool heaped_ = false;
};

}  // namespace controls
