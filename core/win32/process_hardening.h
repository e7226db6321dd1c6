// Start-up hardening for a program that runs beside untrusted files (an
// infected stick, a Downloads folder): system DLLs are loaded from System32
// only, never from the program's or the current folder.
#pragma once

namespace kv {

// Call first thing in a front end, before anything loads a DLL on demand.
// Uses SetDefaultDllDirectories where the system has it (Windows 8, or 7 with
// its loader update) and takes the current folder out of the search with
// SetDllDirectoryW(L""); both are looked up at run time because Windows XP
// lacks the first.
void HardenDllSearchOrder();

}  // namespace kv
