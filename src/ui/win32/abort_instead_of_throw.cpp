#include <cstdlib>
#include <new>

// The Windows program is built with -fno-exceptions: it throws and catches
// nothing, so an allocation that fails or a standard container pushed past its
// limits can only end it. These definitions end it with abort() at once, as an
// uncaught exception would, and keep libstdc++'s throwing versions and the
// whole exception runtime behind them (exception classes, type information,
// unwinder, terminate handler, demangler: about 100 KB) out of the executable.

// The replaceable global allocation functions, which the C++ standard lets a
// program define: the array and sized forms of the library call these.
void* operator new(std::size_t size) {
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    std::abort();
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

// The library's headers report errors through these functions of
// <bits/functexcept.h>, which the prebuilt libstdc++ defines by throwing; its
// manual ("Using Exceptions", "Doing without") gives abort() as their
// -fno-exceptions form. Only the ones the program calls are here: any other
// brings libstdc++'s functexcept.o back, and with it a "multiple definition"
// link error, and the post-build check (check_windows_program.cmake) fails
// when any part of libstdc++, libsupc++ or libgcc_eh is linked in.
namespace std {
void __throw_bad_alloc() {
    std::abort();
}
void __throw_bad_array_new_length() {
    std::abort();
}
void __throw_bad_function_call() {
    std::abort();
}
void __throw_length_error(const char*) {
    std::abort();
}
void __throw_logic_error(const char*) {
    std::abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
    std::abort();
}
}  // namespace std
