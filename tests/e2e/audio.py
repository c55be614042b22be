"""What a recording of the null sink says: where sound starts, and how loud it is over time."""

import math
import statistics

RATE = 44100
SILENCE = 30  # RMS of 16-bit samples below which a stretch counts as silent


def rms(samples, start, end):
    part = samples[max(0, start):max(0, end)]
    if not part:
        return 0.0
    return math.sqrt(sum(s * s for s in part) / len(part))


def levels(samples, window_s, step_s=None, start_s=0.0, end_s=None):
    """[(time in seconds, RMS)] of windows of window_s seconds, every step_s seconds."""
    step = int((step_s or window_s) * RATE)
    size = int(window_s * RATE)
    end = len(samples) if end_s is None else min(len(samples), int(end_s * RATE))
    return [(i / RATE, rms(samples, i, i + size))
            for i in range(int(start_s * RATE), end - size + 1, step)]


def sound_runs(samples, window_s=0.01):
    """[(start s, end s)] of the stretches in which no 10 ms window is silent."""
    runs = []
    start = None
    for t, level in levels(samples, window_s):
        if level >= SILENCE and start is None:
            start = t
        elif level < SILENCE and start is not None:
            runs.append((start, t))
            start = None
    if start is not None:
        runs.append((start, len(samples) / RATE))
    return runs


def last_onset(samples, min_length_s):
    """Start of the sound that is still going on at the end of the recording, if it has lasted
    at least min_length_s; else None."""
    runs = sound_runs(samples)
    if not runs:
        return None
    start, end = runs[-1]
    if end < len(samples) / RATE - 0.05 or end - start < min_length_s:
        return None
    return start


def steady_onset(samples, length_s, silent_s=0.15):
    """Start of the first sound that goes on for length_s with less than silent_s of silence
    in it: music, where words leave longer pauses; None when there is none."""
    runs = sound_runs(samples)
    for start, _ in runs:
        end = start + length_s
        if end > len(samples) / RATE:
            return None
        heard = sum(max(0.0, min(b, end) - max(a, start)) for a, b in runs)
        if heard > length_s - silent_s:
            return start
    return None


def fade_in(samples, onset):
    """How the sound starting at onset rises: (level over its first 0.3 s, level around 1 s
    later, each relative to the plateau reached after 3 s; seconds to 85 % of the plateau)."""
    smooth = levels(samples, 0.25, 0.05, onset, onset + 6.0)
    plateau = statistics.median(level for t, level in smooth if t >= onset + 3.0)
    early = rms(samples, int(onset * RATE), int((onset + 0.3) * RATE))
    middle = rms(samples, int((onset + 0.85) * RATE), int((onset + 1.15) * RATE))
    reached = next((t - onset for t, level in smooth if level >= 0.85 * plateau), None)
    return early / plateau, middle / plateau, reached
