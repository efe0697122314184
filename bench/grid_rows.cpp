#include "bench/grid_rows.h"

#include "bench/synthetic_settings.h"
#include "platform/ansi_codepage.h"

namespace bench {

std::vector<std::vector<std::string>> DecodedRows(std::size_t values) {
  std::vector<std::vector<std::string>> rows;
  for (const platform::SettingWrite& setting : SyntheticSettings(values)) {
    rows.push_back({platform::AnsiToUtf8(setting.application),
                    platform::AnsiToUtf8(setting.section), platform::AnsiToUtf8(setting.key),
                    platform::AnsiToUtf8(setting.text)});
  }
  return rows;
}

}  // namespace bench
