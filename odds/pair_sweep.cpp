// SPDX-License-Identifier: MIT
#include "odds/pair_sweep.h"

#include <algorithm>
#include <limits>

#include "dice/saturating.h"

namespace rollwright {
namespace {

constexpr int64_t kNone = std::numeric_limits<int64_t>::max();
// A result kept costs more than a pair: it is stored, and the queries on the
// totals read it again (as measured, about this many pairs' time).
constexpr int64_t kStepsPerResult = 16;
// A window read through takes a step for this many entries.
constexpr int64_t kEntriesPerStep = 32;
// The pairs of a product land far apart in the window, each a miss of the
// cache, as measured: about this many steps a pair. A sum's run through a
// window larger than the cache streams it from memory for each outer total.
constexpr int64_t kStepsPerProductPair = 8;
constexpr int64_t kStepsPerStreamedPair = 4;
constexpr int64_t kCachedWindow = int64_t{1} << 17;

}  // namespace

PairSweep::PairSweep(const Distribution& a, const Distribution& b,
                     Operator combining)
    : outer(a.Size() <= b.Size() ? a : b),
      inner(a.Size() <= b.Size() ? b : a),
      op(combining),
      outerIsLeft(a.Size() <= b.Size()),
      critical(a.HasCritical() || b.HasCritical()),
      walked(outer.Size(), 0) {
  for (size_t i = 0; i < outer.Size() && !inner.Empty(); ++i) {
    lowest = std::min<int64_t>(lowest, Result(i, 0));
    highest = std::max<int64_t>(highest, Result(i, inner.Size() - 1));
  }
}

int64_t PairSweep::Cost() const {
  const int64_t pairs = outer.Count() * inner.Count();
  const int64_t windows =
      std::min(pairs, std::max<int64_t>(highest - lowest, 0) / kWindow + 1);
  const int64_t span = std::max<int64_t>(highest - lowest, 0) + 1;
  const int64_t perPair = op == OpTimes          ? kStepsPerProductPair
                          : span > kCachedWindow ? kStepsPerStreamedPair
                                                 : 1;
  return pairs * perPair + windows * outer.Count();
}

// For a difference with the outer side on the left and for a negative
// factor, the results fall as the inner total rises: the walk starts at the
// top.
size_t PairSweep::InnerIndex(size_t i, size_t k) const {
  const int32_t total = outer.Total(i);
  const bool falling =
      (op == OpMinus && outerIsLeft) || (op == OpTimes && total < 0);
  return falling ? inner.Size() - 1 - k : k;
}

int32_t PairSweep::Result(size_t i, size_t k) const {
  const int32_t x = outer.Total(i);
  const int32_t y = inner.Total(InnerIndex(i, k));
  return outerIsLeft ? SaturatingArithmetic(op, x, y)
                     : SaturatingArithmetic(op, y, x);
}

Distribution PairSweep::Run(WorkBudget& budget) {
  Distribution result;
  if (outer.Empty() || inner.Empty()) return result;
  int64_t low = lowest;
  const auto window =
      static_cast<size_t>(std::min(kWindow, highest - lowest + 1));
  plain.assign(window, 0.0);
  if (critical) criticalMass.assign(window, 0.0);
  marks.assign(window, 0);
  while (low != kNone) {
    const int64_t next = Gather(low);
    Emit(low, result, budget);
    low = next;
  }
  return result;
}

int64_t PairSweep::Gather(int64_t low) {
  const int64_t high = low + static_cast<int64_t>(marks.size()) - 1;
  int64_t next = kNone;
  for (size_t i = 0; i < outer.Size(); ++i) {
    const int64_t x = outer.Total(i);
    if (op == OpPlus) {
      next = Walk(
          i, low, high, [x](int64_t y) { return x + y; }, next);
    } else if (op == OpMinus && outerIsLeft) {
      next = Walk(
          i, low, high, [x](int64_t y) { return x - y; }, next);
    } else if (op == OpMinus) {
      next = Walk(
          i, low, high, [x](int64_t y) { return y - x; }, next);
    } else {
      next = Walk(
          i, low, high, [x](int64_t y) { return x * y; }, next);
    }
  }
  return next;
}

// The pairs of the outer total at i whose results land from low to high, in
// their order; the lowest result beyond, or next.
template <class Combine>
int64_t PairSweep::Walk(size_t i, int64_t low, int64_t high, Combine combine,
                        int64_t next) {
  const Distribution::Mass x = outer.MassAt(i);
  const std::vector<int32_t>& values = inner.values;
  const std::vector<double>& masses = inner.plain;
  const size_t n = inner.Size();
  const size_t first = InnerIndex(i, 0);
  const bool falling = first != 0;
  size_t k = walked[i];
  for (; k < n; ++k) {
    const size_t j = falling ? first - k : k;
    const int64_t result = Saturate(combine(values[j]));
    if (result > high) {
      next = std::min(next, result);
      break;
    }
    const auto at = static_cast<size_t>(result - low);
    if (marks[at] == 0) {
      marks[at] = 1;
      touched.push_back(at);
    }
    if (critical) {
      const Distribution::Mass y = inner.MassAt(j);
      plain[at] += x.plain * y.plain;
      criticalMass[at] += x.critical * y.Both() + x.plain * y.critical;
    } else {
      plain[at] += x.plain * masses[j];
    }
  }
  walked[i] = k;
  return next;
}

// The results that occur in the window, in order; a window crowded with them
// is read through, a sparse one by its sorted offsets.
void PairSweep::Emit(int64_t low, Distribution& into, WorkBudget& budget) {
  budget.Spend(kStepsPerResult * static_cast<int64_t>(touched.size()));
  if (touched.size() * kEntriesPerStep < marks.size()) {
    std::sort(touched.begin(), touched.end());
  } else {
    budget.Spend(static_cast<int64_t>(marks.size()) / kEntriesPerStep);
    touched.clear();
    for (size_t at = 0; at < marks.size(); ++at) {
      if (marks[at] != 0) touched.push_back(at);
    }
  }
  if (into.Count() + static_cast<int64_t>(touched.size()) >
      Distribution::kMaxOutcomes) {
    throw Distribution::PastBounds();
  }
  for (size_t at : touched) {
    into.Append(static_cast<int32_t>(low + static_cast<int64_t>(at)),
                {plain[at], critical ? criticalMass[at] : 0.0});
    plain[at] = 0;
    if (critical) criticalMass[at] = 0;
    marks[at] = 0;
  }
  touched.clear();
}

}  // namespace rollwright
