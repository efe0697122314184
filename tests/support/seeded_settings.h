#pragma once
// One seed of the settings store that every backend, and both windows, must walk, save
// and restore alike: tests/data/snapshot/seeded.txt is its snapshot, restored.txt the
// snapshot of a store that seeded.txt was restored into. The names are chosen so that
// Wine, which keeps names sorted, lists them as Windows does: sub-keys sort alike under
// both rules, and values are created in the order Wine sorts them.
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace testing_support {

using SettingRows = std::vector<std::vector<std::string>>;

// Writes the seed through the store's seeding calls; a refused write fails the test.
void SeedSettings(platform::SettingsStore& store);

// The records of the seed's section "General", which every way of reading the seed and
// its snapshot shows alike, followed by `rest`.
SettingRows GeneralRecordsThen(const SettingRows& rest);

// The records the walk finds in the seed, in walk order.
const SettingRows& SeededRecords();

// The records after seeded.txt was restored into an empty store: every setting comes
// back as a string; a comma or bar in a name moved the fields, and the data is
// everything after the third comma.
const SettingRows& RestoredRecords();

}  // namespace testing_support
