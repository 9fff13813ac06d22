#include "line_source.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace velmoro::cli {

namespace {

constexpr std::size_t kReadChunk = std::size_t{1} << 20;

}  // namespace

LineSource::LineSource(const std::string& path, std::string description, LineEnds ends,
                       std::size_t longestLine)
    : file_(path, std::move(description)), ends_(ends), longestLine_(longestLine) {}

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
      if (pending_.size() > longestLine_ + 1) {
        skipping_ = true;
        pending_.clear();
      }
      // Lines that are ready are not kept waiting for a slow writer.
      if (!ended_ && !chunk.lines.empty() && !exactCount && file_.NothingReady()) break;
      if (!ended_ && Fill()) continue;
      if (pending_.empty() && !skipping_) break;
      found = FindBreak(0);
      if (!found) found = Break{pending_.size(), pending_.size()};
    }
    ++lineNumber_;
    Line line{lineNumber_, chunk.bytes.size(), 0, skipping_};
    if (!skipping_) {
      const std::string_view text = std::string_view(pending_).substr(start, found->end - start);
      line.tooLong = text.size() > longestLine_;
      if (!line.tooLong) {
        line.length = text.size();
        chunk.bytes += text;
      }
    }
    skipping_ = false;
    chunk.lines.push_back(line);
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

// Reads more into pending_; false at the end of the input. Throws InputError
// at a NUL byte, which no line of text holds, so that a binary stream that
// never ends a line is refused at once.
bool LineSource::Fill() {
  const std::size_t before = pending_.size();
  pending_.resize(before + kReadChunk);
  const std::size_t count = file_.Read(pending_.data() + before, kReadChunk);
  pending_.resize(before + count);
  if (const void* nul = std::memchr(pending_.data() + before, '\0', count)) {
    const auto at = static_cast<std::size_t>(static_cast<const char*>(nul) - pending_.data());
    throw InputError(description() + ' ' + NulByteProblem(bytesRead_ + at - before));
  }
  bytesRead_ += count;
  ended_ = count == 0;
  return !ended_;
}

}  // namespace velmoro::cli
