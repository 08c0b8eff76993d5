#include "tests/analysis/AllocationCount.h"

#include <atomic>
#include <cstdlib>
#include <new>

// Every replaceable form but the aligned ones, which keep the library's
// own pair: what one form allocates, any form of its kind may free.
namespace {

std::atomic<std::size_t> Allocated{0};

void* Allocate(std::size_t Size) noexcept {
  Allocated.fetch_add(Size, std::memory_order_relaxed);
  return std::malloc(Size == 0 ? 1 : Size);
}

void* AllocateOrThrow(std::size_t Size) {
  if (void* P = Allocate(Size)) return P;
  throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t Size) {
  return AllocateOrThrow(Size);
}
void* operator new[](std::size_t Size) {
  return AllocateOrThrow(Size);
}
void* operator new(std::size_t Size, const std::nothrow_t&) noexcept {
  return Allocate(Size);
}
void* operator new[](std::size_t Size, const std::nothrow_t&) noexcept {
  return Allocate(Size);
}
void operator delete(void* P) noexcept {
  std::free(P);
}
void operator delete[](void* P) noexcept {
  std::free(P);
}
void operator delete(void* P, std::size_t) noexcept {
  std::free(P);
}
void operator delete[](void* P, std::size_t) noexcept {
  std::free(P);
}
void operator delete(void* P, const std::nothrow_t&) noexcept {
  std::free(P);
}
void operator delete[](void* P, const std::nothrow_t&) noexcept {
  std::free(P);
}

std::size_t BytesAllocatedBy(const std::function<void()>& Action) {
  const std::size_t Before = Allocated.load();
  Action();
  return Allocated.load() - Before;
}
