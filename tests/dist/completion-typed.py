#!/usr/bin/env python3
"""The completion as a user meets it: an interactive bash on a terminal, bash-completion loaded,
Tab pressed after names with a space and Japanese names."""
import os
import pty
import select
import shutil
import sys
import tempfile
import time

completion = os.path.abspath(sys.argv[1])
helpers = "/usr/share/bash-completion/bash_completion"
if not os.path.exists(helpers):
    print("bash-completion is not installed")
    sys.exit(77)

scratch = tempfile.mkdtemp()
for d in ("my card", "現場/日報"):
    os.makedirs(os.path.join(scratch, d))
for f in ("my card/r.PDF", "my card/notes.txt", "cardfile.pdf"):
    open(os.path.join(scratch, f), "w").close()


def typed(line, tail):
    """The arguments moravel-cli gets when `line` is typed, Tab pressed until `tail` shows (at most
    three times) and Enter."""
    pid, fd = pty.fork()
    if pid == 0:
        os.chdir(scratch)
        env = dict(os.environ, PS1="$ ", LANG="C.UTF-8", LC_ALL="C.UTF-8", INPUTRC="/dev/null")
        os.execvpe("bash", ["bash", "--norc", "--noprofile", "-i"], env)
    seen = b""

    def wait_for(text, limit=5.0):
        nonlocal seen
        end = time.time() + limit
        while time.time() < end and text not in seen:
            ready, _, _ = select.select([fd], [], [], 0.05)
            if ready:
                try:
                    seen += os.read(fd, 4096)
                except OSError:
                    break
        return text in seen

    wait_for(b"$ ")
    seen = b""
    os.write(fd, f'source {helpers}; source "{completion}"; moravel-cli() {{ printf "<%s>" "$@"; echo "|"; }}\n'.encode())
    wait_for(b"$ ")
    seen = b""
    os.write(fd, line.encode())
    wait_for(line.encode()[-3:])
    seen = b""
    for _ in range(3):
        os.write(fd, b"\t")
        if wait_for(tail.encode(), 3.0):
            break
    os.write(fd, b"\n")
    seen = b""
    wait_for(b"|")
    out = seen.decode("utf-8", "replace")
    os.write(fd, b"exit\n")
    os.waitpid(pid, 0)
    return out[out.find("<"):out.rfind("|")]


# The line typed, what shows once completed, the arguments.
cases = [
    ("moravel-cli days my", "card/", "<days><my card/>"),
    ("moravel-cli check 現", "日報/", "<check><現場/日報/>"),
    ("moravel-cli verify my\\ card/", "r.PDF", "<verify><my card/r.PDF>"),
    ("moravel-cli report my\\ card/ ca", "cardfile.pdf", "<report><my card/><cardfile.pdf>"),
]
failed = False
for line, tail, want in cases:
    got = typed(line, tail)
    if got != want:
        print(f"{line}<Tab>: got {got!r}, want {want!r}")
        failed = True
shutil.rmtree(scratch)
if not failed:
    print("completion as typed as expected")
sys.exit(1 if failed else 0)
