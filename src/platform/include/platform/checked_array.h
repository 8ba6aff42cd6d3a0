// Bounds-checked arrays with the index bases the program uses: 0-based data
// arrays whose upper bound is the count (0..n), and 1-based tables.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "platform/runtime.h"

namespace qv {

// Inclusive index range of one dimension.
struct Bounds {
  Long lower = 0;
  Long upper = -1;
  Long Size() const { return upper >= lower ? upper - lower + 1 : 0; }
};

// An array of Rank dimensions whose element access is checked: an index
// outside the allocated bounds, or any access before Redim, throws
// RuntimeError(kSubscriptOutOfRange), as the runtime's arrays do.
template <typename T, std::size_t Rank = 1>
class CheckedArray {
 public:
  CheckedArray() = default;

  // Allocates with the given bounds; every element is T{} afterwards.
  void Redim(const std::array<Bounds, Rank>& bounds) {
    std::size_t total = 1;
    for (const Bounds& b : bounds) total *= static_cast<std::size_t>(b.Size());
    bounds_ = bounds;
    allocated_ = true;
    values_.assign(total, T{});
  }
  // Allocates 0..upper in every dimension.
  template <typename... I>
  void Redim0(I... uppers) {
    static_assert(sizeof...(I) == Rank, "one upper bound per dimension");
    std::array<Bounds, Rank> b{Bounds{0, static_cast<Long>(uppers)}...};
    Redim(b);
  }
  // Frees the storage; later access fails as on a never allocated array.
  void Erase() {
    allocated_ = false;
    values_.clear();
  }

  bool Allocated() const { return allocated_; }
  // Bounds of dimension d (0-based); throws on an unallocated array.
  Long Lower(std::size_t d = 0) const {
    Require();
    return bounds_.at(d).lower;
  }
  Long Upper(std::size_t d = 0) const {
    Require();
    return bounds_.at(d).upper;
  }

  template <typename... I>
  T& operator()(I... index) {
    return values_[Offset(index...)];
  }
  template <typename... I>
  const T& operator()(I... index) const {
    return values_[Offset(index...)];
  }

  // Raw storage in row-major order (last index fastest), for bulk work.
  T* data() { return values_.data(); }
  const T* data() const { return values_.data(); }
  std::size_t size() const { return values_.size(); }

 private:
  void Require() const {
    if (!allocated_) throw RuntimeError(kSubscriptOutOfRange);
  }
  template <typename... I>
  std::size_t Offset(I... index) const {
    static_assert(sizeof...(I) == Rank, "one index per dimension");
    Require();
    const std::array<long long, Rank> idx{static_cast<long long>(index)...};
    std::size_t offset = 0;
    for (std::size_t d = 0; d < Rank; ++d) {
      const Bounds& b = bounds_[d];
      if (idx[d] < b.lower || idx[d] > b.upper) {
        throw RuntimeError(kSubscriptOutOfRange, "index " + CStr(idx[d]) + " outside " +
                                                     CStr(b.lower) + ".." + CStr(b.upper));
      }
      offset =
          offset * static_cast<std::size_t>(b.Size()) + static_cast<std::size_t>(idx[d] - b.lower);
    }
    return offset;
  }

  std::array<Bounds, Rank> bounds_{};
  bool allocated_ = false;
  std::vector<T> values_;
};

// A fixed table with the bounds lower..upper, allocated from the start (the
// graph's slice and colour-point tables).
template <typename T, Long Lower, Long Upper>
class FixedTable {
 public:
  FixedTable() : values_{} {}
  T& operator()(long long i) { return values_[Offset(i)]; }
  const T& operator()(long long i) const { return values_[Offset(i)]; }
  static constexpr Long kLower = Lower;
  static constexpr Long kUpper = Upper;
  bool operator==(const FixedTable&) const = default;

 private:
  static std::size_t Offset(long long i) {
    if (i < Lower || i > Upper) {
      throw RuntimeError(kSubscriptOutOfRange,
                         "index " + CStr(i) + " outside " + CStr(Lower) + ".." + CStr(Upper));
    }
    return static_cast<std::size_t>(i - Lower);
  }
  std::array<T, Upper - Lower + 1> values_;
};

}  // namespace qv
