// kvvuduv-cli.exe: runs one action of KV Vuduv in a console, without the
// window and without the window's start-up steps (no process is ended, no
// options file is read).
#include <windows.h>

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "core/text.h"
#include "core/win32/process_hardening.h"
#include "core/win32/win32_platform.h"

namespace {

// Writes bytes to a standard handle as they are: the transcript is UTF-8
// whether it goes to a console, a pipe or a file.
class HandleSink : public kv::cli::OutputSink {
public:
    explicit HandleSink(DWORD which) : handle_(GetStdHandle(which)) {}
    void Write(const std::string& bytes) override {
        if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) return;
        std::size_t done = 0;
        while (done < bytes.size()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD written = 0;
            if (!WriteFile(handle_, bytes.data() + done, chunk, &written, nullptr) || written == 0) return;
            done += written;
        }
    }

private:
    HANDLE handle_;
};

// A console shows the UTF-8 bytes right only with its output code page set
// to UTF-8; the previous page is given back when the program ends.
class ConsoleCodePage {
public:
    ConsoleCodePage() {
        DWORD mode = 0;
        if (!GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) return;
        previous_ = GetConsoleOutputCP();
        SetConsoleOutputCP(CP_UTF8);
    }
    ~ConsoleCodePage() {
        if (previous_ != 0) SetConsoleOutputCP(previous_);
    }

private:
    UINT previous_ = 0;
};

std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(kv::Utf16ToUtf8(reinterpret_cast<const char16_t*>(argv[i])));
    }
    return args;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    kv::HardenDllSearchOrder();
    ConsoleCodePage codePage;
    HandleSink out(STD_OUTPUT_HANDLE);
    HandleSink err(STD_ERROR_HANDLE);
    try {
        kv::Win32Platform os;
        return kv::cli::RunCli(Utf8Arguments(argc, argv), os, out, err);
    } catch (const std::exception& error) {
        err.Write(std::string("kvvuduv-cli: ") + error.what() + "\n");
        return kv::cli::kExitFailure;
    }
}
