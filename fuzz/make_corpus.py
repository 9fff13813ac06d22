#!/usr/bin/env python3
"""Writes the fuzzer's seed corpus into corpus/ beside this script.

Each file is one input as the fuzz target reads it: two bytes, little-endian,
giving the number of 16-bit units of the first text, then both texts as
UTF-16 little-endian units (lone surrogates included as they are).
"""

import json
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent
SAMPLE = json.loads((HERE.parent / "tests/fixtures/sample_pair.json").read_text(encoding="utf-8"))
SEEDS = {
    "sample_pair_a": (SAMPLE["text1"], SAMPLE["text2"]),
    "repeated_phrase": ("a b a b", "a b a b"),
    "to_be": ("to be or not to be", "to be or not"),
    "repeat_against_one_word": ("bb a bb", "a"),
    "punctuation_only": ("...", ",;:?!-*"),
    "leading_punctuation": ("-- yes", "yes no"),
    "line_breaks_and_tabs": ("a\r\nb c\td\r\n", "A b\r\nc d\t"),
    "non_bmp": ("\U00010400 word \U0001F600 end", "\U00010428 WORD end \U0001F600"),
    "non_ascii": ("Caf\u00e9 \u00d6l stra\u00dfe \u1e9e", "caf\u00e9 \u00f6L STRASSE"),
    "lone_surrogates": ("a \ud800 b \udc00", "\udc00 a b \ud800"),
    "x_y": ("x", "y"),
    "scar_car": ("scar", "car"),
    "empty_text1": ("", "hello world"),
}


def encode(text1: str, text2: str) -> bytes:
    units1 = text1.encode("utf-16-le", "surrogatepass")
    units2 = text2.encode("utf-16-le", "surrogatepass")
    return struct.pack("<H", len(units1) // 2) + units1 + units2


def main() -> None:
    corpus = HERE / "corpus"
    corpus.mkdir(exist_ok=True)
    for name, (text1, text2) in SEEDS.items():
        (corpus / name).write_bytes(encode(text1, text2))


if __name__ == "__main__":
    main()
