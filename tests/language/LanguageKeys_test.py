#!/usr/bin/env python3
"""Every language key the code reads has an English text (scripts/lng-keys.py scans the source, in each
way code reads keys); scripts/merge-lng.py lets the fragments decide the English texts."""
import importlib.util
import os
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


_spec = importlib.util.spec_from_file_location("lng_keys", os.path.join(ROOT, "scripts", "lng-keys.py"))
lngkeys = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(lngkeys)


def write(folder, rel, text):
    path = os.path.join(folder, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as fh:
        fh.write(text)
    return path


class EnglishFile(unittest.TestCase):
    def test_holds_a_text_for_every_key_the_code_reads(self):
        scan = lngkeys.scan(ROOT)
        self.assertEqual(scan.unresolved, [], "reads the scan cannot explain (see scripts/lng-keys.py)")
        self.assertGreater(len(scan.keys), 150)
        # Every caption and message the user sees has words: no key is missing or left empty.
        problems = ["%s: [%s] %s (read at %s)" % (kind, key.section, key.key, ", ".join(scan.keys[key.ident()][1]))
                    for kind, key in lngkeys.missing_from(scan, lngkeys.read_lng(os.path.join(ROOT, "resources", "language", "English.lng")))]
        self.assertEqual(problems, [], "add the texts to a fragment under resources/language/english-fragments/ "
                                       "and run scripts/merge-lng.py")


class SourceScan(unittest.TestCase):
    SOURCE = r'''
namespace {
const QString kInfo = QStringLiteral("Info");
QString T(const char* section, const char* key, const char* def) {
    return LangText(QLatin1String(section), QLatin1String(key), QString::fromUtf8(def));
}
QString Conn(const char* key) { return LangText(QStringLiteral("Connection"), QLatin1String(key), ""); }
QString Line(const char* key) { return Conn("MessageDownloading") + " " + Conn(key); }
struct Link { int tab; const char* key; const char* description; };
constexpr Link kLinks[] = {{0, "LinkGame", "home"}, {1, "LinkChpp", "interface"}};
const char* const kHeads[] = {"StringGrid41", "StringGrid1"};
} // namespace

void Window::LeerIdioma() {
    auto text = [](const char* key) { return LangText(kInfo, QString::fromLatin1(key), ""); };
    a->setText(T("General", "LabelUser", "User:"));   // T("General", "InComment", "")
    b->setText(text("Tab1") + label->text());
    c->setText(Line("MessageMatch"));
    for (const Link& l : kLinks)
        d->setText(text(l.key));
    e->setText(T("General", "Skill" + QString::number(n), ""));
    f->setText(SettingsIni->ReadString("Opciones", "Usuario", ""));
    g->setText(T("League", "Scorer" + QString::number(n), ""));
    h->setText(T(section, "LabelX", ""));
    const char* key = flag ? "LabelHome" : "LabelAway";
    i->setText(LanguageIni->ReadString("Matches", key, ""));
    j->setText(LanguageIni->ReadString("Matches", NextKey(), ""));
    static const struct { QLabel* label; const char* section; const char* key; } captions[] = {
        {k, "League", "Scorers"}, {l, "General", "Before"}};
    for (const auto& c : captions)
        c.label->setText(T(c.section, c.key, ""));
    for (const char* w : {"Goals", "Domainated"})
        m->setText(T("Events", w, ""));
    for (int c = 0; c < 2; ++c)
        n->setText(T("Team", kHeads[c], ""));
}
'''

    def test_follows_wrappers_lambdas_tables_and_patterns_and_reports_what_it_cannot_explain(self):
        with tempfile.TemporaryDirectory() as root:
            write(root, "core/Settings.cpp", "QString LangText(const QString& section, const QString& key, const "
                                             "QString& def) {\n    return LanguageIni->ReadString(section, key, def);\n}\n")
            write(root, "viewer/Window.cpp", self.SOURCE)
            scan = lngkeys.scan(root)
            found = sorted("%s/%s" % (k.section, k.key) for k, _ in scan.keys.values())
            expected = ["Connection/MessageDownloading", "Connection/MessageMatch", "General/LabelUser",
                        "Info/LinkChpp", "Info/LinkGame", "Info/Tab1", "Matches/LabelHome", "Matches/LabelAway",
                        "League/Scorers", "General/Before", "Events/Goals", "Events/Domainated",
                        "Team/StringGrid41", "Team/StringGrid1"]
            expected += ["General/Skill%d" % n for n in range(21)]
            self.assertEqual(found, sorted(expected))
            self.assertEqual(len(scan.unresolved), 3, scan.unresolved)
            reports = "\n".join(scan.unresolved)
            self.assertIn('[League] "Scorer" + ...', reports)  # a prefix with no codes in PATTERNS
            self.assertIn("section section", reports)  # a section that is neither literal nor parameter
            self.assertIn("[Matches] NextKey()", reports)  # a key the scan cannot follow

    def test_check_reports_missing_and_empty_keys_of_a_file(self):
        with tempfile.TemporaryDirectory() as root:
            write(root, "core/a.cpp", 'void f() { LangText("Main", "TabInfo", ""); LangText("Main", "TabOptions", "");'
                                      ' LangText("Team", "LabelLastLogin", ""); }\n'
                                      'QString LangText(const QString& s, const QString& k, const QString& d) {\n'
                                      '    return LanguageIni->ReadString(s, k, d);\n}\n')
            lng = write(root, "x.lng", "[main]\ntabinfo=Info\nTabOptions=\n")
            run = subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "lng-keys.py"), "check", lng,
                                  "--source", root], capture_output=True, text=True)
            self.assertEqual(run.returncode, 1)
            self.assertEqual(run.stdout.splitlines(), ["empty: [Main] TabOptions", "missing: [Team] LabelLastLogin"])


class MergeFragments(unittest.TestCase):
    def test_fragments_win_the_order_stays_and_keys_of_no_fragment_are_kept(self):
        with tempfile.TemporaryDirectory() as d:
            out = write(d, "English.lng", "[Connection]\nMessageLogin=\nMessageOld=Kept\n\n[Main]\nTabInfo=Info\n")
            a = write(d, "a.lng", "; context\n[Main]\nTabMatches=Matches\n[connection]\nmessagelogin=Logged in.\n")
            b = write(d, "b.lng", "[Connection]\nMessageLogin=Another text\n[Team]\nLabelLastLogin=Last login:\n")
            run = subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "merge-lng.py"), out, a, b],
                                 capture_output=True, text=True)
            self.assertEqual(run.returncode, 0)
            with open(out, encoding="utf-8", newline="") as fh:
                self.assertEqual(fh.read(), "[Connection]\r\nMessageLogin=Logged in.\r\nMessageOld=Kept\r\n\r\n"
                                            "[Main]\r\nTabInfo=Info\r\nTabMatches=Matches\r\n\r\n"
                                            "[Team]\r\nLabelLastLogin=Last login:\r\n\r\n")
            self.assertIn("conflict [Connection] MessageLogin", run.stderr)
            self.assertIn("[Connection] MessageOld is in", run.stderr)


if __name__ == "__main__":
    unittest.main()
