#include "robust_predicates.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

namespace qv {
namespace {

// Expansion arithmetic: a value held exactly as a sum of doubles whose
// magnitudes increase and whose bits do not overlap. Zero components are
// dropped, so near-degenerate input (a lattice of points, the common case)
// keeps expansions of a few components: those live inline, without the heap
// allocations that once made up most of the cost of an exact test.
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

}  // namespace

namespace predicates_detail {

double OrientSlow(double ax, double ay, double bx, double by, double cx, double cy) {
  return OrientExact(ax, ay, bx, by, cx, cy);
}

double InCircleSlow(double ax, double ay, double bx, double by, double cx, double cy, double dx,
                    double dy) {
  return InCircleExact(ax, ay, bx, by, cx, cy, dx, dy);
}

}  // namespace predicates_detail
}  // namespace qv
