// The compiled part of the Python module velmoro: the front of
// velmoro/velmoro.h for one pair, and the same comparison over sequences of
// texts on several threads with the GIL released. The package's __init__.py
// gives these their documented signatures.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "velmoro/directions.h"
#include "velmoro/fronts.h"
#include "velmoro/pairs/in_blocks.h"
#include "velmoro/records/record_keys.h"
#include "velmoro/velmoro.h"

namespace py = pybind11;

namespace velmoro::python {

namespace {

constexpr double kNoDistance = std::numeric_limits<double>::quiet_NaN();

// The code of a pair with a missing text, where an error kind's code would be.
constexpr std::int8_t kMissingTextCode = -1;

// One text of a sequence, as UTF-8; nullopt for a missing one.
using TextItem = std::optional<std::string_view>;

// pandas.NA, or None while pandas is not imported: no NA can exist then.
py::object PandasNa() {
  const py::object pandas = py::module_::import("sys").attr("modules").attr("get")("pandas");
  return pandas.is_none() ? pandas : py::getattr(pandas, "NA", py::none());
}

// Whether item stands for a missing text: None, a float NaN or pandas.NA
// (as na, from PandasNa).
bool IsMissing(py::handle item, py::handle na) {
  if (item.is_none() || item.is(na)) return true;
  return PyFloat_Check(item.ptr()) && std::isnan(PyFloat_AS_DOUBLE(item.ptr()));
}

// text as UTF-8, owned by text itself; name, or item index of name, is what
// an error calls it. Throws TypeError for what is not a str, and ValueError
// (UnicodeEncodeError) for a str that UTF-8 cannot encode, such as a lone
// surrogate.
std::string_view Utf8Of(py::handle text, const std::string& name,
                        std::optional<std::size_t> index = std::nullopt) {
  if (!PyUnicode_Check(text.ptr())) {
    const std::string called = index ? name + '[' + std::to_string(*index) + ']' : name;
    throw py::type_error(called + " must be str, not " + Py_TYPE(text.ptr())->tp_name);
  }
  Py_ssize_t size = 0;
  const char* data = PyUnicode_AsUTF8AndSize(text.ptr(), &size);
  if (data == nullptr) throw py::error_already_set();
  return {data, static_cast<std::size_t>(size)};
}

// Whether texts is a set or a mapping: its items have no places, or are not
// the texts, so pairing by place would be meaningless.
bool IsUnordered(py::handle texts) {
  if (PyAnySet_Check(texts.ptr()) || PyDict_Check(texts.ptr())) return true;
  const py::module_ abc = py::module_::import("collections.abc");
  return py::isinstance(texts, abc.attr("Set")) || py::isinstance(texts, abc.attr("Mapping"));
}

// A sequence of texts, each seen as UTF-8, or missing. It holds a reference
// to every item, so that no other thread can free one while workers read it
// without the GIL, whatever becomes of the sequence itself.
class Texts {
 public:
  // Needs the GIL. Throws TypeError for a single str, for a set or a
  // mapping, for what is not a sequence and for an item that is neither a
  // str nor missing; ValueError as Utf8Of does.
  Texts(py::handle sequence, const std::string& name) {
    const std::string refused = name + " must be a sequence of str, not ";
    if (PyUnicode_Check(sequence.ptr())) throw py::type_error(refused + "a str");
    if (IsUnordered(sequence)) {
      throw py::type_error(refused + Py_TYPE(sequence.ptr())->tp_name +
                           ": a set or a mapping gives its texts no places to pair them by");
    }
    items_ = py::reinterpret_steal<py::tuple>(PySequence_Tuple(sequence.ptr()));
    if (!items_) {
      if (!PyErr_ExceptionMatches(PyExc_TypeError)) throw py::error_already_set();
      PyErr_Clear();
      throw py::type_error(refused + Py_TYPE(sequence.ptr())->tp_name);
    }
    utf8_.reserve(items_.size());
    const py::object na = PandasNa();
    for (std::size_t i = 0; i < items_.size(); ++i) {
      const py::handle item = items_[i];
      if (IsMissing(item, na)) {
        utf8_.emplace_back();
      } else {
        utf8_.emplace_back(Utf8Of(item, name, i));
      }
    }
  }

  [[nodiscard]] std::size_t size() const { return utf8_.size(); }
  [[nodiscard]] const TextItem& operator[](std::size_t i) const { return utf8_[i]; }
  [[nodiscard]] py::object item(std::size_t i) const { return items_[i]; }

 private:
  py::tuple items_;
  std::vector<TextItem> utf8_;
};

unsigned WorkersAsked(int workers) {
  if (workers == -1) return std::max(1U, std::thread::hardware_concurrency());
  if (workers < 1) throw py::value_error("workers must be -1 (every core) or at least 1");
  return static_cast<unsigned>(workers);
}

// Whether no signal (Ctrl-C) asks to stop; takes the GIL to ask.
bool NoSignal() {
  const py::gil_scoped_acquire gil;
  return PyErr_CheckSignals() == 0;
}

// Runs work(i) for every i below count on up to workers threads with the GIL
// released; throws the signal's exception when one interrupted it.
template <typename Work>
void WithoutGil(std::size_t count, int workers, Work work) {
  const unsigned threads = pairs::ThreadsFor(WorkersAsked(workers), count);
  bool completed = false;
  {
    const py::gil_scoped_release released;
    completed = pairs::WorkInBlocks(count, threads, work, NoSignal);
  }
  if (!completed) throw py::error_already_set();
}

// The text the engine compares; nullopt for a missing one.
std::optional<GivenText> Given(const TextItem& text) {
  if (!text) return std::nullopt;
  return GivenText::FromUtf8(*text);
}

// The text the engine compares, made in given, whose memory it reuses;
// nullptr for a missing one.
const GivenText* GivenIn(const TextItem& text, GivenText& given) {
  if (!text) return nullptr;
  given.AssignUtf8(*text);
  return &given;
}

// What cpdist and cdist keep of one pair's Compare.
struct Scored {
  double* distance;
  std::int16_t* scores = nullptr;  // four, or none
  std::int8_t* error = nullptr;    // or none
};

// The Compare of one pair into into; for a missing text, no distance, no
// scores and the missing text's code.
void Score(const GivenText* text1, const GivenText* text2, const Scored& into) {
  std::optional<CompareNumbers> outcome;
  if (text1 && text2) outcome = CompareGivenNumbers(*text1, *text2);
  *into.distance = outcome ? outcome->distance.value_or(kNoDistance) : kNoDistance;
  if (into.scores != nullptr) {
    for (std::size_t d = 0; d < kDirectionCount; ++d) {
      into.scores[d] = static_cast<std::int16_t>(outcome ? outcome->scores[d].value_or(-1) : -1);
    }
  }
  if (into.error != nullptr) {
    *into.error = outcome ? static_cast<std::int8_t>(ErrorCode(outcome->error)) : kMissingTextCode;
  }
}

std::vector<std::optional<GivenText>> GivenTexts(const Texts& texts, int workers) {
  std::vector<std::optional<GivenText>> given(texts.size());
  WithoutGil(texts.size(), workers, [&](std::size_t i) { given[i] = Given(texts[i]); });
  return given;
}

py::object Cpdist(py::handle texts1, py::handle texts2, int workers, bool returnScores) {
  const Texts first(texts1, "texts1");
  const Texts second(texts2, "texts2");
  if (first.size() != second.size()) {
    throw py::value_error("texts1 and texts2 must be of one length, not " +
                          std::to_string(first.size()) + " and " + std::to_string(second.size()));
  }
  const std::size_t count = first.size();
  py::array_t<double> distances(static_cast<py::ssize_t>(count));
  py::array_t<std::int16_t> scores({static_cast<py::ssize_t>(returnScores ? count : 0),
                                    py::ssize_t{4}});
  py::array_t<std::int8_t> errors(static_cast<py::ssize_t>(returnScores ? count : 0));
  double* distance = distances.mutable_data();
  std::int16_t* score = scores.mutable_data();
  std::int8_t* error = errors.mutable_data();
  WithoutGil(count, workers, [&](std::size_t i) {
    // A thread's two texts keep their memory from pair to pair.
    thread_local std::array<GivenText, 2> given;
    Score(GivenIn(first[i], given[0]), GivenIn(second[i], given[1]),
          returnScores ? Scored{distance + i, score + 4 * i, error + i} : Scored{distance + i});
  });
  if (!returnScores) return distances;
  return py::make_tuple(distances, scores, errors);
}

// Each text of queries against each of choices, the query as Text1, into
// cells, row by row; every text is made ready once, not once a cell.
void DistancesInto(double* cells, const Texts& queries, const Texts& choices, int workers) {
  const std::vector<std::optional<GivenText>> query = GivenTexts(queries, workers);
  const std::vector<std::optional<GivenText>> choice = GivenTexts(choices, workers);
  const std::size_t columns = choices.size();
  WithoutGil(queries.size() * columns, workers, [&](std::size_t cell) {
    const std::optional<GivenText>& text1 = query[cell / columns];
    const std::optional<GivenText>& text2 = choice[cell % columns];
    Score(text1 ? &*text1 : nullptr, text2 ? &*text2 : nullptr, Scored{cells + cell});
  });
}

// score_cutoff, refused when NaN: no distance is at most NaN, nor above it.
std::optional<double> Cutoff(std::optional<double> scoreCutoff) {
  if (scoreCutoff && std::isnan(*scoreCutoff)) {
    throw py::value_error("score_cutoff must be a number or None, not NaN");
  }
  return scoreCutoff;
}

py::array_t<double> Cdist(py::handle queries, py::handle choices, int workers,
                          std::optional<double> scoreCutoff) {
  const std::optional<double> cutoff = Cutoff(scoreCutoff);
  const Texts query(queries, "queries");
  const Texts choice(choices, "choices");
  // The result first: when memory is short, nothing has been started yet.
  py::array_t<double> distances(
      {static_cast<py::ssize_t>(query.size()), static_cast<py::ssize_t>(choice.size())});
  double* cells = distances.mutable_data();
  DistancesInto(cells, query, choice, workers);
  if (cutoff) {
    std::replace_if(cells, cells + distances.size(), [&](double d) { return d > *cutoff; },
                    std::numeric_limits<double>::infinity());
  }
  return distances;
}

py::list Extract(py::handle query, py::handle choices, std::optional<py::ssize_t> limit,
                 std::optional<double> scoreCutoff, int workers) {
  if (limit && *limit < 0) throw py::value_error("limit must not be negative");
  const std::optional<double> cutoff = Cutoff(scoreCutoff);
  // A text, not a missing one: TypeError for None too.
  Utf8Of(query, "query");
  const Texts queries(py::make_tuple(query), "query");
  const Texts choice(choices, "choices");
  std::vector<double> distance(choice.size());
  DistancesInto(distance.data(), queries, choice, workers);
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < choice.size(); ++i) {
    if (!cutoff || distance[i] <= *cutoff) order.push_back(i);
  }
  // Closest first, ties by place, and pairs without a distance after every other.
  const auto closer = [&distance](std::size_t a, std::size_t b) {
    const bool aFailed = std::isnan(distance[a]);
    const bool bFailed = std::isnan(distance[b]);
    if (aFailed != bFailed) return bFailed;
    if (!aFailed && distance[a] != distance[b]) return distance[a] < distance[b];
    return a < b;
  };
  const std::size_t kept =
      limit ? std::min(order.size(), static_cast<std::size_t>(*limit)) : order.size();
  std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(kept), order.end(),
                    closer);
  py::list closest;
  for (std::size_t rank = 0; rank < kept; ++rank) {
    const std::size_t i = order[rank];
    const py::object found = std::isnan(distance[i]) ? py::none() : py::cast(distance[i]);
    closest.append(py::make_tuple(choice.item(i), found, i));
  }
  return closest;
}

std::optional<std::string> KindOf(const std::optional<ErrorKind>& error) {
  if (!error) return std::nullopt;
  return std::string(ErrorKindName(*error));
}

std::optional<ErrorKind> KindNamed(const std::optional<std::string>& name) {
  if (!name) return std::nullopt;
  for (const ErrorKind kind : kErrorKinds) {
    if (ErrorKindName(kind) == *name) return kind;
  }
  throw py::value_error("no error kind is named " + *name);
}

py::object SpanOf(const Span& span) { return py::cast(std::vector<std::size_t>{span.start, span.end}); }

namespace key = records::key;

// A key of the record as a dict's key.
py::str Key(std::string_view name) { return {name.data(), name.size()}; }

// The word as a dict with the keys, order and values of its JSON record.
py::dict WordOf(const ExplainedWord& word) {
  py::dict explained;
  explained[Key(key::kWord)] = word.word;
  explained[Key(key::kSource)] = SpanOf(word.source);
  explained[Key(key::kTarget)] = word.target ? SpanOf(*word.target) : py::none();
  explained[Key(key::kPoints)] = word.points;
  explained[Key(key::kFollowing)] = word.following;
  explained[Key(key::kPreceding)] = word.preceding;
  // Only for a word of a completed direction that earned nothing.
  if (word.not_found) explained[Key(key::kNotFound)] = records::NotFoundValue(*word.not_found);
  return explained;
}

py::list ExplanationOf(const Explanation& explanation) {
  py::list directions;
  for (const std::optional<DirectionExplanation>& direction : explanation) {
    if (!direction) {
      directions.append(py::none());
      continue;
    }
    py::dict explained;
    explained[Key(key::kDirection)] = direction->direction;
    explained[Key(key::kSource)] = records::TextValue(direction->source);
    explained[Key(key::kTarget)] = records::TextValue(direction->target);
    explained[Key(key::kComplete)] = direction->complete;
    explained[Key(key::kScore)] = direction->score;
    py::list words;
    for (const ExplainedWord& word : direction->words) words.append(WordOf(word));
    explained[Key(key::kWords)] = words;
    directions.append(explained);
  }
  return directions;
}

Comparison ComparePair(py::handle text1, py::handle text2) {
  const std::string_view first = Utf8Of(text1, "text1");
  const std::string_view second = Utf8Of(text2, "text2");
  const py::gil_scoped_release released;
  return Compare(first, second);
}

py::list ExplainPair(py::handle text1, py::handle text2) {
  const std::string_view first = Utf8Of(text1, "text1");
  const std::string_view second = Utf8Of(text2, "text2");
  Explanation explanation;
  {
    const py::gil_scoped_release released;
    explanation = Explain(first, second);
  }
  return ExplanationOf(explanation);
}

// Every field of comparison, in the order of its declaration: what pickling
// keeps, and what equality and hashing look at.
py::tuple StateOf(const Comparison& comparison) {
  return py::make_tuple(py::tuple(py::cast(comparison.scores)), comparison.length_factor,
                        py::tuple(py::cast(comparison.status1)),
                        py::tuple(py::cast(comparison.status2)), comparison.result_text,
                        comparison.distance, KindOf(comparison.error), comparison.message);
}

Comparison ComparisonOfState(const py::tuple& state) {
  if (state.size() != 8) throw py::value_error("a Comparison's state has eight fields");
  Comparison comparison;
  comparison.scores = state[0].cast<decltype(comparison.scores)>();
  comparison.length_factor = state[1].cast<std::optional<double>>();
  comparison.status1 = state[2].cast<std::array<std::string, 3>>();
  comparison.status2 = state[3].cast<std::array<std::string, 3>>();
  comparison.result_text = state[4].cast<std::optional<std::string>>();
  comparison.distance = state[5].cast<std::optional<double>>();
  comparison.error = KindNamed(state[6].cast<std::optional<std::string>>());
  comparison.message = state[7].cast<std::string>();
  return comparison;
}

py::object Equal(const Comparison& comparison, const py::object& other) {
  if (!py::isinstance<Comparison>(other)) {
    return py::reinterpret_borrow<py::object>(Py_NotImplemented);
  }
  return py::bool_(StateOf(comparison).equal(StateOf(other.cast<const Comparison&>())));
}

// The error property's docstring, naming the first kinds of ERROR_KINDS.
const std::string& ErrorDoc() {
  static const std::string doc = "The error kind that ended the Compare ('" +
                                 std::string(ErrorKindName(kErrorKinds[0])) + "', '" +
                                 std::string(ErrorKindName(kErrorKinds[1])) + "', ...), or None.";
  return doc;
}

py::str Repr(const Comparison& comparison) {
  return py::str("Comparison(scores={!r}, distance={!r}, result_text={!r}, error={!r})")
      .format(py::tuple(py::cast(comparison.scores)), comparison.distance,
              comparison.result_text, KindOf(comparison.error));
}

}  // namespace

}  // namespace velmoro::python

PYBIND11_MODULE(_velmoro, module) {
  using namespace velmoro;
  using namespace velmoro::python;
  module.doc() = "The compiled part of velmoro; the package velmoro documents its functions.";

  py::class_<Comparison>(module, "Comparison",
                         "What one Compare gave. An error ends a Compare where it is raised: "
                         "what was produced before it is kept, the rest is None or ''.")
      .def_property_readonly(
          "scores", [](const Comparison& c) { return py::tuple(py::cast(c.scores)); },
          "The scores of directions 1 to 4 (text 1 against text 2, text 2 against text 1, "
          "text 1 against itself, text 2 against itself); None where one did not complete.")
      .def_readonly("length_factor", &Comparison::length_factor,
                    "1 + |len(text1) - len(text2)| / len(text1) in single precision, or None.")
      .def_property_readonly(
          "status1", [](const Comparison& c) { return py::tuple(py::cast(c.status1)); },
          "The first status bar: '1-2', then the self-score and cross-score panels.")
      .def_property_readonly(
          "status2", [](const Comparison& c) { return py::tuple(py::cast(c.status2)); },
          "The second status bar: '2-1', then its two panels.")
      .def_readonly("result_text", &Comparison::result_text,
                    "The result as the window shows it, or None.")
      .def_readonly("distance", &Comparison::distance,
                    "The result as a number: 0 for equal texts, never below -1; None after an error.")
      .def_property_readonly(
          "error", [](const Comparison& c) { return KindOf(c.error); },
          ErrorDoc().c_str())
      .def_property_readonly(
          "message",
          [](const Comparison& c) { return c.error ? std::optional(c.message) : std::nullopt; },
          "What happened and what to do; None when the Compare completed.")
      .def("__repr__", &Repr)
      .def("__eq__", &Equal, py::is_operator())
      .def("__hash__", [](const Comparison& c) { return py::hash(StateOf(c)); })
      .def(py::pickle(&StateOf, &ComparisonOfState));

  py::tuple kinds(kErrorKinds.size());
  for (std::size_t i = 0; i < kErrorKinds.size(); ++i) {
    kinds[i] = py::str(std::string(ErrorKindName(kErrorKinds[i])));
  }
  module.attr("ERROR_KINDS") = kinds;
  module.attr("MISSING_TEXT") = kMissingTextCode;
  module.attr("__version__") = VELMORO_VERSION_TEXT;

  module.def("compare", &ComparePair, py::arg("text1"), py::arg("text2"));
  module.def("explain", &ExplainPair, py::arg("text1"), py::arg("text2"));
  module.def("cpdist", &Cpdist, py::arg("texts1"), py::arg("texts2"), py::arg("workers"),
             py::arg("return_scores"));
  module.def("cdist", &Cdist, py::arg("queries"), py::arg("choices"), py::arg("workers"),
             py::arg("score_cutoff"));
  module.def("extract", &Extract, py::arg("query"), py::arg("choices"), py::arg("limit"),
             py::arg("score_cutoff"), py::arg("workers"));
}
