#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints how long a Standard MIDI File plays, in milliseconds.

The length is the time of the last event of any track (normally an end-of-track),
following every tempo change. make_music.sh uses it to check that each song's
"% length-ms:" line says what the compiled file does.

    python3 tools/assets/midi_length.py FILE.mid [--events]
"""
import struct
import sys


def read_vlq(data, pos):
    value = 0
    while True:
        b = data[pos]
        pos += 1
        value = (value << 7) | (b & 0x7F)
        if not b & 0x80:
            return value, pos


def parse(path):
    data = open(path, "rb").read()
    if data[:4] != b"MThd":
        raise ValueError("not a MIDI file")
    hlen = struct.unpack(">I", data[4:8])[0]
    fmt, ntracks, division = struct.unpack(">HHH", data[8:14])
    if division & 0x8000:
        raise ValueError("SMPTE division is not used by our songs")
    pos = 8 + hlen
    events = []  # (tick, track, kind, data)
    for track in range(ntracks):
        if data[pos:pos + 4] != b"MTrk":
            raise ValueError("bad track header")
        tlen = struct.unpack(">I", data[pos + 4:pos + 8])[0]
        p, end = pos + 8, pos + 8 + tlen
        tick, status = 0, 0
        while p < end:
            delta, p = read_vlq(data, p)
            tick += delta
            b = data[p]
            if b == 0xFF:
                mtype = data[p + 1]
                mlen, p = read_vlq(data, p + 2)
                events.append((tick, track, "meta%02X" % mtype, data[p:p + mlen]))
                p += mlen
            elif b in (0xF0, 0xF7):
                slen, p = read_vlq(data, p + 1)
                events.append((tick, track, "sysex", data[p:p + slen]))
                p += slen
            else:
                if b & 0x80:
                    status = b
                    p += 1
                n = 1 if (status & 0xF0) in (0xC0, 0xD0) else 2
                events.append((tick, track, "%02X" % status, data[p:p + n]))
                p += n
        pos = end
    return fmt, division, events


def to_ms(division, events):
    """Milliseconds of every event, through the tempo map."""
    tempos = sorted((t, struct.unpack(">I", b"\0" + d)[0]) for t, _, k, d in events if k == "meta51")
    def ms(tick):
        us, last, tempo = 0.0, 0, 500000
        for t, new in tempos:
            if t >= tick:
                break
            us += (t - last) * tempo / division
            last, tempo = t, new
        return (us + (tick - last) * tempo / division) / 1000.0
    return ms


if __name__ == "__main__":
    fmt, division, events = parse(sys.argv[1])
    ms = to_ms(division, events)
    if "--events" in sys.argv:
        for t, tr, k, d in sorted(events, key=lambda e: e[0]):
            print("%8.1f ms  track %d  %s %s" % (ms(t), tr, k, d.hex()))
    last = max(t for t, _, _, _ in events)
    last_note = max((t for t, _, k, _ in events if k[0] in "89"), default=0)
    print("%d" % round(ms(last)), "(last note event at %d ms)" % round(ms(last_note)))
