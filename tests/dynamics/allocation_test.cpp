// Stepping the crowd must allocate nothing: every global operator new and every malloc of the
// process is counted while the crowd runs.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "crowd.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void noteAllocation() {
  if (counting.load(std::memory_order_relaxed)) {
    allocations.fetch_add(1, std::memory_order_relaxed);
  }
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
#define ALLOCATIONS_BY_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ALLOCATIONS_BY_SANITIZER 1
#endif
#endif

#ifdef ALLOCATIONS_BY_SANITIZER
#include <sanitizer/allocator_interface.h>

// AddressSanitizer owns malloc and operator new and cannot share them; it reports every
// allocation to a hook instead.
static void onAllocation(const volatile void*, std::size_t) { noteAllocation(); }
static void onRelease(const volatile void*) {}
[[maybe_unused]] static const int hooksInstalled =
    __sanitizer_install_malloc_and_free_hooks(onAllocation, onRelease);
#else
// glibc's own entry points, so that the replacements below can forward to them.
extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* __libc_calloc(std::size_t count, std::size_t size);
extern "C" void* __libc_realloc(void* pointer, std::size_t size);

extern "C" void* malloc(std::size_t size) {
  noteAllocation();
  return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t count, std::size_t size) {
  noteAllocation();
  return __libc_calloc(count, size);
}
extern "C" void* realloc(void* pointer, std::size_t size) {
  noteAllocation();
  return __libc_realloc(pointer, size);
}

void* operator new(std::size_t size) {
  noteAllocation();
  if (void* p = __libc_malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  noteAllocation();
  if (void* p = __libc_malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#endif

TEST(Allocation, CountersSeeAllocations) {
  counting = true;
  allocations = 0;
  // volatile keeps the compiler from eliding the pairs
  int* volatile object = new int(3);
  void* volatile raw = std::malloc(16);
  counting = false;
  delete object;
  std::free(raw);
  EXPECT_EQ(allocations.load(), 2);
}

TEST(Allocation, SteppingTheCrowdAllocatesNothing) {
  setUpCrowd();
  stepCrowd(0, 0);
  counting = true;
  allocations = 0;
  const int modes[][2] = {{0, 0}, {1, 0}, {1, -1}, {0, 1}, {2, 7}};
  for (const auto& m : modes) {
    for (int tick = 0; tick < 200; ++tick) stepCrowd(m[0], m[1]);
  }
  counting = false;
  EXPECT_EQ(allocations.load(), 0);
}
