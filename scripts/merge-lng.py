#!/usr/bin/env python3
"""Merges INI fragments into one language file: sections keep their first order, the first value of a
key wins, a later duplicate is reported. Usage: merge-lng.py OUT.lng FRAGMENT.lng..."""
import sys

def parse(path):
    section = None
    for raw in open(path, encoding="utf-8-sig"):
        line = raw.rstrip("\r\n")
        s = line.strip()
        if not s or s.startswith(";") or s.startswith("#"):
            continue
        if s.startswith("[") and s.endswith("]"):
            section = s[1:-1]
            continue
        if "=" in line and section is not None:
            k, v = line.split("=", 1)
            yield section, k.strip(), v

def main():
    out, frags = sys.argv[1], sys.argv[2:]
    sections = {}
    order = []
    for f in [out] + frags:
        try:
            entries = list(parse(f))
        except FileNotFoundError:
            continue
        for sec, k, v in entries:
            key = sec.lower()
            if key not in sections:
                sections[key] = (sec, {})
                order.append(key)
            keys = sections[key][1]
            if k.lower() in keys:
                if keys[k.lower()][1] != v:
                    print(f"duplicate {sec}/{k}: keeping {keys[k.lower()][1]!r}, not {v!r} ({f})", file=sys.stderr)
                continue
            keys[k.lower()] = (k, v)
    with open(out, "w", encoding="utf-8", newline="\r\n") as fh:
        for key in order:
            sec, keys = sections[key]
            fh.write(f"[{sec}]\n")
            for k, v in keys.values():
                fh.write(f"{k}={v}\n")
            fh.write("\n")

main()
