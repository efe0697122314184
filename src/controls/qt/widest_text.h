#pragma once
// The advance of the widest of many texts, as QFontMetrics::horizontalAdvance gives it,
// without shaping every text. Shaping (kerning, ligatures, fallback fonts) costs far
// more than adding up the (fractional) advances of a text's characters, and that sum
// differs from the shaped width only by kerning; so each text is first estimated from its characters (each character
// measured once), and only the texts whose estimate comes near the widest are shaped.
// Fitting a column of 100 000 settings then shapes a handful of texts, not 100 000.
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <algorithm>
#include <vector>

namespace controls {

class WidestText {
 public:
  explicit WidestText(const QFont& font);

  // `id` names the text to the caller, who gives the text again when it is shaped.
  void Add(int id, const QString& text);

  // Once every text is added: the shaped advance of the widest, 0 when none was added
  // (empty texts count as none). `textOf(id)` gives the text of an id passed to Add.
  template <typename TextOf>
  int Width(TextOf&& textOf) {
    int widest = 0;
    while (const Candidate* next = NextCandidate(widest)) {
      widest = std::max(widest, Shaped(textOf(next->id)));
    }
    return widest;
  }

 private:
  struct Candidate {
    qreal estimate;
    int id;
  };

  // The estimate from the characters' own advances, or the shaped advance for a text
  // whose characters cannot be taken one by one (control characters such as a tab,
  // surrogate pairs).
  qreal Estimate(const QString& text);
  int Shaped(const QString& text);
  // The candidate with the highest estimate that could still be wider than `widest`,
  // taken out of the list; null when none is left.
  const Candidate* NextCandidate(int widest);

  QFontMetrics metrics_;
  QFontMetricsF fractional_;
  std::vector<qreal> charAdvance_;  // by UTF-16 code unit; -1 until measured
  QHash<QString, int> shaped_;    // texts repeat a lot in a settings list
  std::vector<Candidate> candidates_;
  Candidate taken_{};
  bool heaped_ = false;
};

}  // namespace controls
