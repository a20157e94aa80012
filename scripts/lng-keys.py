#!/usr/bin/env python3
"""The language keys Velkaro reads, collected from its source, and the keys a language file lacks.

  lng-keys.py list [--where]            every [Section] Key the code reads (with the places that read it)
  lng-keys.py check FILE.lng            keys the code reads that FILE lacks or leaves empty
  lng-keys.py compare FILE.lng          a translation against English.lng: missing, empty, still English,
                                        and keys English.lng does not have
  lng-keys.py template FILE.lng         FILE with every missing key added in English, ready to translate

Options: --source DIR (the repository, default: the folder above this script), --english FILE.

How the keys are found. Every call of ReadString on an INI object is a read; a function or lambda that
passes its own parameters on as section or key (LangText, the windows' T and Text helpers,
ConnectionText, ...) is a reader too, so calls of it count wherever it is visible. A read whose section
and key are literals (or constants of the file) gives its key. Sections of the settings file
(Opciones, Servidor, Version) are not language texts. A key made at run time must be explained:
  - cond ? "A" : "B": both;
  - "Prefix" + something: the codes listed for the prefix in PATTERNS below;
  - t.field or table[i].field: that field of the rows of the struct table (section and key may both
    come from one row);
  - a variable running through a braced list or an array of literals, or an element of such an array;
  - a local variable: what it is given;
  - anything else: an entry of DYNAMIC_READS below, or the read is reported as unresolved.
An unresolved read makes `list` and `check` fail, so a new kind of read cannot slip past the check.
"""
import argparse
import os
import re
import sys

SCANNED_DIRS = ("core", "viewer", "shell")
SETTINGS_SECTIONS = {"opciones", "servidor", "version"}

# Keys built as a literal prefix plus a code: (section, prefix) -> the codes the code can build.
PATTERNS = {
    ("General", "MatchType"): ["1", "2", "3", "4", "5", "7", "8", "9"],  # the match types with a word
    ("General", "Tactic"): ["0", "1", "2", "3", "4", "7"],  # the tactic codes the game sends
    ("General", "Skill"): [str(n) for n in range(21)],  # skill levels 0..20
    ("General", "SubSkill"): ["1", "2", "3", "4"],  # the four steps within a level
    ("General", "Attitude"): ["-1", "0", "1"],  # play it cool, normal, match of the season
    ("Team", "StringGridL"): [str(n) for n in range(10)],  # the ten columns of the league tables
    ("General", "PositionCode"): [str(n) for n in range(1, 12)],  # the eleven places of a lineup
    ("General", "Behaviour"): [str(n) for n in range(1, 8)],  # offensive ... extra central defender
}


def _event_text_words(text):
    """The words of the event descriptions: every W("Key") and every entry of a ...Keys[] array."""
    words = re.findall(r'\bW\(\s*"(\w+)"\s*\)', text)
    for body in re.findall(r'\w+Keys\s*\[\s*\]\s*=\s*\{([^}]*)\}', text):
        words += re.findall(r'"(\w+)"', body)
    return words


# Reads whose key is neither a literal, a prefix pattern nor a table field:
# (file, key expression) -> a function of the file's text giving the keys.
DYNAMIC_READS = {
    ("core/EventTexts.cpp", "piece.text"): _event_text_words,
}

_STRING = r'"(?:[^"\\\n]|\\.)*"'
_WRAPPERS = ("QStringLiteral", "QLatin1String", "QLatin1StringView", "QString::fromLatin1",
             "QString::fromUtf8", "QString", "QStringView", "u8", "u")
_NOT_FUNCTIONS = {"if", "for", "while", "switch", "catch", "return", "sizeof", "decltype", "alignof",
                  "static_assert", "namespace", "else", "do", "try"}
_QUALIFIERS = re.compile(r"(?:\s*\b(?:const|noexcept|override|final|mutable)\b|\s*->\s*[\w:<>&*\s]+?)*$")
_DECLARATION = re.compile(r'^(?:const\s+)?[A-Za-z_][\w:<>,]*(?:\s*[&*]+\s*|\s+)(?:const\s*[&*]*\s*)?'
                          r'[A-Za-z_]\w*\s*(?:=.*)?$', re.S)


class Key:
    def __init__(self, section, key):
        self.section, self.key = section, key

    def ident(self):
        return (self.section.lower(), self.key.lower())


def strip_comments(text):
    """The text with comments blanked out (line breaks kept), strings and characters untouched."""
    out, i, n = [], 0, len(text)
    while i < n:
        c = text[i]
        if c == '"' or c == "'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(text[i:j + 1])
            i = j + 1
        elif text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(" " * (j - i))
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


def skip_string(text, i):
    """Index just past the string or character literal starting at i."""
    q, j = text[i], i + 1
    while j < len(text) and text[j] != q:
        j += 2 if text[j] == "\\" else 1
    return j + 1


def match_close(text, i):
    """Index of the bracket closing the one at i (round, square or curly), or -1."""
    pairs = {"(": ")", "[": "]", "{": "}"}
    stack, j = [pairs[text[i]]], i + 1
    while j < len(text):
        c = text[j]
        if c in "\"'":
            j = skip_string(text, j)
            continue
        if c in pairs:
            stack.append(pairs[c])
        elif c in ")]}":
            if not stack or c != stack[-1]:
                return -1
            stack.pop()
            if not stack:
                return j
        j += 1
    return -1


def split_top(text, sep=",", angles=False):
    """Splits at separators that are not inside brackets or strings (nor template brackets when
    angles is set, as in a parameter list)."""
    parts, depth, start, j = [], 0, 0, 0
    while j < len(text):
        c = text[j]
        if c in "\"'":
            j = skip_string(text, j)
            continue
        if c in "([{" or (angles and c == "<" and j > 0 and (text[j - 1].isalnum() or text[j - 1] == "_")):
            depth += 1
        elif c in ")]}" or (angles and c == ">" and depth > 0):
            depth -= 1
        elif c == sep and depth == 0:
            parts.append(text[start:j])
            start = j + 1
        j += 1
    parts.append(text[start:])
    return [p.strip() for p in parts]


def unwrap(expr):
    """The expression without the QString conversions around it."""
    expr = expr.strip()
    changed = True
    while changed:
        changed = False
        for w in _WRAPPERS:
            if expr.startswith(w) and expr[len(w):].lstrip().startswith("("):
                open_at = expr.index("(", len(w))
                if match_close(expr, open_at) == len(expr) - 1:
                    expr, changed = expr[open_at + 1:-1].strip(), True
                    break
        if re.match(r'^(?:u8|u|L)"', expr):
            expr, changed = expr[expr.index('"'):], True
    return expr


def literal(expr, constants):
    """The text of a literal expression (adjacent literals joined, file constants resolved), or None."""
    expr = unwrap(expr)
    if re.fullmatch(r"(?:%s\s*)+" % _STRING, expr):
        return "".join(re.sub(r"\\(.)", lambda e: {"n": "\n", "t": "\t"}.get(e.group(1), e.group(1)), s[1:-1])
                       for s in re.findall(_STRING, expr))
    if re.fullmatch(r"[A-Za-z_]\w*", expr) and expr in constants:
        return constants[expr]
    return None


def file_constants(text):
    constants = {}
    for m in re.finditer(r"\b(?:const|constexpr)\b[^;=(){}]*?\b([A-Za-z_]\w*)\s*(?:\[\s*\])?\s*=\s*"
                         r"([^;{}]+);", text):
        value = literal(m.group(2), {})
        if value is not None:
            constants.setdefault(m.group(1), value)
    return constants


class Function:
    def __init__(self, name, params, start, end, lam, local):
        self.name, self.params, self.start, self.end = name, params, start, end
        self.lam, self.local = lam, local


def param_names(text):
    names = []
    for p in split_top(text, angles=True):
        p = p.split("=")[0].strip()
        m = re.search(r"([A-Za-z_]\w*)\s*(?:\[\s*\w*\s*\])?$", p)
        names.append(m.group(1) if m and p != m.group(1) else None)
    return names


def anonymous_spans(text):
    spans = []
    for m in re.finditer(r"\bnamespace\s*\{", text):
        end = match_close(text, m.end() - 1)
        spans.append((m.end(), end if end > 0 else len(text)))
    return spans


def functions(text, header):
    """Every function and lambda body of the file, with the names of its parameters."""
    found, anon = [], anonymous_spans(text)
    for m in re.finditer(r"\{", text):
        head = text[max(0, m.start() - 1000):m.start()].rstrip()  # a function head is never longer
        if not head.endswith(")"):
            head = _QUALIFIERS.sub("", head[-200:])
        if not head.endswith(")"):
            continue
        close = len(head) - 1
        depth, k = 0, close
        while k >= 0:
            if head[k] == ")":
                depth += 1
            elif head[k] == "(":
                depth -= 1
                if depth == 0:
                    break
            k -= 1
        if k < 0:
            continue
        before = head[:k].rstrip()
        end = match_close(text, m.start())
        if end < 0:
            continue
        params = param_names(head[k + 1:close])
        if before.endswith("]"):
            lm = re.search(r"([A-Za-z_]\w*)\s*=\s*\[[^\[\]]*\]$", before)
            found.append(Function(lm.group(1) if lm else None, params, m.start(), end, True, True))
            continue
        nm = re.search(r"([A-Za-z_][\w:]*)$", before)
        if not nm or nm.group(1) in _NOT_FUNCTIONS:
            continue
        name = nm.group(1).split("::")[-1]
        local = not header and any(a <= m.start() < b for a, b in anon)
        found.append(Function(name, params, m.start(), end, False, local))
    return found


class Source:
    def __init__(self, rel, text):
        self.rel = rel
        self.raw = text
        self.text = strip_comments(text)
        self.header = rel.endswith(".h")
        self.constants = file_constants(self.text)
        self.functions = functions(self.text, self.header)

    def line(self, pos):
        return self.text.count("\n", 0, pos) + 1

    def enclosing(self, pos):
        best = None
        for f in self.functions:
            if f.start < pos < f.end and (best is None or f.start > best.start):
                best = f
        return best


class Scan:
    """keys: (section, key) lower-cased -> [Key, places]; unresolved: texts of reads not explained."""

    def __init__(self):
        self.keys = {}
        self.unresolved = []

    def add(self, section, key, place):
        entry = self.keys.setdefault((section.lower(), key.lower()), [Key(section, key), []])
        if place not in entry[1]:
            entry[1].append(place)


def calls(src, name, any_prefix):
    """(position, argument texts) of every call of name in the file."""
    for m in re.finditer(r"(?<![\w])%s\s*\(" % re.escape(name), src.text):
        before = src.text[:m.start()].rstrip()
        if not any_prefix and (before.endswith(".") or before.endswith("->")):
            continue
        open_at = m.end() - 1
        close = match_close(src.text, open_at)
        if close < 0:
            continue
        args = split_top(src.text[open_at + 1:close])
        if any(_DECLARATION.match(a) and not a.startswith("return") for a in args if a):
            continue  # a declaration or the definition's own head
        yield m.start(), args


def evaluate(src, func, expr):
    """('lit', text) | ('param', index) | ('dyn', expression) for a section or key argument."""
    value = literal(expr, src.constants)
    if value is not None:
        return ("lit", value)
    bare = unwrap(expr)
    if func is not None and re.fullmatch(r"[A-Za-z_]\w*", bare) and bare in func.params:
        return ("param", func.params.index(bare))
    return ("dyn", bare)


def source_files(root):
    for d in SCANNED_DIRS:
        for base, _dirs, files in os.walk(os.path.join(root, d)):
            for f in sorted(files):
                if f.endswith((".cpp", ".h")):
                    path = os.path.join(base, f)
                    with open(path, encoding="utf-8", errors="replace") as fh:
                        yield Source(os.path.relpath(path, root).replace(os.sep, "/"), fh.read())


def readers_of(sources):
    """Reader name -> list of (section source, key source, defining file or None when global)."""
    readers = {"ReadString": [(("arg", 0), ("arg", 1), None)]}
    changed = True
    while changed:
        changed = False
        for src in sources:
            for name, sigs in list(readers.items()):
                for pos, args in calls(src, name, name == "ReadString"):
                    func = src.enclosing(pos)
                    if func is None or func.name is None:
                        continue
                    for sec_src, key_src, scope in sigs:
                        if scope is not None and scope != src.rel:
                            continue
                        sec = _pick(src, func, args, sec_src)
                        key = _pick(src, func, args, key_src)
                        if sec is None or key is None or "param" not in (sec[0], key[0]):
                            continue
                        if sec[0] == "lit" and sec[1].lower() in SETTINGS_SECTIONS:
                            continue
                        sig = (_as_source(sec), _as_source(key), src.rel if func.local or func.lam else None)
                        if sig not in readers.setdefault(func.name, []):
                            readers[func.name].append(sig)
                            changed = True
    return readers


def _pick(src, func, args, source):
    kind, value = source
    if kind == "lit":
        return ("lit", value)
    if kind == "arg":
        return evaluate(src, func, args[value]) if value < len(args) else None
    return None


def _as_source(evaluated):
    return ("arg", evaluated[1]) if evaluated[0] == "param" else evaluated


def _struct_tables(src, fields, array=None):
    """Rows of the struct tables of the file that have all the fields (only the table named array,
    when known): the literals of those fields."""
    rows = []
    for sm in re.finditer(r"\bstruct\s*([A-Za-z_]\w*)?\s*\{", src.text):
        close = match_close(src.text, sm.end() - 1)
        members = [re.search(r"([A-Za-z_]\w*)\s*(?:\[[^\]]*\])?\s*(?:=.*|\{.*\})?$", d.strip(), re.S)
                   for d in src.text[sm.end():close].split(";") if d.strip() and "(" not in d]
        names = [mm.group(1) if mm else None for mm in members]
        if not all(f in names for f in fields):
            continue
        positions = [names.index(f) for f in fields]
        heads = []  # (table name, position of the brace opening its rows)
        after = re.match(r"\s*([A-Za-z_]\w*)\s*\[[^\]]*\]\s*=?\s*\{", src.text[close + 1:])
        if after:
            heads.append((after.group(1), close + 1 + after.end() - 1))
        if sm.group(1):
            for am in re.finditer(r"\b%s\s+([A-Za-z_]\w*)\s*\[[^\]]*\]\s*=?\s*\{|std::array\s*<\s*%s\s*,[^>]*>"
                                  r"\s*([A-Za-z_]\w*)\s*=?\s*\{\s*\{" % (sm.group(1), sm.group(1)), src.text):
                heads.append((am.group(1) or am.group(2), am.end() - 1))
        for name, head in heads:
            if array is not None and name != array:
                continue
            end = match_close(src.text, head)
            for row in re.finditer(r"\{", src.text[head + 1:end]):
                start = head + 1 + row.start()
                cells = split_top(src.text[start + 1:match_close(src.text, start)])
                values = [literal(cells[p], src.constants) if p < len(cells) else None for p in positions]
                if None not in values:
                    rows.append(values)
    return rows


def _table_rows(src, func, exprs):
    """The rows of literals for expressions that read fields of one table entry (kLinks[i].key, or
    t.key with t running through a table), or []."""
    found = [re.fullmatch(r"([A-Za-z_]\w*)(\s*\[[^\]]*\])?\s*(?:\.|->)\s*([A-Za-z_]\w*)", e) for e in exprs]
    if None in found or len({(m.group(1), bool(m.group(2))) for m in found}) != 1:
        return []
    variable, indexed = found[0].group(1), bool(found[0].group(2))
    array = variable if indexed else None
    if not indexed and func is not None:
        fm = re.search(r"\bfor\s*\([^;:()]*\b%s\s*:\s*([A-Za-z_]\w*)\s*\)" % re.escape(variable),
                       src.text[func.start:func.end])
        array = fm.group(1) if fm else None
    return _struct_tables(src, [m.group(3) for m in found], array)


def _array_literals(src, func, expr):
    """The literals a variable runs through: a range-for over a braced list or a named array, or an
    element of such an array (keys[i])."""
    m = re.fullmatch(r"([A-Za-z_]\w*)\s*\[[^\]]*\]", expr)
    name = m.group(1) if m else None
    if name is None and func is not None and re.fullmatch(r"[A-Za-z_]\w*", expr):
        body = src.text[func.start:func.end]
        fm = re.search(r"\bfor\s*\([^;:()]*\b%s\s*:\s*" % re.escape(expr), body)
        if fm:
            rest = body[fm.end():].lstrip()
            if rest.startswith("{"):
                return _literal_list(src, rest[1:match_close(rest, 0)])
            nm = re.match(r"[A-Za-z_]\w*", rest)
            name = nm.group(0) if nm else None
    if name is None:
        return None
    im = re.search(r"\b%s\s*(?:\[[^\]]*\])?\s*=?\s*\{" % re.escape(name), src.text)
    if not im:
        return None
    return _literal_list(src, src.text[im.end():match_close(src.text, im.end() - 1)])


def _literal_list(src, text):
    values = [literal(v, src.constants) for v in split_top(text) if v]
    return values if values and None not in values else None


def key_values(src, func, section, expr, depth=0):
    """The keys a key expression can give, or the text of what the scan cannot explain."""
    value = literal(expr, src.constants)
    if value is not None:
        return [value]
    tm = re.fullmatch(r"[^?]+\?\s*(%s)\s*:\s*(%s)" % (_STRING, _STRING), expr, re.S)
    if tm:  # a choice between two literals
        return [literal(tm.group(1), {}), literal(tm.group(2), {})]
    parts = split_top(expr, "+")
    prefix = literal(parts[0], src.constants) if len(parts) > 1 else None
    am = re.fullmatch(r"(?:QStringLiteral|QString)\(\s*\"(\w*)%1\"\s*\)\s*\.arg\(.*\)", expr, re.S)
    if am:  # "Prefix%1" with an argument reads like "Prefix" + something
        prefix = am.group(1)
    if prefix is not None:
        codes = next((v for (s, p), v in PATTERNS.items() if s.lower() == section.lower() and p == prefix),
                     None)
        if codes is None:
            return '[%s] "%s" + ... (add the codes to PATTERNS)' % (section, prefix)
        return [prefix + code for code in codes]
    rows = _table_rows(src, func, [expr])
    if rows:
        return [row[0] for row in rows]
    values = _array_literals(src, func, expr)
    if values:
        return values
    if func is not None and depth < 3 and re.fullmatch(r"[A-Za-z_]\w*", expr):
        am = re.search(r"\b%s\s*=\s*([^;=]+);" % re.escape(expr), src.text[func.start:func.end])
        if am:  # a local variable: what it was given
            found = key_values(src, func, section, unwrap(am.group(1)), depth + 1)
            if isinstance(found, list):
                return found
    if (src.rel, expr) in DYNAMIC_READS:
        return DYNAMIC_READS[(src.rel, expr)](src.text)
    return "[%s] %s (add it to DYNAMIC_READS)" % (section, expr)


def scan(root):
    sources = list(source_files(root))
    readers = readers_of(sources)
    result = Scan()
    for src in sources:
        for name, sigs in readers.items():
            for pos, args in calls(src, name, name == "ReadString"):
                func = src.enclosing(pos)
                place = "%s:%d" % (src.rel, src.line(pos))
                for sec_src, key_src, scope in sigs:
                    if scope is not None and scope != src.rel:
                        continue
                    sec = _pick(src, func, args, sec_src)
                    key = _pick(src, func, args, key_src)
                    if sec is None or key is None:
                        continue
                    if sec[0] == "lit" and sec[1].lower() in SETTINGS_SECTIONS:
                        continue
                    if "param" in (sec[0], key[0]):
                        continue  # a reader passing its parameters on: counted at its own calls
                    _record(result, src, func, sec, key, place)
    return result


def _record(result, src, func, sec, key, place):
    if sec[0] == "lit":
        found = [key[1]] if key[0] == "lit" else key_values(src, func, sec[1], key[1])
        pairs = [(sec[1], k) for k in found] if isinstance(found, list) else found
    else:
        # Section and key from one table row.
        rows = _table_rows(src, func, [sec[1], key[1]])
        pairs = [tuple(row) for row in rows] or "section %s" % sec[1]
    if isinstance(pairs, str):
        result.unresolved.append("%s: %s" % (place, pairs))
        return
    for section, k in pairs:
        if section.lower() not in SETTINGS_SECTIONS:
            result.add(section, k, place)


def read_lng(path):
    """(section, key) lower-cased -> (Section, Key, value), the first of each, as the program reads it."""
    entries, section, seen = {}, None, set()
    with open(path, encoding="utf-8-sig") as fh:
        for raw in fh:
            line = raw.strip()
            if not line or line.startswith(";"):
                continue
            if line.startswith("[") and line.endswith("]"):
                name = line[1:-1].strip()
                section = None if name.lower() in seen else name  # a repeated section is never found
                seen.add(name.lower())
                continue
            if section is not None and "=" in line:
                k, v = line.split("=", 1)
                entries.setdefault((section.lower(), k.strip().lower()), (section, k.strip(), v.strip()))
    return entries


def missing_from(scan_result, entries):
    """The keys the code reads that the file lacks ("missing") or leaves empty ("empty")."""
    out = []
    for ident, (key, _places) in sorted(scan_result.keys.items()):
        if ident not in entries:
            out.append(("missing", key))
        elif entries[ident][2] == "":
            out.append(("empty", key))
    return out


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("command", choices=["list", "check", "compare", "template"])
    ap.add_argument("file", nargs="?")
    ap.add_argument("--source", default=os.path.dirname(here))
    ap.add_argument("--english")
    ap.add_argument("--where", action="store_true")
    a = ap.parse_args()
    english = a.english or os.path.join(a.source, "resources", "language", "English.lng")
    if a.command in ("check", "compare", "template") and not a.file:
        ap.error("%s needs a language file" % a.command)

    if a.command in ("list", "check"):
        result = scan(a.source)
        for problem in result.unresolved:
            print("unresolved read: " + problem, file=sys.stderr)
        if a.command == "list":
            for (_ident, (key, places)) in sorted(result.keys.items()):
                print("[%s] %s" % (key.section, key.key) + ("   " + ", ".join(places) if a.where else ""))
            print("%d keys" % len(result.keys), file=sys.stderr)
            return 1 if result.unresolved else 0
        problems = missing_from(result, read_lng(a.file))
        for kind, key in problems:
            print("%s: [%s] %s" % (kind, key.section, key.key))
        print("%d keys read by the code, %d missing or empty in %s" % (len(result.keys), len(problems), a.file),
              file=sys.stderr)
        return 1 if problems or result.unresolved else 0

    base = read_lng(english)
    other = read_lng(a.file) if os.path.exists(a.file) else {}
    if a.command == "template":
        return write_template(a.file, base, other)
    counts = {"missing": 0, "empty": 0, "still English": 0}
    for ident, (section, key, value) in base.items():
        kind = ("missing" if ident not in other else "empty" if other[ident][2] == "" and value != ""
                else "still English" if value and other[ident][2] == value else None)
        if kind:
            counts[kind] += 1
            print("%s: [%s] %s=%s" % (kind, section, key, value))
    for ident, (section, key, _value) in other.items():
        if ident not in base:
            print("not in English.lng: [%s] %s" % (section, key))
    print("%d keys in English.lng; " % len(base) + ", ".join("%s %d" % kv for kv in counts.items()),
          file=sys.stderr)
    return 1 if counts["missing"] or counts["empty"] else 0


def write_template(path, base, other):
    """Keeps the file's own lines and adds, per section, the keys it lacks with their English text."""
    lines = open(path, encoding="utf-8-sig").read().splitlines() if os.path.exists(path) else []
    missing = {}
    for ident, (section, key, value) in base.items():
        if ident not in other:
            missing.setdefault(section.lower(), (section, []))[1].append("%s=%s" % (key, value))
    out, current = [], None

    def flush():
        if current in missing:
            while out and not out[-1].strip():
                out.pop()
            out.extend(missing.pop(current)[1])
            out.append("")

    for line in lines:
        s = line.strip()
        if s.startswith("[") and s.endswith("]"):
            flush()
            current = s[1:-1].strip().lower()
        out.append(line)
    flush()
    for section, keys in missing.values():
        out += ["[%s]" % section] + keys + [""]
    with open(path, "w", encoding="utf-8", newline="\r\n") as fh:
        fh.write("\n".join(out).rstrip("\n") + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
