// The keyed collection the scene groups hold their graphs in: positions count
// from 1 in insertion order, keys are unique, and a removal moves the later
// items up one position.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/runtime.h"

namespace qv {

template <typename T>
class KeyedCollection {
 public:
  Long Count() const { return static_cast<Long>(items_.size()); }

  // Appends item under key. Throws RuntimeError(kDuplicateKey) when the key is
  // already present; the collection is then unchanged.
  void Add(T item, const std::string& key) {
    if (Find(key) != 0) throw RuntimeError(kDuplicateKey, key);
    items_.emplace_back(key, std::move(item));
  }

  // The item at position 1..Count; throws RuntimeError(kSubscriptOutOfRange).
  T& Item(Long position) { return items_[Index(position)].second; }
  const T& Item(Long position) const { return items_[Index(position)].second; }
  // The item under key; throws RuntimeError(kInvalidProcedureCall) when absent.
  T& Item(const std::string& key) { return items_[IndexOfKey(key)].second; }
  const T& Item(const std::string& key) const { return items_[IndexOfKey(key)].second; }
  const std::string& KeyAt(Long position) const { return items_[Index(position)].first; }

  // Position (1-based) of key, or 0 when absent.
  Long Find(const std::string& key) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (items_[i].first == key) return static_cast<Long>(i + 1);
    }
    return 0;
  }
  bool Contains(const std::string& key) const { return Find(key) != 0; }

  // Removes by position (errors as Item) or by key (errors as Item(key)).
  void Remove(Long position) { items_.erase(items_.begin() + static_cast<long>(Index(position))); }
  void Remove(const std::string& key) {
    items_.erase(items_.begin() + static_cast<long>(IndexOfKey(key)));
  }
  void Clear() { items_.clear(); }

  // Iteration in position order over (key, item) pairs.
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::size_t Index(Long position) const {
    if (position < 1 || position > Count()) {
      throw RuntimeError(kSubscriptOutOfRange, "position " + CStr(position));
    }
    return static_cast<std::size_t>(position - 1);
  }
  std::size_t IndexOfKey(const std::string& key) const {
    const Long p = Find(key);
    if (p == 0) throw RuntimeError(kInvalidProcedureCall, "no item with key " + key);
    return static_cast<std::size_t>(p - 1);
  }

  std::vector<std::pair<std::string, T>> items_;
};

}  // namespace qv
