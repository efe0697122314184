#pragma once
// The settings-store module: the walk of the per-user settings tree, the snapshot file
// that keeps it, and the restore. Every routine traps its own failures, reports them
// with its label and returns a plain result.
//
// Names, data, snapshot lines and file paths are 8-bit ANSI bytes; only what goes into
// the grid is decoded (to UTF-8) for display.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/grid.h"
#include "platform/settings_store.h"

namespace bmRegistry {

// One stored value flattened to cells: the key path's parts, the value name, the data.
// For the standard layout: application, section, key, data. A "|" anywhere, or a "\"
// in the value name, starts a new cell. Kept as a list, never joined, so a tab inside a
// name or the data stays in its cell.
using Record = std::vector<std::string>;

// Walks the key at `keyPath` (relative to `root`; empty for the root itself) depth
// first, appending one record per value of every key that has no sub-key. False when
// the key cannot be opened (silently) or the walk failed (shown, "bmRegistry_EnumSubKey").
bool EnumSubKey(platform::SettingsKey& root, std::string_view keyPath,
                std::vector<Record>& records);

// The records of the whole settings tree in walk order; nothing when the settings root
// cannot be opened.
std::optional<std::vector<Record>> ReadAllSettings(platform::SettingsStore& store);

// Clears the grid to its header and shows one row per stored setting. False when the
// settings root cannot be opened, or on a failure (logged, "bmRegistry_GetCurrentKey").
bool GetCurrentKey(controls::Grid& grid, platform::SettingsStore& store);

// Writes every stored setting to `path` as comma-separated lines ended by CR LF,
// replacing the file whole. False, with no file written, when the store holds no
// setting; false on a failure (logged, "bmRegistry_GetCurrentKeyToFile"), with an
// earlier file at the path left as it was.
bool GetCurrentKeyToFile(std::string_view path, platform::SettingsStore& store);

// Shows a snapshot file in the grid, one row per line and one cell per field. A missing
// file gets the "File Not Found:" box and leaves the grid alone; a failure is shown
// ("frmReg_LoadRegistryToFG").
bool LoadRegistryToFG(controls::Grid& grid, std::string_view path);

// Restores a snapshot file into the store. Every line is checked first; a bad line, or
// a store that refuses the batch, changes nothing and is shown ("bmRegistry_LoadRegistry").
bool LoadRegistry(std::string_view path, platform::SettingsStore& store);

// One setting that a restore would add or change; texts are ANSI.
struct SettingChange {
  std::string path;                    // application\section\key, as the file spells it
  std::optional<std::string> oldData;  // nothing when the restore would add the value
  std::string newData;
};

// What a restore of the snapshot file would add or change, in the order the file first
// names each setting (a setting named twice counts with its last data, as the restore
// leaves it). The file is read and checked as the restore reads it; nothing is written.
// Nothing when the file is missing or a line is bad (shown, "bmRegistry_CompareWithStore").
std::optional<std::vector<SettingChange>> CompareWithStore(std::string_view path,
                                                           platform::SettingsStore& store);

}  // namespace bmRegistry
