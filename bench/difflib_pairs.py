#!/usr/bin/env python3
"""The peers of velmoro-cli --batch: a Python loop of json.loads, a ratio of
the two texts and json.dumps, over the same JSON Lines, writing one record a
line. The ratio is difflib's SequenceMatcher over the words (the default),
Levenshtein.ratio (python3-levenshtein) or jellyfish's Jaro-Winkler
similarity (python3-jellyfish).

Usage: difflib_pairs.py IN.jsonl OUT.jsonl [difflib|levenshtein|jaro-winkler]
"""
import difflib
import json
import sys
import warnings


def ratio_of(name):
    if name == "levenshtein":
        import Levenshtein
        return Levenshtein.ratio
    if name == "jaro-winkler":
        import jellyfish
        # Its C extension warns of its own argument parsing at every call.
        warnings.simplefilter("ignore", DeprecationWarning)
        return jellyfish.jaro_winkler_similarity
    return lambda a, b: difflib.SequenceMatcher(None, a.split(), b.split()).ratio()


def main():
    ratio = ratio_of(sys.argv[3] if len(sys.argv) > 3 else "difflib")
    with open(sys.argv[1], encoding="utf-8") as source, open(sys.argv[2], "w") as out:
        for line in source:
            pair = json.loads(line)
            out.write(json.dumps({"id": pair.get("id"), "ratio": ratio(pair["text1"], pair["text2"])}) + "\n")


if __name__ == "__main__":
    main()
