// The keyed collection the scene groups hold their graphs in: positions count
// from 1 in insertion order, keys are unique, and a removal moves the later
// items up one position. A document may hold thousands of graphs: a key is
// found through an index, not by walking the items.
#pragma once

#include <string>
#include <unordered_map>
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
    if (!index_.try_emplace(key, items_.size()).second) throw RuntimeError(kDuplicateKey, key);
    try {
      items_.emplace_back(key, std::move(item));
    } catch (...) {
      index_.erase(key);
      throw;
    }
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
    const auto found = index_.find(key);
    return found == index_.end() ? 0 : static_cast<Long>(found->second + 1);
  }
  bool Contains(const std::string& key) const { return Find(key) != 0; }

  // Removes by position (errors as Item) or by key (errors as Item(key)).
  void Remove(Long position) { Erase(Index(position)); }
  void Remove(const std::string& key) { Erase(IndexOfKey(key)); }
  void Clear() {
    items_.clear();
    index_.clear();
  }

  // Iteration in position order over (key, item) pairs. Read-only, so that no
  // key can change behind the index; items change through Item.
  auto begin() const { return items_.cbegin(); }
  auto end() const { return items_.cend(); }

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
  void Erase(std::size_t at) {
    index_.erase(items_[at].first);
    items_.erase(items_.begin() + static_cast<long>(at));
    for (std::size_t i = at; i < items_.size(); ++i) index_.find(items_[i].first)->second = i;
  }

  std::vector<std::pair<std::string, T>> items_;
  // The position (from 0) of every key.
  std::unordered_map<std::string, std::size_t> index_;
};

}  // namespace qv
