#include "snapshot/undo_plan.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "platform/reg_calls.h"
#include "platform/reg_tree.h"
#include "snapshot/value_read.h"

namespace bmRegistry {
namespace {

using platform::RegChange;
using Kind = platform::RegChange::Kind;

class Planner {
 public:
  Planner(StoreKeys& keys, ValueWrites writes) : storeKeys_(keys), writes_(writes) {}

  void Add(const RegChange& change) {
    switch (change.kind) {
      case Kind::kCreateKey:
        NoteKeyPath(change.keyPath);
        break;
      case Kind::kSetValue:
        if (KeyState* state = NoteKeyPath(change.keyPath)) {
          if (!Remade(change.keyPath)) PutBack(*state, change.keyPath, change.name, &change);
        } else {
          ++plan_.values;  // goes with the key the inverse deletes
        }
        break;
      case Kind::kDeleteValue:
        if (KeyState* state = Existing(change.keyPath); state != nullptr && !Remade(change.keyPath)) {
          PutBack(*state, change.keyPath, change.name, nullptr);
        }
        break;
      case Kind::kDeleteKey:
        if (KeyState* state = Existing(change.keyPath);
            state != nullptr && !WithinRecreated(change.keyPath)) {
          // What the batch puts in its place afterwards goes first: the key is made again
          // as it is now, its values in their order.
          rest_.push_back(RegChange{Kind::kDeleteKey, change.keyPath, {}, 0, {}});
          Recreate(*state->stored->key, change.keyPath);
          remadePath_.clear();
        }
        break;
    }
  }

  UndoPlan Finish() {
    std::stable_sort(created_.begin(), created_.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    // Only moved, the batch changes nothing: nothing to put back in order.
    if (plan_.values == 0) reordered_.clear();
    std::vector<RegChange>& changes = plan_.changes.list;
    changes.reserve(created_.size() + rest_.size());
    for (const auto& [depth, path] : created_) {
      changes.push_back(RegChange{Kind::kDeleteKey, path, {}, 0, {}});
    }
    std::move(rest_.begin(), rest_.end(), std::back_inserter(changes));
    for (const auto& [path, state] : reordered_) {
      plan_.reordered.push_back({path, std::span(state->stored->values).subspan(state->reorderFrom),
                                 state->reorderFrom == 0 && !HasSubKeys(*state->stored->key)});
    }
    return std::move(plan_);
  }

 private:
  // What the inverse takes from an existing key.
  struct KeyState {
    StoreKeys::Key* stored = nullptr;
    std::vector<bool> touched;              // by place in the key's values
    std::unordered_set<std::string> added;  // folded names the batch adds
    std::size_t reorderFrom = kNoReorder;
  };
  static constexpr std::size_t kNoReorder = static_cast<std::size_t>(-1);

  void Check(platform::Status status) {
    if (status != platform::kSuccess) storeKeys_.RaiseFailure(status);
  }

  static std::string Fold(std::string_view path) { return platform::reg::FoldName(path); }

  // Whether the key has a sub-key now; one that cannot be told is taken to have one.
  static bool HasSubKeys(platform::SettingsKey& key) {
    char name[platform::reg::kMaxKeyNameLength * 2 + 2];
    return key.EnumKey(0, name, sizeof name) != platform::kNoMoreItems;
  }

  // The key at `path` when it exists now.
  KeyState* Existing(std::string_view path) {
    StoreKeys::Key& stored = storeKeys_.At(std::string(path));
    if (stored.key == nullptr) return nullptr;
    KeyState& state = states_[&stored];
    state.stored = &stored;
    return &state;
  }

  // Every level of `path` that does not exist now is one the batch creates. The key's
  // state when it exists.
  KeyState* NoteKeyPath(std::string_view path) {
    if (path == lastPath_) return lastState_;
    lastPath_ = path;
    lastState_ = Existing(path);
    if (lastState_ != nullptr) return lastState_;
    std::vector<std::string_view> names;
    platform::reg::SplitKeyPath(path, names);
    for (std::size_t depth = 1; depth <= names.size(); ++depth) {
      const std::string_view level =
          path.substr(0, names[depth - 1].data() + names[depth - 1].size() - path.data());
      // A key of HKEY_CURRENT_USER itself stays: the inverse only goes below it.
      if (depth == 1 || Existing(level) != nullptr) continue;
      if (createdKeys_.insert(Fold(level)).second) created_.emplace_back(depth, level);
    }
    return nullptr;
  }


  // The value `name` of the key at `path` as it is now, unless `change` leaves it so.
  // A value deleted, or saved again after a delete, moves to the end of its key's
  // values: from the first such value on, the inverse puts every value back in order.
  void PutBack(KeyState& state, std::string_view path, std::string_view name,
               const RegChange* change) {
    const std::vector<platform::ValueView>& values = storeKeys_.ValuesOf(*state.stored);
    state.touched.resize(values.size());
    const std::size_t old = state.stored->Find(Fold(name));
    const bool held = old != StoreKeys::Key::kNone;
    const bool moves = change == nullptr || writes_ == ValueWrites::kDeleteThenSave;
    if (held && moves && old < state.reorderFrom) {
      if (state.reorderFrom == kNoReorder) reordered_.emplace_back(path, &state);
      state.reorderFrom = old;
    }
    if (!held) {
      // Deleting a missing value changes nothing; one the batch adds goes once.
      if (change == nullptr || !state.added.insert(Fold(name)).second) return;
      rest_.push_back(RegChange{Kind::kDeleteValue, path, name, 0, {}});
    } else {
      if (state.touched[old]) return;
      const platform::ValueView& value = values[old];
      if (change != nullptr && change->type == value.type && change->bytes == value.bytes) return;
      if (!moves) rest_.push_back(RegChange{Kind::kSetValue, path, value.name, value.type, value.bytes});
      state.touched[old] = true;
    }
    ++plan_.values;
  }

  // Whether the inverse makes the key at `path` again whole already, so that its values
  // need nothing more; asked once for the changes of one key that follow each other.
  bool Remade(std::string_view path) {
    if (recreated_.empty()) return false;
    if (path != remadePath_) {
      remadePath_ = path;
      remade_ = WithinRecreated(path);
    }
    return remade_;
  }

  // Whether the key or one above it is recreated already.
  bool WithinRecreated(std::string_view path) const {
    std::string folded = Fold(path);
    for (;;) {
      if (recreated_.contains(folded)) return true;
      const std::size_t slash = folded.rfind('\\');
      if (slash == std::string::npos) return false;
      folded.resize(slash);
    }
  }

  // The key at `path` and everything below it, as it is now. A key below it that is
  // recreated already (the batch deleted it first) is written again, since the deletion
  // before this one removes it, but its values are counted once.
  void Recreate(platform::SettingsKey& key, std::string_view path) {
    const bool countedBefore = !recreated_.insert(Fold(path)).second;
    rest_.push_back(RegChange{Kind::kCreateKey, path, {}, 0, {}});
    StoredValue value;
    for (std::uint32_t index = 0;; ++index) {
      const platform::Status status = ReadValue(key, index, value);
      if (status == platform::kNoMoreItems) break;
      Check(status);
      rest_.push_back(RegChange{Kind::kSetValue, path, plan_.changes.Keep(value.name), value.type,
                                plan_.changes.Keep(value.bytes)});
      if (!countedBefore) ++plan_.values;
    }
    char name[platform::reg::kMaxKeyNameLength * 2 + 2];
    for (std::uint32_t index = 0;; ++index) {
      const platform::Status status = key.EnumKey(index, name, sizeof name);
      if (status == platform::kNoMoreItems) break;
      Check(status);
      std::unique_ptr<platform::SettingsKey> subKey;
      Check(key.OpenSubKey(name, subKey));
      Recreate(*subKey, plan_.changes.Keep(std::string(path) + '\\' + name));
    }
  }

  StoreKeys& storeKeys_;
  ValueWrites writes_;
  std::vector<std::pair<std::string_view, KeyState*>> reordered_;  // in the order first touched
  std::unordered_map<const StoreKeys::Key*, KeyState> states_;
  std::string lastPath_;
  KeyState* lastState_ = nullptr;
  std::string remadePath_;
  bool remade_ = false;
  std::unordered_set<std::string> createdKeys_, recreated_;
  std::vector<std::pair<std::size_t, std::string_view>> created_;  // depth, path
  std::vector<RegChange> rest_;
  UndoPlan plan_;
};

}  // namespace

void UndoPlan::ForEach(const std::function<void(const platform::RegChange&)>& visit) const {
  for (const RegChange& change : changes.list) visit(change);
  for (const Reordered& key : reordered) {
    if (key.remade) {
      visit(RegChange{Kind::kDeleteKey, key.path, {}, 0, {}});
      visit(RegChange{Kind::kCreateKey, key.path, {}, 0, {}});
    }
    for (const platform::ValueView& value : key.values) {
      if (!key.remade) visit(RegChange{Kind::kDeleteValue, key.path, value.name, 0, {}});
      visit(RegChange{Kind::kSetValue, key.path, value.name, value.type, value.bytes});
    }
  }
}

platform::RegChanges ChangesOf(std::span<const platform::SettingWrite> writes) {
  platform::RegChanges changes;
  changes.list.reserve(writes.size());
  std::string path;
  std::string_view keptPath;
  for (const platform::SettingWrite& write : writes) {
    // A file names a key's settings together: its path is kept once for them.
    path.assign(platform::kSettingsRoot).append(write.application).append("\\").append(write.section);
    if (path != keptPath) keptPath = changes.Keep(path);
    // A string value holds its terminating NUL, as SaveSetting stores it: the one that
    // ends every std::string's characters.
    changes.list.push_back(RegChange{Kind::kSetValue, keptPath, write.key, platform::kTypeString,
                                     std::string_view(write.text.data(), write.text.size() + 1)});
  }
  return changes;
}

UndoPlan PlanUndo(StoreKeys& keys, std::span<const platform::RegChange> batch,
                  ValueWrites writes) {
  Planner planner(keys, writes);
  for (const RegChange& change : batch) planner.Add(change);
  return planner.Finish();
}

}  // namespace bmRegistry
