// The one place where the program's UTF-8 texts meet the UTF-16 texts of the
// wide Windows calls. Every conversion leaves GetLastError as it found it, so
// a caller can convert a result and still read the error of the call before.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace kv {

std::wstring Widen(const std::string& utf8);

// length counts UTF-16 units; a null text gives "".
std::string Narrow(const wchar_t* text, std::size_t length);
// Up to the terminating null.
std::string Narrow(const wchar_t* text);
std::string Narrow(const std::wstring& text);

// The system's text for an error code (FormatMessageW in the user's language)
// without the line break (and blanks) at its end; "Error <code>." when the system has none.
std::string SystemErrorMessage(DWORD errorCode);

}  // namespace kv
