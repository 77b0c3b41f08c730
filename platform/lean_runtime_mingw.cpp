// What the program needs of the C++ runtime, without the parts of libstdc++ that would
// bring in the exception machinery and the posix thread library (about 60 KB of a
// 300 KB program). Linked into the program itself (mingw-w64 only): each definition
// here stands in for the library's own, so the library's object is never pulled in.
//
// Nothing in the program catches an exception: every failure the library would throw
// for (an allocation that fails, a length past max_size) ended in std::terminate before
// and ends the process at once now, as the verbose terminate handler already does.
#include <windows.h>

#include <cstdlib>
#include <cxxabi.h>
#include <new>

// Allocation: malloc, and the end of the process when there is no memory.
void* operator new(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1))
        return p;
    std::abort();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

// The library's reports of a misuse, which the containers call out of line.
namespace std {
void __throw_bad_alloc() {
    abort();
}
void __throw_bad_array_new_length() {
    abort();
}
void __throw_length_error(const char*) {
    abort();
}
void __throw_logic_error(const char*) {
    abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
    abort();
}
void __throw_bad_function_call() {
    abort();
}
} // namespace std

// Function-local statics are made once even when two threads ask at the same moment,
// as the language promises. One lock serves them all; a critical section, since making
// one static may make another on the same thread.
namespace {

INIT_ONCE lockMade = INIT_ONCE_STATIC_INIT;
CRITICAL_SECTION lock;

BOOL CALLBACK MakeLock(PINIT_ONCE, PVOID, PVOID*) {
    InitializeCriticalSection(&lock);
    return TRUE;
}

bool Done(const __cxxabiv1::__guard* guard) {
    return __atomic_load_n(reinterpret_cast<const char*>(guard), __ATOMIC_ACQUIRE) != 0;
}

} // namespace

namespace __cxxabiv1 {
extern "C" {

int __cxa_guard_acquire(__guard* guard) {
    if (Done(guard))
        return 0;
    InitOnceExecuteOnce(&lockMade, MakeLock, nullptr, nullptr);
    EnterCriticalSection(&lock);
    if (!Done(guard))
        return 1; // the caller makes the static, then releases
    LeaveCriticalSection(&lock);
    return 0;
}

void __cxa_guard_release(__guard* guard) {
    __atomic_store_n(reinterpret_cast<char*>(guard), 1, __ATOMIC_RELEASE);
    LeaveCriticalSection(&lock);
}

void __cxa_guard_abort(__guard*) {
    LeaveCriticalSection(&lock);
}

} // extern "C"
} // namespace __cxxabiv1
