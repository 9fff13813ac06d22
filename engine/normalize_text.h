#pragma once

// The way back from a unit of a text's canonical form (NormalizeText) to the
// unit of the raw text it came from, and its words read from the raw text
// itself.

#include <cstddef>
#include <utility>

#include "text_primitives.h"
#include "velmoro/fronts.h"
#include "velmoro/procedures.h"

namespace velmoro::internal {

// NormalizesToSpace, which the window's tints read too, is declared in
// velmoro/fronts.h.

// NormalizeText(s) written over out, whose memory it reuses; s must not view
// out.
void NormalizeTextInto(TextView s, Text& out);

// Where the units of a prepared text, NormalizeText(Trim(raw)) followed by one
// space, came from in raw. Asked in order: an index asked for must not be
// smaller than the one asked for before it.
class RawPlaces {
 public:
  // raw must outlive this object.
  explicit RawPlaces(TextView raw);

  // The index in raw of the unit that the prepared text's unit at index came
  // from: a letter's own unit; for a space, the first unit of the run of
  // spaces and marks it stands for; for the appended space and beyond, the
  // end of the trimmed raw text.
  [[nodiscard]] std::size_t RawIndexOf(std::size_t index);

 private:
  TextView raw_;
  std::size_t next_;       // the next raw unit to walk
  std::size_t end_;        // behind the last unit that is not a space
  std::size_t written_ = 0;  // the prepared units that the walked ones made
  std::size_t opener_ = 0;   // the raw unit that made the last of them
  bool after_space_ = false;
};

// The words of the prepared form of a raw text, read from the raw text
// itself, one after another, in the order a scan walks them.
class RawWords {
 public:
  // raw must outlive this object.
  explicit RawWords(TextView raw);

  // The place in raw of the next word: its start and its length. The empty
  // word of a text that begins with a mark comes first, at that mark.
  [[nodiscard]] std::pair<std::size_t, std::size_t> Next();

 private:
  TextView raw_;
  std::size_t next_;
  std::size_t end_;
  bool empty_word_due_;
};

}  // namespace velmoro::internal
