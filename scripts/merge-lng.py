#!/usr/bin/env python3
"""Merges the English fragments into the shipped language file.

Usage: merge-lng.py OUT.lng FRAGMENT.lng...

The fragments are the source of the English texts: a text changed in a fragment replaces the one in
OUT.lng. Among the fragments the first value of a key wins and a different later value is reported.
OUT.lng keeps its order of sections and keys (new ones are appended), so a regenerated file differs
only where a text changed. A key that OUT.lng holds but no fragment gives is kept and reported: move
it into a fragment."""
import sys


def parse(path):
    section = None
    for raw in open(path, encoding="utf-8-sig"):
        line = raw.rstrip("\r\n")
        s = line.strip()
        if not s or s.startswith(";") or s.startswith("#"):
            continue
        if s.startswith("[") and s.endswith("]"):
            section = s[1:-1].strip()
            continue
        if "=" in line and section is not None:
            k, v = line.split("=", 1)
            yield section, k.strip(), v.strip()


def entries_of(path):
    try:
        return list(parse(path))
    except FileNotFoundError:
        return []


def main():
    out, frags = sys.argv[1], sys.argv[2:]
    # section (lower) -> (name, {key (lower): [name, value]}), in order of first appearance
    sections = {}
    given = {}  # (section, key) lower -> fragment that gave the value

    def slot(sec, k):
        keys = sections.setdefault(sec.lower(), (sec, {}))[1]
        return keys.setdefault(k.lower(), [k, None])

    old = entries_of(out)
    for sec, k, _v in old:  # the existing order first
        slot(sec, k)
    for f in frags:
        for sec, k, v in entries_of(f):
            ident = (sec.lower(), k.lower())
            entry = slot(sec, k)
            if ident in given:
                if entry[1] != v:
                    print(f"conflict [{sec}] {k}: {given[ident]} gives {entry[1]!r}, {f} gives {v!r}; "
                          f"keeping the first", file=sys.stderr)
                continue
            given[ident] = f
            entry[1] = v
    for sec, k, v in old:
        entry = slot(sec, k)
        if (sec.lower(), k.lower()) not in given and entry[1] is None:
            entry[1] = v
            print(f"[{sec}] {k} is in {out} only: move it into a fragment", file=sys.stderr)

    with open(out, "w", encoding="utf-8", newline="\r\n") as fh:
        for sec, keys in sections.values():
            fh.write(f"[{sec}]\n")
            for k, v in keys.values():
                fh.write(f"{k}={v}\n")
            fh.write("\n")


main()
