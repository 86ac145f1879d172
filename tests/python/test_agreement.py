# SPDX-License-Identifier: MIT
"""roll, reply, Roller, odds and fairness give what the tool gives."""
import pytest
import rollwright

LONG_COMMENT = "3#2d6+1 " + "a long comment " * 80

# A seed and the requests a Roller of that seed rolls in turn.
ROLL_ROWS = [
    (1, ["3d6", "3#2d6+1 fire", "2d6+1d4-3*2 several groups", "5-5d6"]),
    (7, ["30#d20", "3#d20 skill 12 sword"]),
    (19, ["d20 skill 12 a first d20 showing 20", "d20+d20 skill 30"]),
    (3, ["3d6x", "31#d6", "101d6", "d501", "3d0", "2d6 + 3", "3 d6"]),
    (4, ["3 d6x", "3#d2-1*3 an error after rolling", "101d6 + 3", "31 d6",
         "d20skill 14x", "2d6 skill 0"]),
    (11, [LONG_COMMENT, "2d6 épée ⚔ 🎲", b"3d6 \xff\xe2\x82 broken",
          b"d6 \xed\xa0\x80 \xf4\x90\x80\x80"]),
]


def check_roll(roll, expected):
    if isinstance(roll, rollwright.DiceError):
        assert (str(roll), roll.code, roll.hint) == (
            expected["error"], expected["code"], expected["hint"])
    else:
        assert roll.to_dict() == expected


def rolled(roll, request):
    try:
        return roll(request)
    except rollwright.DiceError as error:
        return error


@pytest.mark.parametrize("seed,requests", ROLL_ROWS)
def test_rolls_agree_with_the_tool(tool_json, seed, requests):
    expected = tool_json("--seed", str(seed), "--json", *requests)
    assert len(expected) == len(requests)
    roller = rollwright.Roller(seed)
    replies = rollwright.Roller(seed)
    for request, want in zip(requests, expected):
        check_roll(rolled(roller.roll, request), want)
        assert replies.reply(request) == want["reply"]
    check_roll(rolled(lambda r: rollwright.roll(r, seed=seed), requests[0]),
               expected[0])
    assert rollwright.reply(requests[0], seed=seed) == expected[0]["reply"]
    if seed == 19:  # the row's first d20 shows 20
        assert expected[0]["sets"][0]["critical"]


@pytest.mark.parametrize("request_", [
    "3d6", "3d6 skill 12", "3#d20 skill 10", "d20+d20 skill 25", "40d6",
    "5", "d3+d3-3*2 errors", b"d6 \xff", "100d500*100d500",
    "100d500*100d500*100d500"])
def test_odds_agree_with_the_tool(tool, tool_json, request_):
    odds = rollwright.odds(request_)
    assert odds.to_dict() == tool_json("--odds", "--format=json", request_)[0]
    assert odds.to_csv() == tool("--odds", "--format=csv", request_)


@pytest.mark.parametrize("request_,sets,seed", [
    ("3d6 skill 12", 1000, 3), ("2d6", 5000, 9), ("d20+d20", 20000, 0)])
def test_fairness_agrees_with_the_tool(tool_json, request_, sets, seed):
    fairness = rollwright.fairness(request_, sets, seed=seed)
    assert fairness.to_dict() == tool_json(
        "--seed", str(seed), "--fairness", str(sets), "--json", request_)[0]


@pytest.mark.parametrize("ask,request_,options", [
    (rollwright.odds, "3d6x", ["--odds", "--format=json"]),
    (lambda request: rollwright.fairness(request, 10),
     "100d500*100d500*100d500",
     ["--fairness", "10", "--json"]),
    (lambda request: rollwright.fairness(request, 10), "d501",
     ["--fairness", "10", "--json"]),
])
def test_refusals_raise_odds_refused(tool_json, ask, request_, options):
    with pytest.raises(rollwright.OddsRefused) as refused:
        ask(request_)
    assert str(refused.value) == tool_json(*options, request_)[0]["refused"]
