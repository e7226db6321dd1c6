// Text conversion at the Windows calls, system error texts, the XP tick-count
// stand-in and the DLL search hardening.
#include "core/win32/wide.h"

#include <gtest/gtest.h>

#include "core/win32/process_hardening.h"
#include "core/win32/xp_compat.h"
#include "tests/win32/win32_test_support.h"

namespace kv {
namespace {

TEST(WideText, RoundTripsThroughUtf16) {
    struct Case {
        const char* utf8;
        std::wstring utf16;
    };
    const Case cases[] = {
        {"", L""},
        {"E:\\Fotos.lnk", L"E:\\Fotos.lnk"},
        {"Relatório ção", L"Relat\u00F3rio \u00E7\u00E3o"},
        {"照片 Фото", L"\u7167\u7247 \u0424\u043E\u0442\u043E"},
        {"😀.exe", L"\xD83D\xDE00.exe"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Widen(c.utf8), c.utf16) << c.utf8;
        EXPECT_EQ(Narrow(c.utf16), c.utf8);
        EXPECT_EQ(Narrow(c.utf16.c_str()), c.utf8);
    }
    EXPECT_EQ(Narrow(L"abc\0def", 7), std::string("abc\0def", 7));
    EXPECT_EQ(Narrow(L"abcdef", 3), "abc");
    EXPECT_EQ(Narrow(nullptr), "");
    EXPECT_EQ(Narrow(L"\xD800 lone"), "\xEF\xBF\xBD lone");  // a lone surrogate becomes U+FFFD
}

TEST(WideText, ConversionsKeepTheLastError) {
    SetLastError(ERROR_SHARING_VIOLATION);
    Widen("Relatório 😀");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    Narrow(L"Relat\u00F3rio");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    SystemErrorMessage(ERROR_ACCESS_DENIED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
}

TEST(WideText, SystemErrorMessagesComeWithoutTheLineBreak) {
    for (DWORD code : {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_DISK_FULL}) {
        const std::string message = SystemErrorMessage(code);
        ASSERT_FALSE(message.empty()) << code;
        EXPECT_NE(message.back(), '\n') << message;
        EXPECT_NE(message.back(), '\r') << message;
        EXPECT_NE(message.back(), ' ') << message;
    }
    EXPECT_NE(SystemErrorMessage(ERROR_FILE_NOT_FOUND), SystemErrorMessage(ERROR_ACCESS_DENIED));
    EXPECT_EQ(SystemErrorMessage(0x2ABCDEF0), "Error 717020912.");  // a code the system has no text for
}

TEST(XpTickCount, ExtendsTheTickCountAcrossWraps) {
    constexpr unsigned long long kWrap = 1ULL << 32;
    struct Case {
        const char* what;
        unsigned long long state;
        unsigned long tick;
        unsigned long long result;
        unsigned long long stateAfter;
    };
    const Case cases[] = {
        {"first call", 0, 5000, 5000, 5000},
        {"time goes on", 5000, 9000, 9000, 9000},
        {"the tick wraps", 0xFFFFFF00UL, 0x10, kWrap + 0x10, kWrap + 0x10},
        {"the second wrap", kWrap + 0xFFFFFFF0UL, 0x5, 2 * kWrap + 0x5, 2 * kWrap + 0x5},
        {"a late caller, same wrap", kWrap + 1000, 999, kWrap + 999, kWrap + 1000},
        {"a late caller from before the wrap", kWrap + 0x10, 0xFFFFFFF0UL, 0xFFFFFFF0UL, kWrap + 0x10},
    };
    for (const Case& c : cases) {
        volatile unsigned long long state = c.state;
        EXPECT_EQ(kv_ExtendTickCount(c.tick, &state), c.result) << c.what;
        EXPECT_EQ(state, c.stateAfter) << c.what;
    }
}

// The loader must stop looking in the current folder, where an infected stick
// could plant a DLL named like one the program loads on demand.
TEST(ProcessHardening, DllsAreNoLongerLoadedFromTheCurrentFolder) {
    test::ScratchFolder folder;
    for (const char* name : {"kvprobe_before.dll", "kvprobe_after.dll"}) {
        ASSERT_TRUE(
            CopyFileW(Widen(test::BesideTestProgram("kv_probe.dll")).c_str(), Widen(folder / name).c_str(), FALSE));
    }
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(Widen(folder.Path()).c_str()));

    HMODULE before = LoadLibraryW(L"kvprobe_before.dll");
    EXPECT_NE(before, nullptr) << "without hardening the current folder is searched";
    if (before != nullptr) FreeLibrary(before);

    HardenDllSearchOrder();
    HMODULE after = LoadLibraryW(L"kvprobe_after.dll");
    EXPECT_EQ(after, nullptr);
    if (after != nullptr) FreeLibrary(after);
    HMODULE system = LoadLibraryW(L"version.dll");
    EXPECT_NE(system, nullptr) << "system DLLs still load";
    if (system != nullptr) FreeLibrary(system);

    SetCurrentDirectoryW(previous);
}

}  // namespace
}  // namespace kv
