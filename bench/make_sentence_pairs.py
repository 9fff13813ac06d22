#!/usr/bin/env python3
"""Writes seeded sentence pairs as JSON Lines, {"text1": ..., "text2": ..., "id": n},
or with --tsv as text1, a tab and text2 on each line.

By default each text is twelve English-like words, the second made from the
first by swapping, replacing and dropping a few words, as hypothesis and
reference sentences differ; with SENTENCES above 1 each text is a paragraph of
that many such sentences.

With --licences the first text is a real sentence of 10 to 40 words from the
licence texts under /usr/share/common-licenses, and with --words N it is N
words of those texts read on from a sentence's start; the second is a copy
with a few word edits each twenty words: a word replaced, deleted, inserted,
two words swapped, a stretch of words moved, a word's case changed.

Usage: make_sentence_pairs.py COUNT [SEED [SENTENCES]] [--licences] [--words N]
           [--tsv] > pairs.jsonl
"""
import argparse
import json
import os
import random
import re
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

LICENCES = "/usr/share/common-licenses"
SHORTEST, LONGEST = 10, 40


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


def licence_words():
    """The words of every licence text once (links share a file), in file order,
    and the indices where a sentence starts."""
    words, starts = [], []
    for path in sorted({os.path.realpath(entry.path) for entry in os.scandir(LICENCES)}):
        with open(path, encoding="utf-8", errors="replace") as text:
            for piece in re.split(r"(?<=[.!?])\s+", text.read()):
                starts.append(len(words))
                words.extend(piece.split())
    return words, starts


def edited(rng, words, vocabulary):
    words = list(words)
    for _ in range(sum(rng.randint(1, 4) for _ in range(max(1, len(words) // 20)))):
        at = rng.randrange(len(words))
        change = rng.randrange(6)
        if change == 0:
            words[at] = rng.choice(vocabulary)
        elif change == 1 and len(words) > 2:
            del words[at]
        elif change == 2:
            words.insert(at, rng.choice(vocabulary))
        elif change == 3:
            other = rng.randrange(len(words))
            words[at], words[other] = words[other], words[at]
        elif change == 4:
            stretch = words[at:at + rng.randint(2, 5)]
            del words[at:at + len(stretch)]
            place = rng.randrange(len(words) + 1)
            words[place:place] = stretch
        else:
            word = words[at]
            words[at] = word.lower() if word != word.lower() else word.capitalize()
    return words


def licence_texts(rng, count, length):
    """count texts: whole sentences of SHORTEST to LONGEST words, or with a
    length that many words from a sentence's start on."""
    words, starts = licence_words()
    if length:
        starts = [start for start in starts if start + length <= len(words)]
        return words, [words[start:start + length] for start in (rng.choice(starts) for _ in range(count))]
    ends = starts[1:] + [len(words)]
    sentences = [words[start:end] for start, end in zip(starts, ends) if SHORTEST <= end - start <= LONGEST]
    return words, [rng.choice(sentences) for _ in range(count)]


def pairs(args, rng):
    if not args.licences:
        for _ in range(args.count):
            pair = [sentence(rng) for _ in range(args.sentences)]
            yield " ".join(pair), " ".join(variant(rng, one) for one in pair)
        return
    vocabulary, texts = licence_texts(rng, args.count, args.words)
    for text in texts:
        yield " ".join(text), " ".join(edited(rng, text, vocabulary))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("count", type=int)
    parser.add_argument("seed", type=int, nargs="?", default=1)
    parser.add_argument("sentences", type=int, nargs="?", default=1)
    parser.add_argument("--licences", action="store_true")
    parser.add_argument("--words", type=int, default=0)
    parser.add_argument("--tsv", action="store_true")
    args = parser.parse_args()
    args.licences = args.licences or args.words > 0
    rng = random.Random(args.seed)
    out = sys.stdout
    for n, (text1, text2) in enumerate(pairs(args, rng)):
        if args.tsv:
            out.write(f"{text1}\t{text2}\n")
        else:
            out.write(json.dumps({"text1": text1, "text2": text2, "id": n}) + "\n")


if __name__ == "__main__":
    main()
