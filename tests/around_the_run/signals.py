#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Signals that end a run: SIGINT, SIGTERM, SIGHUP and SIGPIPE end it in
order, with status 128 + the signal's number (an exit, not a death by the
signal), every file as complete as the run made it; readline's terminal
mode is undone; the window ends the same way.

Usage: signals.py ARBORIX_TERM [ARBORIX_WINDOW]"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import termios
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SCENARIO = os.path.join(HERE, "..", "golden", "two_series_method2")
TERM_PROG = sys.argv[1]
WINDOW_PROG = sys.argv[2] if len(sys.argv) > 2 else None
ENV = {k: v for k, v in os.environ.items() if k not in ("VELMOR_RT_FLAGS", "TABSIZE", "UMASK")}
WAIT = 20  # seconds for anything to happen: a regression fails, never hangs
failures = []


def read(path):
    with open(path, "rb") as f:
        return f.read()


EXPECTED_OUT = read(os.path.join(SCENARIO, "expected", "out.txt"))
ANSWERS = read(os.path.join(SCENARIO, "answers.txt"))
# Every answer but the Enter that ends the final pause.
assert ANSWERS.endswith(b"\n\n")
BEFORE_PAUSE = ANSWERS[:-1]
CONSOLE = read(os.path.join(SCENARIO, "console.txt"))


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def scratch():
    d = tempfile.mkdtemp(prefix="arb_sig_")
    shutil.copytree(os.path.join(SCENARIO, "input"), d, dirs_exist_ok=True)
    return d


def wait_for(pred, what):
    end = time.monotonic() + WAIT
    while time.monotonic() < end:
        if pred():
            return True
        time.sleep(0.02)
    check(False, "waited in vain for " + what)
    return False


def ended(p, sig, what):
    try:
        rc = p.wait(WAIT)
    except subprocess.TimeoutExpired:
        p.kill()
        p.wait()
        check(False, what + ": still running after the signal")
        return
    check(rc == 128 + sig, "%s: status %d, want %d (an exit, not a death by the signal)" % (what, rc, 128 + sig))


def at_the_final_pause_piped(sig):
    d = scratch()
    console = os.path.join(d, ".console")
    with open(console, "wb") as out:
        p = subprocess.Popen([TERM_PROG], cwd=d, stdin=subprocess.PIPE, stdout=out, env=ENV)
        p.stdin.write(BEFORE_PAUSE)
        p.stdin.flush()  # and kept open: the pause waits
        what = "piped run, %s at the final pause" % signal.Signals(sig).name
        if wait_for(lambda: read(console).endswith(b"\n  \n"), what + ": the pause"):
            check(read(os.path.join(d, "out.txt")) == EXPECTED_OUT, what + ": output file whole while the pause waits")
            p.send_signal(sig)
        ended(p, sig, what)
        p.stdin.close()
    check(read(os.path.join(d, "out.txt")) == EXPECTED_OUT, what + ": output file whole")
    check(read(console) == CONSOLE[:-1], what + ": console as far as the pause")
    shutil.rmtree(d)


def reader_of_standard_output_gone():
    d = scratch()
    before = read(os.path.join(d, "in.txt"))
    p = subprocess.Popen([TERM_PROG], cwd=d, stdin=subprocess.PIPE, stdout=subprocess.PIPE, env=ENV)
    p.stdout.close()
    p.stdin.write(ANSWERS)
    p.stdin.close()
    ended(p, signal.SIGPIPE, "standard output's reader gone")
    check(read(os.path.join(d, "in.txt")) == before, "standard output's reader gone: the data file untouched")
    shutil.rmtree(d)


def while_a_long_line_is_read():
    d = scratch()
    big = os.path.join(d, "big.txt")
    shutil.copy(os.path.join(d, "in.txt"), big)
    with open(big, "ab") as f:
        f.truncate(os.path.getsize(big) + (1 << 30))  # a last line of 1 GB, sparse
    old_out = read(os.path.join(d, "out.txt"))
    console = os.path.join(d, ".console")
    with open(console, "wb") as out:
        p = subprocess.Popen([TERM_PROG], cwd=d, stdin=subprocess.PIPE, stdout=out, env=ENV)
        p.stdin.write(b"\nbig.txt\n0\nout.txt\n111111111111\n")
        p.stdin.flush()
        if wait_for(lambda: read(console).endswith(b"(H for help)         ==> "), "the data-format menu"):
            p.stdin.write(b"H\n")
            p.stdin.flush()
            time.sleep(0.3)  # counting the records: the 1 GB line takes about a second
            p.send_signal(signal.SIGTERM)
        ended(p, signal.SIGTERM, "SIGTERM in the preview of a 1 GB line")
        p.stdin.close()
    check(read(os.path.join(d, "out.txt")) == old_out, "SIGTERM before any output: the output file as it was")
    shutil.rmtree(d)


def canonical(fd):
    lflag = termios.tcgetattr(fd)[3]
    return bool(lflag & termios.ICANON) and bool(lflag & termios.ECHO)


def at_the_final_pause_on_a_terminal():
    d = scratch()
    master, slave = os.openpty()
    p = subprocess.Popen([TERM_PROG], cwd=d, stdin=slave, stdout=slave, stderr=slave, env=ENV)
    os.set_blocking(master, False)

    def drain():  # the terminal's output, read so that the program never waits to write
        try:
            while os.read(master, 65536):
                pass
        except OSError:
            pass

    def waiting_for_a_line():
        drain()
        return not canonical(slave)

    what = "terminal (readline), SIGINT at the final pause"
    # Typed ahead once readline waits for the first line.
    if wait_for(waiting_for_a_line, what + ": the first prompt"):
        os.write(master, BEFORE_PAUSE.replace(b"\n", b"\r"))
    out = os.path.join(d, "out.txt")
    if wait_for(lambda: (drain(), read(out) == EXPECTED_OUT and not canonical(slave))[1], what + ": the pause"):
        p.send_signal(signal.SIGINT)
    ended(p, signal.SIGINT, what)
    check(canonical(slave), what + ": the terminal's mode restored")
    check(read(out) == EXPECTED_OUT, what + ": output file whole")
    os.close(master)
    os.close(slave)
    shutil.rmtree(d)


def window_waiting(sig):
    d = scratch()
    env = dict(ENV, QT_QPA_PLATFORM="offscreen")
    p = subprocess.Popen([WINDOW_PROG], cwd=d, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL, env=env)
    time.sleep(2)  # up and waiting at the welcome
    p.send_signal(sig)
    ended(p, sig, "window, %s while it waits" % signal.Signals(sig).name)
    shutil.rmtree(d)


for s in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP, signal.SIGPIPE):
    at_the_final_pause_piped(s)
reader_of_standard_output_gone()
while_a_long_line_is_read()
at_the_final_pause_on_a_terminal()
if WINDOW_PROG:
    for s in (signal.SIGTERM, signal.SIGHUP):
        window_waiting(s)
sys.exit(1 if failures else 0)
