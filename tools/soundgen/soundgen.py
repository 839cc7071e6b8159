#!/usr/bin/env python3
# Makes the 31 recordings of assets/Europa: festival speaks the prompts and the praise,
# fluidsynth plays the anthem from a MIDI file written here, sox finishes every file.
"""Usage: tools/soundgen/soundgen.py [output folder]   (default: assets/Europa)

Needs the Debian packages festival festvox-italp16k fluidsynth fluid-soundfont-gm sox.
Running it twice gives byte-identical files."""

import array
import os
import re
import shutil
import subprocess
import sys
import tempfile
import wave

import anthem

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
CATALOGUE = os.path.join(ROOT, "engine", "catalogo.h")
SOUNDFONT = "/usr/share/sounds/sf2/FluidR3_GM.sf2"
TOOLS = {"festival": "festival festvox-italp16k", "fluidsynth": "fluidsynth fluid-soundfont-gm",
         "sox": "sox"}

RATE = 22050          # one sample rate for every file
PEAK_DB = -1.0        # normalised peak
LEAD_PAD = 0.02       # seconds of silence kept before the first sound
TAIL_PAD = 0.40       # seconds of silence after the last: the player drops the last ~130 ms
PRAISE_TEXT = "Esatto!"

VOICE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "voice.scm")


def catalogue_rows():
    """(prompt, sound file) for each of the 29 rows of the game's own catalogue."""
    row = re.compile(r'\{\s*\d+,\s*"[^"]*",\s*"([^"]*)",\s*"([^"]*\.wav)",\s*(?:true|false)\}')
    with open(CATALOGUE, encoding="utf-8") as f:
        rows = row.findall(f.read())
    if len(rows) != 29:
        sys.exit("soundgen: expected 29 rows in %s, found %d" % (CATALOGUE, len(rows)))
    return rows


def scheme_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def run(cmd, **kw):
    subprocess.run(cmd, check=True, **kw)


def speak(items, work):
    """items: (text, raw wav path, cheerful); festival reads its script as Latin-1."""
    lines = ["(load %s)" % scheme_string(VOICE)]
    for text, path, cheerful in items:
        verb = "say_cheerful" if cheerful else "say"
        lines.append("(%s %s %s)" % (verb, scheme_string(text), scheme_string(path)))
    script = os.path.join(work, "speak.scm")
    with open(script, "w", encoding="latin-1") as f:
        f.write("\n".join(lines) + "\n")
    run(["festival", "-b", script])
    for text, path, _ in items:
        with wave.open(path, "rb") as w:
            peak = max(map(abs, array.array("h", w.readframes(w.getnframes()))))
        if peak >= 32000:
            sys.exit("soundgen: %r reached full scale in festival; lower soundgen_gain" % text)


def finish(source, target, trim_db):
    """Mono, RATE, 16-bit, peak at PEAK_DB, silence trimmed to LEAD_PAD / TAIL_PAD.

    sox trims the end by working on the reversed sound; the short fades keep the cuts
    from clicking."""
    trim = ["silence", "1", "0.005", "%dd" % trim_db]
    run(["sox", "-R", "-D", "-G", source, "-b", "16", "-e", "signed-integer", "-c", "1",
         "-t", "wavpcm", target, "remix", "-", "norm", "-3"] + trim +
        ["reverse"] + trim + ["fade", "h", "0.03", "reverse", "fade", "h", "0.003",
         "rate", "-v", str(RATE), "norm", str(PEAK_DB), "pad", str(LEAD_PAD), str(TAIL_PAD)])


def check_tools():
    missing = [pkg for tool, pkg in TOOLS.items() if shutil.which(tool) is None]
    if not os.path.exists(SOUNDFONT):
        missing.append("fluid-soundfont-gm")
    if missing:
        sys.exit("soundgen: install the Debian packages: " + " ".join(missing))


def main():
    out = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.join(ROOT, "assets", "Europa")
    check_tools()
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix="soundgen-") as work:
        speech = catalogue_rows()
        speech.append((PRAISE_TEXT, "esatto.wav"))
        raw = [(text, os.path.join(work, "raw-%02d.wav" % i), text == PRAISE_TEXT)
               for i, (text, _) in enumerate(speech)]
        speak(raw, work)
        for (_, name), (_, path, _) in zip(speech, raw):
            finish(path, os.path.join(out, name), -45)

        midi = os.path.join(work, "inno.mid")
        with open(midi, "wb") as f:
            f.write(anthem.midi_bytes())
        played = os.path.join(work, "inno-raw.wav")
        run(["fluidsynth", "-ni", "-q", "-F", played, "-T", "wav", "-r", "44100", "-g", "0.5",
             SOUNDFONT, midi], stdout=subprocess.DEVNULL)
        finish(played, os.path.join(out, "inno.wav"), -60)

    total = sum(os.path.getsize(os.path.join(out, n)) for _, n in speech) + \
        os.path.getsize(os.path.join(out, "inno.wav"))
    print("soundgen: %d files, %.2f MB in %s" % (len(speech) + 1, total / 1e6, out))


if __name__ == "__main__":
    main()
