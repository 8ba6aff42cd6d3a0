#include "legend_scale.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <sstream>

namespace qv {

double RoundUp(double x) { return x - Int(x) < 0.0000001 ? x : Int(x) + 1.0; }

bool GetLegendScale(double& min, double max, LegendScale& scale) {
  if (!std::isfinite(min) || !std::isfinite(max)) return false;
  double newMin = min;
  double d = max - min;
  if (d == 0.0) {
    newMin = 0.0;
    d = max;
  }
  if (!(d > 0.0)) return false;
  const double e = Int(std::log10(d));
  const double p = std::pow(10.0, e);
  const double m = d / p;
  double step = 0.0;
  if (m >= 1.0 && m < 2.0) {
    step = 0.2 * p;
  } else if (m >= 2.0 && m < 5.0) {
    step = 0.5 * p;
  } else if (m >= 5.0 && m <= 10.0) {
    step = p;
  } else {
    return false;
  }
  min = newMin;
  scale.step = step;
  scale.first = RoundUp(min / step) * step;
  scale.last = Int(max / step) * step;
  scale.count = SaturateLong((scale.last - scale.first) / step);
  return true;
}

int LegendDecimals(double v) {
  // The ticks are sums of steps, so a tick that reads 0.2 may be held as
  // 0.19999999999999998: v x 10^k counts as whole when it lies within 1e-9
  // (relative, and absolute near zero) of its nearest integer. Beyond eight
  // significant digits that test no longer tells a short decimal from a
  // repeating one.
  for (int d = 0; d <= kMaxLegendDecimals; ++d) {
    const double scaled = v * std::pow(10.0, d);
    if (std::fabs(scaled) >= 1e8 && d > 0) break;
    if (std::fabs(std::nearbyint(scaled) - scaled) <= 1e-9 * std::max(1.0, std::fabs(scaled))) {
      return d;
    }
  }
  return 4;
}

namespace {

// Inserts the locale's thousands separator into a run of integer digits.
std::string GroupDigits(const std::string& digits, const std::numpunct<char>& punct) {
  const std::string grouping = punct.grouping();
  if (grouping.empty() || grouping[0] <= 0) return digits;
  std::string out;
  std::size_t groupIndex = 0;
  int inGroup = 0;
  int groupSize = grouping[0];
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (inGroup == groupSize) {
      out.insert(out.begin(), punct.thousands_sep());
      inGroup = 0;
      if (groupIndex + 1 < grouping.size() && grouping[groupIndex + 1] > 0) {
        groupSize = grouping[++groupIndex];
      }
    }
    out.insert(out.begin(), digits[i]);
    ++inGroup;
  }
  return out;
}

}  // namespace

std::string FormatLegendLabel(double v, int decimals, const std::locale& locale) {
  // The digits come from the classic locale whatever the process locale is;
  // the locale's own signs are put in below.
  std::ostringstream stream;
  stream.imbue(std::locale::classic());
  stream << std::fixed << std::setprecision(decimals) << v;
  std::string text = stream.str();
  // "-0.00" is shown as zero.
  if (text.find_first_not_of("-0.") == std::string::npos && text.front() == '-') text.erase(0, 1);
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.erase(0, 1);
  const std::size_t point = text.find('.');
  const std::string whole = text.substr(0, point);
  const auto& punct = std::use_facet<std::numpunct<char>>(locale);
  std::string out = GroupDigits(whole, punct);
  if (point != std::string::npos) out += punct.decimal_point() + text.substr(point + 1);
  return negative ? "-" + out : out;
}

}  // namespace qv
