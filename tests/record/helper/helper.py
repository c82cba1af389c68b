"""The set-group-id record helper, as a game and an attacker call it: only
"create" and "store SCORE NAME" with a valid score and name are carried out,
whatever the environment and umask; everything else leaves the pair as it was.

    helper.py HELPER RECORDS   (the helper built to write RECORDS)
"""

import os
import pathlib
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest

HELPER, RECORDS = sys.argv.pop(1), sys.argv.pop(1)
SCORE, NAME = os.path.join(RECORDS, "aquizrec6.txt"), os.path.join(RECORDS, "nquizrec6.txt")
OLD_PAIR = b"7\r\nAnna\r\n"
INVALID_CALL, PATH_NOT_FOUND = 5, 76


def run(*arguments, environment=None):
    """Status and error text of the helper run with raw argument bytes and only the given environment."""
    done = subprocess.run([HELPER, *arguments], env=environment or {}, capture_output=True)
    return done.returncode, done.stderr


def pair():
    return pathlib.Path(SCORE).read_bytes() + pathlib.Path(NAME).read_bytes()


class RecordHelper(unittest.TestCase):
    def setUp(self):
        shutil.rmtree(RECORDS, ignore_errors=True)
        os.makedirs(RECORDS)
        pathlib.Path(SCORE).write_bytes(b"7\r\n")
        pathlib.Path(NAME).write_bytes(b"Anna\r\n")

    def test_refuses_everything_else(self):
        usage, score, name = b"Uso:", b"Punteggio", b"Nome"
        rows = [((), usage), ((b"CREATE",), usage), ((b"create", b"/etc/passwd"), usage), ((b"store", b"12"), usage),
                ((b"store", b"12", b"Eva", b"x"), usage)]
        rows += [((b"store", bad, b"Eva"), score) for bad in (b"", b"123456", b"32768", b"012", b"-1", b"9" * 20)]
        rows += [((b"store", b"1", bad), reason) for bad, reason in (
            (b"", name), (b"a" * 251, name), (b"Eva\xff", b"UTF-8"), (b"Eva\xc3", b"UTF-8"),
            (b"Eva\tMaria", b"controllo"), (b"Eva\xe2\x80\xa8", b"controllo"))]
        for arguments, reason in rows:
            with self.subTest(arguments=arguments):
                status, error = run(*arguments)
                self.assertEqual(status, INVALID_CALL)
                self.assertIn(reason, error)
                self.assertEqual(sorted(os.listdir(RECORDS)), ["aquizrec6.txt", "nquizrec6.txt"])
                self.assertEqual(pair(), OLD_PAIR)

    def test_stores_the_pair_whatever_the_environment_and_umask(self):
        with tempfile.TemporaryDirectory() as elsewhere:
            environment = {"VORTANA_RECORD_DIR": elsewhere, "TMPDIR": elsewhere, "HOME": elsewhere}
            os.remove(SCORE)
            os.remove(NAME)
            before = os.umask(0o077)
            try:
                self.assertEqual(run("create")[0], 0)
                for score, name in ((b"0", b"Amico"), (b"32767", b"\xc3\xa8" * 250), (b"8", b"\xef\xbb\xbfEva")):
                    self.assertEqual(run("store", score, name, environment=environment), (0, b""))
                    self.assertEqual(pair(), score + b"\r\n" + name + b"\r\n")
            finally:
                os.umask(before)
            self.assertEqual(os.listdir(elsewhere), [])
        # The group keeps write on what the helper makes.
        self.assertEqual([stat.S_IMODE(os.stat(path).st_mode) for path in (SCORE, NAME)], [0o664, 0o664])
        os.remove(NAME)
        self.assertEqual(run("create")[0], 0)
        self.assertEqual(pair(), b"8\r\n")

    def test_refuses_a_missing_directory(self):
        # Making the shared directory, and choosing its owner, is the installer's job.
        shutil.rmtree(RECORDS)
        for arguments in (("create",), ("store", "8", "Eva")):
            status, error = run(*arguments)
            self.assertEqual((status, RECORDS.encode() in error, os.path.exists(RECORDS)), (PATH_NOT_FOUND, True, False), error)


if __name__ == "__main__":
    unittest.main(verbosity=2)
