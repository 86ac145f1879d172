# SPDX-License-Identifier: MIT
"""The results of rollwright, field for field the tool's JSON.

Each to_dict() gives the object that the command-line tool prints for the
same request: `rollwright --json` for a Roll, `--odds --format=json` for
Odds, `--fairness N --json` for Fairness. The objects are frozen.
"""
from __future__ import annotations

from dataclasses import Field, dataclass, field, fields
from typing import (Any, Iterable, Mapping, NamedTuple, NotRequired, TypedDict,
                    Union, cast)


class DiceGroupDict(TypedDict):
    sides: int
    faces: list[int]


class RollSetDict(TypedDict):
    total: int
    grade: str | None
    critical: bool
    dice: list[DiceGroupDict]


class ReadingDict(TypedDict):
    sets: int
    expression: str
    skill: int
    comment: str


class RollDict(TypedDict):
    request: str
    reply: str
    read: ReadingDict
    sets: list[RollSetDict]
    hint: str | None


@dataclass(frozen=True, slots=True)
class DiceGroup:
    """One dice group of a set: the sides of its dice, their faces in order."""

    sides: int
    faces: tuple[int, ...]

    def to_dict(self) -> DiceGroupDict:
        return {"sides": self.sides, "faces": list(self.faces)}


@dataclass(frozen=True, slots=True)
class RollSet:
    """One set: its total, its grade against the skill level (None without
    one), whether it is a Critical Failure, and its dice groups in order."""

    total: int
    grade: str | None
    critical: bool
    dice: tuple[DiceGroup, ...]

    def to_dict(self) -> RollSetDict:
        return {"total": self.total, "grade": self.grade,
                "critical": self.critical,
                "dice": [group.to_dict() for group in self.dice]}


@dataclass(frozen=True, slots=True)
class Reading:
    """How the module read a request: its set count, expression, skill level
    (0 for none) and comment."""

    sets: int
    expression: str
    skill: int
    comment: str

    def to_dict(self) -> ReadingDict:
        return {"sets": self.sets, "expression": self.expression,
                "skill": self.skill, "comment": self.comment}


@dataclass(frozen=True, slots=True)
class Roll:
    """A request rolled: the module's reply, how it read the request, each
    set, and a hint when the reading looks like a slip."""

    request: str
    reply: str
    read: Reading
    sets: tuple[RollSet, ...]
    hint: str | None

    def to_dict(self) -> RollDict:
        return {"request": self.request, "reply": self.reply,
                "read": self.read.to_dict(),
                "sets": [rolled.to_dict() for rolled in self.sets],
                "hint": self.hint}


class DiceError(ValueError):
    """An error reply: message is the module's exact text ("Dice Error:
    ..."), code its stable name (TooManySets, TooManyDice, TooManySides,
    IllegalCharacter, InvalidOperand or OutOfMemory), hint a word on how the
    request was read, or None."""

    def __init__(self, message: str, code: str, hint: str | None = None):
        super().__init__(message)
        self.message = message
        self.code = code
        self.hint = hint


class OddsRefused(ValueError):
    """The odds (and so the check of fairness) refuse the request: the
    message is why, the module's error reply for a request it refuses."""


def _camel(name: str) -> str:
    head, *rest = name.split("_")
    return head + "".join(word.title() for word in rest)


def _members_from(data: Mapping[str, Any],
                  members: Iterable[Field[Any]]) -> dict[str, Any]:
    """Each member's value in the JSON object data, by its name in snake
    case."""
    return {member.name: data[_camel(member.name)] for member in members}


def _members_as_json(value: Any,
                     members: Iterable[Field[Any]]) -> dict[str, Any]:
    """Each member of value as the JSON object holds it."""
    return {_camel(member.name): _plain(getattr(value, member.name))
            for member in members}


def _plain(value: Any) -> Any:
    """value as JSON holds it: tuples as lists, mappings as dicts."""
    if isinstance(value, tuple):
        return [_plain(item) for item in value]
    if isinstance(value, Mapping):
        return dict(value)
    return value


# A figure of the odds: a number, or where the work budget left it undecided
# (Odds.exact false), the interval (low, high) it is known to lie in.
Figure = Union[float, tuple[float, float]]


class OddsBar(NamedTuple):
    """The totals first to last, their chance, and the chance of first or
    more and of last or less."""

    first: int
    last: int
    chance: Figure
    at_least: Figure
    at_most: Figure


class TotalChance(NamedTuple):
    total: int
    chance: float
    at_least: float
    at_most: float


class ErrorChance(NamedTuple):
    message: str
    chance: float


OddsDict = TypedDict("OddsDict", {
    "request": str, "expression": str, "comment": str, "sets": int,
    "skill": int, "lowest": int, "highest": int, "mean": Any,
    "critical": float, "anyCritical": Any, "anyTotal": bool,
    "twentySided": bool, "eachTotal": bool, "exact": bool,
    "grades": list[Any], "successes": list[Any], "bars": list[list[Any]],
    "buckets": NotRequired[list[list[Any]]],
    "errors": list[list[Any]], "totals": list[list[float]]})

_ODDS_ROWS: dict[str, Any] = {
    "bars": OddsBar, "buckets": OddsBar, "errors": ErrorChance,
    "totals": TotalChance}


def _figure(value: Any) -> Any:
    """A figure as Odds holds it: an interval as a pair."""
    return tuple(value) if isinstance(value, list) else value


@dataclass(frozen=True, slots=True)
class Odds:
    """The exact odds of one set of a request (the tool's --odds): each
    total's chance, the grades' and the Critical Failure's with a skill
    level, the chance of each number of successful sets, each error's."""

    request: str
    expression: str
    comment: str
    sets: int
    skill: int
    lowest: int
    highest: int
    mean: Figure
    critical: float
    any_critical: Figure
    any_total: bool
    twenty_sided: bool
    each_total: bool
    exact: bool  # false: some figures are intervals (low, high)
    grades: tuple[Figure, ...]
    successes: tuple[Figure, ...]
    bars: tuple[OddsBar, ...]
    # Ranges of totals, when there are too many to list one by one.
    buckets: tuple[OddsBar, ...] | None
    errors: tuple[ErrorChance, ...]
    totals: tuple[TotalChance, ...]
    _csv: str = field(repr=False, compare=False)

    @classmethod
    def _from_data(cls, data: Mapping[str, Any], csv: str) -> Odds:
        values: dict[str, Any] = {}
        for member in fields(cls)[:-1]:
            value = data.get(_camel(member.name))
            row = _ODDS_ROWS.get(member.name)
            if value is None:
                pass
            elif row is not None:
                value = tuple(
                    row(*(_figure(part) for part in item)) for item in value)
            elif isinstance(value, list):
                value = tuple(_figure(item) for item in value)
            values[member.name] = value
        return cls(**values, _csv=csv)

    def to_dict(self) -> OddsDict:
        present = [member for member in fields(self)[:-1]
                   if getattr(self, member.name) is not None]
        return cast(OddsDict, _members_as_json(self, present))

    def to_csv(self) -> str:
        """The tool's --odds --format=csv: every total's chance, at least
        and at most, then with a skill level each outcome's chance."""
        return self._csv


class ChiSquareDict(TypedDict):
    observed: dict[str, int]
    expected: dict[str, float]
    chiSquare: float
    degreesOfFreedom: int
    pValue: float


class FairnessDict(ChiSquareDict, total=False):
    request: str
    sets: int
    grades: ChiSquareDict


@dataclass(frozen=True, slots=True)
class ChiSquareTest:
    """Counts observed and expected per bin (a total or range of totals, a
    grade or range of grades, "error"), and the chi-square test of them."""

    observed: Mapping[str, int]
    expected: Mapping[str, float]
    chi_square: float
    degrees_of_freedom: int
    p_value: float

    @classmethod
    def _from_data(cls, data: Mapping[str, Any]) -> ChiSquareTest:
        return cls(**_members_from(data, fields(cls)))

    def to_dict(self) -> ChiSquareDict:
        return cast(ChiSquareDict, _members_as_json(self, fields(self)))


@dataclass(frozen=True, slots=True)
class Fairness:
    """Many sets of a request rolled, their totals tested against the exact
    odds (the members of ChiSquareTest), and with a skill level their grades
    too."""

    request: str
    sets: int
    observed: Mapping[str, int]
    expected: Mapping[str, float]
    chi_square: float
    degrees_of_freedom: int
    p_value: float
    grades: ChiSquareTest | None

    @classmethod
    def _from_data(cls, data: Mapping[str, Any]) -> Fairness:
        grades = data.get("grades")
        return cls(**_members_from(data, fields(cls)[:-1]),
                   grades=None if grades is None
                   else ChiSquareTest._from_data(grades))

    def to_dict(self) -> FairnessDict:
        result = cast(FairnessDict,
                      _members_as_json(self, fields(self)[:-1]))
        if self.grades is not None:
            result["grades"] = self.grades.to_dict()
        return result


@dataclass(frozen=True, slots=True)
class Limits:
    """The limits of a request, the reply's capacity in bytes with its NUL,
    and the largest seed."""

    max_sets: int
    max_dice: int
    max_sides: int
    reply_capacity: int
    max_seed: int

    @classmethod
    def _from_data(cls, data: Mapping[str, Any]) -> Limits:
        return cls(**_members_from(data, fields(cls)))
