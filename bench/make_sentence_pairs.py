#!/usr/bin/env python3
"""Writes seeded pairs of twelve-word English-like sentences as JSON Lines,
{"text1": ..., "text2": ..., "id": n}, the second sentence made from the first
by swapping, replacing and dropping a few words, as hypothesis and reference
sentences differ. With SENTENCES above 1 each text is a paragraph of that many
such sentences.

Usage: make_sentence_pairs.py COUNT [SEED [SENTENCES]] > pairs.jsonl
"""
import json
import random
import sys

WORDS = """the a of and to in is was he she it that for on with as his her they at by
this had not are but from or have an which one you were all we when there can
been has more if no out so what up said about into than them only other time new
some could these two may first then do any like my now over such our man me even
most made after also did many before must through back years where much your way
well down should because each just those people how too little state good very
make world still own see men work long get here between both life being under
never day same another know while last might us great old year off come since
against go came right used take three river mill bag red blue lake packs walks
runs garden book letter kitchen lunch tea quiet short anna tom reads""".split()


def sentence(rng):
    words = [rng.choice(WORDS) for _ in range(12)]
    words[0] = words[0].capitalize()
    return " ".join(words) + rng.choice([".", "", "!", "?"])


def variant(rng, text):
    words = text.rstrip(".!?").split()
    for _ in range(rng.randint(1, 4)):
        change = rng.random()
        at = rng.randrange(len(words))
        if change < 0.4:
            words[at] = rng.choice(WORDS)
        elif change < 0.7 and len(words) > 6:
            del words[at]
        else:
            other = rng.randrange(len(words))
            words[at], words[other] = words[other], words[at]
    return " ".join(words) + rng.choice([".", ""])


def main():
    count = int(sys.argv[1])
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 1)
    sentences = int(sys.argv[3]) if len(sys.argv) > 3 else 1
    out = sys.stdout
    for n in range(count):
        pair = [sentence(rng) for _ in range(sentences)]
        text1 = " ".join(pair)
        text2 = " ".join(variant(rng, one) for one in pair)
        out.write(json.dumps({"text1": text1, "text2": text2, "id": n}) + "\n")


if __name__ == "__main__":
    main()
