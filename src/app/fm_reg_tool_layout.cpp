#include "app/fm_reg_tool_layout.h"

#include <algorithm>
#include <cstdlib>

namespace app {
namespace {

using enum Kind;
using enum Page;
using enum FontRole;
using enum Command;

// clang-format off
constexpr ControlLayout kControls[] = {
  // name              id  kind             page         caption                 left   top  width height focus font            command                 index
  {"fgList",           110, kGrid,          kRegistry,   "",                     {120,  120, 11400, 5925},  8, kList,          kNone,                  0},
  {"chkDefault",       111, kCheckBox,      kRegistry,   "使用預設的檔案及目錄", {120, 6000,  4695,  495}, 18, kWindow,        kNone,                  0},
  {"cmdLoadReg",       112, kButton,        kRegistry,   "復原Registry",         {180, 6510,  2220,  600},  4, kWindow,        kLoadReg,               0},
  {"cmdReadRegFile",   113, kButton,        kRegistry,   "讀入Registry",        {2565, 6510,  2205,  600},  5, kWindow,        kReadRegFile,           0},
  {"cmdSave",          114, kButton,        kRegistry,   "存檔",                {4950, 6510,  2205,  600},  7, kWindow,        kSave,                  0},
  {"cmdGetCurrentReg", 115, kButton,        kRegistry,   "讀取本機Registry",    {7260, 6510,  2760,  600},  3, kWindow,        kGetCurrentReg,         0},
  {"cmdExit_0",        116, kButton,        kRegistry,   "結束",               {10125, 6510,  1365,  600},  6, kWindow,        kExit,                  0},
  {"Label28",          120, kLabel,         kConnection, "電腦名稱:",            {360,  675,  2295,  315}, 16, kWindow,        kNone,                  0},
  {"txtComputerName",  121, kTextBox,       kConnection, "",                    {2670,  615,  3195,  435}, 14, kWindow,        kComputerNameDblClick,  0},
  {"cmdInputName",     122, kPictureButton, kConnection, "...",                 {5985,  615,   990,  390}, 12, kPictureCaption, kInputName,             0},
  {"Frame2",           123, kFrame,         kConnection, "作業訊息",             {495, 1620,  5385, 4470}, 15, kWindow,        kNone,                  0},
  // Not inside Frame2 but on the page, above it, within the frame's rectangle.
  {"fgUpdLog",         124, kGrid,          kConnection, "",                     {615, 1980,  5010, 3870}, 13, kWindow,        kNone,                  0},
  {"cmdUpdINI",        125, kPictureButton, kConnection, "修改系統參數檔",      {7320, 2115,  2700,  630}, 11, kPictureCaption, kUpdINI,                0},
  {"cmdUpdIDMENU",     126, kPictureButton, kConnection, "修改主選單",          {7320, 3105,  2700,  630}, 10, kPictureCaption, kUpdIDMENU,             0},
  {"cmdExit_1",        127, kButton,        kConnection, "結束",                {8520, 6120,  2445,  600}, 17, kWindow,        kExit,                  1},
};
// clang-format on

}  // namespace

FontSpec FontOf(FontRole role) {
  switch (role) {
    case kWindow:
      return {"標楷體", 14.25};
    case kList:
      return {"新細明體", 12};
    case kPictureCaption:
      return {"細明體", 12};
  }
  std::abort();
}

std::span<const ControlLayout> ControlTable() {
  return kControls;
}

const ControlLayout& ControlNamed(std::string_view name) {
  const auto* found = std::find_if(std::begin(kControls), std::end(kControls),
                                   [name](const ControlLayout& c) { return c.name == name; });
  if (found == std::end(kControls)) std::abort();  // a misspelt name is a programming error
  return *found;
}

}  // namespace app
