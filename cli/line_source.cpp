#include "line_source.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace velmoro::cli {

namespace {

constexpr std::size_t kReadChunk = std::size_t{1} << 20;

std::optional<std::size_t> FindNul(std::string_view bytes) {
  const void* nul = std::memchr(bytes.data(), '\0', bytes.size());
  if (nul == nullptr) return std::nullopt;
  return static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data());
}

}  // namespace

std::string LineFaultProblem(const Line& line) {
  if (line.fault == LineFault::OutOfMemory) return "is too long for the memory available";
  std::string problem = NulByteProblem(line.nul_byte);
  if (line.fault == LineFault::Binary) {
    problem += "; no line break ends it, so nothing after it is read";
  }
  return problem;
}

LineSource::LineSource(const std::string& path, std::string description, LineEnds ends,
                       std::size_t longestLine)
    : file_(path, std::move(description)), ends_(ends), longest_line_(longestLine) {}

bool LineSource::Next(LineChunk& chunk, std::size_t chunkBytes, std::size_t mostLines) {
  chunk.bytes.clear();
  chunk.lines.clear();
  std::size_t start = 0;  // the unread part of pending_
  const bool exactCount = mostLines != std::numeric_limits<std::size_t>::max();
  // A line counts as at least kLineWeight bytes, so that a run of empty lines
  // fills a chunk too.
  constexpr std::size_t kLineWeight = 16;
  while (chunk.bytes.size() + chunk.lines.size() * kLineWeight < chunkBytes &&
         chunk.lines.size() < mostLines) {
    std::optional<Break> found = FindBreak(start);
    if (!found) {
      pending_.erase(0, start);
      start = 0;
      CheckUnbrokenLine();
      // Lines that are ready are not kept waiting for a slow writer.
      if (!ended_ && !chunk.lines.empty() && !exactCount && file_.NothingReady()) break;
      if (!ended_ && Fill()) continue;
      if (pending_.empty() && fault_ == LineFault::None) break;
      found = FindBreak(0);
      if (!found) found = Break{pending_.size(), pending_.size()};
    }
    AddLine(chunk, std::string_view(pending_).substr(start, found->end - start));
    start = found->next;
  }
  pending_.erase(0, start);
  return !chunk.lines.empty();
}

bool LineSource::WouldWait() const {
  return !ended_ && !FindBreak(0) && file_.NothingReady();
}

// The first line feed at or behind start, or with LineEnds::AnyBreak the first
// carriage return in front of it if there is one: each found by memchr over
// the line alone, where a search for either byte would look at each byte
// twice.
std::size_t LineSource::FirstBreakFrom(std::size_t start) const {
  const std::size_t lineFeed = pending_.find('\n', start);
  if (ends_ != LineEnds::AnyBreak) return lineFeed;
  const std::size_t end = std::min(lineFeed, pending_.size());
  const void* carriageReturn = std::memchr(pending_.data() + start, '\r', end - start);
  if (carriageReturn == nullptr) return lineFeed;
  return static_cast<std::size_t>(static_cast<const char*>(carriageReturn) - pending_.data());
}

// A "\r" at the end of what was read may begin a "\r\n": it waits for the
// next byte, or for the end.
std::optional<LineSource::Break> LineSource::FindBreak(std::size_t start) const {
  const std::size_t at = FirstBreakFrom(start);
  if (at == std::string::npos) return std::nullopt;
  if (pending_[at] == '\n') {
    const bool afterCr = ends_ == LineEnds::LineFeed && at > start && pending_[at - 1] == '\r';
    return Break{afterCr ? at - 1 : at, at + 1};
  }
  if (at + 1 < pending_.size()) return Break{at, at + (pending_[at + 1] == '\n' ? 2 : 1)};
  if (ended_) return Break{at, at + 1};
  return std::nullopt;
}

// pending_ holds the start of a line whose break is still to come. A line
// that holds a NUL byte, or grows past the longest line, is not kept: its
// bytes are dropped as they come. One that does both ends the input, which
// is binary, such as /dev/zero, and may never break a line again.
void LineSource::CheckUnbrokenLine() {
  if (!nul_byte_) {
    if (const auto nul = FindNul(std::string_view(pending_).substr(scanned_))) {
      nul_byte_ = dropped_ + scanned_ + *nul;
    }
    scanned_ = pending_.size();
  }
  if (nul_byte_ && fault_ == LineFault::None) fault_ = LineFault::NulByte;
  // One more byte for a "\r" that may belong to the line's break.
  const bool tooLong = dropped_ + pending_.size() > longest_line_ + 1;
  if (tooLong && fault_ == LineFault::None) fault_ = LineFault::TooLong;
  if (tooLong && nul_byte_) {
    fault_ = LineFault::Binary;
    ended_ = true;
    pending_.clear();
  }
  if (fault_ != LineFault::None) DropUnbrokenLine();
}

// Drops the bytes of a line that is not kept, but for a last "\r", which may
// begin the "\r\n" that ends it.
void LineSource::DropUnbrokenLine() {
  const std::size_t kept = pending_.ends_with('\r') ? 1 : 0;
  dropped_ += pending_.size() - kept;
  pending_.erase(0, pending_.size() - kept);
  scanned_ = kept;
}

void LineSource::AddLine(LineChunk& chunk, std::string_view text) {
  Line line{++line_number_, chunk.bytes.size(), 0, fault_, nul_byte_.value_or(0)};
  if (line.fault == LineFault::None) {
    const std::size_t scanned = std::min(scanned_, text.size());
    if (const auto nul = FindNul(text.substr(scanned))) {
      line.fault = LineFault::NulByte;
      line.nul_byte = scanned + *nul;
    } else if (text.size() > longest_line_) {
      line.fault = LineFault::TooLong;
    } else {
      try {
        chunk.bytes += text;
        line.length = text.size();
      } catch (const std::bad_alloc&) {
        line.fault = LineFault::OutOfMemory;
      }
    }
  }
  chunk.lines.push_back(line);
  fault_ = LineFault::None;
  nul_byte_.reset();
  dropped_ = 0;
  scanned_ = 0;
}

// Reads more into pending_; false at the end of the input. When the line
// read so far outgrows the memory left, it is not kept: its bytes are given
// back, and the reading goes on to its end.
bool LineSource::Fill() {
  try {
    pending_.resize(pending_.size() + kReadChunk);
  } catch (const std::bad_alloc&) {
    if (fault_ == LineFault::None) fault_ = LineFault::OutOfMemory;
    DropUnbrokenLine();
    pending_.shrink_to_fit();
    pending_.resize(pending_.size() + kReadChunk);
  }
  const std::size_t before = pending_.size() - kReadChunk;
  const std::size_t count = file_.Read(pending_.data() + before, kReadChunk);
  pending_.resize(before + count);
  ended_ = count == 0;
  return !ended_;
}

}  // namespace velmoro::cli
