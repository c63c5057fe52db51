"""Runs Bootmarshal.com under Wine as a script would, and reads what it prints
with Python's own CSV and JSON readers."""
import codecs
import csv
import io
import json
import os
import subprocess
import sys
import tempfile
import unittest

BIN = sys.argv[1] if len(sys.argv) > 1 else "."
CONSOLE = os.path.join(BIN, "Bootmarshal.com")
USER_RUN = r"HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run"
USER_RUN_ONCE = r"HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\RunOnce"
MACHINE_RUN = r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run"

# Names and commands that break a careless writer of CSV, JSON or the registry.
SEEDED = [
    (11, USER_RUN, 'Quote "inside"', r'"C:\Program Files\Tool\tool.exe" /say "hi"'),
    (11, USER_RUN, "Comma, semicolon; & ampersand", r"C:\tools\a.exe a,b;c & d"),
    (12, USER_RUN_ONCE, "Line break", "C:\\tools\\first.exe\r\nsecond line"),
    (21, MACHINE_RUN, "Caf\u00e9 \u00e4\u00f6\u00fc \u00df\u00a9\u00ff", "C:\\Programme\\M\u00fcller\\\u00e9t\u00e9.exe"),
    (21, MACHINE_RUN, "Plain", r"C:\Windows\notepad.exe"),
]


def reg_string(text):
    """A .reg file's hex(1) form: any text, line breaks included, as REG_SZ."""
    data = (text + "\0").encode("utf-16-le")
    return "hex(1):" + ",".join("%02x" % b for b in data)


def reg_name(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def import_reg(lines):
    body = "Windows Registry Editor Version 5.00\r\n\r\n" + "\r\n".join(lines) + "\r\n"
    with tempfile.NamedTemporaryFile("wb", suffix=".reg", delete=False) as f:
        f.write(codecs.BOM_UTF16_LE + body.encode("utf-16-le"))
        path = f.name
    try:
        subprocess.run(["wine", "regedit", "/s", path], check=True, capture_output=True)
    finally:
        os.unlink(path)


def seed():
    keys = {}
    for _, key, name, command in SEEDED:
        keys.setdefault(key, []).append(reg_name(name) + "=" + reg_string(command))
    lines = []
    for key, values in keys.items():
        lines += ["[-" + key + "]", "[" + key + "]"] + values + [""]
    import_reg(lines)


def run(*arguments):
    result = subprocess.run(["wine", CONSOLE] + list(arguments), capture_output=True, timeout=300)
    return result.returncode, result.stdout, result.stderr


def json_entries():
    code, out, _ = run("/list", "/json")
    if code != 0:
        raise AssertionError("/list /json exited with %d" % code)
    return json.loads(out.decode("utf-8"))


def seeded_rows(entries):
    return [e for e in entries if any(e["name"] == name and e["kind"] == kind for kind, _, name, _ in SEEDED)]


class ConsoleTwinTest(unittest.TestCase):
    def setUp(self):
        seed()

    def assert_every_seeded_entry_once(self, entries):
        for kind, _, name, command in SEEDED:
            found = [e for e in entries if e["name"] == name]
            self.assertEqual(len(found), 1, name)
            self.assertEqual(found[0]["command"], command, name)
            self.assertEqual(int(found[0]["kind"]), kind, name)

    def test_json_lists_every_entry_once_with_its_text_kept(self):
        entries = json_entries()
        self.assert_every_seeded_entry_once(entries)
        for entry in seeded_rows(entries):
            self.assertIs(entry["active"], True)
            self.assertEqual(entry["switchedOffBy"], "")
            self.assertIsInstance(entry["knownSystemEntry"], bool)
            self.assertTrue(entry["location"])

    def test_csv_to_a_file_has_a_bom_a_header_and_every_entry_once(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "entries.csv")
            code, out, _ = run("/list", "/csv", "/out", "Z:" + path.replace("/", "\\"))
            self.assertEqual(code, 0)
            self.assertEqual(out, b"")
            with open(path, "rb") as f:
                data = f.read()
        self.assertTrue(data.startswith(codecs.BOM_UTF8))
        rows = list(csv.DictReader(io.StringIO(data.decode("utf-8-sig"), newline="")))
        self.assertEqual(list(rows[0].keys()), ["kind", "location", "name", "command", "active", "switchedOffBy",
                                                "willNotStart", "knownSystemEntry"])
        self.assert_every_seeded_entry_once(rows)

    def test_table_names_every_entry(self):
        code, out, _ = run("/list")
        self.assertEqual(code, 0)
        text = out.decode("utf-8")
        for _, _, name, _ in SEEDED:
            self.assertEqual(text.count(name), 1, name)

    def test_exit_codes(self):
        cases = [
            (["/?"], 0),
            (["/help"], 0),
            (["/list", "/json", "/csv"], 2),
            (["/nonsense"], 2),
            (["/block"], 2),
            (["/backup", "/json"], 2),
            (["/block", r"C:\nowhere\nothing.exe"], 1),
            (["/release", r"C:\nowhere\nothing.exe"], 1),
            (["/list", "/out", r"Z:\no\such\folder\at\all\list.txt"], 4),
        ]
        for arguments, expected in cases:
            code, out, err = run(*arguments)
            self.assertEqual(code, expected, arguments)
            if expected >= 2 or expected == 1:
                self.assertTrue(err.strip(), arguments)

    def test_block_and_release_switch_the_entries_and_the_block_list(self):
        command = r"C:\Windows\notepad.exe"
        code, out, _ = run("/block", command)
        self.assertEqual(code, 0)
        self.assertIn("Plain", out.decode("utf-8"))
        plain = [e for e in json_entries() if e["name"] == "Plain"]
        self.assertEqual(len(plain), 1)
        self.assertIs(plain[0]["active"], False)
        self.assertEqual(plain[0]["switchedOffBy"], "thisProgram")
        # Everything else stays as it was.
        others = [e for e in seeded_rows(json_entries()) if e["name"] != "Plain"]
        self.assertTrue(all(e["active"] for e in others))

        code, out, _ = run("/release", command)
        self.assertEqual(code, 0)
        self.assertIn("Plain", out.decode("utf-8"))
        plain = [e for e in json_entries() if e["name"] == "Plain"]
        self.assertIs(plain[0]["active"], True)
        # Released: blocking it again is a change again, not a no-op.
        self.assertEqual(run("/release", command)[0], 1)

    def test_compare_tells_what_changed_since_a_backup_in_several_locations(self):
        code, out, _ = run("/backup")
        self.assertEqual(code, 0)
        self.assertEqual(run("/compare", "1")[0], 1)  # nothing changed yet
        import_reg([
            "[" + USER_RUN + "]", reg_name("Fresh") + "=" + reg_string(r"C:\fresh.exe"), "",
            "[" + MACHINE_RUN + "]", reg_name("Plain") + "=-", "",
            "[" + USER_RUN_ONCE + "]", reg_name("Line break") + "=" + reg_string(r"C:\other.exe"), "",
        ])
        self.assertEqual(run("/block", r"C:\tools\a.exe a,b;c & d")[0], 0)
        try:
            code, out, _ = run("/compare", "1", "/json")
            self.assertEqual(code, 0)
            rows = {(r["change"], r["name"]): r for r in json.loads(out.decode("utf-8"))}
            self.assertEqual(set(rows), {("added", "Fresh"), ("removed", "Plain"), ("changed", "Line break"),
                                         ("changed", "Comma, semicolon; & ampersand"),
                                         # Blocking put the logon check's own value in place.
                                         ("added", "Bootmarshal Block-check")})
            self.assertEqual(rows[("changed", "Line break")]["commandBefore"], "C:\\tools\\first.exe\r\nsecond line")
            self.assertEqual(rows[("changed", "Line break")]["command"], r"C:\other.exe")
            switched = rows[("changed", "Comma, semicolon; & ampersand")]
            self.assertEqual((switched["active"], switched["activeBefore"]), (False, True))
            self.assertEqual(rows[("removed", "Plain")]["kind"], 21)
            self.assertEqual(run("/compare", "99")[0], 1)
        finally:
            run("/release", r"C:\tools\a.exe a,b;c & d")


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]], verbosity=2)
