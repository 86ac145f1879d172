// SPDX-License-Identifier: MIT
#include "odds/convolution.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <complex>
#include <numbers>
#include <utility>
#include <vector>

namespace rollwright {
namespace {

using Complex = std::complex<double>;

// Stages whose blocks hold at most this many entries (64 KiB) run block by
// block, all of them on one block while it is in the cache.
constexpr size_t kCachedBlock = size_t{1} << 12;

// Products in real arithmetic: std::complex's own checks each product for
// NaNs and calls a slow library routine on the way.
Complex Multiply(Complex a, Complex b) {
  return {a.real() * b.real() - a.imag() * b.imag(),
          a.real() * b.imag() + a.imag() * b.real()};
}

Complex Conjugate(Complex a) { return {a.real(), -a.imag()}; }

// a times -i.
Complex TimesMinusI(Complex a) { return {a.imag(), -a.real()}; }

// exp(-i pi k / half) for 0 <= k < half, from a sine and cosine of an angle
// of at most pi / 4, so that every factor is within an ulp or so and the
// symmetric ones (1, -i, ...) are exact.
Complex Twiddle(size_t k, size_t half) {
  const size_t quarter = half / 2;  // The angle pi / 2.
  if (k > quarter) return Multiply(Twiddle(k - quarter, half), {0.0, -1.0});
  const bool upper = 2 * k > quarter;  // Past pi / 4: from the complement.
  const double angle = std::numbers::pi *
                       static_cast<double>(upper ? quarter - k : k) /
                       static_cast<double>(half);
  const double cosine = std::cos(angle);
  const double sine = std::sin(angle);
  return upper ? Complex{sine, -cosine} : Complex{cosine, -sine};
}

// The factors of every stage, side by side: those of the stage that joins
// blocks of half entries are at [half, 2 * half). A table made for one size
// holds those of every smaller one, so it only grows; it is per thread, and
// never larger than one spectrum.
const Complex* Twiddles(size_t size) {
  thread_local std::vector<Complex> table(2, Complex{1.0, 0.0});
  for (size_t half = table.size(); half < size; half *= 2) {
    table.resize(2 * half);
    for (size_t k = 0; k < half; ++k) table[half + k] = Twiddle(k, half);
  }
  return table.data();
}

// butterfly(low, high, factor) on each pair of entries half apart in the
// blocks of 2 * half entries over [begin, end).
template <typename Butterfly>
void Stage(Complex* a, size_t begin, size_t end, size_t half,
           const Complex* twiddles, Butterfly butterfly) {
  const Complex* factors = twiddles + half;
  for (size_t start = begin; start < end; start += 2 * half) {
    Complex* low = a + start;
    Complex* high = low + half;
    for (size_t k = 0; k < half; ++k) butterfly(low[k], high[k], factors[k]);
  }
}

// The forward stage splitting blocks of 2 * half entries, by decimation in
// frequency.
void SplitStage(Complex* a, size_t begin, size_t end, size_t half,
                const Complex* twiddles) {
  Stage(a, begin, end, half, twiddles,
        [](Complex& low, Complex& high, Complex w) {
          const Complex difference = low - high;
          low += high;
          high = Multiply(difference, w);
        });
}

// The inverse stage joining blocks of half entries, by decimation in time:
// conjugate factors.
void JoinStage(Complex* a, size_t begin, size_t end, size_t half,
               const Complex* twiddles) {
  Stage(a, begin, end, half, twiddles,
        [](Complex& low, Complex& high, Complex w) {
          const Complex v = Multiply(high, Conjugate(w));
          high = low - v;
          low += v;
        });
}

// Blocks of 4 through the stages of blocks of 2 and 1 at once, whose
// factors 1 and -i (+i for the inverse) need no products: the forward
// transform's last two stages, or the inverse's first two.
template <bool kInverse>
void FourPoint(Complex* a, size_t n) {
  constexpr size_t kPair = kInverse ? 1 : 2;  // Joined with 0 first.
  constexpr size_t kOther = 3 - kPair;
  for (size_t start = 0; start + 4 <= n; start += 4) {
    Complex* p = a + start;
    const Complex s0 = p[0] + p[kPair];
    const Complex d0 = p[0] - p[kPair];
    const Complex s1 = p[kOther] + p[3];
    const Complex d1 = p[kOther] - p[3];
    const Complex turned = kInverse ? -TimesMinusI(d1) : TimesMinusI(d1);
    p[0] = s0 + s1;
    p[kOther] = s0 - s1;
    p[kPair] = d0 + turned;
    p[3] = d0 - turned;
  }
}

// The transform of a, in place, left in bit-reversed order.
void ForwardToReversed(Spectrum& spectrum) {
  const size_t n = spectrum.size();
  Complex* a = spectrum.data();
  const Complex* twiddles = Twiddles(n);
  for (size_t half = n / 2; half >= kCachedBlock; half /= 2) {
    SplitStage(a, 0, n, half, twiddles);
  }
  const size_t block = std::min(n, kCachedBlock);
  for (size_t begin = 0; begin < n; begin += block) {
    for (size_t half = block / 2; half >= 4; half /= 2) {
      SplitStage(a, begin, begin + block, half, twiddles);
    }
  }
  FourPoint<false>(a, n);
  if (n == 2) SplitStage(a, 0, n, 1, twiddles);
}

// The inverse transform, without the 1/n scaling, of a laid out in
// bit-reversed order, in place.
void InverseFromReversed(Spectrum& spectrum) {
  const size_t n = spectrum.size();
  Complex* a = spectrum.data();
  const Complex* twiddles = Twiddles(n);
  if (n == 2) JoinStage(a, 0, n, 1, twiddles);
  FourPoint<true>(a, n);
  const size_t block = std::min(n, kCachedBlock);
  for (size_t begin = 0; begin < n; begin += block) {
    for (size_t half = 4; 2 * half <= block; half *= 2) {
      JoinStage(a, begin, begin + block, half, twiddles);
    }
  }
  for (size_t half = std::max(size_t{4}, kCachedBlock); half < n; half *= 2) {
    JoinStage(a, 0, n, half, twiddles);
  }
}

// The first kept entries of x + i y, padded with zeros to size (a power of
// two).
Spectrum Interleave(const std::vector<double>& x, const std::vector<double>& y,
                    size_t size, size_t kept) {
  Spectrum z(size);
  kept = std::min(kept, size);
  for (size_t i = 0; i < std::min(x.size(), kept); ++i) z[i].real(x[i]);
  for (size_t i = 0; i < std::min(y.size(), kept); ++i) z[i].imag(y[i]);
  return z;
}

// The inverse transform of spectrum in bit-reversed order, scaled by 1 /
// size: write(i, entry) for each i below length and size.
template <typename Write>
void InverseOf(Spectrum spectrum, size_t length, Write write) {
  InverseFromReversed(spectrum);
  const double scale = 1.0 / static_cast<double>(spectrum.size());
  for (size_t i = 0; i < std::min(length, spectrum.size()); ++i) {
    write(i, spectrum[i] * scale);
  }
}

// In a transform in bit-reversed order, where the entry of frequency
// size - k is: those at [2^m, 2^(m+1)) are mirrored within that stretch.
size_t Mirror(size_t position) {
  return position == 0 ? 0 : position ^ (std::bit_floor(position) - 1);
}

// The transforms of two real sequences x and y at one entry, from that of
// x + i y there and at the mirror, by conjugate symmetry.
struct Pair {
  Complex x;
  Complex y;
};
Pair Separate(const Spectrum& z, size_t position) {
  const Complex here = z[position];
  const Complex mirror = Conjugate(z[Mirror(position)]);
  return {0.5 * (here + mirror), 0.5 * TimesMinusI(here - mirror)};
}

// The transforms a and b of two real sequences, in bit-reversed order,
// written over z as one, a + i b: produce gives both at a position, and
// their conjugates are those at its mirror. Both entries of a mirrored pair
// are read by produce before either is written.
template <typename Produce>
void MirroredProducts(Spectrum& z, Produce produce) {
  for (size_t position = 0; position < z.size(); ++position) {
    const size_t mirror = Mirror(position);
    if (mirror < position) continue;
    const Pair both = produce(position);
    const Complex iB = -TimesMinusI(both.y);
    z[position] = both.x + iB;
    z[mirror] = Conjugate(both.x) + Conjugate(-iB);
  }
}

// The size of a transform that holds the first length entries of x * y
// without wrapping around: entries past length on either side add nothing
// to them.
size_t ConvolutionSize(size_t xSize, size_t ySize, size_t length) {
  const size_t x = std::min(xSize, length);
  const size_t y = std::min(ySize, length);
  return TransformSize(x == 0 || y == 0 ? 1 : x + y - 1);
}

// Two spectra a and b of real sequences as one, a + i b in bit-reversed
// order, whose inverse transform has the first sequence as its real part
// and the second as its imaginary part; cut or padded to length.
RealPair InverseOfTwo(Spectrum spectrum, size_t length) {
  RealPair result{std::vector<double>(length), std::vector<double>(length)};
  InverseOf(std::move(spectrum), length, [&result](size_t i, Complex entry) {
    result.first[i] = entry.real();
    result.second[i] = entry.imag();
  });
  return result;
}

// Two real results bilinear in x = (x1, x2) and y = (y1, y2), by two
// forward transforms (of x1 + i y1 and x2 + i y2) and one inverse: combine
// takes the transforms at one entry, (x1, y1) and (x2, y2), and gives the
// two results' transforms there.
template <typename Combine>
RealPair ConvolveFour(const RealPair& x, const RealPair& y, size_t length,
                      Combine combine) {
  const size_t size =
      ConvolutionSize(std::max(x.first.size(), x.second.size()),
                      std::max(y.first.size(), y.second.size()), length);
  Spectrum first = Interleave(x.first, y.first, size, length);
  Spectrum second = Interleave(x.second, y.second, size, length);
  ForwardToReversed(first);
  ForwardToReversed(second);
  MirroredProducts(first, [&](size_t k) {
    return combine(Separate(first, k), Separate(second, k));
  });
  return InverseOfTwo(std::move(first), length);
}

}  // namespace

size_t TransformSize(size_t length) {
  size_t size = 1;
  while (size < length) size <<= 1;
  return size;
}

std::vector<double> ConvolveReal(const std::vector<double>& x,
                                 const std::vector<double>& y, size_t length) {
  // Entries past length add only to the entries past it.
  Spectrum z =
      Interleave(x, y, ConvolutionSize(x.size(), y.size(), length), length);
  ForwardToReversed(z);
  MirroredProducts(z, [&z](size_t k) {
    const Pair pair = Separate(z, k);
    return Pair{Multiply(pair.x, pair.y), Complex{}};
  });
  return InverseOfTwo(std::move(z), length).first;
}

RealPair ConvolveTwoPairs(const RealPair& x, const RealPair& y, size_t length) {
  return ConvolveFour(x, y, length, [](Pair first, Pair second) {
    return Pair{Multiply(first.x, first.y), Multiply(second.x, second.y)};
  });
}

RealPair ConvolveCritical(const RealPair& x, const RealPair& y, size_t length) {
  return ConvolveFour(x, y, length, [](Pair plain, Pair critical) {
    const Complex either = Multiply(critical.x, plain.y + critical.y) +
                           Multiply(plain.x, critical.y);
    return Pair{Multiply(plain.x, plain.y), either};
  });
}

}  // namespace rollwright
