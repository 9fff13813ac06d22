#include "word_automaton.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "fibonacci_hash.h"
#include "tuning.h"

namespace velmoro::internal {

namespace {

constexpr std::uint32_t kNever = std::numeric_limits<std::uint32_t>::max();

std::uint64_t EdgeKey(std::uint32_t node, char16_t unit) {
  return (std::uint64_t{node} << 16) | unit;
}

// Frees the memory v holds; assigning it an empty list would keep it.
template <typename T>
void Release(std::vector<T>& v) {
  std::vector<T>().swap(v);
}

}  // namespace

WordAutomaton::WordAutomaton(const PreparedText& source, TextView target)
    : source_(source.text()) {
  BuildTrie(source);
  const std::vector<Node> breadthFirst = BreadthFirstOrder();
  LinkFailures(breadthFirst);
  Release(parent_);
  Release(unit_);
  Scan(target);
  SpreadToSuffixes(breadthFirst);
}

std::optional<Occurrences> WordAutomaton::Find(TextView word) const {
  if (word.empty()) return std::nullopt;
  const Node node = NodeOf(word);
  if (node == kNoNode) return std::nullopt;
  Occurrences found;
  if (first_end_[node] != kNever) {
    found.first = first_end_[node] + 1 - word.size();
    found.last = last_end_[node] + 1 - word.size();
  }
  return found;
}

// A view of the source that starts where its word starts ends at the node of
// its last unit, whose depth is then the view's length; any other text is
// walked down the trie unit by unit.
WordAutomaton::Node WordAutomaton::NodeOf(TextView word) const {
  const auto begin = reinterpret_cast<std::uintptr_t>(source_.data());
  const auto at = reinterpret_cast<std::uintptr_t>(word.data());
  if (at >= begin && at < begin + source_.size() * sizeof(char16_t)) {
    const std::size_t end = (at - begin) / sizeof(char16_t) + word.size();
    if (end <= source_.size()) {
      const Node node = node_at_[end - 1];
      if (node != kNoNode && depth_[node] == word.size()) return node;
    }
  }
  Node node = kRoot;
  for (const char16_t unit : word) {
    node = Child(node, unit);
    if (node == kNoNode) return kNoNode;
  }
  return node;
}

// Every node after its parent and its failure target: by depth, counted out.
std::vector<WordAutomaton::Node> WordAutomaton::BreadthFirstOrder() const {
  std::vector<std::size_t> firstOfDepth;
  for (const std::uint32_t depth : depth_) {
    if (depth + 1 >= firstOfDepth.size()) firstOfDepth.resize(depth + 2, 0);
    ++firstOfDepth[depth + 1];
  }
  for (std::size_t depth = 1; depth < firstOfDepth.size(); ++depth) {
    firstOfDepth[depth] += firstOfDepth[depth - 1];
  }
  std::vector<Node> order(depth_.size());
  for (Node node = 0; node < depth_.size(); ++node) {
    order[firstOfDepth[depth_[node]]++] = node;
  }
  return order;
}

WordAutomaton::Node WordAutomaton::Child(Node node, char16_t unit) const {
  if (node == kRoot && unit < kAsciiUnits) return ascii_root_children_[unit];
  for (auto slot = static_cast<std::size_t>(FibonacciSlot(EdgeKey(node, unit), edge_bits_));;
       slot = (slot + 1) & edge_mask_) {
    const Edge& edge = edges_[slot];
    if (edge.node == node && edge.unit == unit) return edge.child;
    if (edge.child == kNoNode) return kNoNode;
  }
}

void WordAutomaton::AddChild(Node node, char16_t unit, Node child) {
  if (node == kRoot && unit < kAsciiUnits) {
    ascii_root_children_[unit] = child;
    return;
  }
  // At most two thirds full keeps probes short.
  if ((edge_count_ + 1) * 3 > edges_.size() * 2) ResizeEdges(edges_.size() * 2);
  PlaceEdge({node, child, unit});
  ++edge_count_;
}

void WordAutomaton::PlaceEdge(const Edge& edge) {
  auto slot = static_cast<std::size_t>(FibonacciSlot(EdgeKey(edge.node, edge.unit), edge_bits_));
  while (edges_[slot].child != kNoNode) slot = (slot + 1) & edge_mask_;
  edges_[slot] = edge;
}

void WordAutomaton::ResizeEdges(std::size_t slots) {
  const std::vector<Edge> placed = std::exchange(edges_, std::vector<Edge>(slots));
  edge_mask_ = slots - 1;
  edge_bits_ = std::countr_zero(slots);
  for (const Edge& edge : placed) {
    if (edge.child != kNoNode) PlaceEdge(edge);
  }
}

WordAutomaton::Node WordAutomaton::Step(Node node, char16_t unit) const {
  while (true) {
    const Node child = Child(node, unit);
    if (child != kNoNode) return child;
    if (node == kRoot) return kRoot;
    node = failure_[node];
  }
}

void WordAutomaton::BuildTrie(const PreparedText& source) {
  const TextView text = source.text();
  // One edge at most per unit of the words; a long text mostly repeats words,
  // so its table starts smaller and grows as needed.
  std::size_t units = 0;
  for (const WordSpan& word : source.words()) units += word.length;
  ResizeEdges(std::bit_ceil(std::min(units, kUnitsForFirstTable) * 3 / 2 + 2));
  ascii_root_children_.fill(kNoNode);
  node_at_.assign(text.size(), kNoNode);
  parent_ = {kRoot};
  unit_ = {u'\0'};
  depth_ = {0};
  // Words next to each other often begin alike, as in numbered or sorted
  // lists: the part a word shares with the word before it takes that word's
  // nodes, with no walk through the table.
  WordSpan previous;
  for (const WordSpan& word : source.words()) {
    const TextView letters = text.substr(word.start, word.length);
    const TextView before = text.substr(previous.start, previous.length);
    const auto shared = static_cast<std::size_t>(
        std::mismatch(letters.begin(), letters.end(), before.begin(), before.end()).first -
        letters.begin());
    std::copy_n(node_at_.data() + previous.start, shared, node_at_.data() + word.start);
    Node node = shared > 0 ? node_at_[word.start + shared - 1] : kRoot;
    for (std::size_t i = word.start + shared; i < word.end(); ++i) {
      Node child = Child(node, text[i]);
      if (child == kNoNode) {
        child = static_cast<Node>(parent_.size());
        parent_.push_back(node);
        unit_.push_back(text[i]);
        depth_.push_back(depth_[node] + 1);
        AddChild(node, text[i], child);
      }
      node_at_[i] = child;
      node = child;
    }
    previous = word;
  }
}

void WordAutomaton::LinkFailures(const std::vector<Node>& breadthFirst) {
  failure_.assign(parent_.size(), kRoot);
  for (const Node node : breadthFirst) {
    if (depth_[node] > 1) failure_[node] = Step(failure_[parent_[node]], unit_[node]);
  }
}

void WordAutomaton::Scan(TextView target) {
  first_end_.assign(failure_.size(), kNever);
  last_end_.assign(failure_.size(), kNever);
  Node node = kRoot;
  for (std::size_t i = 0; i < target.size(); ++i) {
    // No word holds a space, so a space starts every match afresh.
    node = target[i] == u' ' ? kRoot : Step(node, target[i]);
    if (node == kRoot) continue;
    const auto end = static_cast<std::uint32_t>(i);
    if (first_end_[node] == kNever) first_end_[node] = end;
    last_end_[node] = end;
  }
}

// A text that ends somewhere also has each of its suffixes in the trie ending
// there; those are the nodes along its failure links.
void WordAutomaton::SpreadToSuffixes(const std::vector<Node>& breadthFirst) {
  for (auto it = breadthFirst.rbegin(); it != breadthFirst.rend(); ++it) {
    const Node node = *it;
    const Node suffix = failure_[node];
    if (node == kRoot || first_end_[node] == kNever) continue;
    first_end_[suffix] = std::min(first_end_[suffix], first_end_[node]);
    last_end_[suffix] = last_end_[suffix] == kNever
                           ? last_end_[node]
                           : std::max(last_end_[suffix], last_end_[node]);
  }
}

}  // namespace velmoro::internal
