// UTF-16 text for the native calls. A string of the C++ run-time's own
// wchar_t type would link the library's whole instantiation of it (some
// 35 KB, kept whole by its unwind tables); with an allocator of the
// program's own the class is instantiated here, and the link keeps only the
// members the program calls.
#pragma once

#include <memory>
#include <string>

template <class T> struct LocalAllocator : std::allocator<T> {
    using value_type = T;
    LocalAllocator() = default;
    template <class U> LocalAllocator(const LocalAllocator<U>&) noexcept {}
    // Not the base's, which would give std::allocator back.
    template <class U> struct rebind { using other = LocalAllocator<U>; };
};

template <class T, class U>
bool operator==(const LocalAllocator<T>&, const LocalAllocator<U>&) noexcept {
    return true;
}
template <class T, class U>
bool operator!=(const LocalAllocator<T>&, const LocalAllocator<U>&) noexcept {
    return false;
}

using WideString = std::basic_string<wchar_t, std::char_traits<wchar_t>, LocalAllocator<wchar_t>>;
