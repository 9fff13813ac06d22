#pragma once

// Working memory that a thread keeps from one comparison to the next, so that
// a front comparing pair after pair on one thread reuses the same buffers
// instead of allocating them for every pair. Each thread has its own; a call
// made while the thread's object is lent (an observer that compares again)
// gets a fresh one of its own.

#include <optional>

namespace velmoro::internal {

// T is default-constructible. When T has Shed(), it is called as the lease
// ends, so that a type can let go of what an unusually large input made it
// keep.
template <typename T>
class Lease {
 public:
  Lease() {
    Slot& slot = ThreadSlot();
    if (slot.lent) {
      own_.emplace();
      object_ = &*own_;
    } else {
      slot.lent = true;
      object_ = &slot.object;
    }
  }
  ~Lease() {
    if constexpr (requires(T& t) { t.Shed(); }) object_->Shed();
    if (!own_) ThreadSlot().lent = false;
  }
  Lease(const Lease&) = delete;
  Lease& operator=(const Lease&) = delete;

  [[nodiscard]] T& operator*() const { return *object_; }
  [[nodiscard]] T* operator->() const { return object_; }

 private:
  struct Slot {
    T object;
    bool lent = false;
  };
  [[nodiscard]] static Slot& ThreadSlot() {
    thread_local Slot slot;
    return slot;
  }

  std::optional<T> own_;
  T* object_ = nullptr;
};

}  // namespace velmoro::internal
