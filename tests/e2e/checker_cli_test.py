#!/usr/bin/env python3
"""bundor-check driven from outside, as catalogue authors run it: exit statuses, usage,
UTF-8 output, a JSON document that parses, --exe-dir, --write-hashes and the check of the
hashes it wrote, and on Windows (under Wine) the demo medium with real file sizes.

usage: checker_cli_test.py --checker PROGRAM [--wine RUNNER] [--demo-medium DIR]
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

ARGS = None
ROOT = Path(__file__).resolve().parents[2]


def under_wine():
    return bool(ARGS.wine)


def program_path(path):
    """A path as the program under test takes it: Z:\\... under Wine (Z: is /)."""
    path = str(Path(path).resolve())
    return "Z:" + path.replace("/", "\\") if under_wine() else path


def folder_path(path):
    """A folder as the program reports it: its full path with backslashes, ending in one."""
    return program_path(path).replace("/", "\\") + "\\"


def run(*args, cwd=None):
    checker = str(Path(ARGS.checker).resolve())
    command = ([ARGS.wine] if under_wine() else []) + [checker] + list(args)
    done = subprocess.run(command, capture_output=True, timeout=120, cwd=cwd)
    return done.returncode, done.stdout, done.stderr


def text_of(stdout):
    """The output as text: strict UTF-8, with the line ends of the platform."""
    text = stdout.decode("utf-8")  # raises on anything that is not UTF-8
    if under_wine():
        assert "\n" not in text.replace("\r\n", ""), "a bare line feed in Windows output"
        text = text.replace("\r\n", "\n")
    return text


class CheckerCli(unittest.TestCase):
    def setUp(self):
        self.folder = Path(tempfile.mkdtemp(prefix="bundor-check-cli-"))

    def tearDown(self):
        shutil.rmtree(self.folder, ignore_errors=True)

    def write(self, relative, text=None, size=0, encoding="utf-8"):
        path = self.folder / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        if text is None:
            path.write_bytes(b"x" * size)
        else:
            path.write_bytes(text.encode(encoding))
        return path

    def check_json(self, *args):
        status, out, _ = run("--json", *args)
        document = json.loads(text_of(out))
        self.assertEqual(document["status"], status)
        return document

    def test_bad_usage_gives_64_and_the_usage_on_standard_error(self):
        for args in ([], ["--json"], ["--jsn", "a.ini"], ["a.ini", "b.ini"], ["--exe-dir"],
                     ["--as-drive", "E:\\soft", "a.ini"], ["--as-drive=1:", "a.ini"]):
            status, out, err = run(*args)
            self.assertEqual(status, 64, args)
            self.assertEqual(out, b"", args)
            self.assertIn("用法：bundor-check", err.decode("utf-8", "replace"), args)

    def test_help_gives_0_and_the_usage_on_standard_output(self):
        status, out, _ = run("--help")
        self.assertEqual(status, 0)
        self.assertIn("退出状态：0 没有问题；1 只有警告；2 有错误；3 无法读取目录文件；64",
                      text_of(out))

    def test_unreadable_file_gives_3(self):
        status, out, _ = run(program_path(self.folder / "没有.INI"))
        self.assertEqual(status, 3)
        self.assertIn("无法读取目录文件", text_of(out))
        document = self.check_json(program_path(self.folder / "没有.INI"))
        self.assertFalse(document["readable"])
        self.assertIsNone(document["launcher"])

    def test_statuses_follow_the_worst_problem(self):
        self.write("soft/a b.exe", size=1048576)
        clean = ("[Config]\nTitleText=装机 \"工具\"\\\t版\n[Type]\nSort1=常用\n[常用]\n[常用.List]\n"
                 "List1=甲\n[甲]\nWorkingDir=%CurrDir%\nAutoInstall=soft\\a b.exe /S\n"
                 "ManualInstall=soft\\a b.exe\nDescription=说明 \"引号\"\n")
        catalogue = program_path(self.write("Bundor.INI", clean))
        status, out, _ = run(catalogue)
        self.assertEqual(status, 0)
        self.assertIn("结论：没有发现问题（退出状态 0）", text_of(out))
        document = self.check_json(catalogue)
        self.assertEqual(document["launcher"]["title"], '装机 "工具"\\\t版')
        entry = document["launcher"]["categories"][0]["entries"][0]
        self.assertEqual(entry["description"], '说明 "引号"')
        self.assertEqual(entry["size"], "1.00 MB")
        self.assertEqual(entry["autoInstall"]["parameters"], "/S")
        self.assertTrue(entry["autoInstall"]["program"].endswith("soft\\a b.exe"))

        self.write("warn.INI", clean + "Descripton=拼错\n")
        document = self.check_json(program_path(self.folder / "warn.INI"))
        self.assertEqual(document["status"], 1)
        self.assertEqual([(p["kind"], p["line"], p.get("suggestion")) for p in document["problems"]
                          if p["severity"] != "info"], [("unknown-key", 13, "Description")])

        self.write("error.INI", clean.replace("ManualInstall=soft\\a b.exe", "ManualInstall=soft\\c.exe"))
        document = self.check_json(program_path(self.folder / "error.INI"))
        self.assertEqual(document["status"], 2)
        self.assertEqual([(p["kind"], p["line"], p["key"]) for p in document["problems"]
                          if p["severity"] == "error"], [("command-not-found", 11, "ManualInstall")])

    def test_exe_dir_is_what_currdir_stands_for(self):
        self.write("medium/soft/a.exe", size=10)
        self.write("catalogues/Bundor.INI",
                   "[Type]\nSort1=A\n[A]\n[A.List]\nList1=B\n[B]\nWorkingDir=%CurrDir%\n"
                   "AutoInstall=soft\\a.exe\nManualInstall=soft\\a.exe\n")
        catalogue = program_path(self.folder / "catalogues" / "Bundor.INI")
        self.assertEqual(run(catalogue)[0], 2)
        medium = program_path(self.folder / "medium")
        status, out, _ = run("--exe-dir", medium, catalogue)
        self.assertEqual(status, 0, text_of(out))
        document = self.check_json("--exe-dir=" + medium, catalogue)
        # The launcher will see the medium as the root of a CD drive; it is looked for here.
        self.assertEqual(document["exeFolder"], "E:\\")
        self.assertEqual(document["checkedFolder"], folder_path(self.folder / "medium"))
        document = self.check_json("--as-drive", "h:", "--exe-dir", medium, catalogue)
        self.assertEqual(document["exeFolder"], "H:\\")
        self.assertEqual(document["status"], 0)
        program = document["launcher"]["categories"][0]["entries"][0]["autoInstall"]["program"]
        self.assertEqual(program, "H:\\soft\\a.exe")

    def test_relative_exe_dir_is_taken_from_the_current_directory_once(self):
        self.write("medium/soft/a.exe", size=10)
        self.write("Bundor.INI",
                   "[Type]\nSort1=A\n[A]\n[A.List]\nList1=B\nList2=C\n"
                   "[B]\nWorkingDir=%CurrDir%\nAutoInstall=soft\\a.exe\nManualInstall=soft\\a.exe\n"
                   "[C]\nAutoInstall=soft\\a.exe\nManualInstall=soft\\a.exe\n")
        for option in (["--exe-dir", "medium"], ["--exe-dir=medium\\"], ["--exe-dir", "./medium/"]):
            status, out, _ = run("--json", *option, "Bundor.INI", cwd=self.folder)
            document = json.loads(text_of(out))
            self.assertEqual(document["checkedFolder"], folder_path(self.folder / "medium"),
                             option)
            entries = document["launcher"]["categories"][0]["entries"]
            # Joined with %CurrDir% and relative to the exe folder: both found, and nothing
            # but the relative commands' warning.
            self.assertEqual([(e["autoInstall"]["found"], e["manualInstall"]["found"])
                              for e in entries], [(True, True), (True, True)], option)
            self.assertEqual(status, 1, option)

    def test_ansi_catalogue_with_a_broken_character(self):
        self.write("ansi.INI", "[Type]\r\nSort1=常用\r\n", encoding="gbk")
        with open(self.folder / "ansi.INI", "ab") as f:
            f.write(b"; \x81\r\n")
        document = self.check_json(program_path(self.folder / "ansi.INI"))
        self.assertEqual(document["encoding"], "ansi")
        self.assertEqual(document["launcher"]["categories"][0]["name"], "常用")
        invalid = [p for p in document["problems"] if p["kind"] == "invalid-bytes"]
        self.assertEqual([(p["line"], p["lines"]) for p in invalid], [(3, [3])])

    def test_write_hashes_then_check_them(self):
        self.write("soft/a b.exe", "abc")
        self.write("soft/empty.exe", "")
        old = ("\ufeff[Type]\r\nSort1=常用\r\n[常用]\r\n[常用.List]\r\nList1=甲\r\nList2=乙\r\n"
               "[甲]\r\nWorkingDir=%CurrDir%\r\nAutoInstall=soft\\a b.exe /S\r\n"
               "ManualInstall=soft\\a b.exe\r\n[乙]\r\nWorkingDir=%CurrDir%\r\n"
               "AutoInstall=soft\\empty.exe\r\nManualInstall=soft\\gone.exe\r\n").encode()
        path = self.folder / "Bundor.INI"
        path.write_bytes(old)
        catalogue = program_path(path)
        self.assertEqual(run("--write-hashes", "--json", catalogue)[0], 64)

        status, out, _ = run("--write-hashes", catalogue)
        # SHA-256 of "abc" and of nothing (FIPS 180-2), appended with the file's line ends.
        listed = ("[Hashes]\r\n"
                  "soft\\a b.exe=ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad\r\n"
                  "soft\\empty.exe=e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855\r\n")
        self.assertEqual(path.read_bytes(), old + b"\r\n" + listed.encode())
        self.assertEqual(status, 1, text_of(out))  # ManualInstall of 乙 is not found
        self.assertIn("没有列出的命令（1 个）", text_of(out))
        self.assertEqual(sorted(p.name for p in self.folder.iterdir()),
                         ["Bundor.INI", "soft"], "no temporary file is left")

        document = self.check_json(catalogue)
        entry = document["launcher"]["categories"][0]["entries"][0]
        self.assertEqual(entry["autoInstall"]["hash"], {"outcome": "verified",
                                                        "key": "soft\\a b.exe", "line": 17})
        self.assertEqual([p["kind"] for p in document["problems"] if p["severity"] != "info"],
                         ["command-not-found"])

        self.write("soft/a b.exe", "abd")  # changed after hashing
        document = self.check_json(catalogue)
        self.assertEqual(document["status"], 2)
        self.assertEqual([(p["kind"], p["line"]) for p in document["problems"]
                          if p["kind"].startswith("hash")], [("hash-mismatch", 17)])
        # Written again, the section is replaced in place.
        self.assertEqual(run("--write-hashes", catalogue)[0], 1)
        self.assertEqual(path.read_bytes().count(b"[Hashes]"), 1)
        self.assertEqual(self.check_json(catalogue)["problems"][-1]["kind"], "command-not-found")

    def test_demo_medium(self):
        if not ARGS.demo_medium:
            self.skipTest("the demo medium is built by the Windows builds only")
        wine_dir = Path(os.environ.get("BUNDOR_WINE_DIR", ROOT / "build" / "wine"))
        disk = wine_dir / "disk-g" / "checker_cli_test"
        shutil.rmtree(disk, ignore_errors=True)
        shutil.copytree(ARGS.demo_medium, disk / "demo")
        try:
            document = self.check_json("G:\\checker_cli_test\\demo\\Setup.INI")
        finally:
            shutil.rmtree(disk, ignore_errors=True)
        # The folder stands in for the disc in E:, the first CD drive here, where
        # "cdrom:\soft\演示输入法.exe" is found.
        self.assertEqual(document["exeFolder"], "E:\\")
        self.assertEqual(document["checkedFolder"], "G:\\checker_cli_test\\demo\\")
        self.assertEqual(
            [(p["kind"], p["line"], p["section"], p["key"]) for p in document["problems"]],
            [("encoding", None, "", ""),
             ("entry-listed-several-times", 24, "演示记事本", ""),
             ("cdrom-command", 54, "演示输入法", "AutoInstall"),
             ("cdrom-command", 55, "演示输入法", "ManualInstall"),
             ("command-not-found", 83, "光盘上没有的软件", "AutoInstall"),
             ("command-not-found", 84, "光盘上没有的软件", "ManualInstall")])
        self.assertEqual(document["status"], 2)
        prefix = "E:\\"
        for entry in (e for c in document["launcher"]["categories"] for e in c["entries"]):
            program = entry["manualInstall"].get("program", "")
            if program.startswith(prefix):
                relative = program[len(prefix):].replace("\\", "/")
                size = (Path(ARGS.demo_medium) / relative).stat().st_size
                self.assertEqual(entry["size"], "%.2f MB" % (size / 1048576), entry["name"])
            elif not entry["manualInstall"]["found"]:
                self.assertEqual(entry["size"], "0.00 MB", entry["name"])
            self.assertTrue(entry["icon"]["found"], entry["icon"]["path"])


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--checker", required=True)
    parser.add_argument("--wine", default="")
    parser.add_argument("--demo-medium", default="")
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
