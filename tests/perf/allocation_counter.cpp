#include "allocation_counter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define SORVI_ASAN_HOOKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SORVI_ASAN_HOOKS 1
#endif
#endif

namespace {

// Plain atomics: a static initialiser or another thread may allocate
// before main, and the counters must already be usable then.
std::atomic<std::uint64_t> allocations{0};
std::atomic<std::uint64_t> releases{0};

void countAllocation() {
    allocations.fetch_add(1, std::memory_order_relaxed);
}

void countRelease(const volatile void* block) {
    if (block != nullptr) {
        releases.fetch_add(1, std::memory_order_relaxed);
    }
}

} // namespace

#if defined(SORVI_ASAN_HOOKS)

extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*,
                                                                  std::size_t),
                                                         void (*)(const volatile void*));

namespace {

void mallocHook(const volatile void*, std::size_t) {
    countAllocation();
}

void freeHook(const volatile void* block) {
    countRelease(block);
}

const bool hooked = __sanitizer_install_malloc_and_free_hooks(mallocHook, freeHook) != 0;

} // namespace

namespace alloccount {
const char* method() {
    return "AddressSanitizer allocation hooks (malloc, calloc, realloc, new)";
}
bool counting() {
    return hooked;
}
} // namespace alloccount

#else

// glibc's own allocator, under the names it exports for exactly this use.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void __libc_free(void* block);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void* __libc_valloc(std::size_t size);
void* __libc_pvalloc(std::size_t size);
}

extern "C" {

void* malloc(std::size_t size) noexcept {
    countAllocation();
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) noexcept {
    countAllocation();
    return __libc_calloc(count, size);
}

void* realloc(void* block, std::size_t size) noexcept {
    countAllocation();
    return __libc_realloc(block, size);
}

void free(void* block) noexcept {
    countRelease(block);
    __libc_free(block);
}

void* memalign(std::size_t alignment, std::size_t size) noexcept {
    countAllocation();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
    countAllocation();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** out, std::size_t alignment, std::size_t size) noexcept {
    countAllocation();
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) {
        return 22; // EINVAL
    }
    void* block = __libc_memalign(alignment, size);
    if (block == nullptr) {
        return 12; // ENOMEM
    }
    *out = block;
    return 0;
}

void* valloc(std::size_t size) noexcept {
    countAllocation();
    return __libc_valloc(size);
}

void* pvalloc(std::size_t size) noexcept {
    countAllocation();
    return __libc_pvalloc(size);
}

} // extern "C"

namespace {

// new and new[] go through malloc, so each is counted once, here only.
void* allocate(std::size_t size) {
    void* block = __libc_malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    countAllocation();
    return block;
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
    void* block = __libc_memalign(static_cast<std::size_t>(alignment), size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    countAllocation();
    return block;
}

void release(void* block) noexcept {
    countRelease(block);
    __libc_free(block);
}

} // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return allocateAligned(size, alignment);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    try {
        return allocateAligned(size, alignment);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    try {
        return allocateAligned(size, alignment);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void operator delete(void* block) noexcept {
    release(block);
}
void operator delete[](void* block) noexcept {
    release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    release(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    release(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
    release(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
    release(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
    release(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
    release(block);
}
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    release(block);
}
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    release(block);
}

namespace alloccount {
const char* method() {
    return "replaced operator new/delete and interposed malloc, calloc, realloc, free and the "
           "aligned forms";
}
bool counting() {
    return true;
}
} // namespace alloccount

#endif

namespace alloccount {

Counts now() {
    return Counts{allocations.load(std::memory_order_relaxed),
                  releases.load(std::memory_order_relaxed)};
}

} // namespace alloccount
