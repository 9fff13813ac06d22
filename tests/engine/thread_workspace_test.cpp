#include "thread_workspace.h"

#include <gtest/gtest.h>

#include <vector>

#include "comparison_run.h"
#include "engine_test_support.h"
#include "scan_observers.h"

namespace velmoro {
namespace {

using internal::Lease;
using internal::RunComparison;
using internal::WordObserver;

TEST(Lease, LendsTheThreadsObjectAgainOnceReturned) {
  const int* first = nullptr;
  {
    const Lease<std::vector<int>> lease;
    lease->push_back(1);
    first = lease->data();
  }
  const Lease<std::vector<int>> again;
  EXPECT_EQ(again->data(), first);
}

TEST(Lease, GivesABorrowerWhileLentAnObjectOfItsOwn) {
  const Lease<std::vector<int>> outer;
  outer->assign(3, 7);
  {
    const Lease<std::vector<int>> inner;
    EXPECT_NE(&*inner, &*outer);
    inner->assign(5, 1);
  }
  EXPECT_EQ(*outer, std::vector<int>(3, 7));
}

// An observer that compares another pair as each direction starts leaves the
// sample pair's scores as they are.
TEST(RunComparison, ScoresAlikeWhenAnObserverComparesAgain) {
  ComparisonState state;
  RunComparison(kSampleText1, kSampleText2, state, {}, [](Integer) {
    ComparisonState other;
    RunComparison(u"x y z x y z", u"z y x", other, {});
    return WordObserver{};
  });
  for (Integer direction = 1; direction <= 4; ++direction) {
    EXPECT_EQ(state.DirectionScores[static_cast<std::size_t>(direction)],
              SampleScores()[static_cast<std::size_t>(direction - 1)])
        << "direction " << direction;
  }
}

}  // namespace
}  // namespace velmoro
