// SPDX-License-Identifier: MIT
#include "odds/convolution.h"

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace rollwright {
namespace {

// In place, iterative radix 2; inverse without the 1/n scaling.
void FastFourierTransform(Spectrum& a, bool inverse) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; (j & bit) != 0; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  std::vector<std::complex<double>> twiddles;
  for (size_t length = 2; length <= n; length <<= 1) {
    const size_t half = length / 2;
    // Each factor computed afresh, not by repeated products, keeps the
    // rounding small.
    twiddles.resize(half);
    const double angle =
        (inverse ? 2 : -2) * std::numbers::pi / static_cast<double>(length);
    for (size_t k = 0; k < half; ++k) {
      twiddles[k] = std::polar(1.0, angle * static_cast<double>(k));
    }
    for (size_t start = 0; start < n; start += length) {
      for (size_t k = 0; k < half; ++k) {
        std::complex<double> u = a[start + k];
        std::complex<double> v = a[start + k + half] * twiddles[k];
        a[start + k] = u + v;
        a[start + k + half] = u - v;
      }
    }
  }
}

}  // namespace

size_t TransformSize(size_t length) {
  size_t size = 1;
  while (size < length) size <<= 1;
  return size;
}

Spectrum Transform(const std::vector<double>& x, size_t size) {
  Spectrum spectrum(x.begin(), x.end());
  spectrum.resize(size);
  FastFourierTransform(spectrum, false);
  return spectrum;
}

std::vector<double> InverseTransform(Spectrum spectrum, size_t length) {
  FastFourierTransform(spectrum, true);
  std::vector<double> x(length);
  const double scale = 1.0 / static_cast<double>(spectrum.size());
  for (size_t i = 0; i < length; ++i) x[i] = spectrum[i].real() * scale;
  return x;
}

}  // namespace rollwright
