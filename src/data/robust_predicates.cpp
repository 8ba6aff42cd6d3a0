#include "robust_predicates.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <utility>
#include <vector>

namespace qv {
namespace {

// Expansion arithmetic: a value held exactly as a sum of doubles whose
// magnitudes increase and whose bits do not overlap: exact as long as no
// product underflows. Zero components are dropped, so near-degenerate input
// keeps expansions of a few components: those live inline, without heap
// allocations. Only coordinates too far apart in magnitude for the wide
// integers below come here.
class Expansion {
 public:
  Expansion() = default;
  Expansion(std::initializer_list<double> values) {
    for (double v : values) push_back(v);
  }
  Expansion(const Expansion& other) { *this = other; }
  Expansion& operator=(const Expansion& other) {
    if (this == &other) return *this;
    size_ = 0;
    reserve(other.size_);
    for (std::size_t i = 0; i < other.size_; ++i) data()[i] = other.data()[i];
    size_ = other.size_;
    return *this;
  }
  Expansion(Expansion&& other) noexcept { *this = std::move(other); }
  Expansion& operator=(Expansion&& other) noexcept {
    if (this == &other) return *this;
    if (!other.heap_.empty()) {
      heap_ = std::move(other.heap_);
    } else {
      heap_.clear();
      for (std::size_t i = 0; i < other.size_; ++i) inline_[i] = other.inline_[i];
    }
    size_ = other.size_;
    other.size_ = 0;
    other.heap_.clear();
    return *this;
  }

  void reserve(std::size_t count) {
    if (count <= capacity()) return;
    std::vector<double> grown(std::max(count, 2 * capacity()));
    for (std::size_t i = 0; i < size_; ++i) grown[i] = data()[i];
    heap_ = std::move(grown);
  }
  void push_back(double value) {
    if (size_ == capacity()) reserve(size_ + 1);
    data()[size_++] = value;
  }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  double* begin() { return data(); }
  double* end() { return data() + size_; }
  const double* begin() const { return data(); }
  const double* end() const { return data() + size_; }

 private:
  static constexpr std::size_t kInline = 16;
  std::size_t capacity() const { return heap_.empty() ? kInline : heap_.size(); }
  double* data() { return heap_.empty() ? inline_ : heap_.data(); }
  const double* data() const { return heap_.empty() ? inline_ : heap_.data(); }

  double inline_[kInline];
  std::vector<double> heap_;
  std::size_t size_ = 0;
};

constexpr double kSplitter = 134217729.0;  // 2^27 + 1

void TwoSum(double a, double b, double& sum, double& error) {
  sum = a + b;
  const double bVirtual = sum - a;
  const double aVirtual = sum - bVirtual;
  error = (a - aVirtual) + (b - bVirtual);
}

void Split(double a, double& high, double& low) {
  const double c = kSplitter * a;
  const double big = c - a;
  high = c - big;
  low = a - high;
}

void TwoProduct(double a, double b, double& product, double& error) {
  product = a * b;
  double aHigh, aLow, bHigh, bLow;
  Split(a, aHigh, aLow);
  Split(b, bHigh, bLow);
  error = aLow * bLow - (((product - aHigh * bHigh) - aLow * bHigh) - aHigh * bLow);
}

// e + b, exact.
Expansion Grow(const Expansion& e, double b) {
  Expansion h;
  h.reserve(e.size() + 1);
  double q = b;
  for (double component : e) {
    double sum, error;
    TwoSum(q, component, sum, error);
    if (error != 0.0) h.push_back(error);
    q = sum;
  }
  if (q != 0.0 || h.empty()) h.push_back(q);
  return h;
}

Expansion Add(const Expansion& e, const Expansion& f) {
  Expansion h = e;
  for (double component : f) h = Grow(h, component);
  return h;
}

Expansion Negate(Expansion e) {
  for (double& component : e) component = -component;
  return e;
}

// e * b, exact.
Expansion Scale(const Expansion& e, double b) {
  Expansion h;
  for (double component : e) {
    double product, error;
    TwoProduct(component, b, product, error);
    h = Grow(h, error);
    h = Grow(h, product);
  }
  return h;
}

Expansion Multiply(const Expansion& e, const Expansion& f) {
  Expansion h{0.0};
  for (double component : f) h = Add(h, Scale(e, component));
  return h;
}

Expansion Difference(double a, double b) { return Grow(Expansion{a}, -b); }

double Sign(const Expansion& e) {
  for (std::size_t i = e.size(); i-- > 0;) {
    if (e.begin()[i] != 0.0) return e.begin()[i];
  }
  return 0.0;
}

double OrientExact(double ax, double ay, double bx, double by, double cx, double cy) {
  const Expansion acx = Difference(ax, cx), bcx = Difference(bx, cx);
  const Expansion acy = Difference(ay, cy), bcy = Difference(by, cy);
  return Sign(Add(Multiply(acx, bcy), Negate(Multiply(acy, bcx))));
}

double InCircleExact(double ax, double ay, double bx, double by, double cx, double cy, double dx,
                     double dy) {
  const Expansion adx = Difference(ax, dx), ady = Difference(ay, dy);
  const Expansion bdx = Difference(bx, dx), bdy = Difference(by, dy);
  const Expansion cdx = Difference(cx, dx), cdy = Difference(cy, dy);
  const Expansion aLift = Add(Multiply(adx, adx), Multiply(ady, ady));
  const Expansion bLift = Add(Multiply(bdx, bdx), Multiply(bdy, bdy));
  const Expansion cLift = Add(Multiply(cdx, cdx), Multiply(cdy, cdy));
  const Expansion bc = Add(Multiply(bdx, cdy), Negate(Multiply(cdx, bdy)));
  const Expansion ca = Add(Multiply(cdx, ady), Negate(Multiply(adx, cdy)));
  const Expansion ab = Add(Multiply(adx, bdy), Negate(Multiply(bdx, ady)));
  return Sign(Add(Add(Multiply(aLift, bc), Multiply(bLift, ca)), Multiply(cLift, ab)));
}

// The fast exact path. Near-degenerate input is nearly always a few nearby
// points of similar magnitude (a lattice of measurements): then every value
// taking part is an integer times one common power of two, small enough
// that the determinant is a sum of products in 64-, 128- and 256-bit
// integers, several times faster than expansions.
using Int128 = __int128;
using Uint128 = unsigned __int128;

// Writes v[i] = out[i] * 2^shift for one common shift, with |out[i]| <
// 2^bits. False when the values span more bits than that (then out is
// unspecified).
template <std::size_t N>
bool CommonIntegers(const double (&v)[N], int bits, std::int64_t (&out)[N]) {
  std::uint64_t odd[N];
  int low[N];
  int lowest = std::numeric_limits<int>::max();
  int top = std::numeric_limits<int>::min();
  for (std::size_t i = 0; i < N; ++i) {
    odd[i] = 0;
    low[i] = 0;
    if (v[i] == 0.0) continue;
    const auto b = std::bit_cast<std::uint64_t>(v[i]);
    int exponent = static_cast<int>((b >> 52) & 0x7ff);
    std::uint64_t mantissa = b & ((std::uint64_t{1} << 52) - 1);
    if (exponent == 0) {
      exponent = 1;  // subnormal: no hidden bit
    } else {
      mantissa |= std::uint64_t{1} << 52;
    }
    const int zeros = std::countr_zero(mantissa);
    odd[i] = mantissa >> zeros;
    low[i] = exponent - 1075 + zeros;
    lowest = std::min(lowest, low[i]);
    top = std::max(top, low[i] + static_cast<int>(std::bit_width(odd[i])));
  }
  if (lowest == std::numeric_limits<int>::max()) {
    for (std::int64_t& o : out) o = 0;
    return true;
  }
  if (top - lowest > bits) return false;
  for (std::size_t i = 0; i < N; ++i) {
    if (odd[i] == 0) {
      out[i] = 0;
      continue;
    }
    const auto magnitude = static_cast<std::int64_t>(odd[i] << (low[i] - lowest));
    out[i] = v[i] < 0.0 ? -magnitude : magnitude;
  }
  return true;
}

// The differences a[i] - b[i], when every one of them is exact in doubles,
// as common integers below 2^62; else the differences of the coordinates
// themselves as common integers (each below 2^61, so below 2^62 apart).
// False when neither fits.
template <std::size_t N>
bool IntegerDifferences(const double (&a)[N], const double (&b)[N], std::int64_t (&out)[N]) {
  double difference[N];
  bool exact = true;
  for (std::size_t i = 0; i < N; ++i) {
    double error;
    TwoSum(a[i], -b[i], difference[i], error);
    exact = exact && error == 0.0;
  }
  if (exact && CommonIntegers(difference, 62, out)) return true;
  double both[2 * N];
  for (std::size_t i = 0; i < N; ++i) {
    both[i] = a[i];
    both[N + i] = b[i];
  }
  std::int64_t integers[2 * N];
  if (!CommonIntegers(both, 61, integers)) return false;
  for (std::size_t i = 0; i < N; ++i) out[i] = integers[i] - integers[N + i];
  return true;
}

// A 256-bit two's complement sum of products.
class Sum256 {
 public:
  // Adds a * b with a < 2^125 and |b| < 2^125.
  void AddProduct(Uint128 a, Int128 b) {
    const bool negative = b < 0;
    const Uint128 m = negative ? -static_cast<Uint128>(b) : static_cast<Uint128>(b);
    const auto a0 = static_cast<std::uint64_t>(a), a1 = static_cast<std::uint64_t>(a >> 64);
    const auto m0 = static_cast<std::uint64_t>(m), m1 = static_cast<std::uint64_t>(m >> 64);
    const Uint128 p00 = static_cast<Uint128>(a0) * m0, p01 = static_cast<Uint128>(a0) * m1;
    const Uint128 p10 = static_cast<Uint128>(a1) * m0, p11 = static_cast<Uint128>(a1) * m1;
    const Uint128 middle =
        (p00 >> 64) + static_cast<std::uint64_t>(p01) + static_cast<std::uint64_t>(p10);
    const Uint128 high =
        (middle >> 64) + (p01 >> 64) + (p10 >> 64) + static_cast<std::uint64_t>(p11);
    std::uint64_t limb[4] = {
        static_cast<std::uint64_t>(p00), static_cast<std::uint64_t>(middle),
        static_cast<std::uint64_t>(high),
        static_cast<std::uint64_t>(high >> 64) + static_cast<std::uint64_t>(p11 >> 64)};
    if (negative) {
      std::uint64_t carry = 1;
      for (std::uint64_t& l : limb) {
        l = ~l + carry;
        carry = carry != 0 && l == 0 ? 1 : 0;
      }
    }
    std::uint64_t carry = 0;
    for (int i = 0; i < 4; ++i) {
      const Uint128 s = static_cast<Uint128>(limb_[i]) + limb[i] + carry;
      limb_[i] = static_cast<std::uint64_t>(s);
      carry = static_cast<std::uint64_t>(s >> 64);
    }
  }
  // -1, 0 or 1.
  double Sign() const {
    if ((limb_[3] >> 63) != 0) return -1.0;
    return (limb_[0] | limb_[1] | limb_[2] | limb_[3]) != 0 ? 1.0 : 0.0;
  }

 private:
  std::uint64_t limb_[4] = {0, 0, 0, 0};
};

}  // namespace

namespace predicates_detail {

double OrientSlow(double ax, double ay, double bx, double by, double cx, double cy) {
  // Relative to c: (a - c) x (b - c).
  const double from[4] = {ax, by, ay, bx};
  const double to[4] = {cx, cy, cy, cx};
  std::int64_t d[4];
  if (IntegerDifferences(from, to, d)) {
    const Int128 det = static_cast<Int128>(d[0]) * d[1] - static_cast<Int128>(d[2]) * d[3];
    return det > 0 ? 1.0 : (det < 0 ? -1.0 : 0.0);
  }
  return OrientExact(ax, ay, bx, by, cx, cy);
}

double InCircleSlow(double ax, double ay, double bx, double by, double cx, double cy, double dx,
                    double dy) {
  const double from[6] = {ax, ay, bx, by, cx, cy};
  const double to[6] = {dx, dy, dx, dy, dx, dy};
  std::int64_t d[6];
  if (IntegerDifferences(from, to, d)) {
    const Int128 adx = d[0], ady = d[1], bdx = d[2], bdy = d[3], cdx = d[4], cdy = d[5];
    Sum256 sum;
    sum.AddProduct(static_cast<Uint128>(adx * adx + ady * ady), bdx * cdy - cdx * bdy);
    sum.AddProduct(static_cast<Uint128>(bdx * bdx + bdy * bdy), cdx * ady - adx * cdy);
    sum.AddProduct(static_cast<Uint128>(cdx * cdx + cdy * cdy), adx * bdy - bdx * ady);
    return sum.Sign();
  }
  return InCircleExact(ax, ay, bx, by, cx, cy, dx, dy);
}

double OrientByExpansions(double ax, double ay, double bx, double by, double cx, double cy) {
  return OrientExact(ax, ay, bx, by, cx, cy);
}

double InCircleByExpansions(double ax, double ay, double bx, double by, double cx, double cy,
                            double dx, double dy) {
  return InCircleExact(ax, ay, bx, by, cx, cy, dx, dy);
}

}  // namespace predicates_detail
}  // namespace qv
