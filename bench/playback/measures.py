"""What one launch measures: the time to sound, CPU and memory while playing, and for the
player the end of its clip and a switch of station."""

from . import heard
from .session import Session

STREAM_AGENT = "brenvikdesktop"  # the User-Agent of the player's stream requests


def launch(desktop, start, timeout=30):
    """Seconds from the launch to the first audible sample."""
    session = Session(desktop, start)
    try:
        return session.launch_to_audible(timeout)
    finally:
        session.close()


# The part of the CPU window after which a player counts as settled: its start-up (for ours the
# web engine and the station page) is over and only the playing remains.
SETTLING_S = 10.0


def playing(desktop, start, seconds, then=None):
    """(seconds to the first audible sample, CPU seconds of the whole tree over `seconds` of
    play from then on, CPU seconds of the same window's part after SETTLING_S, (peak resident,
    peak proportional) MiB of the tree over the whole run, what then(session) gave). then runs after the CPU window,
    and the tree is watched for 3 s more."""
    session = Session(desktop, start)
    try:
        heard_s = session.launch_to_audible()
        if heard_s is None:
            return None, None, None, (None, None), None
        before = session.watch.cpu_seconds()
        settling = min(SETTLING_S, seconds)
        session.hold(settling)
        settled = session.watch.cpu_seconds()
        session.hold(seconds - settling)
        cpu = session.watch.cpu_seconds() - before
        settled_cpu = session.watch.cpu_seconds() - settled if seconds > settling else None
        done = then(session) if then else None
        session.hold(3.0)
        return heard_s, cpu, settled_cpu, session.watch.peak_mib(), done
    finally:
        session.close()


def clip_and_switch(desktop, start, clip, switch, listening, timeout=30):
    """For a player on a station with a clip: (seconds from the clip's end, trailing silence
    included, to the live stream's first audible sample; seconds from switch() to the first
    audible sample of the new station after the old one has gone silent). listening() tells
    whether the player listens to the new station's stream."""
    session = Session(desktop, start)
    try:
        start_index = session.heard_after(session.launch, timeout)
        if start_index is None:
            return None, None
        live_after = start_index + clip.last - clip.first + 1
        live = session.heard_after(live_after, timeout)
        gap = clip.end_to_next_sound(session.recording.samples(), start_index)
        if live is None:
            return gap, None
        # Past the live stream's fade-in, as a listener who switches would be.
        session.hold_until_recorded(live + 4 * heard.RATE, 10)
        switched = session.now()
        switch()
        new = session.heard_after(switched, timeout, silence_s=0.1)
        if new is None or not session.hold(10, lambda: listening() or None):
            return gap, None
        return gap, session.seconds(switched, new)
    finally:
        session.close()
