#pragma once
// An in-memory registry tree with the registry's rules for names and order: names match
// ignoring the case of ASCII letters and keep the spelling they were created with;
// sub-keys are kept in the order of their upper-cased names, byte by byte, as Windows
// enumerates them; values in the order they were created. No OS calls: the posix store
// loads it from a file, changes it and writes it back.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform::reg {

inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxValueNameLength = 16383;

// The form in which names are compared and sub-keys ordered: ASCII letters upper-cased,
// every other byte as it is. The bytes of a double-byte character are never folded (a
// trail byte may look like an ASCII letter).
std::string FoldName(std::string_view name);

struct Value {
  std::string name;
  std::uint32_t type = 0;
  std::string data;
};

class Key {
 public:
  explicit Key(std::string_view name);
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  const std::string& name() const { return name_; }

  std::size_t SubKeyCount() const { return subKeys_.size(); }
  const Key& SubKeyAt(std::size_t index) const { return *subKeys_[index]; }
  const Key* FindSubKey(std::string_view name) const;
  Key* FindSubKey(std::string_view name);
  // The sub-key of that name, created when missing; `created` tells which.
  Key& CreateSubKey(std::string_view name, bool& created);
  // Removes the sub-key of that name with everything below it; false when there is none.
  bool DeleteSubKey(std::string_view name);

  std::size_t ValueCount() const { return values_.size() - deletedValues_; }
  // The value at `index` in creation order. Constant time while no value has been
  // deleted since the tree was built; after deletions it counts its way there.
  const Value& ValueAt(std::size_t index) const;
  const Value* FindValue(std::string_view name) const;
  // Room for `count` more values, so that a load grows no list value by value.
  void ReserveValues(std::size_t count);
  // Lets go of the index of value names until the next lookup needs it again. A load
  // calls it once a key's values are in: a large tree is mostly walked, and an index
  // kept for every key would hold a third of its memory.
  void ForgetValueIndex();
  // Replaces the data and type of a value of that name where it stands, or adds it last.
  // Taken by value: a store's load moves every name and data in.
  void SetValue(std::string name, std::uint32_t type, std::string data);
  // False when there is no value of that name.
  bool DeleteValue(std::string_view name);

  // Every live value in creation order.
  template <typename Visit>
  void ForEachValue(Visit&& visit) const {
    for (const Slot& slot : values_) {
      if (slot.live) visit(slot.value);
    }
  }

 private:
  // A deleted value leaves a dead slot behind, so that deleting and saving many values
  // of one key (a restore) stays linear; the slots are never reused.
  struct Slot {
    Value value;
    bool live = true;
  };

  std::vector<std::unique_ptr<Key>>::const_iterator LowerBound(const std::string& folded) const;
  // The index of value names, made again from the values when it was let go.
  std::unordered_map<std::string, std::size_t>& ValueSlots() const;

  std::string name_;
  std::string folded_;
  std::vector<std::unique_ptr<Key>> subKeys_;  // ordered by folded_
  std::vector<Slot> values_;
  std::size_t deletedValues_ = 0;
  // Folded name -> slot of every live value, while valueSlotsKept_.
  mutable std::unordered_map<std::string, std::size_t> valueSlots_;
  mutable bool valueSlotsKept_ = true;
};

}  // namespace platform::reg
