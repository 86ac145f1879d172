# SPDX-License-Identifier: MIT
"""What the package holds to beyond agreeing with the tool: requests and
seeds it refuses, its objects, and its threads."""
import dataclasses
import os
import threading
import time

import pytest
import rollwright


@pytest.mark.parametrize("call", [
    rollwright.roll, rollwright.reply, rollwright.odds,
    rollwright.Roller(1).roll, rollwright.Roller(1).reply,
    lambda request: rollwright.fairness(request, 10)])
@pytest.mark.parametrize("request_", ["3d6\0 cut", b"\0", 36, None, bytearray(b"3d6")])
def test_requests_that_are_not_text_raise_type_error(call, request_):
    with pytest.raises(TypeError):
        call(request_)


@pytest.mark.parametrize("seed,error", [
    (-1, ValueError), (2**32, ValueError), (2**64, ValueError), ("1", TypeError),
    (1.0, TypeError)])
def test_seeds_out_of_range_are_refused(seed, error):
    for call in (lambda: rollwright.roll("d6", seed=seed),
                 lambda: rollwright.Roller(seed),
                 lambda: rollwright.fairness("d6", 10, seed=seed)):
        with pytest.raises(error):
            call()


def test_largest_seed_and_set_counts():
    assert rollwright.reply("d6", seed=rollwright.limits.max_seed).startswith("rolls")
    for sets in (0, rollwright.MAX_FAIRNESS_SETS + 1):
        with pytest.raises(ValueError):
            rollwright.fairness("d6", sets)


def test_results_are_frozen_and_readable():
    roll = rollwright.roll("2#d6+d4 skill 5 axe", seed=4)
    with pytest.raises(dataclasses.FrozenInstanceError):
        roll.sets[0].total = 3  # type: ignore[misc]
    assert repr(roll).startswith("Roll(request='2#d6+d4 skill 5 axe', reply='rolls ")
    assert "DiceGroup(sides=4, faces=(" in repr(roll)
    assert roll == rollwright.roll("2#d6+d4 skill 5 axe", seed=4)
    assert hash(roll) == hash(rollwright.Roller(4).roll("2#d6+d4 skill 5 axe"))


def test_dice_error_carries_message_code_and_hint():
    with pytest.raises(rollwright.DiceError) as raised:
        rollwright.roll("3 d6x")
    assert isinstance(raised.value, ValueError)
    assert (str(raised.value), raised.value.code) == (
        "Dice Error: Illegal characters in input!", "IllegalCharacter")
    assert rollwright.reply("3 d6x") == str(raised.value)


def test_unseeded_rolls_vary():
    assert len({rollwright.reply("d500 d500") for _ in range(20)}) > 1
    assert len({rollwright.Roller().reply("d500") for _ in range(20)}) > 1


def test_a_forked_child_rolls_its_own_sequence():
    request = "30#10d500"
    read, write = os.pipe()
    child = os.fork()
    if child == 0:
        os.write(write, rollwright.reply(request).encode())
        os._exit(0)
    os.close(write)
    os.waitpid(child, 0)
    with os.fdopen(read) as pipe:
        assert pipe.read() != rollwright.reply(request)


def test_rollers_on_threads_keep_their_own_sequences():
    requests = ["3#d20 skill 12", "10d6", "d100"] * 200
    expected = {}
    for seed in range(4):
        roller = rollwright.Roller(seed)
        expected[seed] = [roller.reply(request) for request in requests]
    got = {}
    start = threading.Barrier(len(expected))

    def roll_all(seed):
        roller = rollwright.Roller(seed)
        start.wait()
        got[seed] = [roller.roll(request).reply for request in requests]

    threads = [threading.Thread(target=roll_all, args=(seed,)) for seed in expected]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert got == expected


@pytest.mark.parametrize("long_work", [
    lambda: rollwright.odds("100d500+100d500"),
    lambda: rollwright.fairness("3d6", 10_000_000, seed=1)])
def test_long_work_lets_other_threads_roll(long_work):
    span = []

    def work():
        span.append(time.perf_counter())
        long_work()
        span.append(time.perf_counter())

    thread = threading.Thread(target=work)
    thread.start()
    rolled = []
    while thread.is_alive() or not rolled:
        rollwright.roll("3d6")
        rolled.append(time.perf_counter())
    thread.join()
    begun, ended = span
    middle = [t for t in rolled if begun + (ended - begun) / 4 < t < ended - (ended - begun) / 4]
    assert ended - begun > 0.05 and len(middle) > 10
