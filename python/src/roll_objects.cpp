// SPDX-License-Identifier: MIT
#include "roll_objects.h"

#include <utility>
#include <vector>

#include "request_text.h"

namespace py = pybind11;

namespace rollwright::python {
namespace {

RecordType TypeOf(const py::tuple& classAndFields) {
  return {classAndFields[0], classAndFields[1].cast<py::tuple>()};
}

// The grades' names as str objects, made once each; they live as long as
// the process, as the module does.
py::handle GradeObject(int32_t skill, int32_t total) {
  const char* name = GradeName(skill, total);
  if (name == nullptr) return py::none();
  static std::vector<std::pair<const char*, PyObject*>> made;
  for (const auto& [madeName, object] : made) {
    if (madeName == name) return object;
  }
  made.emplace_back(name, Text(name).release().ptr());
  return made.back().second;
}

template <class Items, class MakeItem>
py::tuple TupleOf(const Items& items, MakeItem makeItem) {
  py::tuple tuple(items.size());
  size_t i = 0;
  for (const auto& item : items) {
    PyTuple_SET_ITEM(tuple.ptr(), static_cast<Py_ssize_t>(i++),
                     makeItem(item).release().ptr());
  }
  return tuple;
}

py::object HintObject(const RollResult& result) {
  if (!result.hint) return py::none();
  return Text(*result.hint);
}

}  // namespace

RollObjects::RollObjects(const py::tuple& rollClass,
                         const py::tuple& readingClass,
                         const py::tuple& rollSetClass,
                         const py::tuple& diceGroupClass, py::handle diceError)
    : roll(TypeOf(rollClass)),
      reading(TypeOf(readingClass)),
      rollSet(TypeOf(rollSetClass)),
      diceGroup(TypeOf(diceGroupClass)),
      diceErrorType(py::reinterpret_borrow<py::object>(diceError)) {}

py::object RollObjects::Build(const RollResult& result,
                              py::handle request) const {
  if (result.isError || !result.record.Reading()) Raise(result);
  const RequestReading& read = *result.record.Reading();
  py::object readObject =
      reading.Make({py::int_(read.sets), Text(read.expression),
                    py::int_(read.skill), Text(read.comment)});
  py::tuple sets = TupleOf(result.record.Sets(), [&](const SetRecord& set) {
    return Set(set, read.skill);
  });
  py::object requestObject = PyUnicode_Check(request.ptr())
                                 ? py::reinterpret_borrow<py::object>(request)
                                 : Text(result.request);
  return roll.Make({requestObject, Text(result.reply), readObject, sets,
                    HintObject(result)});
}

void RollObjects::Raise(const RollResult& result) const {
  const char* code = ErrorCodeName(result.reply);
  py::object error = diceErrorType(
      Text(result.reply),
      code == nullptr ? py::object(py::none()) : py::object(py::str(code)),
      HintObject(result));
  PyErr_SetObject(diceErrorType.ptr(), error.ptr());
  throw py::error_already_set();
}

py::object RollObjects::Set(const SetRecord& set, int32_t skill) const {
  py::tuple groups = TupleOf(set.groups, [this](const GroupFaces& group) {
    return diceGroup.Make(
        {py::int_(group.sides),
         TupleOf(group.faces, [](int32_t face) { return py::int_(face); })});
  });
  return rollSet.Make({py::int_(set.outcome.total),
                       GradeObject(skill, set.outcome.total),
                       py::bool_(set.outcome.criticalFailure), groups});
}

}  // namespace rollwright::python
