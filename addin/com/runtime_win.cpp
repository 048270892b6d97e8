// The C++ runtime's throw helpers, replaced inside the DLL. Linking the
// library's own versions drags in its copy-on-write std::string, the
// random-device code and the exception classes built on them (about 60 KB
// in the i686 file Word loads at every start). Every guard catches
// anything, so the types only need to reach CurrentError as what they
// mean: a size limit is out of memory, a broken precondition an error.
#include "common/error.h"

#include <new>

namespace {

[[noreturn]] void Internal() {
    throw tavlin::Error(tavlin::ErrorCode::Platform, "Internal error");
}

} // namespace

namespace std {

void __throw_bad_alloc() {
    throw std::bad_alloc();
}
void __throw_bad_array_new_length() {
    throw std::bad_alloc();
}
void __throw_length_error(const char*) {
    throw std::bad_alloc();
}
void __throw_logic_error(const char*) {
    Internal();
}
void __throw_out_of_range(const char*) {
    Internal();
}
void __throw_out_of_range_fmt(const char*, ...) {
    Internal();
}
void __throw_invalid_argument(const char*) {
    Internal();
}
void __throw_bad_function_call() {
    Internal();
}

} // namespace std
