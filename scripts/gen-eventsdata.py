#!/usr/bin/env python3
"""Writes the shipped data files of the program folder.

data/EventsData.dat is derived from the game's event types (event-types.tsv: number, meaning,
group): one row per type with its class fields. The other files are the empty tables a fresh
installation starts with. Every file is written twice: resources/data/ and the install copies in
resources/_install/data/.

    scripts/gen-eventsdata.py [path/to/event-types.tsv]

Class fields of a row (columns 1..6): ClassPrefix (always empty), EventGroup, EventOutcome, ChanceKind,
SpecialEventType, AttackRoute. The program joins them, each followed by ",", into the class string
whose fixed character positions decide an event's category, sound, description and counters:

  EventGroup   0 goal or chance, 1 match information, 2 injury, 3 card, 4 team event
  EventOutcome goal: 0 scored, 1 missed; injury: 0 leaves the field, 1 keeps playing;
               card: 0 yellow, 1 second yellow, 2 red; information and team events: the kind below
  ChanceKind   0 normal, 1 special event, 2 counter-attack
  SpecialEventType (special-event chances only)
               0 penalty, 1 free kick, 2 corner, 3 counter, 4 experience, 5 quick, 6 unpredictable,
               7 winger, 8 technical, 9 long shot, 10 tired defender, 11 other
  AttackRoute  (normal chances and counter-attacks only)
               0 centre, 1 right, 2 left, 3 penalty, 4 free kick, 5 indirect free kick, 6 long shot

Information kinds: 0 begin, 1 formation, 2 line-up, 3 arena and venue, 4 half-time, 5 possession,
6 end, 7 best player, 8 worst player, 9 result, 10 any other commentary (no word of its own).
Team-event kinds: 0 organisation +, 1 organisation -, 2 pressing, 3 team falls back, 4 powerful +,
5 powerful -, 6 technical +, 7 technical -, 8 quick -, 9 underestimation, 10 nerves, 11 new captain,
12 the game's own word, 13 other.

Penalty shoot-out kicks do not count in the score, so they are match information (result), not
goals; the third-yellow-card notice is information too, so that the card itself is counted and
sounded once.

Injuries: older matches report one with a single event of 90-97. Current matches report it with a
body-part event (401-422) followed by detail events about the same player (423-427), and no 90-97
event. The body-part event is the injury (the player leaves the field); the details stay
information, so that each injury is shown and sounded once.
"""
import os
import random
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
DEFAULT_TSV = os.path.join(ROOT, "tests", "data", "facts", "event-types.tsv")

EVENTS_DATA_ROWS = 601
EVENTS_DATA_COLS = 8
CAPTIONS = ["EventTypeCode", "ClassPrefix", "EventGroup", "EventOutcome", "ChanceKind",
            "SpecialEventType", "AttackRoute", ""]

ROUTES = {"central": 0, "right": 1, "left": 2, "penalty": 3, "free_kick": 4,
          "indirect_free_kick": 5, "long_shot": 6}

# Special-event chances by type number (the goal and the missed chance share the last two digits).
SPECIAL_EVENT_CHANCES = {
    5: 6, 6: 6, 8: 6, 9: 6, 25: 6,  # unpredictable
    15: 5, 16: 5, 89: 5,            # quick
    17: 10,                         # tired defender
    18: 2, 19: 2,                   # corner
    35: 4, 36: 4,                   # experience
    37: 7, 38: 7,                   # winger
    39: 8,                          # technical against a head player
    7: 9,                           # long shot without the long-shot tactic
    90: 11,                         # powerful forward's extra chance
}

# Counter-attack chances: route by the last digit.
COUNTER_ROUTES = {40: 4, 41: 0, 42: 2, 43: 1, 86: 5}

INFO_KINDS = {
    19: 0, 70: 0, 74: 0, 596: 0, 597: 0, 598: 0,
    20: 1, 23: 1, 24: 1,
    21: 2, 22: 2, 28: 2,
    25: 3, 26: 3, 27: 3, 30: 3, 31: 3, 32: 3, 33: 3, 35: 3, 36: 3, 37: 3, 38: 3, 39: 3, 464: 3,
    45: 4,
    599: 6, 601: 6, 602: 6, 603: 6, 604: 6, 605: 6, 606: 6,
    41: 7,
    42: 8,
    71: 9, 72: 9, 73: 9, 500: 9, 501: 9, 502: 9, 503: 9, 504: 9, 505: 9,
}

TEAM_KINDS = {
    64: 0,
    61: 1, 308: 1,
    68: 2, 310: 2, 331: 2,
    62: 3,
    302: 4,
    304: 5,
    303: 6,
    301: 7,
    305: 8, 306: 8,
    60: 9, 63: 9, 66: 9, 67: 9, 69: 9,
    65: 10,
    80: 11,
    46: 12, 650: 12,  # hat-trick and the game's anniversary: the game's own word
}

OTHER_INFO = 10
OTHER_TEAM = 13

# The body-part events of current matches: each one is an injury.
BODY_PART_INJURIES = range(401, 423)


def fields(number, group):
    """The class fields (prefix, group, outcome, chance kind, special event, route) of a type."""
    head, _, sub = group.partition("/")
    if head in ("goal", "miss"):
        outcome = "0" if head == "goal" else "1"
        if sub == "special_event" or (sub == "long_shot" and number % 100 in SPECIAL_EVENT_CHANCES):
            return ["", "0", outcome, "1", str(SPECIAL_EVENT_CHANCES[number % 100]), ""]
        if sub == "counter":
            return ["", "0", outcome, "2", "", str(COUNTER_ROUTES[number % 100])]
        return ["", "0", outcome, "0", "", str(ROUTES[sub])]
    if head == "injury" and (sub != "detail" or number in BODY_PART_INJURIES):
        return ["", "2", "1" if sub == "keeps_playing" else "0", "", "", ""]
    if head == "card":
        return ["", "3", {"yellow": "0", "second_yellow": "1", "red": "2"}[sub], "", "", ""]
    if number in TEAM_KINDS:
        return ["", "4", str(TEAM_KINDS[number]), "", "", ""]
    if head in ("team_event", "special_event"):
        return ["", "4", str(OTHER_TEAM), "", "", ""]
    if head == "penalty_shootout":
        return ["", "1", "9", "", "", ""]
    if sub == "possession":
        return ["", "1", "5", "", "", ""]
    return ["", "1", str(INFO_KINDS.get(number, OTHER_INFO)), "", "", ""]


def read_types(tsv):
    types = []
    with open(tsv, encoding="utf-8") as f:
        next(f)  # caption line
        for line in f:
            line = line.rstrip("\r\n")
            if not line:
                continue
            number, _meaning, group = line.split("\t")
            types.append((int(number), group))
    return types


def events_data_rows(types):
    rows = [CAPTIONS]
    for number, group in types:
        rows.append(["%03d" % number] + fields(number, group) + [""])
    if len(rows) > EVENTS_DATA_ROWS:
        sys.exit("too many event types for the events-data table: %d" % (len(rows) - 1))
    rows += [[""] * EVENTS_DATA_COLS for _ in range(EVENTS_DATA_ROWS - len(rows))]
    return rows


GRID_KEY = "kRspwenu"


def scramble(text, rng):
    """A cell in the scrambled form of the table file: a random start byte, then each byte chained to
    the previous output byte and the cycling grid key."""
    if not text:
        return ""
    start = rng.randrange(256)
    out = "%02X" % start
    prev = start
    pos = 0
    for byte in text.encode("utf-8"):
        pos = pos + 1 if pos < len(GRID_KEY) else 1
        c = ((byte + prev) % 255) ^ ord(GRID_KEY[pos - 1])
        out += "%02X" % c
        prev = c
    return out


def table_file(cells):
    lines = ["TBKStringGrid", "1", "0", "0"] + cells
    return ("".join(line + "\r\n" for line in lines)).encode("ascii")


def write(name, data):
    for folder in ("data", os.path.join("_install", "data")):
        path = os.path.join(ROOT, "resources", folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


def main():
    tsv = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_TSV
    rows = events_data_rows(read_types(tsv))
    write("EventsData.dat", table_file([cell for row in rows for cell in row]))

    # Favourites: one empty row, as the program saves an empty favourites table.
    write("Favourites.dat", table_file([""] * 3))
    # Recorded list: the caption row and ten free slots.
    write("RecordedList.dat", table_file(["Team", "TeamID", "", "", ""] + [""] * 50))
    # Sounds: ten empty rows; the first run fills in the shipped sound files.
    write("Sounds.dat", table_file([""] * 10))
    # Connection settings: no proxy, security code not remembered. A fixed seed keeps the file stable.
    rng = random.Random(1267)
    proxy = ["0", "", "", "", "", "0", ""]
    write("ProxyConfig.dat", table_file([scramble(cell, rng) for cell in proxy]))


if __name__ == "__main__":
    main()
