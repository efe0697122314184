#include "bench/synthetic_settings.h"

#include <array>
#include <random>
#include <string_view>

#include "platform/ansi_codepage.h"

namespace bench {
namespace {

constexpr std::array<std::string_view, 12> kProducts = {
    "PosCounter", "StockKeeper", "MemberCard", "DailyReport", "LabelPrinter", "ScaleLink",
    "BackupAgent", "ClinicDesk", "TimeClock", "OrderEntry", "PriceBoard", "Receiving"};

constexpr std::array<std::string_view, kSectionsPerApplication> kSections = {
    "Settings", "Connection", "Window", "Printer", "Options",
    "Recent",   "Users",      "Scanner", "Report",  "Display"};

constexpr std::array<std::string_view, 25> kKeys = {
    "ServerName", "Database", "LastUser",  "Left",      "Top",      "Width",    "Height",
    "FontName",   "FontSize", "Printer",   "Copies",    "DataPath", "LastFile", "Caption",
    "Language",   "Timeout",  "AutoLogin", "StoreName", "Counter",  "Port",     "BaudRate",
    "Greeting",   "Footer",   "Theme",     "ShowGrid"};

// UTF-8 here; turned into the ANSI code page once per tree.
constexpr std::array<std::string_view, 16> kChineseTexts = {
    "連線設定",     "資料庫伺服器", "收銀台",     "列印報表",
    "庫存管理",     "會員資料",     "營業日報表", "系統參數",
    "標楷體",       "新細明體",     "請確認印表機已連線", "上次登入使用者",
    "臺北市中正區重慶南路一段", "備份完成", "歡迎光臨", "謝謝惠顧，歡迎再度光臨"};

class TextMaker {
 public:
  explicit TextMaker(std::uint64_t seed) : random_(seed) {
    // The full-width "，" below is no "," in any code page: it does not split a field.
    for (std::string_view text : kChineseTexts) chinese_.push_back(platform::Utf8ToAnsi(text));
  }

  std::uint64_t Next(std::uint64_t below) { return random_() % below; }

  std::string Text(std::string_view application) {
    switch (Next(6)) {
      case 0:
        return std::to_string(Next(4000));
      case 1:
        return "C:\\Program Files\\" + std::string(application) + "\\Data\\file" +
               std::to_string(Next(1000)) + ".dat";
      case 2:
        return "SRV-" + std::to_string(100 + Next(900));
      case 3:
        return "2024/" + TwoDigits(1 + Next(12)) + "/" + TwoDigits(1 + Next(28)) + " " +
               TwoDigits(Next(24)) + ":" + TwoDigits(Next(60)) + ":00";
      default:
        return chinese_[Next(chinese_.size())] +
               (Next(2) == 0 ? std::string() : std::to_string(Next(100)));
    }
  }

 private:
  static std::string TwoDigits(std::uint64_t n) {
    return n < 10 ? "0" + std::to_string(n) : std::to_string(n);
  }

  std::mt19937_64 random_;  // fully specified by the standard: the same trees everywhere
  std::vector<std::string> chinese_;
};

std::string KeyName(std::size_t index) {
  const std::size_t round = index / kKeys.size();
  return std::string(kKeys[index % kKeys.size()]) + (round == 0 ? "" : std::to_string(round));
}

}  // namespace

std::vector<platform::SettingWrite> SyntheticSettings(std::size_t values, std::uint64_t seed) {
  TextMaker maker(seed);
  const std::size_t sections = (values + kValuesPerSection - 1) / kValuesPerSection;
  std::vector<platform::SettingWrite> settings;
  settings.reserve(sections * kValuesPerSection);
  for (std::size_t s = 0; s < sections; ++s) {
    const std::size_t applicationIndex = s / kSectionsPerApplication;
    const std::string application = std::string(kProducts[applicationIndex % kProducts.size()]) +
                                    std::to_string(applicationIndex / kProducts.size() + 1);
    const std::string section(kSections[s % kSectionsPerApplication]);
    for (std::size_t v = 0; v < kValuesPerSection; ++v) {
      settings.push_back({application, section, KeyName(v), maker.Text(application)});
    }
  }
  return settings;
}

std::vector<platform::SettingWrite> SyntheticSettingsInOneSection(std::size_t values,
                                                                  std::uint64_t seed) {
  TextMaker maker(seed);
  const std::string application(kProducts[0]);
  std::vector<platform::SettingWrite> settings;
  settings.reserve(values);
  for (std::size_t v = 0; v < values; ++v) {
    settings.push_back({application, std::string(kSections[0]), KeyName(v), maker.Text(application)});
  }
  return settings;
}

std::string SnapshotText(std::span<const platform::SettingWrite> settings) {
  std::string text;
  for (const platform::SettingWrite& setting : settings) {
    text.append(setting.application).append(",").append(setting.section).append(",");
    text.append(setting.key).append(",").append(setting.text).append("\r\n");
  }
  return text;
}

}  // namespace bench
