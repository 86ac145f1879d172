// SPDX-License-Identifier: MIT
// A roll as the Python layer's objects (rollwright/_results.py): Roll,
// Reading, RollSet and DiceGroup built straight from the roll's record, or
// the DiceError its error reply raises.
#ifndef ROLLWRIGHT_PYTHON_ROLL_OBJECTS_H_
#define ROLLWRIGHT_PYTHON_ROLL_OBJECTS_H_

#include <pybind11/pybind11.h>

#include "api/rollwright_api.h"
#include "record_type.h"

namespace rollwright::python {

class RollObjects {
 public:
  // Each class comes with the names of its fields, in the order set here.
  RollObjects(const pybind11::tuple& roll, const pybind11::tuple& reading,
              const pybind11::tuple& rollSet, const pybind11::tuple& diceGroup,
              pybind11::handle diceError);

  // The Roll of result, whose request was the object request; raises the
  // DiceError of an error reply.
  pybind11::object Build(const RollResult& result,
                         pybind11::handle request) const;

 private:
  [[noreturn]] void Raise(const RollResult& result) const;
  pybind11::object Set(const SetRecord& set, int32_t skill) const;

  RecordType roll;
  RecordType reading;
  RecordType rollSet;
  RecordType diceGroup;
  pybind11::object diceErrorType;
};

}  // namespace rollwright::python

#endif  // ROLLWRIGHT_PYTHON_ROLL_OBJECTS_H_
