#!/usr/bin/env python3
"""Writes the seeds of the map_play harness into tests/fuzz/corpus/map_play/.

Each seed is a 256-byte control script followed by a ".map" (see map_play_fuzz.cpp for the
script's layout): every shipped stage and every map of the map loader's corpus with a few
scripts, and small stages made here in which the ship can clear the sector within the
harness's 600 steps, so the count-down, the reactor's blast and the sector exit are played.

Usage: tests/fuzz/make_play_seeds.py BUILD_DIR   (the shipped stages are read from
BUILD_DIR/run/Data/Maps, which the normal build makes)
"""
import pathlib
import random
import struct
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
OUT = ROOT / "tests/fuzz/corpus/map_play"
SCRIPT_SIZE = 256

APPEAR, KEEP_LIVES, PLACE = 1, 2, 4
LEFT, RIGHT, THRUST, SHIELD, LASER = 1, 2, 4, 8, 16


def script(seed, flags, pairs, placements=(0, 1, 2, 3, 4, 5)):
    """A control script: rand() seed, flags, six placement choices, then (controls, steps)
    pairs, each control set held for the given number of steps (split into runs of at most
    256)."""
    data = bytearray([seed & 0xFF, flags]) + bytes(placements)
    for controls, steps in pairs:
        while steps > 0:
            run = min(steps, 256)
            data += bytes([controls, run - 1])
            steps -= run
    assert len(data) <= SCRIPT_SIZE, len(data)
    return bytes(data.ljust(SCRIPT_SIZE, b"\0"))


def random_script(seed):
    rng = random.Random(seed)
    head = bytes([seed & 0xFF, rng.choice([APPEAR | KEEP_LIVES | PLACE, APPEAR | PLACE, 7])])
    body = bytes(rng.randrange(256) for _ in range(SCRIPT_SIZE - 2))
    return head + body


def text_field(text, width):
    raw = text.encode()
    assert len(raw) < width
    return raw.ljust(width, b"\0")


def wall(x1, y1, x2, y2, colour=(0.2, 0.6, 1.0)):
    return struct.pack("<10f", x1, y1, *colour, x2, y2, *colour)


def entity(code, x, y, angle=0.0):
    return struct.pack("<i3f", code, angle, x, y)


def stage(walls, entities, title, password, end_timer):
    return (struct.pack("<ii", len(walls), len(entities)) + b"".join(walls) + b"".join(entities)
            + text_field(title, 32) + text_field(password, 6) + struct.pack("<i", end_timer))


GENERATOR, BEACON = 6, 20

# A floor far below the start point (0, -300) gives the map bounds to wrap around.
FLOOR = [wall(-800.0, 400.0, 800.0, 400.0)]


def made_stages():
    """(name, script, map) for the stages made here."""
    above = lambda timer: stage(FLOOR, [entity(GENERATOR, 0.0, -450.0)], "REACTOR ABOVE",
                                "ABOVE", timer)
    below = lambda timer: stage(FLOOR, [entity(GENERATOR, 0.0, 0.0)], "REACTOR BELOW", "BELOW",
                                timer)
    # The ship starts facing up: shoot the reactor above, then climb out past y -600.
    shoot_up_and_leave = script(1, APPEAR, [(LASER, 150), (THRUST, 300)])
    # Turn about (78 steps of RIGHT), shoot the reactor below, turn back and climb (the ship
    # has fallen too far to get out before the harness stops).
    shoot_down_and_climb = script(2, APPEAR, [(RIGHT, 78), (0, 10), (LASER, 180), (RIGHT, 74),
                                              (0, 5), (THRUST, 253)])
    # Shoot it and stay: the reactor blows at the end of the count-down.
    shoot_up_and_stay = script(3, APPEAR | KEEP_LIVES, [(LASER, 150), (SHIELD, 100)])
    return [
        ("made-reactor-above-exit", shoot_up_and_leave, above(5)),
        ("made-reactor-above-blast", shoot_up_and_stay, above(1)),
        ("made-reactor-below-climb", shoot_down_and_climb, below(5)),
        ("made-reactor-below-blast", script(4, APPEAR, [(RIGHT, 78), (0, 10), (LASER, 300)]),
         below(0)),
        # End timers near the int32 limit: the count-down must hold its whole seconds in int.
        ("made-end-timer-int32-max", shoot_up_and_stay, above(2147483647)),
        ("made-end-timer-2147483584", shoot_up_and_leave, above(2147483584)),
        ("made-end-timer-int32-min", shoot_up_and_stay, above(-2147483648)),
        # A beacon beside the reactor: a crash restarts the stage at the beacon.
        ("made-beacon-and-reactor",
         script(5, APPEAR | PLACE, [(LASER | LEFT, 120), (THRUST, 200), (LASER, 200)]),
         stage(FLOOR, [entity(BEACON, 100.0, 390.0), entity(GENERATOR, 0.0, -450.0)],
               "BEACON", "BEACN", 3)),
    ]


def scripts_for(index):
    return [
        ("still", script(index, 0, [])),
        ("thrust", script(index, APPEAR, [(THRUST, 600)])),
        ("laser-placed", script(index, APPEAR | KEEP_LIVES | PLACE,
                                [(LASER, 100), (LASER | LEFT, 60), (LASER | THRUST, 40),
                                 (LASER | SHIELD, 200), (LASER | RIGHT, 200)],
                                placements=tuple((index * 37 + k * 11) & 0xFF for k in range(6)))),
        ("random", random_script(index)),
    ]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    shipped = sorted((pathlib.Path(sys.argv[1]) / "run/Data/Maps").glob("*.map"))
    if not shipped:
        sys.exit("no shipped stages under " + sys.argv[1] + "/run/Data/Maps: build first")
    loader_corpus = sorted((ROOT / "tests/fuzz/corpus/map_load").iterdir())
    OUT.mkdir(parents=True, exist_ok=True)
    seeds = {}
    for index, path in enumerate(shipped + loader_corpus):
        for kind, prefix in scripts_for(index):
            seeds[path.stem + "-" + kind] = prefix + path.read_bytes()
    for name, prefix, body in made_stages():
        seeds[name] = prefix + body
    for name, data in seeds.items():
        (OUT / name).write_bytes(data)
    print(f"{len(seeds)} seeds in {OUT.relative_to(ROOT)}")


if __name__ == "__main__":
    main()
