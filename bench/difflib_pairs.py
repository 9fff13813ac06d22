#!/usr/bin/env python3
"""The peer of velmoro-cli --batch: a Python loop of json.loads, difflib's
SequenceMatcher ratio over the words, and json.dumps, over the same JSON Lines,
writing one record a line.

Usage: difflib_pairs.py IN.jsonl OUT.jsonl
"""
import difflib
import json
import sys


def main():
    with open(sys.argv[1], encoding="utf-8") as source, open(sys.argv[2], "w") as out:
        for line in source:
            pair = json.loads(line)
            ratio = difflib.SequenceMatcher(None, pair["text1"].split(), pair["text2"].split()).ratio()
            out.write(json.dumps({"id": pair.get("id"), "ratio": ratio}) + "\n")


if __name__ == "__main__":
    main()
