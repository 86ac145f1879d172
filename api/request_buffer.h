// SPDX-License-Identifier: MIT
// A request buffer as a host hands it in: the request and its NUL, in a block
// of ReplyCapacity bytes or the request's length plus one, whichever is more.
// Exactly that size, so a sanitizer sees any access past it.
#ifndef ROLLWRIGHT_API_REQUEST_BUFFER_H_
#define ROLLWRIGHT_API_REQUEST_BUFFER_H_

#include <algorithm>
#include <string_view>
#include <vector>

#include "rollwright.h"

namespace rollwright {

inline std::vector<char> RequestBuffer(std::string_view request) {
  std::vector<char> buffer(
      std::max<size_t>(ROLLWRIGHT_REPLY_CAPACITY, request.size() + 1));
  std::copy(request.begin(), request.end(), buffer.begin());
  return buffer;
}

}  // namespace rollwright

#endif  // ROLLWRIGHT_API_REQUEST_BUFFER_H_
