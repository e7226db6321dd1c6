// File calls on a handle already open, for the platform's "clear and read in
// one go" operations. Windows XP has no documented call that sets a file's
// attributes or lists a folder through a handle (SetFileInformationByHandle
// and GetFileInformationByHandleEx came with Vista), so these use the native
// calls that SetFileAttributesW and FindFirstFileW are built on, looked up in
// ntdll.dll at run time.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/platform_ops.h"

namespace kv {

// Sets the attributes of the open file or folder (FILE_WRITE_ATTRIBUTES
// access), leaving its times alone, as SetFileAttributesW does.
bool SetAttributesOfHandle(HANDLE handle, DWORD attributes);

// The entries of the open folder (FILE_LIST_DIRECTORY access, synchronous)
// that match mask, in the order the file system gives them, as
// FindFirstFileW gives them for folder\mask; nothing when the folder could
// not be read to its end. The file system matches the mask, short names
// included; it takes "*" and "*.ext" the way FindFirstFileW does, but not
// every Win32 mask ("*.*" is Win32's way of writing "*").
std::optional<std::vector<DirEntry>> SearchFolderOfHandle(HANDLE handle, const std::wstring& mask);

}  // namespace kv
