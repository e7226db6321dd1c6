// Test fixture tool, for Wine only: defines or removes a drive letter through
// Wine's mount manager, the way Wine's own configuration tool does. Unlike a
// bare dosdevices link, a drive defined this way is listed by
// GetLogicalDriveStrings and has its volume label at once, without restarting
// the prefix's services.
//
//   kv_wine_drive LETTER UNIX_FOLDER [fixed|removable|cdrom]   defines
//   kv_wine_drive LETTER                                        removes
#include <windows.h>
#include <winioctl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Wine's own extension of the mount manager (its layout in Wine 8).
constexpr DWORD kDefineUnixDrive =
    CTL_CODE(static_cast<DWORD>('m'), 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
struct UnixDriveRequest {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;  // of the Unix folder (UTF-8), 0 to remove the drive
    USHORT deviceOffset;
    USHORT labelOffset;
};

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], size, nullptr, nullptr);
    return utf8;
}

ULONG DriveType(const wchar_t* name) {
    if (lstrcmpiW(name, L"removable") == 0) return DRIVE_REMOVABLE;
    if (lstrcmpiW(name, L"cdrom") == 0) return DRIVE_CDROM;
    return DRIVE_FIXED;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2 || argc > 4 || lstrlenW(argv[1]) < 1) {
        std::fprintf(stderr, "usage: kv_wine_drive LETTER [UNIX_FOLDER [fixed|removable|cdrom]]\n");
        return 2;
    }
    const std::string folder = argc >= 3 ? Utf8(argv[2]) : std::string();
    std::vector<char> request(sizeof(UnixDriveRequest) + folder.size() + 1, '\0');
    auto* drive = reinterpret_cast<UnixDriveRequest*>(request.data());
    drive->size = static_cast<ULONG>(request.size());
    WCHAR letter = argv[1][0];
    if (letter >= L'A' && letter <= L'Z') letter = static_cast<WCHAR>(letter - L'A' + L'a');
    drive->letter = letter;
    // The mount manager removes a drive asked for with no folder and no root.
    drive->type = folder.empty() ? DRIVE_NO_ROOT_DIR : argc == 4 ? DriveType(argv[3]) : DRIVE_FIXED;
    if (!folder.empty()) {
        drive->mountPointOffset = sizeof(UnixDriveRequest);
        std::memcpy(request.data() + sizeof(UnixDriveRequest), folder.c_str(), folder.size() + 1);
    }

    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "kv_wine_drive: no mount manager (error %lu): is this Wine?\n", GetLastError());
        return 1;
    }
    DWORD returned = 0;
    const BOOL done = DeviceIoControl(manager, kDefineUnixDrive, request.data(), static_cast<DWORD>(request.size()),
                                      nullptr, 0, &returned, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(manager);
    if (!done) {
        std::fprintf(stderr, "kv_wine_drive: the mount manager refused (error %lu)\n", error);
        return 1;
    }
    return 0;
}
