"""Where sound starts in a recording of the null sink (mono 16-bit samples at RATE)."""

import subprocess

RATE = 44100
AUDIBLE = 8  # a 16-bit sample farther from zero than this is sound


def audible_after(samples, since, silence=0):
    """Index of the first audible sample at or after since that follows at least `silence`
    samples in a row with none audible (counted from since); None when there is none yet."""
    quiet = 0
    for i in range(max(0, since), len(samples)):
        if abs(samples[i]) > AUDIBLE:
            if quiet >= silence:
                return i
            quiet = 0
        else:
            quiet += 1
    return None


class Clip:
    """An advertisement clip as the player plays it: how many samples the file lasts and where
    its first and last audible samples lie, decoded by FFmpeg at the sink's rate."""

    def __init__(self, data):
        pcm = subprocess.run(["ffmpeg", "-v", "error", "-i", "pipe:0", "-f", "s16le", "-ac", "2",
                              "-ar", str(RATE), "pipe:1"], input=data, capture_output=True,
                             check=True, timeout=60).stdout
        left = memoryview(pcm[:len(pcm) // 4 * 4]).cast("h")[::2]
        self.length = len(left)
        self.first = audible_after(left, 0)
        if self.first is None:
            raise ValueError("the clip has no sound")
        self.last = next(i for i in range(self.length - 1, -1, -1) if abs(left[i]) > AUDIBLE)

    def trailing_seconds(self):
        return (self.length - 1 - self.last) / RATE

    def end_to_next_sound(self, samples, start):
        """Seconds from the clip's last sample (its trailing silence included) to the first
        audible sample after its sound, given the recording's index of its first audible
        sample; None when nothing has followed yet. A player that plays the clip more quietly
        hears its first sound a few samples late, which only brings the end forward."""
        after = audible_after(samples, start + self.last - self.first + 1)
        if after is None:
            return None
        return (after - (start + self.length - self.first)) / RATE
