// The Python module velmoro: the front of velmoro/velmoro.h for one pair, and
// the same comparison over lists of pairs on several threads with the GIL
// released, into numpy arrays.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "blocks_in_parallel.h"
#include "velmoro/fronts.h"
#include "velmoro/velmoro.h"

namespace py = pybind11;

namespace velmoro::python {

namespace {

constexpr double kNoDistance = std::numeric_limits<double>::quiet_NaN();

// A sequence of str, each seen as UTF-8 and kept alive as long as this is.
class Texts {
 public:
  // Needs the GIL. Throws TypeError for an item that is not a str, and
  // ValueError (UnicodeEncodeError) for one that UTF-8 cannot encode, such
  // as a lone surrogate.
  Texts(py::handle sequence, const char* name)
      : items_(py::reinterpret_steal<py::object>(
            PySequence_Fast(sequence.ptr(), (std::string(name) + " must be a sequence of str")
                                                .c_str()))) {
    if (!items_) throw py::error_already_set();
    const Py_ssize_t count = PySequence_Fast_GET_SIZE(items_.ptr());
    utf8_.reserve(static_cast<std::size_t>(count));
    for (Py_ssize_t i = 0; i < count; ++i) {
      PyObject* item = PySequence_Fast_GET_ITEM(items_.ptr(), i);
      utf8_.push_back(Utf8Of(item, (std::string(name) + '[' + std::to_string(i) + ']').c_str()));
    }
  }

  [[nodiscard]] std::size_t size() const { return utf8_.size(); }
  [[nodiscard]] std::string_view operator[](std::size_t i) const { return utf8_[i]; }
  [[nodiscard]] py::object item(std::size_t i) const {
    return py::reinterpret_borrow<py::object>(
        PySequence_Fast_GET_ITEM(items_.ptr(), static_cast<Py_ssize_t>(i)));
  }

  // text as UTF-8, owned by text itself.
  static std::string_view Utf8Of(py::handle text, const char* name) {
    if (!PyUnicode_Check(text.ptr())) {
      throw py::type_error(std::string(name) + " must be str, not " + Py_TYPE(text.ptr())->tp_name);
    }
    Py_ssize_t size = 0;
    const char* data = PyUnicode_AsUTF8AndSize(text.ptr(), &size);
    if (data == nullptr) throw py::error_already_set();
    return {data, static_cast<std::size_t>(size)};
  }

 private:
  py::object items_;
  std::vector<std::string_view> utf8_;
};

unsigned ThreadsFor(int workers) {
  if (workers == -1) return std::max(1U, std::thread::hardware_concurrency());
  if (workers < 1) throw py::value_error("workers must be -1 (every core) or at least 1");
  return static_cast<unsigned>(workers);
}

// Whether no signal (Ctrl-C) asks to stop; takes the GIL to ask.
bool NoSignal() {
  const py::gil_scoped_acquire gil;
  return PyErr_CheckSignals() == 0;
}

// Runs work over count indices on workers threads with the GIL released;
// throws the signal's exception when one interrupted it.
template <typename Work>
void WithoutGil(std::size_t count, int workers, Work work) {
  const unsigned threads = ThreadsFor(workers);
  bool completed = false;
  {
    const py::gil_scoped_release released;
    completed = WorkInBlocks(count, threads, work, NoSignal);
  }
  if (!completed) throw py::error_already_set();
}

// What cpdist and cdist keep of one pair's Compare.
struct Scored {
  double* distance;
  std::int16_t* scores = nullptr;  // four, or none
  std::int8_t* error = nullptr;    // or none
};

void Score(const GivenText& text1, const GivenText& text2, const Scored& into) {
  const CompareNumbers outcome = CompareGivenNumbers(text1, text2);
  *into.distance = outcome.distance.value_or(kNoDistance);
  if (into.scores != nullptr) {
    for (std::size_t d = 0; d < outcome.scores.size(); ++d) {
      into.scores[d] = static_cast<std::int16_t>(outcome.scores[d].value_or(-1));
    }
  }
  if (into.error != nullptr) {
    *into.error = outcome.error ? static_cast<std::int8_t>(static_cast<int>(*outcome.error) + 1) : 0;
  }
}

std::vector<GivenText> GivenTexts(const Texts& texts, int workers) {
  std::vector<GivenText> given(texts.size());
  WithoutGil(texts.size(), workers, [&](std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) given[i] = GivenText::FromUtf8(texts[i]);
  });
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
  WithoutGil(count, workers, [&](std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) {
      Score(GivenText::FromUtf8(first[i]), GivenText::FromUtf8(second[i]),
            returnScores ? Scored{distance + i, score + 4 * i, error + i} : Scored{distance + i});
    }
  });
  if (!returnScores) return distances;
  return py::make_tuple(distances, scores, errors);
}

// Each text of queries against each of choices, the query as Text1; every
// text is made ready once, not once a cell.
py::array_t<double> DistancesOf(const Texts& queries, const Texts& choices, int workers) {
  const std::vector<GivenText> query = GivenTexts(queries, workers);
  const std::vector<GivenText> choice = GivenTexts(choices, workers);
  const std::size_t columns = choices.size();
  py::array_t<double> distances(
      {static_cast<py::ssize_t>(queries.size()), static_cast<py::ssize_t>(columns)});
  double* cells = distances.mutable_data();
  WithoutGil(queries.size() * columns, workers, [&](std::size_t begin, std::size_t end) {
    for (std::size_t cell = begin; cell < end; ++cell) {
      Score(query[cell / columns], choice[cell % columns], Scored{cells + cell});
    }
  });
  return distances;
}

py::array_t<double> Cdist(py::handle queries, py::handle choices, int workers) {
  return DistancesOf(Texts(queries, "queries"), Texts(choices, "choices"), workers);
}

py::list Extract(py::handle query, py::handle choices, int limit, int workers) {
  if (limit < 0) throw py::value_error("limit must not be negative");
  const Texts queries(py::make_tuple(query), "query");
  const Texts choice(choices, "choices");
  const py::array_t<double> distances = DistancesOf(queries, choice, workers);
  const double* distance = distances.data();
  std::vector<std::size_t> order(choice.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  // Closest first, ties by place, and errors (no distance) after every result.
  const auto closer = [distance](std::size_t a, std::size_t b) {
    const bool aFailed = std::isnan(distance[a]);
    const bool bFailed = std::isnan(distance[b]);
    if (aFailed != bFailed) return bFailed;
    if (!aFailed && distance[a] != distance[b]) return distance[a] < distance[b];
    return a < b;
  };
  const std::size_t kept = std::min(order.size(), static_cast<std::size_t>(limit));
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

py::object SpanOf(const Span& span) { return py::cast(std::vector<std::size_t>{span.start, span.end}); }

py::dict WordOf(const ExplainedWord& word) {
  py::dict explained;
  explained["word"] = word.word;
  explained["source"] = SpanOf(word.source);
  explained["target"] = word.target ? SpanOf(*word.target) : py::none();
  explained["points"] = word.points;
  explained["following"] = word.following;
  explained["preceding"] = word.preceding;
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
    explained["direction"] = direction->direction;
    explained["source"] = "text" + std::to_string(direction->source);
    explained["target"] = "text" + std::to_string(direction->target);
    explained["complete"] = direction->complete;
    explained["score"] = direction->score;
    py::list words;
    for (const ExplainedWord& word : direction->words) words.append(WordOf(word));
    explained["words"] = words;
    directions.append(explained);
  }
  return directions;
}

Comparison ComparePair(py::handle text1, py::handle text2) {
  const std::string_view first = Texts::Utf8Of(text1, "text1");
  const std::string_view second = Texts::Utf8Of(text2, "text2");
  const py::gil_scoped_release released;
  return Compare(first, second);
}

py::list ExplainPair(py::handle text1, py::handle text2) {
  const std::string_view first = Texts::Utf8Of(text1, "text1");
  const std::string_view second = Texts::Utf8Of(text2, "text2");
  Explanation explanation;
  {
    const py::gil_scoped_release released;
    explanation = Explain(first, second);
  }
  return ExplanationOf(explanation);
}

// "None", or value between quotes.
std::string Quoted(const std::optional<std::string>& value) {
  if (!value) return "None";
  std::string quoted(1, '\'');
  quoted.append(*value).push_back('\'');
  return quoted;
}

std::string Repr(const Comparison& comparison) {
  std::string repr = "Comparison(scores=(";
  for (std::size_t d = 0; d < comparison.scores.size(); ++d) {
    if (d > 0) repr.append(", ");
    const std::optional<int>& score = comparison.scores[d];
    repr.append(score ? std::to_string(*score) : std::string("None"));
  }
  repr.append("), result_text=").append(Quoted(comparison.result_text));
  repr.append(", error=").append(Quoted(KindOf(comparison.error))).push_back(')');
  return repr;
}

}  // namespace

}  // namespace velmoro::python

PYBIND11_MODULE(_velmoro, module) {
  using namespace velmoro;
  using namespace velmoro::python;
  module.doc() = "Velmoro's comparison of two texts, for one pair and for many.";

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
          "The error kind that ended the Compare ('Overflow', 'FPException', ...), or None.")
      .def_readonly("message", &Comparison::message,
                    "What happened and what to do; '' when the Compare completed.")
      .def("__repr__", &Repr);

  module.attr("ERROR_KINDS") =
      py::make_tuple("Overflow", "FPException", "InvalidArgument", "BoundsError");

  module.def("compare", &ComparePair, py::arg("text1"), py::arg("text2"),
             "Compares text1 with text2. An error of the comparison does not raise: error and "
             "message say what happened and distance is None.");
  module.def("explain", &ExplainPair, py::arg("text1"), py::arg("text2"),
             "Which words each direction walked, where they stand, where they were found and "
             "what they earned: four entries, None for a direction that did not run.");
  module.def("cpdist", &Cpdist, py::arg("texts1"), py::arg("texts2"), py::kw_only(),
             py::arg("workers") = 1, py::arg("return_scores") = false,
             "texts1[i] against texts2[i], for every i: a float64 array of distances, NaN where "
             "the comparison ended in an error. With return_scores, also an int16 array (n, 4) "
             "of the direction scores (-1 where not computed) and an int8 array of error codes "
             "(0 none, else 1 + the index of the kind in ERROR_KINDS).");
  module.def("cdist", &Cdist, py::arg("queries"), py::arg("choices"), py::kw_only(),
             py::arg("workers") = 1,
             "Every query against every choice, the query as Text1: a float64 array of shape "
             "(len(queries), len(choices)), NaN where a comparison ended in an error.");
  module.def("extract", &Extract, py::arg("query"), py::arg("choices"), py::kw_only(),
             py::arg("limit") = 5, py::arg("workers") = 1,
             "The limit choices closest to query, the query as Text1: a list of (choice, "
             "distance, index), closest first, then those whose comparison ended in an error "
             "(distance None).");
}
