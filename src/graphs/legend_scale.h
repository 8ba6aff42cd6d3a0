// The numbered scale beside a colour legend: a step of 0.2, 0.5 or 1 times a
// power of ten that cuts the value range into 4 to 10 steps, and the labels.
#pragma once

#include <locale>
#include <string>

#include "platform/runtime.h"

namespace qv {

// The ticks of one legend scale: first, first + step, ..., last (count + 1
// ticks, count at most 10 for any range the rule accepts).
struct LegendScale {
  double step = 0.0;
  double first = 0.0;
  double last = 0.0;
  Long count = 0;
};

// x itself when x - Int(x) < 1e-7, otherwise Int(x) + 1.
double RoundUp(double x);
// The scale over min..max. A zero range (min = max) counts from 0 and sets
// min to 0. Returns false, leaving scale and min as they were, when the range
// is negative, when a zero range has max <= 0, or when either bound is not
// finite: no logarithm of 0 or less is ever taken.
bool GetLegendScale(double& min, double max, LegendScale& scale);
// The most decimals a label gets: enough for scales down to steps of 1e-9.
inline constexpr int kMaxLegendDecimals = 10;
// Digits after the decimal point of a label: the least d for which v * 10^d
// rounds to an integer within 1e-9 (relative; absolute below 1), so a label
// shows its value exactly with the fewest decimals. A value that needs more
// than eight significant digits or kMaxLegendDecimals decimals, such as 1/3,
// gets 4.
int LegendDecimals(double v);
// v with exactly decimals digits, a leading zero before the decimal sign,
// and the decimal sign, grouping and minus of locale.
std::string FormatLegendLabel(double v, int decimals,
                              const std::locale& locale = std::locale::classic());

}  // namespace qv
