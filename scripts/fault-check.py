#!/usr/bin/env python3
"""Applies deliberate one-line faults to the program, one at a time, and reports which fault no test
catches. Each fault in the list file is one line:

    path | text to find | text to put in its place | what the fault is

The text must occur exactly once in the file. The program is rebuilt in its own build folder and the
whole test suite runs; a fault is caught when a test fails. A fault the build refuses is reported as
"nobuild" (it proves nothing about the tests: mend its line), one whose text is not found once as
"stale". The file is restored after every fault, also when the script is interrupted.

The results file (--out) is written after every fault: one tab-separated line per fault (number,
verdict, path, what, and for a caught fault the first test that failed; the run stops there, so other
tests may catch it too), then a summary. With --only, the lines of the faults run again replace theirs
in an existing results file; the others stay.

Usage: fault-check.py [--list scripts/faults.txt] [--build build-faults] [--only N,M] [--out FILE]
                      [--jobs 3] [--every]

With --every the suite runs whole for each fault and the results name every test that failed: the map
of which tests catch which faults, for deciding which test may go.
"""
import argparse
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read_faults(path):
    faults = []
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            parts = [p.strip() for p in line.split(" | ")]
            if len(parts) != 4:
                sys.exit(f"{path}:{number}: expected 'path | find | replace | what'")
            faults.append(parts)
    return faults


def read_results(path):
    """The fault lines of an earlier results file, by fault number (the summary line is left out)."""
    results = {}
    if not os.path.exists(path):
        return results
    with open(path, encoding="utf-8") as f:
        for line in f:
            parts = line.rstrip("\n").split("\t")
            if len(parts) in (4, 5) and parts[0].isdigit():
                results[int(parts[0])] = (int(parts[0]), parts[1], parts[2], parts[3],
                                          parts[4] if len(parts) == 5 else "")
    return results


def summary_line(results):
    def count(verdict):
        return sum(1 for r in results if r[1] == verdict)
    return (f"{len(results)} faults: {count('caught')} caught, {count('MISSED')} missed, "
            f"{count('stale')} stale, {count('nobuild')} not built")


def write_results(path, earlier, results):
    """Writes the results merged over the earlier ones, in fault order; returns the summary."""
    merged = dict(earlier)
    merged.update({r[0]: r for r in results})
    ordered = [merged[k] for k in sorted(merged)]
    summary = summary_line(ordered)
    with open(path, "w", encoding="utf-8") as f:
        for index, verdict, fault_path, what, caught_by in ordered:
            f.write(f"{index}\t{verdict}\t{fault_path}\t{what}\t{caught_by}\n")
        f.write(summary + "\n")
    return summary


def failed_tests(build):
    """The tests the last ctest run reported as failed ("number:name" lines), or "" when it left none."""
    log = os.path.join(ROOT, build, "Testing", "Temporary", "LastTestsFailed.log")
    if not os.path.exists(log):
        return ""
    with open(log, encoding="utf-8") as f:
        return ", ".join(line.strip().split(":", 1)[-1] for line in f if line.strip())


def run(cmd, env=None, timeout=None):
    try:
        return subprocess.run(cmd, cwd=ROOT, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return 124


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--list", default=os.path.join(ROOT, "scripts", "faults.txt"))
    ap.add_argument("--build", default="build-faults")
    ap.add_argument("--only", default="")
    ap.add_argument("--out", default="")
    ap.add_argument("--jobs", type=int, default=3, help="build and test jobs (the cores are shared)")
    ap.add_argument("--every", action="store_true", help="run the whole suite and name every failed test")
    args = ap.parse_args()

    faults = read_faults(args.list)
    only = {int(n) for n in args.only.split(",") if n}
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    env.setdefault("XDG_RUNTIME_DIR", tempfile.mkdtemp(prefix="velkaro-faults-"))
    os.chmod(env["XDG_RUNTIME_DIR"], 0o700)
    jobs = str(max(1, args.jobs))
    earlier = read_results(args.out) if args.out and only else {}

    if run(["cmake", "-S", ".", "-B", args.build, "-G", "Ninja", "-DVELKARO_BENCH=OFF"]) != 0:
        sys.exit("configure failed")
    if run(["cmake", "--build", args.build, "-j", jobs]) != 0:
        sys.exit("the unchanged program does not build")
    if run(["ctest", "--test-dir", args.build, "-j", jobs], env=env) != 0:
        sys.exit("the unchanged program fails its tests")

    results = []
    for index, (path, find, replace, what) in enumerate(faults, 1):
        if only and index not in only:
            continue
        full = os.path.join(ROOT, path)
        with open(full, encoding="utf-8") as f:
            original = f.read()
        if original.count(find) != 1:
            results.append((index, "stale", path, what, ""))
            print(f"{index:3} stale    {path}: {what} (text found {original.count(find)} times)", flush=True)
            if args.out:
                write_results(args.out, earlier, results)
            continue
        caught_by = ""
        try:
            with open(full, "w", encoding="utf-8") as f:
                f.write(original.replace(find, replace))
            if run(["cmake", "--build", args.build, "-j", jobs]) != 0:
                verdict = "nobuild"  # the build itself refuses it: no test was asked
            else:
                log = os.path.join(ROOT, args.build, "Testing", "Temporary", "LastTestsFailed.log")
                if os.path.exists(log):
                    os.remove(log)  # a stale list would name the tests of an earlier fault
                stop = [] if args.every else ["--stop-on-failure"]
                failed = run(["ctest", "--test-dir", args.build, "-j", jobs] + stop, env=env, timeout=900)
                verdict = "caught" if failed else "MISSED"
                # The first test that failed (others may catch the fault too: the run stops there),
                # or with --every all of them.
                if failed == 124:
                    caught_by = "the suite ran out of time"
                elif failed:
                    caught_by = failed_tests(args.build) or "ctest failed without naming a test"
        finally:
            with open(full, "w", encoding="utf-8") as f:
                f.write(original)
        results.append((index, verdict, path, what, caught_by))
        print(f"{index:3} {verdict:8} {path}: {what}" + (f" [{caught_by}]" if caught_by else ""), flush=True)
        if args.out:
            write_results(args.out, earlier, results)

    run(["cmake", "--build", args.build, "-j", jobs])  # leave the build folder matching the sources
    print(summary_line(results))
    if args.out:
        print("results file:", write_results(args.out, earlier, results))


if __name__ == "__main__":
    main()
