"""Generates the station's sounds and pictures: synthesised music with spoken station idents, the
advertisement clip, and JPEG pictures. Nothing is copied from anywhere; all of it is made here by
ffmpeg, espeak-ng and ImageMagick, once, into a cache folder that later runs reuse."""

import hashlib
import os
import shutil
import subprocess
import tempfile
import zlib

import content

# Bump when a recipe below changes, so that older caches are not reused.
RECIPE_VERSION = "3"
PHRASE_SECONDS = 24
LOOP_SECONDS = 120  # long, so that the seam (an encoder gap) is rarely heard
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def _run(args):
    subprocess.run(args, check=True, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.PIPE)


def _ffmpeg(*args):
    _run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-y", *args])


def _pentatonic(step):
    """An expression giving the pentatonic scale degree (in semitones) of a note number."""
    degree = f"mod({step},5)"
    return (f"if(eq({degree},0),0,if(eq({degree},1),2,if(eq({degree},2),4,"
            f"if(eq({degree},3),7,9))))")


def _music_expression(key):
    """Music-like synthesis: a slowly changing pad chord, a bass and a plucked pentatonic melody.

    The pad never stops, so the loudness stays nearly even: a fade-in is easy to see in a recording.
    """
    root = 220.0 * 2 ** (key / 12)
    # I - vi - IV - V, two seconds each.
    chord = "mod(floor(t/2),4)"
    shift = f"if(eq({chord},0),0,if(eq({chord},1),-3,if(eq({chord},2),5,7)))"
    pad = " + ".join(f"sin(2*PI*{root}*pow(2,({shift}+{iv})/12)*t)" for iv in (0, 4, 7))
    bass = f"sin(2*PI*{root / 2}*pow(2,({shift})/12)*t)"
    note = "floor(t*4)"
    step = f"({note}*3 + floor({note}/8))"
    melody_freq = f"{root * 2}*pow(2,({_pentatonic(step)})/12)"
    pluck = "exp(-5*mod(t,0.25))*min(1,mod(t,0.25)*200)"
    return f"0.07*({pad}) + 0.12*{bass} + 0.22*{pluck}*sin(2*PI*{melody_freq}*t)"


def _speech(text, path):
    _run(["espeak-ng", "-v", "tr", "-s", "150", "-w", path, text])


def _make_loop(stream, work, out):
    speech = os.path.join(work, f"{stream.key}-ident.wav")
    _speech(f"{stream.display_name}. Yayındasınız.", speech)
    # One phrase with its spoken ident, repeated as PCM (seamless) to the loop's length.
    phrase = os.path.join(work, f"{stream.key}-phrase.wav")
    _ffmpeg("-f", "lavfi", "-i",
            f"aevalsrc=exprs='{_music_expression(stream.key_semitones)}':s=44100:d={PHRASE_SECONDS}",
            "-i", speech,
            "-filter_complex",
            "[1]aresample=44100,adelay=1500,volume=1.6[s];"
            "[0][s]amix=inputs=2:duration=first:normalize=0,alimiter=limit=0.9",
            phrase)
    _ffmpeg("-stream_loop", str(LOOP_SECONDS // PHRASE_SECONDS - 1), "-i", phrase,
            "-ar", str(stream.rate), "-ac", str(stream.channels),
            *(["-c:a", "libmp3lame", "-f", "mp3"] if stream.audio == "mp3"
              else ["-c:a", "aac", "-f", "adts"]),
            "-b:a", f"{stream.bitrate}k", out)


def _make_clip(work, out):
    speech = os.path.join(work, "clip-speech.wav")
    _speech("Zelkor FM reklam kuşağı. Her an yanınızda.", speech)
    _ffmpeg("-f", "lavfi", "-i", "aevalsrc=exprs='0.3*sin(2*PI*880*t)*exp(-8*t)':s=44100:d=0.5",
            "-i", speech,
            "-filter_complex", "[1]aresample=44100[s];[0][s]concat=n=2:v=0:a=1",
            "-ac", "2", "-c:a", "libmp3lame", "-b:a", "128k", out)


def _make_picture(path, size, colours, caption):
    width, height = size
    _run(["convert", "-size", f"{width}x{height}", f"gradient:{colours[0]}-{colours[1]}",
          "-font", FONT, "-fill", "white", "-gravity", "center",
          "-pointsize", str(max(12, min(width, height) // 9)), "-annotate", "0", caption,
          "-quality", "88", f"jpeg:{path}"])


def artist_file(artist):
    return f"artist-{zlib.crc32(artist.encode()):08x}.jpg"


def _make_pictures(out):
    for artist, colours in content.ARTIST_COLOURS.items():
        # One artist picture is wide on purpose: the player squeezes every picture to a square.
        size = (1000, 500) if artist == "Ece Tan" else (300, 300)
        _make_picture(os.path.join(out, artist_file(artist)), size, colours, artist)
    for i, colours in enumerate(content.COVER_COLOURS):
        _make_picture(os.path.join(out, f"cover-{i}.jpg"), (400, 400), colours, f"Kapak {i + 1}")
    for i in range(1, content.ANNOUNCEMENT_PICTURES + 1):
        colours = content.COVER_COLOURS[i % len(content.COVER_COLOURS)]
        _make_picture(os.path.join(out, f"announcement-{i}.jpg"), (560, 300), colours,
                      f"Zelkor FM\nDuyuru {i}")


def _recipe_key():
    digest = hashlib.sha1(RECIPE_VERSION.encode())
    with open(content.__file__, "rb") as f:
        digest.update(f.read())
    with open(__file__, "rb") as f:
        digest.update(f.read())
    return digest.hexdigest()[:12]


def prepare(cache_root):
    """Returns the folder holding every generated file, generating it when the cache lacks it."""
    final = os.path.join(cache_root, _recipe_key())
    if os.path.isdir(final):
        return final
    os.makedirs(cache_root, exist_ok=True)
    work = tempfile.mkdtemp(prefix="making-", dir=cache_root)
    try:
        for stream in content.STREAMS:
            _make_loop(stream, work, os.path.join(work, loop_file(stream)))
        _make_clip(work, os.path.join(work, "clip.mp3"))
        _make_pictures(work)
        for name in os.listdir(work):
            if name.endswith(".wav"):
                os.remove(os.path.join(work, name))
        try:
            os.rename(work, final)
        except OSError:
            # Another station made the same folder meanwhile; its files are the same.
            pass
    finally:
        if os.path.isdir(work):
            shutil.rmtree(work)
    return final


def loop_file(stream):
    return f"loop-{stream.key}.{stream.audio}"
