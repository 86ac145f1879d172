# SPDX-License-Identifier: MIT
"""A program that uses the package as a typed user would: mypy --strict
must accept it."""
import rollwright


def describe(request: str | bytes, seed: int | None = None) -> str:
    try:
        roll: rollwright.Roll = rollwright.roll(request, seed=seed)
    except rollwright.DiceError as error:
        return f"{error.code}: {error} ({error.hint or 'no hint'})"
    faces: list[int] = [face for rolled in roll.sets
                        for group in rolled.dice for face in group.faces]
    grade: str | None = roll.sets[0].grade
    return f"{roll.reply} {faces} {grade} {roll.read.expression} {roll.to_dict()['hint']}"


def chances(request: str) -> dict[str, float]:
    odds: rollwright.Odds = rollwright.odds(request)
    by_total = {str(row.total): row.at_least for row in odds.totals}
    return by_total | {"critical": odds.critical, "mean": odds.to_dict()["mean"]}


def check(request: str) -> float:
    fairness: rollwright.Fairness = rollwright.fairness(request, 1000, seed=2)
    grades = fairness.grades
    return fairness.p_value + (grades.p_value if grades is not None else 0.0)


roller = rollwright.Roller(7)
replies: list[str] = [roller.reply("3d6"), rollwright.reply(b"d20")]
largest: int = rollwright.limits.max_dice
csv: str = rollwright.odds("3d6").to_csv()
print(describe("3d6 skill 12"), chances("2d6"), check("3d6 skill 9"), replies, largest, csv)
