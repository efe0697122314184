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
// does not exist. A store that cannot be read (a damaged settings file, say) raises a
// failure (common::FailureError) that names what to repair.
std::optional<std::vector<Record>> ReadAllSettings(platform::SettingsStore& store);

// ReadAllSettings inside a trap of its own: a store that cannot be read is shown with
// `label` and gives nothing. A user who only learned "cannot read" would not know which
// file to repair, so this failure is shown even by routines that otherwise only log.
std::optional<std::vector<Record>> ReadAllSettingsShown(platform::SettingsStore& store,
                                                        std::string_view label);

// Clears the grid to its header and shows one row per stored setting. False when the
// settings root does not exist or cannot be read (shown, "bmRegistry_GetCurrentKey"),
// or on another failure (logged, same label).
bool GetCurrentKey(controls::Grid& grid, platform::SettingsStore& store);

// Writes every stored setting to `path` as comma-separated lines ended by CR LF,
// replacing the file whole. False, with no file written, when the store holds no
// setting or cannot be read (shown, "bmRegistry_GetCurrentKeyToFile"); false on another
// failure (logged, same label), with an earlier file at the path left as it was.
bool GetCurrentKeyToFile(std::string_view path, platform::SettingsStore& store);

// Shows a snapshot file in the grid, one row per line and one cell per field. A missing
// file gets the "File Not Found:" box and leaves the grid alone; a failure is shown
// ("frmReg_LoadRegistryToFG").
bool LoadRegistryToFG(controls::Grid& grid, std::string_view path);

// Restores a snapshot file into the store. Every line is checked first; a bad line, or
// a store that refuses the batch, changes nothing and is shown ("bmRegistry_LoadRegistry").
bool LoadRegistry(std::string_view path, platform::SettingsStore& store);

}  // namespace bmRegistry
