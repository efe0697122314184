#include "platform/reg_tree.h"

#include <algorithm>
#include <stdexcept>

#include "platform/ansi_codepage.h"

namespace platform::reg {

std::string FoldName(std::string_view name) {
  std::string folded(name);
  for (std::size_t pos = 0; pos < folded.size();) {
    // Every name of a store is folded when it is loaded: an ASCII byte, never a lead
    // byte, is folded here without asking the code page.
    if (static_cast<unsigned char>(folded[pos]) >= 0x80) {
      pos += CharacterLength(name, pos);
      continue;
    }
    if (folded[pos] >= 'a' && folded[pos] <= 'z') {
      folded[pos] = static_cast<char>(folded[pos] - 'a' + 'A');
    }
    ++pos;
  }
  return folded;
}

Key::Key(std::string_view name) : name_(name), folded_(FoldName(name)) {}

std::vector<std::unique_ptr<Key>>::const_iterator Key::LowerBound(const std::string& folded) const {
  // Keys arrive in order when a tree is loaded from its file: look at the end first.
  if (subKeys_.empty() || subKeys_.back()->folded_ < folded) return subKeys_.end();
  return std::lower_bound(subKeys_.begin(), subKeys_.end(), folded,
                          [](const std::unique_ptr<Key>& key, const std::string& wanted) {
                            return key->folded_ < wanted;
                          });
}

const Key* Key::FindSubKey(std::string_view name) const {
  const std::string folded = FoldName(name);
  const auto it = LowerBound(folded);
  return it != subKeys_.end() && (*it)->folded_ == folded ? it->get() : nullptr;
}

Key* Key::FindSubKey(std::string_view name) {
  return const_cast<Key*>(static_cast<const Key*>(this)->FindSubKey(name));
}

Key& Key::CreateSubKey(std::string_view name, bool& created) {
  const std::string folded = FoldName(name);
  const auto it = LowerBound(folded);
  if (it != subKeys_.end() && (*it)->folded_ == folded) {
    created = false;
    return **it;
  }
  created = true;
  return **subKeys_.insert(it, std::make_unique<Key>(name));
}

bool Key::DeleteSubKey(std::string_view name) {
  const std::string folded = FoldName(name);
  const auto it = LowerBound(folded);
  if (it == subKeys_.end() || (*it)->folded_ != folded) return false;
  subKeys_.erase(it);
  return true;
}

const Value& Key::ValueAt(std::size_t index) const {
  if (deletedValues_ == 0) return values_[index].value;
  for (const Slot& slot : values_) {
    if (slot.live && index-- == 0) return slot.value;
  }
  throw std::out_of_range("value index past the last value");
}

std::unordered_map<std::string, std::size_t>& Key::ValueSlots() const {
  if (!valueSlotsKept_) {
    valueSlots_.reserve(ValueCount());
    for (std::size_t slot = 0; slot < values_.size(); ++slot) {
      if (values_[slot].live) valueSlots_.emplace(FoldName(values_[slot].value.name), slot);
    }
    valueSlotsKept_ = true;
  }
  return valueSlots_;
}

void Key::ForgetValueIndex() {
  std::unordered_map<std::string, std::size_t>().swap(valueSlots_);
  valueSlotsKept_ = false;
}

const Value* Key::FindValue(std::string_view name) const {
  const auto& slots = ValueSlots();
  const auto it = slots.find(FoldName(name));
  return it == slots.end() ? nullptr : &values_[it->second].value;
}

void Key::ReserveValues(std::size_t count) {
  values_.reserve(values_.size() + count);
  ValueSlots().reserve(valueSlots_.size() + count);
}

void Key::SetValue(std::string name, std::uint32_t type, std::string data) {
  auto [it, added] = ValueSlots().try_emplace(FoldName(name), values_.size());
  if (added) {
    values_.push_back(Slot{Value{std::move(name), type, std::move(data)}, true});
    return;
  }
  Value& value = values_[it->second].value;
  value.type = type;
  value.data = std::move(data);
}

bool Key::DeleteValue(std::string_view name) {
  auto& slots = ValueSlots();
  const auto it = slots.find(FoldName(name));
  if (it == slots.end()) return false;
  Slot& slot = values_[it->second];
  slot.live = false;
  slot.value = Value{};
  ++deletedValues_;
  slots.erase(it);
  return true;
}

}  // namespace platform::reg
