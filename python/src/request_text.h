// SPDX-License-Identifier: MIT
// Requests as Python hands them in, and the module's text as Python is
// handed it.
#ifndef ROLLWRIGHT_PYTHON_REQUEST_TEXT_H_
#define ROLLWRIGHT_PYTHON_REQUEST_TEXT_H_

#include <pybind11/pybind11.h>

#include <cstdint>
#include <string_view>

namespace rollwright::python {

// The bytes of request: a str as UTF-8, or bytes as they are. TypeError for
// any other object and for a request that holds a NUL (which the module
// would take for its end). The bytes live as long as request does.
std::string_view RequestBytes(pybind11::handle request);

// text as a str; a byte that starts no UTF-8 character becomes U+FFFD, as
// the tool's JSON writes it.
pybind11::str Text(std::string_view text);

// A seed: an int from 0 to 2**32 - 1, else ValueError (TypeError for what is
// not an int).
uint32_t SeedOf(pybind11::handle seed);

}  // namespace rollwright::python

#endif  // ROLLWRIGHT_PYTHON_REQUEST_TEXT_H_
