# The European anthem (Beethoven's "Ode to Joy" melody) as a Standard MIDI File:
# trumpet tune over string chords and a bass line, in D major.
"""Writes the anthem as a type-0 MIDI file; the data tables are checked by hand against the tune."""

import struct

TEMPO_BPM = 132
TICKS = 480  # per quarter note

# Note names to MIDI numbers (C4 = 60).
_STEPS = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def note_number(name):
    step = _STEPS[name[0]]
    sharp = 1 if name[1] == "#" else 0
    octave = int(name[1 + sharp:])
    return 12 * (octave + 1) + step + sharp


# The tune, bar by bar: (note, beats). Four phrases of four bars, A A' B A'.
_A = [("F#5", 1), ("F#5", 1), ("G5", 1), ("A5", 1),
      ("A5", 1), ("G5", 1), ("F#5", 1), ("E5", 1),
      ("D5", 1), ("D5", 1), ("E5", 1), ("F#5", 1)]
_END_OPEN = [("F#5", 1.5), ("E5", 0.5), ("E5", 2)]
_END_CLOSED = [("E5", 1.5), ("D5", 0.5), ("D5", 2)]
_B = [("E5", 1), ("E5", 1), ("F#5", 1), ("D5", 1),
      ("E5", 1), ("F#5", 0.5), ("G5", 0.5), ("F#5", 1), ("D5", 1),
      ("E5", 1), ("F#5", 0.5), ("G5", 0.5), ("F#5", 1), ("E5", 1),
      ("D5", 1), ("E5", 1), ("A4", 2)]
MELODY = _A + _END_OPEN + _A + _END_CLOSED + _B + _A + _END_CLOSED[:-1] + [("D5", 4)]

# One chord per half bar (two beats); the last bar holds the tonic for an extra two beats.
_CHORDS_A = ["D", "D", "D", "A", "D", "D", "D", "A"]
_CHORDS_A_CLOSED = ["D", "D", "D", "A", "D", "D", "A", "D"]
_CHORDS_B = ["A", "D", "A", "D", "A", "Bm", "E", "A"]
CHORDS = _CHORDS_A + _CHORDS_A_CLOSED + _CHORDS_B + _CHORDS_A_CLOSED + ["D"]
_VOICING = {"D": ("D4", "F#4", "A4"), "A": ("C#4", "E4", "A4"),
            "Bm": ("D4", "F#4", "B4"), "E": ("B3", "E4", "G#4")}
_BASS = {"D": "D3", "A": "A2", "Bm": "B2", "E": "E2"}

# (channel, General MIDI program, volume, velocity)
MELODY_PART = (0, 56, 110, 100)  # Trumpet
CHORD_PART = (1, 48, 80, 64)     # String Ensemble 1
BASS_PART = (2, 32, 90, 80)      # Acoustic Bass


def _notes():
    """All notes as (start tick, end tick, channel, key, velocity)."""
    notes = []
    tick = 0
    for name, beats in MELODY:
        length = int(beats * TICKS)
        # A short gap between repeated notes so each is heard anew.
        notes.append((tick, tick + length - TICKS // 16, MELODY_PART[0], note_number(name),
                      MELODY_PART[3]))
        tick += length
    melody_end = tick
    tick = 0
    for i, chord in enumerate(CHORDS):
        length = 2 * TICKS if i < len(CHORDS) - 1 else melody_end - tick
        for name in _VOICING[chord]:
            notes.append((tick, tick + length, CHORD_PART[0], note_number(name), CHORD_PART[3]))
        notes.append((tick, tick + length, BASS_PART[0], note_number(_BASS[chord]), BASS_PART[3]))
        tick += length
    if tick != melody_end:
        raise ValueError("chords and melody differ in length: %d vs %d ticks" % (tick, melody_end))
    return notes


def _varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, (value & 0x7F) | 0x80)
        value >>= 7
    return bytes(out)


def midi_bytes():
    events = []  # (tick, order, bytes): note-offs sort before note-ons at the same tick
    usec = 60_000_000 // TEMPO_BPM
    events.append((0, 0, b"\xff\x51\x03" + usec.to_bytes(3, "big")))
    for channel, program, volume, _ in (MELODY_PART, CHORD_PART, BASS_PART):
        events.append((0, 0, bytes([0xC0 | channel, program])))
        events.append((0, 0, bytes([0xB0 | channel, 7, volume])))
    for start, end, channel, key, velocity in _notes():
        events.append((start, 2, bytes([0x90 | channel, key, velocity])))
        events.append((end, 1, bytes([0x80 | channel, key, 0])))
    events.sort(key=lambda e: (e[0], e[1]))
    track = bytearray()
    now = 0
    for tick, _, data in events:
        track += _varlen(tick - now) + data
        now = tick
    # Let the last chord ring for a beat before the track ends.
    track += _varlen(TICKS) + b"\xff\x2f\x00"
    header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, TICKS)
    return header + b"MTrk" + struct.pack(">I", len(track)) + bytes(track)


def length_seconds():
    beats = sum(b for _, b in MELODY)
    return beats * 60.0 / TEMPO_BPM


if __name__ == "__main__":
    import sys
    with open(sys.argv[1], "wb") as f:
        f.write(midi_bytes())
