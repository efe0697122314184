#pragma once
// The settings-store module: the walk of the per-user settings tree, the snapshot file
// that keeps it, and the restore. Every routine traps its own failures, reports them
// with its label and returns a plain result.
//
// Names, data, snapshot lines and file paths are 8-bit ANSI bytes; only what goes into
// the grid is decoded (to UTF-8) for display.
#include <cstdint>
#include <functional>
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

// One stored value as the walk reads it.
struct StoredValue {
  std::string keyPath;  // below the settings root, names joined by "\"
  std::string name;     // without NULs
  std::uint32_t type = 0;
  std::string bytes;  // the data as stored, NULs included
  // False when the store holds a name or data text that the ANSI code page cannot carry:
  // `name` or `bytes` then differ from it ("?" in its place).
  bool exact = true;
};

// The value's record; its data text is the data bytes without NULs, whatever the type.
Record MakeRecord(const StoredValue& value);

using ValueVisitor = std::function<void(const StoredValue&)>;

// Walks the key at `keyPath` (relative to `root`; empty for the root itself) depth
// first, handing `visit` every value of every key that has no sub-key, and `leftOut`
// (when given) every value of a key that has sub-keys, once that key's sub-keys are
// walked. A sub-key whose name the ANSI code page cannot carry cannot be opened by the
// name it is read as: it is handed to `leftOut` as a value with no name and its key
// path, and not walked. False when the key cannot be opened (silently) or the walk failed (shown,
// "bmRegistry_EnumSubKey").
bool WalkValues(platform::SettingsKey& root, std::string_view keyPath, const ValueVisitor& visit,
                const ValueVisitor* leftOut = nullptr);

// WalkValues appending one record per value.
bool EnumSubKey(platform::SettingsKey& root, std::string_view keyPath,
                std::vector<Record>& records);

// The records of the whole settings tree in walk order; nothing when the settings root
// does not exist. A store that cannot be read (a damaged settings file, say) raises a
// failure (common::FailureError) that names what to repair.
std::optional<std::vector<Record>> ReadAllSettings(platform::SettingsStore& store);

// Clears the grid to its header and shows one row per stored setting. False when the
// settings root does not exist or cannot be read (shown, "bmRegistry_GetCurrentKey"),
// or on another failure (logged, same label).
bool GetCurrentKey(controls::Grid& grid, platform::SettingsStore& store);

// What a snapshot file cannot give back of the settings it was written from.
struct RestoreShortfall {
  // The settings that a restore of the file into the same store would not leave as they
  // were, type included, and those the file leaves out because their key has sub-keys,
  // in walk order: each as its path below the settings root, "application\section\key"
  // (ANSI).
  std::vector<std::string> settings;
  // Whether some line of the file fails the restore's check, so that no restore of
  // the file changes anything.
  bool wholeFileRefused = false;
};

// Writes every stored setting to `path` as comma-separated lines ended by CR LF,
// replacing the file whole, and tells `shortfall` (when given) what the file cannot give
// back. False, with no file written, when the store holds no setting or cannot be read
// (shown, "bmRegistry_GetCurrentKeyToFile"); false on another failure (logged, same
// label), with an earlier file at the path left as it was.
bool GetCurrentKeyToFile(std::string_view path, platform::SettingsStore& store,
                         RestoreShortfall* shortfall = nullptr);

// Shows a snapshot file in the grid, one row per line and one cell per field. A missing
// file gets the "File Not Found:" box and leaves the grid alone; a failure is shown
// ("frmReg_LoadRegistryToFG").
bool LoadRegistryToFG(controls::Grid& grid, std::string_view path);

// Restores a snapshot file into the store. Every line is checked first; a bad line, or
// a store that refuses the batch, changes nothing and is shown ("bmRegistry_LoadRegistry").
// A setting whose line leaves it as it is (see CompareWithStore) is not written, so a
// dword saved to a file and restored from it stays a dword. Before the batch is applied
// its undo file is written (undo_file.h); when it cannot be, nothing changes, the
// failure names the undo folder and `*undoRefused` is set.
bool LoadRegistry(std::string_view path, platform::SettingsStore& store,
                  bool* undoRefused = nullptr);

// One setting that a restore would add or change; texts are ANSI.
struct SettingChange {
  std::string path;  // application\section\key, as the file spells it
  // Nothing when the restore would add the value. The stored text of a string; any
  // other value (a dword, binary data, a string holding a NUL) in the notation of a
  // registry export, "dword:00000003", since the restore replaces it by a string.
  std::optional<std::string> oldData;
  std::string newData;
  bool replacesType = false;  // oldData names a value that is not a plain string
};

// What a restore of the snapshot file would add or change, in the order the file first
// names each setting (a setting named twice counts with its last data, as the restore
// leaves it). A line whose data is the text the save makes of the stored value changes
// nothing, whatever the value's type. The file is read and checked as the restore reads it; nothing is written.
// Nothing when the file is missing, a line is bad or the store cannot be read (shown,
// "bmRegistry_CompareWithStore").
std::optional<std::vector<SettingChange>> CompareWithStore(std::string_view path,
                                                           platform::SettingsStore& store);

}  // namespace bmRegistry
