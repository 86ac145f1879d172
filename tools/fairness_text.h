// SPDX-License-Identifier: MIT
// A check of fairness (api/fairness.h) as the tool prints it for people.
#ifndef ROLLWRIGHT_TOOLS_FAIRNESS_TEXT_H_
#define ROLLWRIGHT_TOOLS_FAIRNESS_TEXT_H_

#include <string>

#include "api/fairness.h"

namespace rollwright {

// A table of observed and expected counts per bin, then the statistic, its
// degrees of freedom and its p-value, and last a line on what a p-value
// means.
std::string FairnessText(const std::string& request,
                         const FairnessReport& report);

}  // namespace rollwright

#endif  // ROLLWRIGHT_TOOLS_FAIRNESS_TEXT_H_
