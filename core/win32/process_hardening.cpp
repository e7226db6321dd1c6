#include "core/win32/process_hardening.h"

#include <windows.h>

namespace kv {
namespace {

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryWFn = BOOL(WINAPI*)(LPCWSTR);

template <typename Function>
Function Kernel32Function(const char* name) {
    HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    if (kernel32 == nullptr) return nullptr;
    // Casting through void* keeps GCC's function-type cast warning quiet.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel32, name)));
}

}  // namespace

void HardenDllSearchOrder() {
    if (auto setDefault = Kernel32Function<SetDefaultDllDirectoriesFn>("SetDefaultDllDirectories")) {
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    if (auto setDllDirectory = Kernel32Function<SetDllDirectoryWFn>("SetDllDirectoryW")) {
        setDllDirectory(L"");
    }
}

}  // namespace kv
