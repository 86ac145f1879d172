// SPDX-License-Identifier: MIT
// Dense sequences and their linear convolution by the fast Fourier transform:
// the chances of a sum of two independent totals when there are too many
// pairs of totals to add one by one. Rounding leaves an error of about 1e-15
// of the inputs' mass on each entry.
#ifndef ROLLWRIGHT_ODDS_CONVOLUTION_H_
#define ROLLWRIGHT_ODDS_CONVOLUTION_H_

#include <complex>
#include <cstddef>
#include <vector>

namespace rollwright {

using Spectrum = std::vector<std::complex<double>>;

// The smallest power of two not below length.
size_t TransformSize(size_t length);

// The transform of x, padded with zeros to size (a power of two).
Spectrum Transform(const std::vector<double>& x, size_t size);

// The first length entries of the sequence whose transform is spectrum.
std::vector<double> InverseTransform(Spectrum spectrum, size_t length);

}  // namespace rollwright

#endif  // ROLLWRIGHT_ODDS_CONVOLUTION_H_
