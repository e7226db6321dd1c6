#include "tests/win32/win32_test_support.h"

#include <gtest/gtest.h>

#include "core/win32/wide.h"

namespace kv::test {

ScratchFolder::ScratchFolder() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::string(kScratch) + test->test_suite_name() + "." + test->name() + "\\";
    EXPECT_NE(GetFileAttributesW(Widen(kScratch).c_str()), INVALID_FILE_ATTRIBUTES)
        << "drive T: is missing: run the tests through ctest, whose fixture maps it";
    RemoveTree(path_);
    MakeFolder(path_);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void MakeFile(const std::string& path, const std::string& content, DWORD attributes) {
    HANDLE file =
        CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path << ": " << SystemErrorMessage(GetLastError());
    DWORD written = 0;
    const BOOL wrote = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(wrote && written == content.size()) << path;
    if (attributes != 0) {
        ASSERT_TRUE(SetFileAttributesW(Widen(path).c_str(), attributes)) << path;
    }
}

void MakeFolder(const std::string& path, DWORD attributes) {
    ASSERT_TRUE(CreateDirectoryW(Widen(path).c_str(), nullptr)) << path << ": " << SystemErrorMessage(GetLastError());
    if (attributes != 0) {
        ASSERT_TRUE(SetFileAttributesW(Widen(path).c_str(), attributes)) << path;
    }
}

DWORD AttributesOf(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()); }

std::string ContentOf(const std::string& path) {
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string content;
    char chunk[4096];
    DWORD done = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &done, nullptr) && done > 0) content.append(chunk, done);
    CloseHandle(file);
    return content;
}

void RemoveTree(const std::string& path) {
    std::wstring wide = Widen(path);
    while (!wide.empty() && wide.back() == L'\\') wide.pop_back();
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        DeleteFileW(wide.c_str());
        return;
    }
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((wide + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") RemoveTree(Narrow(wide + L"\\" + name));
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(wide.c_str());
}

std::string BesideTestProgram(const std::string& fileName) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, length);
    folder.erase(folder.find_last_of(L'\\') + 1);
    return Narrow(folder) + fileName;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD deadlineMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > deadlineMs) return false;
        Sleep(50);
    }
    return true;
}

std::string UniqueName(const std::string& stem) {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return stem + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter.QuadPart);
}

}  // namespace kv::test
