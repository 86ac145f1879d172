# SPDX-License-Identifier: MIT
"""Builds rollwright._native from the engine's own sources in the tree above.

The version is the project's, read from the top CMakeLists.txt. The sources
are every .cpp of the engine's portable folders (the Windows-only ones live
in host/runtime/), host/dice_main.cpp and the library for programs (api/).
"""
import os
import re
import sysconfig
from pathlib import Path

import pybind11
from pybind11.setup_helpers import Pybind11Extension
from setuptools import setup

# Paths relative to this folder, as setuptools asks: pip builds in place.
HERE = Path(__file__).resolve().parent
TREE = Path("..")
SOURCE_FOLDERS = ("text", "dice", "odds", "api")


def project_version() -> str:
    cmake = (HERE / TREE / "CMakeLists.txt").read_text(encoding="utf-8")
    found = re.search(r"project\(rollwright VERSION ([0-9.]+)", cmake)
    if found is None:
        raise RuntimeError("no project version in the top CMakeLists.txt")
    return found.group(1)


def engine_sources() -> list[str]:
    sources = [HERE / TREE / "host" / "dice_main.cpp"]
    if not sources[0].is_file():
        raise RuntimeError("build in a rollwright source tree, not a copy of python/")
    for folder in SOURCE_FOLDERS:
        sources += sorted((HERE / TREE / folder).glob("*.cpp"))
    return [os.path.relpath(path, HERE) for path in sources]


VERSION = project_version()
# The project's warnings, as errors, for its own code; Python's and pybind11's
# headers are the system's.
SYSTEM_HEADERS = ["-isystem", pybind11.get_include(),
                  "-isystem", sysconfig.get_paths()["include"]]
WARNINGS = ["-Wall", "-Wextra", "-Wpedantic", "-Wconversion", "-Wsign-conversion",
            "-Wshadow", "-Werror"]

native = Pybind11Extension(
    "rollwright._native",
    sorted(os.path.relpath(path, HERE) for path in (HERE / "src").glob("*.cpp"))
    + engine_sources(),
    include_dirs=[str(TREE), str(TREE / "include")],
    define_macros=[("ROLLWRIGHT_VERSION", '"' + VERSION + '"')],
    cxx_std=20,
    include_pybind11=False,
    extra_compile_args=SYSTEM_HEADERS + WARNINGS + ["-ffunction-sections", "-fdata-sections"],
    extra_link_args=["-Wl,--gc-sections"],
)

setup(version=VERSION, ext_modules=[native])
