#pragma once
#include <string_view>

namespace controls {

class TabControl {
 public:
  virtual ~TabControl() = default;
  // Page captions from one "|"-separated text, first page first.
  virtual void SetCaptions(std::string_view captions) = 0;
  virtual void SetCurrTab(int index) = 0;  // 0 = first page
  virtual int CurrTab() const = 0;
};

class CaptionPanel {
 public:
  virtual ~CaptionPanel() = default;
  virtual void SetCaption(std::string_view text) = 0;  // empty text shows nothing
};

}  // namespace controls
