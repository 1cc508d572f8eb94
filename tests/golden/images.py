"""Golden preset, bank and state-chunk images, built byte by byte from the
format tables (header, record and chunk layouts), without the plug-in's own
writer or reader. Run through generate.py; see README.md for the contents."""

import struct

UNIQUE_ID = 0x4B765264  # 'KvRd'
IMAGE_VERSION = 0x01000000
CHUNK_MARKER = 0x02000000
OLD_CHUNK_MARKER = 0x01000000
PRESETS = 48
SLOTS = 16
STORED = [0, 1, 2, 4, 5, 6, 8, 9, 10, 11, 12, 13]  # slots 3, 7, 14, 15 are placeholders
PLACEHOLDER_DEFAULTS = {3: 0.0, 7: 0.0, 14: 0.5, 15: 0.5}

# Factory table: name, then the values of slots 0, 1, 2, 4, 5, 6, 8, 9, 10, 11, 12, 13.
FACTORY = [
    ("Default", 1, 0.5, 0.5, 0, 0.5, 0.5, 0.625, 0.5, 0.375, 1, 0, 0.75),
    ("Soft Comp", 1, 0.5, 0.5, 0, 0.5, 0.25, 0.6875, 0.5, 0.3125, 1, 0, 1),
    ("Density", 1, 0.375, 0.25, 1, 0.5, 0.5, 0.625, 0.5, 0.34375, 1, 0, 1),
    ("Smooth Vocal", 1, 0.75, 0.625, 0, 0.5, 0.0625, 0.125, 0.5, 0.375, 1, 0, 1),
    ("Vocal Fast", 1, 0.375, 0.625, 0, 0.5, 0.5625, 0.65625, 0.5, 0.375, 1, 0, 1),
    ("Vocal Slow", 1, 0.75, 0.75, 0, 0.5, 0.5, 0.4375, 0.5, 0.375, 1, 0, 1),
    ("Snare Power", 1, 0.375, 0.375, 0, 0.5, 0.75, 0.5, 0.5, 0.375, 1, 0, 1),
    ("Drum Group", 1, 0.75, 0.625, 1, 0.625, 1, 0.375, 0.5, 0.375, 1, 0, 1),
    ("Power of Blend", 1, 0.25, 0.25, 1, 1, 1, 0.375, 0.5, 0.375, 1, 1, 0.75),
    ("N.Y. Drums", 1, 0.25, 0.375, 0, 0.5, 0.75, 0.5, 0.5, 0.375, 1, 1, 0.5),
    ("Fast Limit", 1, 0.125, 0.5, 0, 0.5, 1, 0.5625, 0.5, 0.4375, 1, 0, 1),
    ("Slow Limit", 1, 0.25, 0.75, 0, 0.5, 1, 0.625, 0.5, 0.40625, 1, 0, 1),
    ("Clean Strat", 1, 1, 0.75, 0, 0.5, 0.5, 0.5, 0.5, 0.375, 1, 0, 1),
    ("Strong Bass", 1, 0.75, 0.375, 0, 0.5, 0.75, 0.375, 0.5, 0.4375, 1, 0, 1),
    ("Master Track", 1, 0.25, 0.5, 1, 1, 0.75, 0.625, 0.5, 0.375, 1, 1, 0.75),
    ("Squeezer", 1, 0.25, 0.125, 1, 1, 1, 0.375, 0.5, 0.4375, 0, 0, 1),
    ("Destructor", 1, 0, 0, 0, 0.5, 1, 0.5, 0.5, 0.5, 0, 0, 1),
    ("Magnetizer", 1, 0.5, 0.5, 0, 0.5, 0, 0.75, 0.5, 0.25, 1, 0, 1),
] + [("Init", 1, 0.5, 0.5, 0, 0.5, 0.5, 0.625, 0.5, 0.375, 1, 0, 1)] * 30


class Preset:
    """One preset: 24 raw name bytes and sixteen values."""

    def __init__(self, name, values):
        self.name = name.ljust(24, b"\0") if len(name) < 24 else name[:24]
        self.values = list(values)

    def copy(self):
        return Preset(self.name, self.values)


def preset_from_row(row):
    values = [0.0] * SLOTS
    for slot, value in zip(STORED, row[1:]):
        values[slot] = float(value)
    for slot, value in PLACEHOLDER_DEFAULTS.items():
        values[slot] = value
    return Preset(row[0].encode(), values)


def factory_table():
    return [preset_from_row(row) for row in FACTORY]


def golden_value(seed, slot):
    """A distinct value k/256 (exact in float) for each preset seed and slot."""
    return ((37 * seed + 11 * slot + 5) % 257) / 256.0


def golden_values(seed, power=None, placeholder=0.875):
    values = [golden_value(seed, s) for s in range(SLOTS)]
    for slot in PLACEHOLDER_DEFAULTS:
        values[slot] = placeholder
    if power is not None:
        values[0] = power
    return values


def golden_name(p):
    special = {
        5: b"Odd\0after NUL",  # bytes after the terminator travel raw
        6: b"Caf\xe9 \xa9 8-bit",  # 8-bit name bytes
        47: b"ABCDEFGHIJKLMNOPQRSTUVWX",  # 24 characters, no terminator
    }
    return special.get(p, b"Golden %02d" % p)


def golden_bank():
    """The bank the reading goldens carry: distinct names and values, Power 0.25
    everywhere (selecting a preset sets Power in every preset), preset 29 selected."""
    return [Preset(golden_name(p), golden_values(p, power=0.25)) for p in range(PRESETS)], 29


class Writer:
    """Appends 32-bit words and floats in one byte order."""

    def __init__(self, big_endian):
        self.order = ">" if big_endian else "<"
        self.data = bytearray()

    def word(self, v):
        self.data += struct.pack(self.order + "i", v)

    def float(self, v):
        self.data += struct.pack(self.order + "f", v)

    def raw(self, b):
        self.data += b


def image_header(w, kind, records, selected, payload):
    w.word(UNIQUE_ID)
    w.raw(bytes([kind]))
    w.word(IMAGE_VERSION)
    w.word(SLOTS)
    w.word(records)
    w.word(selected)
    w.word(payload)
    for _ in range(4):
        w.word(0)


def preset_records(w, preset, number):
    w.word(0)  # name record
    w.word(156)
    w.word(number)
    w.raw(preset.name)
    w.raw(bytes(132))
    for slot in STORED:
        w.word(1)  # parameter record
        w.word(20)
        w.word(number)
        w.word(slot)
        w.word(0)
        w.word(0)
        w.float(preset.values[slot])
        w.word(0)


PRESET_PAYLOAD = 168 + 32 * len(STORED)


def bank_image(presets, selected, big_endian):
    w = Writer(big_endian)
    image_header(w, 0x38, PRESETS * (1 + len(STORED)), selected, PRESETS * PRESET_PAYLOAD)
    for p, preset in enumerate(presets):
        preset_records(w, preset, p)
    assert len(w.data) == 26537
    return bytes(w.data)


def preset_image(preset, big_endian):
    w = Writer(big_endian)
    image_header(w, 0x22, 1 + len(STORED), 0, PRESET_PAYLOAD)
    preset_records(w, preset, 0)
    assert len(w.data) == 593
    return bytes(w.data)


def chunk(presets, selected, big_endian):
    w = Writer(big_endian)
    w.word(CHUNK_MARKER)
    w.word(UNIQUE_ID)
    w.raw(bank_image(presets, selected, big_endian))
    return bytes(w.data)


def old_chunk(presets, selected, floats, big_endian, trailing=0):
    w = Writer(big_endian)
    w.word(OLD_CHUNK_MARKER)
    w.word(UNIQUE_ID)
    w.word(len(presets))
    w.word(selected)
    for unused in (1, 2, 3, 4):  # ignored by readers
        w.word(unused)
    for preset in presets:
        w.raw(preset.name)
        for j in range(floats):
            w.float(preset.values[j])
    w.raw(bytes(trailing))
    return bytes(w.data)


def old_preset_file(preset, big_endian):
    w = Writer(big_endian)
    w.word(UNIQUE_ID)
    w.raw(b"\x21")
    w.raw(preset.name)
    for v in preset.values:
        w.float(v)
    assert len(w.data) == 93
    return bytes(w.data)


def old_bank_file(presets, big_endian):
    w = Writer(big_endian)
    w.word(UNIQUE_ID)
    w.raw(b"\x37")
    for preset in presets:
        w.raw(preset.name)
        for v in preset.values:
            w.float(v)
    assert len(w.data) == 5 + 48 * 88
    return bytes(w.data)


def select(table, n):
    """Selecting preset n pushes its Power into every preset."""
    for preset in table:
        preset.values[0] = table[n].values[0]
    return table


def load_old_chunk(table, presets, floats):
    """What reading an old chunk does to the table: each preset read is reset to
    the default record (factory preset 0), then takes its name and the values of
    the non-placeholder slots it carries."""
    default = factory_table()[0]
    for i, preset in enumerate(presets[:PRESETS]):
        loaded = default.copy()
        loaded.name = preset.name
        for j in range(min(floats, SLOTS)):
            if j not in PLACEHOLDER_DEFAULTS:
                loaded.values[j] = preset.values[j]
        table[i] = loaded
    return table


def f32(v):
    return struct.unpack("<f", struct.pack("<f", v))[0]


def files():
    """Every golden image by file name."""
    out = {}
    bank, selected = golden_bank()
    for order, big in (("le", False), ("be", True)):
        out["chunk_%s.bin" % order] = chunk(bank, selected, big)
        out["chunk_old_%s.bin" % order] = old_chunk(bank, selected, 16, big)
        out["bank_%s.zlb" % order] = bank_image(bank, selected, big)

    # Old chunk of 4 presets of 12 values (slots 0 to 11), preset 2 selected, with
    # 8 trailing bytes: the stride (328 - 32) / 4 = 74 rounds down to 24 + 4 * 12 = 72.
    short = [Preset(b"Short %d" % i, golden_values(200 + i)) for i in range(4)]
    for order, big in (("le", False), ("be", True)):
        out["chunk_old_short_%s.bin" % order] = old_chunk(short, 2, 12, big, trailing=8)
    after_short = select(load_old_chunk(factory_table(), short, 12), 2)
    out["chunk_old_short_loaded_le.bin"] = chunk(after_short, 2, False)

    # Factory state after the host's edits of preset 0 (see the chunk test).
    written = factory_table()
    written[0].name = b"Written Glue".ljust(24, b"\0")
    written[0].values[8] = 0.8125
    written[0].values[1] = f32(0.1)
    written[0].values[12] = 1.0
    written[0].values[13] = 1.0  # set as 1.5, stored clamped
    out["chunk_written_le.bin"] = chunk(written, 0, False)

    single = Preset(b"Golden Preset", golden_values(40, power=1.0))
    old_single = Preset(b"Old Golden Preset", golden_values(41))
    old_bank = [Preset(b"Old %02d" % p, golden_values(100 + p)) for p in range(PRESETS)]
    for order, big in (("le", False), ("be", True)):
        out["preset_%s.zel" % order] = preset_image(single, big)
        out["old_preset_%s.zel" % order] = old_preset_file(old_single, big)
        out["old_bank_%s.zlb" % order] = old_bank_file(old_bank, big)
    return out
