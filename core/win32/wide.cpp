#include "core/win32/wide.h"

#include <cwchar>

#include "core/text.h"

namespace kv {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

// Restores the thread's last-error value when the conversion is done: the
// allocations and calls inside must not hide the error the caller reports.
class LastErrorKeeper {
public:
    LastErrorKeeper() : saved_(GetLastError()) {}
    ~LastErrorKeeper() { SetLastError(saved_); }
    LastErrorKeeper(const LastErrorKeeper&) = delete;
    LastErrorKeeper& operator=(const LastErrorKeeper&) = delete;

private:
    DWORD saved_;
};

}  // namespace

std::wstring Widen(const std::string& utf8) {
    LastErrorKeeper keeper;
    const std::u16string utf16 = Utf8ToUtf16(utf8);
    return std::wstring(utf16.begin(), utf16.end());
}

std::string Narrow(const wchar_t* text, std::size_t length) {
    LastErrorKeeper keeper;
    if (text == nullptr) return std::string();
    return Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(text), length));
}

std::string Narrow(const wchar_t* text) { return text == nullptr ? std::string() : Narrow(text, std::wcslen(text)); }

std::string Narrow(const std::wstring& text) { return Narrow(text.data(), text.size()); }

std::string SystemErrorMessage(DWORD errorCode) {
    LastErrorKeeper keeper;
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                       nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring message(buffer != nullptr ? buffer : L"", length);
    if (buffer != nullptr) LocalFree(buffer);
    while (!message.empty() && std::wcschr(L"\r\n \t", message.back()) != nullptr) message.pop_back();
    if (message.empty()) return "Error " + std::to_string(errorCode) + ".";
    return Narrow(message);
}

}  // namespace kv
