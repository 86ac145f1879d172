# SPDX-License-Identifier: MIT
"""The package under test is the wheel installed in the running venv, never
the source tree; the tool it must agree with is ROLLWRIGHT_TOOL."""
import json
import os
import subprocess
from pathlib import Path
from typing import Any

import pytest
import rollwright


def pytest_sessionstart(session: pytest.Session) -> None:
    installed = Path(rollwright.__file__).resolve()
    assert "site-packages" in installed.parts, f"not the installed wheel: {installed}"


@pytest.fixture(scope="session")
def tool() -> Any:
    """Runs the tool with arguments (str or bytes); its standard output as
    text, which must be UTF-8."""
    path = os.environ["ROLLWRIGHT_TOOL"]

    def run(*arguments: str | bytes) -> str:
        done = subprocess.run([path, *arguments], capture_output=True, check=False)
        return done.stdout.decode("utf-8")

    return run


@pytest.fixture(scope="session")
def tool_json(tool: Any) -> Any:
    """The tool's JSON objects, one per line of its output."""
    return lambda *arguments: [json.loads(line) for line in tool(*arguments).splitlines()]
