#pragma once
// The exact inverse of a batch of changes, read from the store before the batch is
// applied: what a restore (or an undo) takes back.
#include <cstddef>
#include <span>
#include <vector>

#include "platform/settings_store.h"
#include "snapshot/store_keys.h"

namespace bmRegistry {

struct UndoPlan {
  // Keys the batch will create, deepest first; then, in the order the batch first
  // touches them, every value it will replace or remove as it is now and every value it
  // will add as a deletion; every key it will delete as it is now, with all below it.
  // They refer to the batch's paths and to the values of the store's keys the plan was
  // made from: those must outlive them.
  platform::RegChanges changes;
  // The values the inverse gives back: those it puts back, those it removes (also in
  // keys it removes).
  std::size_t values = 0;
};

// How the batch sets a value that exists: in its place (the registry's import), or by
// deleting it and saving it again, which moves it last (a restore).
enum class ValueWrites { kInPlace, kDeleteThenSave };

// The batch a restore applies, as changes of the store. They refer to the writes' names
// and texts, which must outlive them.
platform::RegChanges ChangesOf(std::span<const platform::SettingWrite> writes);

// The inverse of `batch` against the store's keys as they are now. Empty when the batch would
// leave everything as it is. The inverse gives every key its values back in their order.
// A key of HKEY_CURRENT_USER itself ("Software") is never deleted by the inverse. A store
// that cannot be read raises its failure.
UndoPlan PlanUndo(StoreKeys& keys, std::span<const platform::RegChange> batch,
                  ValueWrites writes);

}  // namespace bmRegistry
