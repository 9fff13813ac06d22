#pragma once

// Where the words of a source text, and every prefix of them, first and last
// start in a target text. One Aho-Corasick pass over the target answers them
// all, in time linear in the two texts whatever they hold; it is built only
// when answering word by word with direct searches has become costly.

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "prepared_text.h"
#include "text_primitives.h"

namespace velmoro::internal {

// The 0-based starts of the first and last occurrence of a word in a text.
struct Occurrences {
  static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
  std::size_t first = kNone;
  std::size_t last = kNone;
  [[nodiscard]] bool found() const { return first != kNone; }
};

class WordAutomaton {
 public:
  // The automaton of the source's words, already run over target; source must
  // outlive it.
  WordAutomaton(const PreparedText& source, TextView target);

  // The occurrences of word in the target; nullopt when word is neither a word
  // of the source nor a prefix of one, which the automaton knows nothing of.
  // A view of the source's own text is answered without a walk through the
  // trie.
  [[nodiscard]] std::optional<Occurrences> Find(TextView word) const;

 private:
  using Node = std::uint32_t;
  static constexpr Node kRoot = 0;
  static constexpr Node kNoNode = std::numeric_limits<Node>::max();

  [[nodiscard]] Node NodeOf(TextView word) const;
  [[nodiscard]] Node Child(Node node, char16_t unit) const;
  void AddChild(Node node, char16_t unit, Node child);
  // The node reached from node by unit, falling back along failure links.
  [[nodiscard]] Node Step(Node node, char16_t unit) const;

  void BuildTrie(const PreparedText& source);
  [[nodiscard]] std::vector<Node> BreadthFirstOrder() const;
  void LinkFailures(const std::vector<Node>& breadthFirst);
  void Scan(TextView target);
  void SpreadToSuffixes(const std::vector<Node>& breadthFirst);

  // A trie edge; a free slot has no child. Key and child side by side cost
  // one memory access per probe.
  struct Edge {
    Node node = kNoNode;
    Node child = kNoNode;
    char16_t unit = u'\0';
  };
  void PlaceEdge(const Edge& edge);
  void ResizeEdges(std::size_t slots);

  // Trie edges in one open-addressed table keyed by node and unit; the root's
  // edges by ASCII units, where a scan steps most often, also in a plain array.
  std::vector<Edge> edges_;
  std::size_t edge_count_ = 0;
  static constexpr std::size_t kAsciiUnits = 128;
  std::array<Node, kAsciiUnits> ascii_root_children_{};
  std::size_t edge_mask_ = 0;
  int edge_bits_ = 0;
  // The source's text, and for each of its units the node that spells the
  // unit's word up to and including it; kNoNode at a space.
  TextView source_;
  std::vector<Node> node_at_;
  // Per node: its parent and unit (while building), depth, failure link, and
  // the 0-based index in the target where its text first and last ends.
  std::vector<Node> parent_;
  std::vector<char16_t> unit_;
  std::vector<std::uint32_t> depth_;
  std::vector<Node> failure_;
  std::vector<std::uint32_t> first_end_;
  std::vector<std::uint32_t> last_end_;
};

}  // namespace velmoro::internal
