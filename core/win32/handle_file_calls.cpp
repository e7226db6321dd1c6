#include "core/win32/handle_file_calls.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/win32/wide.h"

namespace kv {
namespace {

// The native declarations, as documented for drivers (the user-mode headers
// of the oldest targets do not all carry them).
using NativeStatus = LONG;
constexpr NativeStatus kNoMoreFiles = static_cast<NativeStatus>(0x80000006L);
// The first call's answer when no name matches the mask.
constexpr NativeStatus kNoSuchFile = static_cast<NativeStatus>(0xC000000FL);
constexpr int kFileDirectoryInformation = 1;
constexpr int kFileBasicInformation = 4;

struct NativeIoStatus {
    union {
        NativeStatus status;
        void* pointer;
    };
    ULONG_PTR information;
};

struct NativeUnicodeString {
    USHORT length;  // bytes, without a terminating null
    USHORT maximumLength;
    const WCHAR* buffer;
};

struct NativeBasicInformation {
    LARGE_INTEGER creationTime;
    LARGE_INTEGER lastAccessTime;
    LARGE_INTEGER lastWriteTime;
    LARGE_INTEGER changeTime;
    ULONG fileAttributes;
};

// FILE_DIRECTORY_INFORMATION up to its name.
struct NativeDirectoryEntry {
    ULONG nextEntryOffset;
    ULONG fileIndex;
    LARGE_INTEGER creationTime;
    LARGE_INTEGER lastAccessTime;
    LARGE_INTEGER lastWriteTime;
    LARGE_INTEGER changeTime;
    LARGE_INTEGER endOfFile;
    LARGE_INTEGER allocationSize;
    ULONG fileAttributes;
    ULONG fileNameLength;  // bytes
    WCHAR fileName[1];
};

using SetInformationFileFn = NativeStatus(WINAPI*)(HANDLE, NativeIoStatus*, void*, ULONG, int);
using QueryDirectoryFileFn = NativeStatus(WINAPI*)(HANDLE, HANDLE, void*, void*, NativeIoStatus*, void*, ULONG, int,
                                                    BOOLEAN, void*, BOOLEAN);

template <typename Fn>
Fn NtdllCall(const char* name) {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(ntdll, name)));
}

bool Succeeded(NativeStatus status) { return status >= 0; }

}  // namespace

bool SetAttributesOfHandle(HANDLE handle, DWORD attributes) {
    static const SetInformationFileFn setInformation = NtdllCall<SetInformationFileFn>("NtSetInformationFile");
    if (!setInformation) return false;
    // Zero times mean "leave as they are"; zero attributes would also mean
    // that, so a cleared word goes as FILE_ATTRIBUTE_NORMAL, as
    // SetFileAttributesW sends it.
    NativeBasicInformation basic;
    std::memset(&basic, 0, sizeof basic);
    basic.fileAttributes = attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
    NativeIoStatus io{};
    return Succeeded(setInformation(handle, &io, &basic, sizeof basic, kFileBasicInformation));
}

std::optional<std::vector<DirEntry>> SearchFolderOfHandle(HANDLE handle, const std::wstring& mask) {
    static const QueryDirectoryFileFn queryDirectory = NtdllCall<QueryDirectoryFileFn>("NtQueryDirectoryFile");
    if (!queryDirectory) return std::nullopt;
    // Aligned for the entries, which start on 8-byte boundaries.
    static_assert(alignof(std::uint64_t) >= alignof(NativeDirectoryEntry), "entry alignment");
    std::vector<std::uint64_t> buffer(64 * 1024 / sizeof(std::uint64_t));
    const ULONG bufferBytes = static_cast<ULONG>(buffer.size() * sizeof(std::uint64_t));
    if (mask.empty() || mask.size() > 255) return std::nullopt;
    NativeUnicodeString nativeMask{static_cast<USHORT>(mask.size() * sizeof(WCHAR)),
                                   static_cast<USHORT>(mask.size() * sizeof(WCHAR)), mask.c_str()};
    std::vector<DirEntry> entries;
    for (BOOLEAN restart = TRUE;; restart = FALSE) {
        NativeIoStatus io{};
        // The mask is taken on the first call and kept for the others.
        const NativeStatus status = queryDirectory(handle, nullptr, nullptr, nullptr, &io, buffer.data(), bufferBytes,
                                                   kFileDirectoryInformation, FALSE, &nativeMask, restart);
        if (status == kNoMoreFiles || (restart && status == kNoSuchFile)) return entries;
        if (!Succeeded(status)) return std::nullopt;
        const char* const start = reinterpret_cast<const char*>(buffer.data());
        for (std::size_t offset = 0;;) {
            const auto* native = reinterpret_cast<const NativeDirectoryEntry*>(start + offset);
            if (offset + offsetof(NativeDirectoryEntry, fileName) + native->fileNameLength > bufferBytes) {
                return std::nullopt;  // an answer that does not fit its buffer is not trusted
            }
            DirEntry entry;
            entry.name = Narrow(native->fileName, native->fileNameLength / sizeof(WCHAR));
            entry.attributes = native->fileAttributes;
            entry.size = static_cast<std::uint64_t>(native->endOfFile.QuadPart);
            entries.push_back(std::move(entry));
            if (native->nextEntryOffset == 0) break;
            offset += native->nextEntryOffset;
        }
    }
}

}  // namespace kv
