"""CPU time and memory of a whole process tree, read from /proc."""

import os

TICKS = os.sysconf("SC_CLK_TCK")
PAGE = os.sysconf("SC_PAGE_SIZE")


def tree(root):
    """The pids of root and all its descendants."""
    parents = {}
    for name in os.listdir("/proc"):
        if name.isdigit():
            try:
                with open(f"/proc/{name}/stat") as f:
                    parents[int(name)] = int(f.read().rsplit(")", 1)[1].split()[1])
            except (OSError, IndexError, ValueError):
                pass
    found = {root}
    grew = True
    while grew:
        grew = False
        for pid, parent in parents.items():
            if parent in found and pid not in found:
                found.add(pid)
                grew = True
    return found


def usage(pid):
    """(CPU ticks including reaped children, resident bytes) of one process, or None."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        with open(f"/proc/{pid}/statm") as f:
            resident = int(f.read().split()[1]) * PAGE
    except (OSError, IndexError, ValueError):
        return None
    utime, stime, cutime, cstime = (int(v) for v in fields[11:15])
    return utime + stime + cutime + cstime, resident


def proportional(pid):
    """Proportional set size in bytes: each page shared by n processes counts 1/n in each, so
    that a tree's sum counts a library its processes share once, not once per process."""
    try:
        with open(f"/proc/{pid}/smaps_rollup") as f:
            for line in f:
                if line.startswith("Pss:"):
                    return int(line.split()[1]) * 1024
    except (OSError, IndexError, ValueError):
        pass
    return 0


class TreeWatch:
    """Samples a process tree: the CPU ticks each process was last seen with (a process that has
    ended keeps its last figure, so the total never falls) and the largest resident and
    proportional sums."""

    def __init__(self, root):
        self.root = root
        self.ticks = {}
        self.peak = 0
        self.peak_proportional = 0

    def sample(self):
        resident = 0
        shared_out = 0
        for pid in tree(self.root):
            seen = usage(pid)
            if seen:
                self.ticks[pid] = seen[0]
                resident += seen[1]
                shared_out += proportional(pid)
        self.peak = max(self.peak, resident)
        self.peak_proportional = max(self.peak_proportional, shared_out)

    def cpu_seconds(self):
        return sum(self.ticks.values()) / TICKS

    def peak_mib(self):
        """(peak resident sum, peak proportional sum) in MiB."""
        return self.peak / 2 ** 20, self.peak_proportional / 2 ** 20
