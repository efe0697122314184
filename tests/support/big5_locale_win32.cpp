#include "support/big5_locale.h"

namespace testing_support {

// A Windows process keeps the ANSI code page it was started with; the test preset starts
// Wine under the Traditional Chinese locale (code page 950), so the test goes on here.
bool UnderBig5Locale() {
  return true;
}

}  // namespace testing_support
