// SPDX-License-Identifier: MIT
// Dense sequences and their linear convolution by the fast Fourier transform:
// the chances of a sum of two independent totals when there are too many
// pairs of totals to add one by one. Rounding leaves an error of about 1e-15
// of the inputs' mass on each entry.
//
// The convolutions of real sequences share transforms: x and y are
// transformed as one, x + i y, and their transforms parted by conjugate
// symmetry, so that x * y costs one forward and one inverse transform of the
// size that holds it (TransformSize of the first length entries' reach), and
// two such products of four sequences two forward and one inverse. Parting
// the transforms leaves on each entry an error of a few 1e-16 times
// log2(size) times (|x| + |y|)^2, with |x| the sum of the absolute values of
// x's entries: about 1e-15 for chances, and far below one half for counts of
// 0/1 marks up to 2^20 long.
#ifndef ROLLWRIGHT_ODDS_CONVOLUTION_H_
#define ROLLWRIGHT_ODDS_CONVOLUTION_H_

#include <complex>
#include <cstddef>
#include <vector>

namespace rollwright {

using Spectrum = std::vector<std::complex<double>>;

// The smallest power of two not below length.
size_t TransformSize(size_t length);

// The first length entries of the linear convolution of x and y (zeros past
// its end).
std::vector<double> ConvolveReal(const std::vector<double>& x,
                                 const std::vector<double>& y, size_t length);

// Two real sequences of one kind, e.g. the plain and critical chances of a
// set of totals.
struct RealPair {
  std::vector<double> first;
  std::vector<double> second;
};

// The first length entries of x.first * y.first and x.second * y.second.
RealPair ConvolveTwoPairs(const RealPair& x, const RealPair& y, size_t length);

// The first length entries of the sum of two sets of totals whose chances
// are (plain, critical) in first and second: plain when both sides are,
// critical when either side is. That is x.first * y.first and
// x.second * (y.first + y.second) + x.first * y.second.
RealPair ConvolveCritical(const RealPair& x, const RealPair& y, size_t length);

}  // namespace rollwright

#endif  // ROLLWRIGHT_ODDS_CONVOLUTION_H_
