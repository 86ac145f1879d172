// SPDX-License-Identifier: MIT
// rollwright._native: the library for programs (api/) as Python calls it.
// Rolls hold the GIL, so a Roller's state is never swapped in on two threads
// at once; the odds and the check of fairness let it go while they work.
// rollwright/__init__.py wraps what this leaves raw, and _native.pyi types
// it.
#include <pybind11/pybind11.h>

#include <string>

#include "api/fairness.h"
#include "api/odds_data.h"
#include "api/rollwright_api.h"
#include "odds/odds_summary.h"
#include "request_text.h"
#include "roll_objects.h"

namespace py = pybind11;

namespace rollwright::python {
namespace {

// The process's own generator, for rolls without a seed or a Roller of
// their own (the thread's generator starts at one fixed state on each new
// thread); __init__.py seeds it from the system's entropy.
Roller defaultRoller(1);

// Set once by __init__.py, before any roll; it lives as long as the process.
const RollObjects* objects = nullptr;

const RollObjects& Objects() {
  if (objects == nullptr) throw py::type_error("rollwright is not set up");
  return *objects;
}

// Runs work on a Roller of seed, or on the process's generator without one.
template <class Work>
auto RollOn(py::handle seed, Work work) {
  if (!seed.is_none()) {
    Roller roller(SeedOf(seed));
    return work(roller);
  }
  return work(defaultRoller);
}

py::object RollWith(Roller& roller, py::handle request) {
  const RollResult result = roller.Roll(RequestBytes(request));
  return Objects().Build(result, request);
}

py::str ReplyWith(Roller& roller, py::handle request) {
  return Text(roller.Reply(RequestBytes(request)));
}

py::object RollRequest(py::handle request, py::handle seed) {
  return RollOn(
      seed, [request](Roller& roller) { return RollWith(roller, request); });
}

py::str ReplyTo(py::handle request, py::handle seed) {
  return RollOn(
      seed, [request](Roller& roller) { return ReplyWith(roller, request); });
}

// The odds as the tool's JSON (every total) and CSV; the CSV is empty when
// the odds are refused.
py::tuple OddsData(py::handle request) {
  const std::string text(RequestBytes(request));
  std::string json;
  std::string csv;
  {
    py::gil_scoped_release released;
    const OddsSummary summary = SummariseOdds(text);
    json = OddsJson(text, summary, true);
    csv = OddsCsv(summary);
  }
  return py::make_tuple(Text(json), Text(csv));
}

// The check as the tool's JSON, rolled on a generator seeded with seed.
py::str FairnessData(py::handle request, int64_t sets, py::handle seed) {
  const std::string text(RequestBytes(request));
  const uint32_t generatorSeed = SeedOf(seed);
  std::string json;
  {
    py::gil_scoped_release released;
    Roller roller(generatorSeed);
    roller.Run([&] {
      json = FairnessJson(text, CheckFairness(text, sets, [](int64_t) {}));
    });
  }
  return Text(json);
}

void DefineRoller(py::module_& module) {
  py::class_<Roller>(module, "Roller",
                     "A generator of its own: seeded N, its successive rolls "
                     "are the tool's with --seed N; without a seed, seeded "
                     "from secrets.")
      .def(py::init([](py::handle seed) {
             if (!seed.is_none()) return Roller(SeedOf(seed));
             py::object entropy =
                 py::module_::import("secrets").attr("randbits");
             return Roller(SeedOf(entropy(32)));
           }),
           py::arg("seed") = py::none())
      .def("roll", &RollWith, py::arg("request"))
      .def("reply", &ReplyWith, py::arg("request"));
}

}  // namespace
}  // namespace rollwright::python

PYBIND11_MODULE(_native, module) {
  using namespace rollwright::python;
  module.attr("__version__") = ROLLWRIGHT_VERSION;
  module.attr("MAX_FAIRNESS_SETS") = rollwright::kMaxFairnessSets;
  module.def("roll", &RollRequest,
             "The request rolled: a Roll, or DiceError for an error reply.",
             py::arg("request"), py::kw_only(), py::arg("seed") = py::none());
  module.def("reply", &ReplyTo,
             "The module's reply to the request, an error's message too.",
             py::arg("request"), py::kw_only(), py::arg("seed") = py::none());
  DefineRoller(module);
  module.def("_set_up", [](const py::tuple& roll, const py::tuple& reading,
                           const py::tuple& rollSet, const py::tuple& group,
                           py::handle diceError) {
    delete objects;
    objects = new RollObjects(roll, reading, rollSet, group, diceError);
  });
  module.def("_seed", [](py::handle seed) {
    defaultRoller = rollwright::Roller(SeedOf(seed));
  });
  module.def("_odds", &OddsData, py::arg("request"));
  module.def("_fairness", &FairnessData, py::arg("request"), py::arg("sets"),
             py::arg("seed"));
  module.def("_limits", &rollwright::LimitsJson);
}
