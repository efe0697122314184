#pragma once
// Synthetic settings trees for the benchmarks: seeded and deterministic, shaped like a
// busy workstation's store. Applications hold ten sections, sections a hundred values;
// names are the kind programs use (window places, paths, printers, servers) and about a
// third of the texts are Chinese. Texts are in the ANSI code page of the locale in force
// when the tree is made, as programs store them.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace bench {

inline constexpr std::uint64_t kDefaultSeed = 20240611;
inline constexpr std::size_t kValuesPerSection = 100;
inline constexpr std::size_t kSectionsPerApplication = 10;

// `values` settings (rounded up to whole sections); the same seed gives the same tree.
// No name or text holds ",", "|", a tab or a line break, so the settings go through a
// snapshot file and back unchanged.
std::vector<platform::SettingWrite> SyntheticSettings(std::size_t values,
                                                      std::uint64_t seed = kDefaultSeed);

// `values` settings of one application's one section: the shape that shows a store
// whose cost per value grows with the size of its section.
std::vector<platform::SettingWrite> SyntheticSettingsInOneSection(std::size_t values,
                                                                  std::uint64_t seed = kDefaultSeed);

// The snapshot file of `settings`: one "application,section,key,text" line each, in the
// order given, each ended by CR LF.
std::string SnapshotText(std::span<const platform::SettingWrite> settings);

}  // namespace bench
