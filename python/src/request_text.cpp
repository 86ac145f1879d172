// SPDX-License-Identifier: MIT
#include "request_text.h"

#include <cstring>
#include <limits>
#include <string>

#include "api/rollwright_api.h"

namespace py = pybind11;

namespace rollwright::python {

std::string_view RequestBytes(py::handle request) {
  const char* data = nullptr;
  Py_ssize_t size = 0;
  if (PyUnicode_Check(request.ptr())) {
    data = PyUnicode_AsUTF8AndSize(request.ptr(), &size);
    if (data == nullptr) throw py::error_already_set();
  } else if (PyBytes_Check(request.ptr())) {
    data = PyBytes_AS_STRING(request.ptr());
    size = PyBytes_GET_SIZE(request.ptr());
  } else {
    throw py::type_error("a request is a str or bytes, not " +
                         std::string(Py_TYPE(request.ptr())->tp_name));
  }
  const auto length = static_cast<size_t>(size);
  if (std::memchr(data, '\0', length) != nullptr) {
    throw py::type_error("a request cannot hold a NUL character");
  }
  return {data, length};
}

py::str Text(std::string_view text) {
  PyObject* decoded = PyUnicode_DecodeUTF8(
      text.data(), static_cast<Py_ssize_t>(text.size()), nullptr);
  if (decoded == nullptr) {
    PyErr_Clear();
    const std::string valid = ValidUtf8(text);
    decoded = PyUnicode_DecodeUTF8(
        valid.data(), static_cast<Py_ssize_t>(valid.size()), nullptr);
    if (decoded == nullptr) throw py::error_already_set();
  }
  return py::reinterpret_steal<py::str>(decoded);
}

uint32_t SeedOf(py::handle seed) {
  constexpr uint32_t kLargest = std::numeric_limits<uint32_t>::max();
  if (!PyLong_Check(seed.ptr())) {
    throw py::type_error("a seed is an int, not " +
                         std::string(Py_TYPE(seed.ptr())->tp_name));
  }
  int overflow = 0;
  const long long value = PyLong_AsLongLongAndOverflow(seed.ptr(), &overflow);
  if (value == -1 && PyErr_Occurred() != nullptr) {
    throw py::error_already_set();
  }
  if (overflow != 0 || value < 0 || value > kLargest) {
    throw py::value_error("a seed is from 0 to " + std::to_string(kLargest));
  }
  return static_cast<uint32_t>(value);
}

}  // namespace rollwright::python
