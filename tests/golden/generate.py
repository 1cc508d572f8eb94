"""Regenerates the golden test data in tests/golden/data:

    python3 tests/golden/generate.py [output folder]

images.py builds the preset, bank and chunk images from the format tables;
engine.py renders the engine samples with its own model of the engine."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import engine  # noqa: E402
import images  # noqa: E402

out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")
os.makedirs(out, exist_ok=True)
for name, data in sorted({**images.files(), **engine.files()}.items()):
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
    print("%-34s %6d bytes" % (name, len(data)))
