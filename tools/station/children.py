"""Child processes that never outlive the station: each asks the kernel for SIGTERM when the
station dies, and stop() ends one politely, then firmly."""

import ctypes
import signal
import subprocess

_PR_SET_PDEATHSIG = 1
_libc = ctypes.CDLL(None, use_errno=True)


def _die_with_parent():
    # Runs in the child between fork and exec.
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGTERM)


def start(args):
    return subprocess.Popen(args, stdin=subprocess.DEVNULL, preexec_fn=_die_with_parent)


def stop(process, grace=3.0):
    if process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(grace)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
