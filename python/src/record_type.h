// SPDX-License-Identifier: MIT
// A result class of the Python layer (rollwright/_results.py, a frozen
// dataclass with slots), whose objects are made here without calling its
// __init__: each field's slot is set in order. A roll makes several of them,
// and this is the cheap way.
#ifndef ROLLWRIGHT_PYTHON_RECORD_TYPE_H_
#define ROLLWRIGHT_PYTHON_RECORD_TYPE_H_

#include <pybind11/pybind11.h>

#include <initializer_list>
#include <vector>

namespace rollwright::python {

class RecordType {
 public:
  // TypeError unless each of fieldNames is a slot of cls.
  RecordType(pybind11::handle cls, const pybind11::tuple& fieldNames);

  // A new object with values for its fields, in the fields' order.
  pybind11::object Make(std::initializer_list<pybind11::handle> values) const;

 private:
  pybind11::object type;
  std::vector<pybind11::object> slots;  // the fields' member descriptors
};

}  // namespace rollwright::python

#endif  // ROLLWRIGHT_PYTHON_RECORD_TYPE_H_
