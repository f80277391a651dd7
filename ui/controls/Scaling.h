// Where a window stands, at 96 DPI, and the one rule that scales such
// numbers to a window's DPI. Generic: the launcher's own numbers are in
// ui/Layout.h.
#pragma once

namespace sorvel::ui {

// Where a window stands: a control in its parent's client area, a
// top-level window on the screen.
struct Place {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The DPI the layout's numbers are given at.
inline constexpr int kLayoutDpi = 96;

// value x numerator / denominator, rounded to the nearest integer, halves
// away from zero (as MulDiv rounds); denominator > 0.
constexpr int RoundedRatio(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : -((-product + half) / denominator));
}

// The layout's one rounding rule: a length at 96 DPI in pixels at `dpi`.
// At 96 DPI every number stays as it is.
constexpr int ScaleToDpi(int value, int dpi) { return RoundedRatio(value, dpi, kLayoutDpi); }
constexpr Place ScaleToDpi(const Place& place, int dpi) {
  return {ScaleToDpi(place.left, dpi), ScaleToDpi(place.top, dpi), ScaleToDpi(place.width, dpi),
          ScaleToDpi(place.height, dpi)};
}
// Pixels at `dpi` back in the layout's units, by the same rule.
constexpr int UnscaleFromDpi(int pixels, int dpi) { return RoundedRatio(pixels, kLayoutDpi, dpi); }

}  // namespace sorvel::ui
