#include "tests/analysis/AllocationCount.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> Allocated{0};

void* Allocate(std::size_t Size, bool Throw) {
  Allocated.fetch_add(Size, std::memory_order_relaxed);
  void* P = std::malloc(Size == 0 ? 1 : Size);
  if (!P && Throw) throw std::bad_alloc();
  return P;
}

} // namespace

// Every replaceable form but the aligned ones, which keep the library's own
// pair: whatever one form allocates, the deletes here free.
// clang-format off
void* operator new(std::size_t Size) { return Allocate(Size, true); }
void* operator new[](std::size_t Size) { return Allocate(Size, true); }
void* operator new(std::size_t Size, const std::nothrow_t&) noexcept { return Allocate(Size, false); }
void* operator new[](std::size_t Size, const std::nothrow_t&) noexcept { return Allocate(Size, false); }
void operator delete(void* P) noexcept { std::free(P); }
void operator delete[](void* P) noexcept { std::free(P); }
void operator delete(void* P, std::size_t) noexcept { std::free(P); }
void operator delete[](void* P, std::size_t) noexcept { std::free(P); }
void operator delete(void* P, const std::nothrow_t&) noexcept { std::free(P); }
void operator delete[](void* P, const std::nothrow_t&) noexcept { std::free(P); }
// clang-format on

std::size_t BytesAllocatedBy(const std::function<void()>& Action) {
  const std::size_t Before = Allocated.load();
  Action();
  return Allocated.load() - Before;
}
