#pragma once
// The undo files: before a restore (or an undo) changes anything it writes its exact
// inverse as a registry export file into the user's undo folder, so that it can be
// taken back with this tool or with the registry's own import. No undo file, no restore.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"
#include "snapshot/undo_plan.h"

namespace bmRegistry {

// How many undo files the folder keeps; the oldest go first.
inline constexpr std::size_t kKeptUndoFiles = 20;

// Writes the undo file of `batch` (about to be applied to the store of `keys`), read
// from the store as it is now, and keeps the newest kKeptUndoFiles. `source` is the file the batch
// comes from (ANSI). No file when the batch changes nothing. When the file cannot be
// written completely, sets `*refused` (when given) and raises the failure that names
// the folder and the reason: the caller must then change nothing.
void WriteUndoFile(StoreKeys& keys, std::span<const platform::RegChange> batch,
                   ValueWrites writes, std::string_view source, bool* refused);

struct UndoFileInfo {
  std::string path;    // ANSI
  std::string source;  // the file whose restore it takes back (UTF-8), as the file says
  std::size_t values = 0;
};

// The undo files of the undo folder, newest first.
std::vector<UndoFileInfo> ListUndoFiles();

// Applies an undo file (`path`, ANSI) with the restore's guarantees: the whole file is
// read and checked first, only keys below the settings root may be named, its own undo
// file is written, then it is applied as one batch. A failure is shown
// ("bmRegistry_ApplyUndo"); `*refused` as for WriteUndoFile.
bool ApplyUndoFile(std::string_view path, platform::SettingsStore& store, bool* refused);

}  // namespace bmRegistry
