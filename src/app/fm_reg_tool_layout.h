#pragma once
// The main window as the designer laid it out, for every front-end: each control's
// name, kind, page, caption, place in twips (1440 to the inch, 15 to a pixel at 96 DPI),
// font, keyboard focus order, control ID and the command it runs. The Qt and the Win32
// windows both build themselves from these tables, so the two cannot drift apart.
#include <span>
#include <string_view>

namespace app {

enum class Kind { kGrid, kCheckBox, kButton, kPictureButton, kLabel, kTextBox, kFrame };
enum class Page { kRegistry, kConnection };

// Which of the window's three fonts a control shows its text in.
enum class FontRole { kWindow, kList, kPictureCaption };

// What a control runs: a click for the buttons, a double-click for the server-name box.
enum class Command {
  kNone,
  kGetCurrentReg,
  kReadRegFile,
  kLoadReg,
  kSave,
  kInputName,
  kComputerNameDblClick,
  kUpdINI,
  kUpdIDMENU,
  kExit,
};

struct FontSpec {
  std::string_view face;
  double points;
};

// All three in the Chinese Big5 character set, regular weight.
FontSpec FontOf(FontRole role);

struct TwipsBox {
  int left, top, width, height;
};

struct ControlLayout {
  std::string_view name;  // the designer's name; "cmdExit_0" is cmdExit index 0
  int id;                 // unique in the window
  Kind kind;
  Page page;
  std::string_view caption;  // UTF-8; empty for the grids and the text box
  TwipsBox box;              // inside the page panel
  int focusOrder;            // across the whole window
  FontRole font;
  Command command;
  int index;  // the member's index in a control array (cmdExit), else 0
};

// The containers: the window-filling panel and tab control, and the two page panels
// below the tab strip, which is 420 twips high.
struct ContainerLayout {
  std::string_view name;
  int id;
  TwipsBox box;  // vsElastic1 and tabPage in the window, the pages inside tabPage
  int focusOrder;
};

inline constexpr int kClientWidth = 11730, kClientHeight = 7815;  // twips
inline constexpr int kTabStripHeight = 420;
inline constexpr std::string_view kTabCaptions = "Registry|連線設定";
inline constexpr ContainerLayout kVsElastic1{"vsElastic1", 100, {0, 0, 11730, 7815}, 0};
inline constexpr ContainerLayout kTabPage{"tabPage", 101, {0, 0, 11730, 7815}, 1};
inline constexpr ContainerLayout kVsElastic2{"vsElastic2", 102, {45, 420, 11640, 7350}, 2};
inline constexpr ContainerLayout kVsElastic3{"vsElastic3", 103, {45, 420, 11640, 7350}, 9};

inline constexpr const ContainerLayout& PagePanel(Page page) {
  return page == Page::kRegistry ? kVsElastic2 : kVsElastic3;
}

// Every control of both pages, in the designer's order.
std::span<const ControlLayout> ControlTable();

// The control of that name; the name must be in the table.
const ControlLayout& ControlNamed(std::string_view name);

}  // namespace app
