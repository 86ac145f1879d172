// SPDX-License-Identifier: MIT
#include "record_type.h"

#include <string>

namespace py = pybind11;

namespace rollwright::python {

RecordType::RecordType(py::handle cls, const py::tuple& fieldNames)
    : type(py::reinterpret_borrow<py::object>(cls)) {
  if (!PyType_Check(cls.ptr())) throw py::type_error("not a class");
  for (py::handle name : fieldNames) {
    py::object slot = type.attr(name);
    if (!PyObject_TypeCheck(slot.ptr(), &PyMemberDescr_Type)) {
      throw py::type_error(py::str(name).cast<std::string>() +
                           " is not a slot of " +
                           py::str(type).cast<std::string>());
    }
    slots.push_back(std::move(slot));
  }
}

py::object RecordType::Make(std::initializer_list<py::handle> values) const {
  if (values.size() != slots.size()) {
    throw py::type_error("wrong number of fields for " +
                         py::str(type).cast<std::string>());
  }
  auto* cls = reinterpret_cast<PyTypeObject*>(type.ptr());
  auto made = py::reinterpret_steal<py::object>(cls->tp_alloc(cls, 0));
  if (!made) throw py::error_already_set();
  auto slot = slots.begin();
  for (py::handle value : values) {
    PyObject* descriptor = (slot++)->ptr();
    if (Py_TYPE(descriptor)->tp_descr_set(descriptor, made.ptr(), value.ptr()) <
        0) {
      throw py::error_already_set();
    }
  }
  return made;
}

}  // namespace rollwright::python
