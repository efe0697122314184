#pragma once
// The exact inverse of a batch of changes, read from the store before the batch is
// applied: what a restore (or an undo) takes back.
#include <cstddef>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"
#include "snapshot/store_keys.h"

namespace bmRegistry {

struct UndoPlan {
  // A key some of whose values the batch moves last (a value deleted, or saved again
  // after a delete): from `values[0]` on, the inverse deletes each value and sets it
  // again as it is now, which puts them back in order. When the batch moves every value
  // of a key that has no sub-key now, the inverse deletes the key and makes it again with
  // its values instead: the same result in half the lines (a restore that replaces every
  // value moves them all).
  struct Reordered {
    std::string_view path;
    std::span<const platform::ValueView> values;
    bool remade = false;
  };

  // Keys the batch will create, deepest first; then, in the order the batch first
  // touches them, every value it will replace or remove as it is now and every value it
  // will add as a deletion; every key it will delete as it is now, with all below it,
  // after a deletion of what the batch may put in its place.
  // They refer to the batch's paths and to the values of the store's keys the plan was
  // made from: those must outlive them.
  platform::RegChanges changes;
  // After `changes`, in the order first touched; made into changes only as they are
  // visited, for a restore that replaces everything moves every value.
  std::vector<Reordered> reordered;
  // The values the inverse gives back: those it puts back, those it removes (also in
  // keys it removes).
  std::size_t values = 0;

  bool Empty() const { return changes.list.empty() && reordered.empty(); }
  // Every change of the inverse in order.
  void ForEach(const std::function<void(const platform::RegChange&)>& visit) const;
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
