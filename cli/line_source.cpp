#include "line_source.h"

#include <utility>

namespace velmoro::cli {

namespace {

constexpr std::size_t kReadChunk = std::size_t{1} << 20;

}  // namespace

LineSource::LineSource(const std::string& path, std::string description,
                       std::size_t longestLine, std::size_t padding)
    : file_(path, std::move(description)), longestLine_(longestLine), padding_(padding) {}

bool LineSource::Next(LineChunk& chunk, std::size_t chunkBytes, std::size_t mostLines) {
  chunk.bytes.clear();
  chunk.lines.clear();
  std::size_t start = 0;  // the unread part of pending_
  // A line counts as at least kLineWeight bytes, so that a run of empty lines
  // fills a chunk too.
  constexpr std::size_t kLineWeight = 16;
  while (chunk.bytes.size() + chunk.lines.size() * kLineWeight < chunkBytes &&
         chunk.lines.size() < mostLines) {
    const std::size_t newline = pending_.find('\n', start);
    if (newline == std::string::npos) {
      pending_.erase(0, start);
      start = 0;
      if (pending_.size() > longestLine_ + 1) {
        skipping_ = true;
        pending_.clear();
      }
      if (!ended_ && Fill()) continue;
      if (pending_.empty() && !skipping_) break;
    }
    const std::size_t end = newline == std::string::npos ? pending_.size() : newline;
    ++lineNumber_;
    Line line{lineNumber_, chunk.bytes.size(), 0, skipping_};
    if (!skipping_) {
      std::string_view text = std::string_view(pending_).substr(start, end - start);
      if (text.ends_with('\r')) text.remove_suffix(1);
      line.tooLong = text.size() > longestLine_;
      if (!line.tooLong) {
        line.length = text.size();
        chunk.bytes += text;
      }
    }
    skipping_ = false;
    chunk.lines.push_back(line);
    start = newline == std::string::npos ? pending_.size() : newline + 1;
  }
  pending_.erase(0, start);
  chunk.bytes.append(padding_, '\0');
  return !chunk.lines.empty();
}

// Reads more into pending_; false at the end of the input.
bool LineSource::Fill() {
  const std::size_t before = pending_.size();
  pending_.resize(before + kReadChunk);
  const std::size_t count = file_.Read(pending_.data() + before, kReadChunk);
  pending_.resize(before + count);
  ended_ = count == 0;
  return !ended_;
}

}  // namespace velmoro::cli
