// Built only to show that the import check still bites: this program imports
// GetTickCount64 (which Windows XP lacks) and a DLL that is not Windows' own.
// It is never run and never shipped.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <windows.h>

extern "C" __declspec(dllimport) int kv_canary_value();

int wmain() { return static_cast<int>(GetTickCount64() % 2) + kv_canary_value(); }
