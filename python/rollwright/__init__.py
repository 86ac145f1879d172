# SPDX-License-Identifier: MIT
"""rollwright: dice requests rolled exactly as the rollwright module rolls
them, with their faces, their exact odds and a check of fairness.

    roll(request, *, seed=None) -> Roll     the reply, the reading, each set
    reply(request, *, seed=None) -> str     the reply alone; never raises
    Roller(seed=None)                       a generator of its own
    odds(request) -> Odds                   the exact odds of one set
    fairness(request, sets, *, seed=None) -> Fairness
    limits                                  the limits of a request

A request is a str (sent as UTF-8) or bytes. Without a seed, rolls come from
one generator for the whole process, seeded from the system's entropy at
import; with seed=N, a roll is what `rollwright --seed N --json REQUEST`
gives. A roll whose reply is an error raises DiceError.
"""
from __future__ import annotations

import json
import os
import secrets
from dataclasses import fields

from . import _native
from ._native import Roller, __version__, reply, roll
from ._results import (ChiSquareTest, DiceError, DiceGroup, ErrorChance,
                       Fairness, Limits, Odds, OddsBar, OddsRefused, Reading,
                       Roll, RollSet, TotalChance)

__all__ = [
    "ChiSquareTest", "DiceError", "DiceGroup", "ErrorChance", "Fairness",
    "Limits", "MAX_FAIRNESS_SETS", "Odds", "OddsBar", "OddsRefused", "Reading", "Request", "Roll",
    "RollSet", "Roller", "TotalChance", "__version__", "fairness", "limits",
    "odds", "reply", "roll"]

Request = str | bytes


def _fields(cls: type, *names: str) -> tuple[type, tuple[str, ...]]:
    """A class for the extension to fill in, with its fields in the order
    the extension sets them, which must be all of them."""
    if {member.name for member in fields(cls)} != set(names):
        raise TypeError(f"{cls.__name__} does not have the fields {names}")
    return cls, names


_native._set_up(
    _fields(Roll, "request", "reply", "read", "sets", "hint"),
    _fields(Reading, "sets", "expression", "skill", "comment"),
    _fields(RollSet, "total", "grade", "critical", "dice"),
    _fields(DiceGroup, "sides", "faces"),
    DiceError)
Roller.__module__ = __name__


def _seed_process() -> None:
    _native._seed(secrets.randbits(32))


_seed_process()
# A child process rolls its own sequence, not its parent's.
os.register_at_fork(after_in_child=_seed_process)

limits: Limits = Limits._from_data(json.loads(_native._limits()))


def odds(request: Request) -> Odds:
    """The exact odds of one set of request; OddsRefused when they are
    refused (an error reply, not enough memory)."""
    data, csv = _native._odds(request)
    parsed = json.loads(data)
    if "refused" in parsed:
        raise OddsRefused(parsed["refused"])
    return Odds._from_data(parsed, csv)


def fairness(request: Request, sets: int, *,
             seed: int | None = None) -> Fairness:
    """Rolls sets sets of request (1 to MAX_FAIRNESS_SETS) and tests them
    against the exact odds; with seed=N, as `rollwright --seed N --fairness
    SETS --json REQUEST` does; without one, on a generator seeded from
    secrets."""
    if not isinstance(sets, int) or isinstance(sets, bool):
        raise TypeError("sets is an int")
    if not 1 <= sets <= MAX_FAIRNESS_SETS:
        raise ValueError(f"sets is from 1 to {MAX_FAIRNESS_SETS}")
    if seed is None:
        seed = secrets.randbits(32)
    parsed = json.loads(_native._fairness(request, sets, seed))
    if "refused" in parsed:
        raise OddsRefused(parsed["refused"])
    return Fairness._from_data(parsed)


MAX_FAIRNESS_SETS: int = _native.MAX_FAIRNESS_SETS
