"""The set-group-id record helper, as a game and an attacker call it: only
"create", "read" and "store SCORE NAME" with a valid score and name are carried
out, whatever the environment and umask; everything else leaves the pair as it was.

    helper.py HELPER RECORDS   (the helper built to write RECORDS)
"""

import grp
import os
import pathlib
import re
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest

HELPER, RECORDS = sys.argv.pop(1), sys.argv.pop(1)
SCORE, NAME, LOCK = (os.path.join(RECORDS, name) for name in ("aquizrec6.txt", "nquizrec6.txt", ".lock"))
NOBODY, OTHER = (["setpriv", f"--reuid={uid}", f"--regid={uid}", "--clear-groups"] for uid in (65534, 65533))
# Every lock an account can take: on the directory and on whatever it may open there.
HOLD_ALL = 'held=0; for f in "$0" "$0"/* "$0"/.[!.]*; do exec {fd}<"$f" && flock -n $fd && held=$((held+1)); done 2>&-; echo $held; exec sleep 600'
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
        pathlib.Path(LOCK).touch(0o600)

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
                self.assertEqual(sorted(os.listdir(RECORDS)), [".lock", "aquizrec6.txt", "nquizrec6.txt"])
                self.assertEqual(pair(), OLD_PAIR)

    def test_stores_the_pair_whatever_the_environment(self):
        with tempfile.TemporaryDirectory() as elsewhere:
            environment = {"VORTANA_RECORD_DIR": elsewhere, "TMPDIR": elsewhere, "HOME": elsewhere}
            os.remove(SCORE)
            os.remove(NAME)
            self.assertEqual(run("create")[0], 0)
            for score, name in ((b"0", b"Amico"), (b"32767", b"\xc3\xa8" * 250), (b"8", b"\xef\xbb\xbfEva")):
                self.assertEqual(run("store", score, name, environment=environment), (0, b""))
                self.assertEqual(pair(), score + b"\r\n" + name + b"\r\n")
            self.assertEqual(os.listdir(elsewhere), [])

    def test_flushes_before_it_confirms(self):
        """A store's calls in order, each with the names it is given (a new file's random ending left out): the new
        files made durable, renamed over the score and then the name, their directory made durable, and only then the
        status that the game confirms. So a kill or a power cut leaves each file whole and the pair never mixed."""
        with tempfile.NamedTemporaryFile() as log:
            # A sanitizer's build: LeakSanitizer cannot run under a tracer.
            subprocess.run(["strace", "-f", "-y", "-o", log.name, "-e", "trace=fsync,fdatasync,rename,renameat,renameat2,exit_group",
                            HELPER, "store", "9", "Eva"], env={"ASAN_OPTIONS": "detect_leaks=0"}, check=True)
            calls = [(call[1], re.findall(r'[<"]([^<>"]+)[>"]', line)) for line in pathlib.Path(log.name).read_text().splitlines()
                     if (call := re.match(r"(?:\d+ +)?(\w+)\(", line))]
        self.assertEqual([" ".join([call] + [re.sub(r"\.[0-9a-f]+$", "", os.path.basename(path)) for path in paths])
                          for call, paths in calls], [
            "fdatasync .aquizrec6.txt", "fdatasync .nquizrec6.txt", "rename .aquizrec6.txt aquizrec6.txt",
            "rename .nquizrec6.txt nquizrec6.txt", "fsync " + os.path.basename(RECORDS), "exit_group"])

    @unittest.skipUnless(os.getuid() == 0, "root makes the helper set-group-id and plays as two other accounts")
    def test_root_then_another_account_while_a_third_holds_every_lock(self):
        games = grp.getgrnam("games").gr_gid
        with tempfile.TemporaryDirectory(dir=os.path.dirname(RECORDS)) as installed:
            os.chmod(installed, 0o755)
            if os.statvfs(installed).f_flag & os.ST_NOSUID or subprocess.run(NOBODY + ["test", "-x", RECORDS]).returncode:
                self.skipTest("set-group-id has no effect here, or nobody cannot reach the build tree")
            helper = shutil.copy(HELPER, installed)
            for path, mode in ((helper, 0o2755), (RECORDS, 0o775), (LOCK, 0o660)):
                os.chown(path, 0, games)
                os.chmod(path, mode)
            # Root's store in a group of its own, then files as an older version left them.
            self.assertEqual(subprocess.run(["setpriv", "--regid=65534", "--clear-groups", HELPER, "store", "5", "Root"]).returncode, 0)
            for path in (SCORE, NAME):
                self.assertEqual((os.stat(path).st_gid, stat.S_IMODE(os.stat(path).st_mode)), (games, 0o664))
                os.chown(path, 0, 0) or os.chmod(path, 0o644)
            with subprocess.Popen(OTHER + ["bash", "-c", HOLD_ALL, RECORDS], stdout=subprocess.PIPE) as holder:
                try:
                    self.assertGreaterEqual(int(holder.stdout.readline()), 3)  # the directory and both files
                    for arguments, answer in ((["create"], b""), (["read"], b"3\n5\r\nRoot\r\n"), (["store", "6", "Eva"], b"")):
                        done = subprocess.run(NOBODY + [helper, *arguments], env={}, capture_output=True)
                        self.assertEqual((done.returncode, done.stdout), (0, answer), done.stderr)
                finally:
                    holder.kill()
        self.assertEqual(pair(), b"6\r\nEva\r\n")

    def test_refuses_a_missing_directory(self):
        # Making the shared directory, and choosing its owner, is the installer's job.
        shutil.rmtree(RECORDS)
        for arguments in (("create",), ("store", "8", "Eva")):
            status, error = run(*arguments)
            self.assertEqual((status, RECORDS.encode() in error, os.path.exists(RECORDS)), (PATH_NOT_FOUND, True, False), error)


if __name__ == "__main__":
    unittest.main(verbosity=2)
