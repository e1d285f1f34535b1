// The few members of the old, reference-counted std::string that the C++
// run-time's standard exception classes use, so that the program's link
// takes them from here and not the library member that instantiates that
// whole string class (about 32 KB, and a random-device member with it).
//
// Why that matters: std::logic_error, std::runtime_error and their kin keep
// their message in a string of the library's older layout. The program
// throws std::out_of_range, and std::vector and std::string throw
// std::length_error, so their constructors are always linked, and they call
// members of that string. The run-time library instantiates all of its
// members in one object, and the linker keeps every unwind table (.eh_frame)
// of every object it takes, each holding on to its function: once one member
// is needed, --gc-sections can drop none of the others.
//
// These are explicit instantiations of the library's own templates, from its
// own headers, with the layout switch set as the library sets it for that
// object: the code and the names are the ones it would have brought. Each is
// a COMDAT, so should the library's object still be linked (a run-time that
// needs one more member), the duplicates merge and only the size suffers.
// The link map tells: no libstdc++.a(cow-string-inst.o) in SysReport.map.
#define _GLIBCXX_USE_CXX11_ABI 0
#include <string>

using CowString = std::basic_string<char>;
using CharAlloc = std::allocator<char>;

// The reference-counted block and its copy, share and release operations.
template struct CowString::_Rep;

template char* CowString::_S_construct(CowString::size_type, char, const CharAlloc&);
template CowString& CowString::assign(const CowString&);
template void CowString::swap(CowString&);
template void CowString::_M_copy(char*, const char*, CowString::size_type);
template void CowString::_M_assign(char*, CowString::size_type, char);
