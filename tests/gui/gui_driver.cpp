// Drives kvvuduv.exe from outside, as a user would, under Wine: finds the
// window and its controls by their ids, clicks, selects, switches tabs, reads
// texts and answers message boxes. Every wait is on a condition, bounded by a
// generous limit that only a failure reaches.
//
// One step per run (run-gui-test.sh calls the steps in order and takes the
// screenshots between them):
//   gui_driver start EXE LETTER     first start: options file, tips, drive lists, virus processes ended
//   gui_driver tab N                shows tab N, prints the window's place as WxH+X+Y
//   gui_driver device-check LETTER  the device check from its button with its closing box and save question
//   gui_driver disinfect LETTER     the device disinfection from its button, its closing box, the save question
//   gui_driver disinfect-computer   the computer disinfection from its button: a planted Run value goes, its
//                                   closing box, the restart question answered No, the save question, the copies
//   gui_driver english|portuguese   a language switch: every caption of the table, the tips
//   gui_driver options LETTER       options saved, saved again after the file was deleted, live value
//   gui_driver instructions         one instructions window however often it is asked for; F11
//   gui_driver tools DUMMY          the tools tab: process list and ending two copies of DUMMY, the
//                                   temporary folders' sizes and cleanup, icon repair, system report
//   gui_driver options-tab          the program's folder label and the copy to the desktop
//   gui_driver end-session FILE LETTER  Windows' end-session query answered No, then Yes during a long check
//   gui_driver restart EXE          a second start reads the saved options back, then closes
//   gui_driver save LETTER FILE     a check saved to FILE; the next save dialog offers FILE again
//   gui_driver busy LETTER          a long check: the window answers within 200 ms at every sample,
//                                   never counts as hung, grows the report live, shows progress, has its
//                                   starting controls disabled during the check and enabled after
//   gui_driver stop LETTER HOW      a long check stopped by the Stop button or Escape (HOW: button|escape)
//   gui_driver listing-progress     waits until the progress line counts a listing, prints it
//   gui_driver keyboard             Tab reaches the tab strip, Ctrl+Tab and Ctrl+Shift+Tab switch pages,
//                                   lines of the report selected by mouse and Shift+arrows and copied
//   gui_driver sleep                stands in for a virus process
//   gui_driver close                closes a window left open by a failed run
//
// One step for the benchmark (scripts/bench-window-check.sh), which prints a
// time and checks nothing beyond what it needs to go on:
//   gui_driver timed-device-check LETTER  the device check from its button to its closing box, in milliseconds
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/control_ids.h"
#include "app/ui_texts.h"

namespace {

using kv::ControlId;
using C = kv::ControlId;

constexpr DWORD kLimitMs = 30000;

std::wstring W(const std::string& utf8) {
    if (utf8.empty()) return std::wstring();
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &text[0], length);
    return text;
}

std::string U(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &utf8[0], length, nullptr, nullptr);
    return utf8;
}

// Control characters made visible, for failure messages.
std::string Shown(const std::wstring& text) {
    std::string shown;
    for (char c : U(text)) {
        if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n";
        } else {
            shown += c;
        }
    }
    return shown;
}

[[noreturn]] void Fail(const std::string& what) {
    std::printf("FAIL: %s\n", what.c_str());
    std::fflush(stdout);
    std::exit(1);
}

void Expect(bool condition, const std::string& what) {
    if (!condition) Fail(what);
}

void ExpectText(const std::wstring& actual, const std::wstring& expected, const std::string& what) {
    if (actual != expected) Fail(what + ": got \"" + Shown(actual) + "\", expected \"" + Shown(expected) + "\"");
}

void WaitFor(const std::function<bool()>& condition, const std::string& what, DWORD limitMs = kLimitMs,
             DWORD pollMs = 20) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > limitMs) Fail("timed out waiting for " + what);
        Sleep(pollMs);
    }
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kLimitMs, &length)) return L"";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, kLimitMs,
                        &copied);
    text.resize(copied);
    return text;
}

// ---- Finding windows ----------------------------------------------------------

HWND MainWindow() {
    HWND window = FindWindowW(kv::kMainWindowClass, nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND WaitForMainWindow() {
    HWND window = nullptr;
    WaitFor([&] { return (window = MainWindow()) != nullptr; }, "the main window");
    return window;
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindChild(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (GetDlgCtrlID(child) != search->id) return TRUE;
    search->found = child;
    return FALSE;
}

HWND Control(HWND main, ControlId id) {
    if (id == C::TForm1) return main;
    ChildSearch search{kv::IdOf(id), nullptr};
    EnumChildWindows(main, FindChild, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Fail("no control with id " + std::to_string(kv::IdOf(id)));
    return search.found;
}

struct TopLevelSearch {
    HWND owner;
    const wchar_t* className;
    std::vector<HWND> found;
    bool anyOwner = false;
};

BOOL CALLBACK FindOwned(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TopLevelSearch*>(data);
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    if (IsWindowVisible(window) && (search->anyOwner || GetWindow(window, GW_OWNER) == search->owner) &&
        std::wstring(name) == search->className) {
        search->found.push_back(window);
    }
    return TRUE;
}

// Visible top-level windows of a class, whoever owns them.
std::vector<HWND> TopLevelWindows(const wchar_t* className) {
    TopLevelSearch search{nullptr, className, {}, true};
    EnumWindows(FindOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> OwnedWindows(HWND owner, const wchar_t* className) {
    TopLevelSearch search{owner, className, {}, false};
    EnumWindows(FindOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// ---- Message boxes ------------------------------------------------------------------

struct Box {
    HWND window;
    std::wstring title;
    std::wstring text;
};

Box WaitForBox(HWND owner, const std::string& what, DWORD limitMs = kLimitMs, DWORD pollMs = 20) {
    HWND box = nullptr;
    WaitFor(
        [&] {
            const std::vector<HWND> boxes = OwnedWindows(owner, L"#32770");
            box = boxes.empty() ? nullptr : boxes.front();
            return box != nullptr;
        },
        what, limitMs, pollMs);
    return {box, TextOf(box), TextOf(GetDlgItem(box, 0xFFFF))};
}

void Answer(const Box& box, int button) {
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    WaitFor([&] { return !IsWindow(box.window); }, "the box to close");
}

void ExpectBox(const Box& box, const std::string& title, const std::string& text, const std::string& what) {
    ExpectText(box.title, W(title), what + " (title)");
    ExpectText(box.text, W(text), what + " (text)");
}

// ---- Controls ------------------------------------------------------------------------

void Click(HWND main, ControlId id) { PostMessageW(Control(main, id), BM_CLICK, 0, 0); }

bool IsChecked(HWND main, ControlId id) { return SendMessageW(Control(main, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::vector<std::wstring> ComboEntries(HWND combo) {
    std::vector<std::wstring> entries;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        wchar_t entry[256] = L"";
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(entry));
        entries.emplace_back(entry);
    }
    return entries;
}

void SelectDrive(HWND main, ControlId list, wchar_t letter) {
    HWND combo = Control(main, list);
    const std::vector<std::wstring> entries = ComboEntries(combo);
    for (std::size_t index = 0; index < entries.size(); ++index) {
        if (entries[index].empty() || entries[index][0] != letter) continue;
        SendMessageW(combo, CB_SETCURSEL, index, 0);
        PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(kv::IdOf(list), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        return;
    }
    Fail(std::string("drive ") + static_cast<char>(letter) + ": is not in the list");
}

std::wstring Report(HWND main) { return TextOf(Control(main, C::Memo1)); }

std::vector<std::wstring> ReportLines(HWND main) {
    std::vector<std::wstring> lines;
    const std::wstring text = Report(main);
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(L"\r\n", start);
        lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) break;
        start = end + 2;
    }
    return lines;
}

// ---- The machine ------------------------------------------------------------------------

std::wstring SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::wstring OptionsFile() { return SpecialFolder(CSIDL_APPDATA) + L"\\zirozov\\parametros.ini"; }

std::string FileContent(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) content.append(buffer, read);
    CloseHandle(file);
    return content;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

HANDLE Launch(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, FolderOf(exe).c_str(),
                        &startup, &process)) {
        Fail("cannot start " + U(exe));
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

HANDLE ProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return OpenProcess(SYNCHRONIZE, FALSE, id);
}

std::wstring SystemRoot() { return SpecialFolder(CSIDL_PROFILE).substr(0, 3); }

// The control with the keyboard focus in the window's thread.
HWND FocusOf(HWND main) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

// Keys typed as a user types them (the program reads Ctrl and Shift from the
// keyboard's state, which posted messages do not set).
void Type(std::initializer_list<WORD> held, WORD key) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD vk : held) add(vk, false);
    add(key, false);
    add(key, true);
    for (auto vk = std::rbegin(held); vk != std::rend(held); ++vk) add(*vk, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void BringForward(HWND main) {
    SetForegroundWindow(main);
    WaitFor([&] { return GetForegroundWindow() == main; }, "the main window in front");
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return L"<no clipboard>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void ClearClipboard() {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
}

// ---- Checks shared by the steps ------------------------------------------------------------

void ExpectInitialCaptions(HWND main) {
    const std::string root = U(SystemRoot());
    for (const kv::CaptionRow& row : kv::CaptionTable()) {
        ExpectText(TextOf(Control(main, row.control)), W(kv::InitialCaption(row, root)),
                   "start-up caption of control " + std::to_string(kv::IdOf(row.control)));
    }
}

void ExpectSwitchedCaptions(HWND main, kv::UiLanguage language) {
    const std::string root = U(SystemRoot());
    for (const kv::CaptionRow& row : kv::CaptionTable()) {
        // Once the options tab was shown, Label19 holds the program's folder (see StepOptionsTab).
        if (row.control == C::Label19) continue;
        const std::string expected =
            kv::SwitchChangesCaption(row) ? kv::SwitchedCaption(row, language, root) : kv::InitialCaption(row, root);
        ExpectText(TextOf(Control(main, row.control)), W(expected),
                   "caption of control " + std::to_string(kv::IdOf(row.control)) + " after the switch");
    }
}

// ---- Steps ------------------------------------------------------------------------------------

void StepStart(const std::wstring& exe, wchar_t fixtureLetter) {
    Expect(!MainWindow(), "a main window is already open");
    DeleteFileW(OptionsFile().c_str());

    // Two stand-ins for virus processes (copies of this program the script
    // put beside the program), which start-up must end silently.
    const std::wstring folder = FolderOf(exe);
    std::vector<HANDLE> viruses;
    for (const wchar_t* name : {L"\\wscript.exe", L"\\XCV.exe"}) viruses.push_back(Launch(folder + name, L"sleep"));

    HANDLE program = Launch(exe, L"");
    HWND main = WaitForMainWindow();
    for (HANDLE virus : viruses) {
        Expect(WaitForSingleObject(virus, kLimitMs) == WAIT_OBJECT_0, "a virus process was not ended at start-up");
        CloseHandle(virus);
    }
    CloseHandle(program);

    ExpectText(TextOf(main), L" KV Vuduv", "window caption");
    ExpectText(Report(main), W(kv::JoinLines(kv::StartupTipsLines())), "tips in the report area");
    Expect(FileContent(OptionsFile()) == "1\r\n1\r\n", "options file of a first start: " + FileContent(OptionsFile()));
    Expect(IsChecked(main, C::CheckBox1) && IsChecked(main, C::CheckBox2), "both options ticked");
    ExpectInitialCaptions(main);
    ExpectText(TextOf(Control(main, C::BitBtn7)), L" Verificar &Computador\r Unidade: " + SystemRoot(),
               "computer check button");
    WaitFor([&] { return FocusOf(main) == Control(main, C::BitBtn3); }, "the focus on the first button at start-up");

    for (ControlId list : {C::DriveComboBox2, C::DriveComboBox1}) {
        const std::vector<std::wstring> entries = ComboEntries(Control(main, list));
        bool fixtureListed = false;
        for (const std::wstring& entry : entries) {
            Expect(entry.compare(0, 2, SystemRoot().substr(0, 2)) != 0, "the system drive is listed: " + U(entry));
            fixtureListed = fixtureListed || entry[0] == fixtureLetter;
        }
        Expect(fixtureListed, "the fixture drive is not listed");
        Expect(SendMessageW(Control(main, list), CB_GETCURSEL, 0, 0) == 0, "the first drive is selected");
    }
    std::printf("ok: start-up\n");
}

void StepTab(int index) {
    HWND main = WaitForMainWindow();
    HWND tabs = Control(main, C::PageControl1);
    PostMessageW(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
    const ControlId pages[] = {C::TabSheet1, C::TabSheet2, C::TabSheet3};
    WaitFor([&] { return IsWindowVisible(Control(main, pages[index])) != FALSE; }, "the tab page");
    // Painted through before the screenshot: the repaint is sent, not posted.
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT place;
    GetWindowRect(main, &place);
    std::printf("%ldx%ld+%ld+%ld\n", place.right - place.left, place.bottom - place.top, place.left, place.top);
}

void RunDeviceCheck(HWND main, wchar_t letter) {
    SelectDrive(main, C::DriveComboBox2, letter);
    Click(main, C::BitBtn9);
}

void StepDeviceCheck(wchar_t letter) {
    HWND main = WaitForMainWindow();
    RunDeviceCheck(main, letter);
    const std::string root = std::string(1, static_cast<char>(letter)) + ":\\";
    const Box verdict = WaitForBox(main, "the device check's closing box");
    ExpectBox(verdict, "Atenção", "O Dispositivo (" + root + ") pode estar Infectado!", "closing box");
    // The report is on screen, up to the verdict, while the box is shown.
    const std::vector<std::wstring> lines = ReportLines(main);
    Expect(lines.size() > 4, "report too short");
    ExpectText(lines[2], W("[KV] - Verificando Dispositivo Externo - Unidade: " + root), "header's action line");
    ExpectText(lines.back(), W("[KV] *** O Dispositivo (" + root + ") pode estar Infectado!"), "verdict line");
    bool listed = false;
    for (const std::wstring& line : lines) listed = listed || line.find(L"\\notas.txt") != std::wstring::npos;
    Expect(listed, "the device's file is not listed");
    Answer(verdict, IDOK);

    const Box question = WaitForBox(main, "the save question");
    ExpectBox(question, "Aviso", "Deseja salvar o Relatório de Verificação de Mídia Externa?", "save question");
    Answer(question, IDNO);
    std::printf("ok: device check, %zu report lines\n", lines.size());
}

// Check Computer from its button, in the language given. The box follows the
// report: a found line ("[KV] > ") means the warning box; the closing line is
// written in Portuguese only; the save question follows when the option for
// checks is ticked.
void StepComputerCheck(bool portuguese) {
    HWND main = WaitForMainWindow();
    const bool asksToSave = IsChecked(main, C::CheckBox1);
    Click(main, C::BitBtn7);
    const Box outcome = WaitForBox(main, "the computer check's closing box");
    const std::vector<std::wstring> lines = ReportLines(main);
    Expect(lines.size() > 100, "report too short");
    ExpectText(lines[2], W(portuguese ? "[KV] - Verificando Computador" : "[KV] - Checking Computer"),
               "header's action line");
    ExpectText(lines[3], W("[KV] - >>> Verificando Processos ..."), "processes heading");
    bool found = false;
    for (const std::wstring& line : lines) found = found || line.rfind(L"[KV] > ", 0) == 0;
    // While the box is shown the report ends with the last probe's line.
    Expect(lines.back().rfind(L"[KV] *** ", 0) != 0, "a closing line before the box is closed");
    const std::string advice = "Para remover use o botão \"Desinfectar Computador\"";
    if (portuguese) {
        ExpectBox(
            outcome, found ? "Atenção" : "Resultado",
            found ? "Vírus Encontrados neste Computador!\r" + advice : "Nenhum Vírus Encontrado neste Computador!",
            "closing box");
    } else {
        ExpectBox(outcome, found ? "Heads up" : "Outcome",
                  found ? "Computer virus found in this!" : "No Virus Found this computer", "closing box");
    }
    Answer(outcome, IDOK);
    if (asksToSave) {
        const Box question = WaitForBox(main, "the save question");
        ExpectBox(question, "Aviso", "Deseja salvar o Relatório de Verificação?", "save question");
        Answer(question, IDNO);
    }
    // The closing line comes after the box, in Portuguese only.
    const std::wstring closing = W(found ? "[KV] *** Vírus Encontrados neste Computador! " + advice
                                         : "[KV] *** Nenhum Vírus Encontrado neste Computador!");
    if (portuguese) {
        WaitFor([&] { return ReportLines(main).back() == closing; }, "the closing line");
    } else {
        Expect(ReportLines(main).size() == lines.size(), "a line after the box in English");
    }
    std::printf("ok: computer check (%s), %zu report lines\n", portuguese ? "pt" : "en", lines.size());
}

// Disinfect Device on a stick without virus traces but an autorun.inf: the
// verdict says nothing was found; the save question follows when the
// option for disinfections is ticked.
void StepDeviceDisinfection(wchar_t letter) {
    HWND main = WaitForMainWindow();
    const bool asksToSave = IsChecked(main, C::CheckBox2);
    SelectDrive(main, C::DriveComboBox1, letter);
    Click(main, C::BitBtn1);
    const std::string root = std::string(1, static_cast<char>(letter)) + ":\\";
    const Box verdict = WaitForBox(main, "the disinfection's closing box");
    ExpectBox(verdict, "Outcome", "Não foram Encontrados Vírus no Drive " + root + "!", "closing box");
    const std::vector<std::wstring> lines = ReportLines(main);
    Expect(lines.size() > 4, "report too short");
    ExpectText(lines[2], W("[KV] - Verificando Mídia Externa " + root), "header's action line");
    bool autorunDeleted = false;
    for (const std::wstring& line : lines) {
        autorunDeleted = autorunDeleted || line == W("[KV] > Arquivo \"autorun.inf\" deletado do Drive " + root);
    }
    Expect(autorunDeleted, "the autorun.inf line is missing");
    ExpectText(lines.back(), W("[KV] - Nenhum Vírus Encontrado no Drive " + root + "!"), "verdict line");
    Answer(verdict, IDOK);
    if (asksToSave) {
        const Box question = WaitForBox(main, "the save question");
        ExpectBox(question, "Aviso", "Deseja salvar o Relatório?", "save question");
        Answer(question, IDNO);
    }
    std::printf("ok: device disinfection, %zu report lines\n", lines.size());
}

// Disinfect Computer with a Run value planted that needs a restart once
// removed: the closing box, then the restart question (answered No: nothing
// restarts), then the save question; the value is gone and both automatic
// copies are written.
void StepComputerDisinfection() {
    HWND main = WaitForMainWindow();
    const bool asksToSave = IsChecked(main, C::CheckBox2);
    const wchar_t* runKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    HKEY key = nullptr;
    Expect(RegCreateKeyExW(HKEY_CURRENT_USER, runKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &key,
                           nullptr) == ERROR_SUCCESS,
           "opening the Run key");
    const wchar_t data[] = L"C:\\windows\\install\\win32.exe";
    RegSetValueExW(key, L"HKCU", 0, REG_SZ, reinterpret_cast<const BYTE*>(data), sizeof(data));
    for (const int csidl : {CSIDL_APPDATA, CSIDL_LOCAL_APPDATA}) {
        WIN32_FIND_DATAW found;
        const std::wstring folder = SpecialFolder(csidl) + L"\\zirozov\\";
        HANDLE search = FindFirstFileW((folder + L"kv-pc-*.txt").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            DeleteFileW((folder + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }

    Click(main, C::BitBtn2);
    const Box outcome = WaitForBox(main, "the computer disinfection's closing box");
    const std::string found = "Vírus Encontrados e eliminados do Computador! Verifique o relatório!";
    ExpectBox(outcome, "Atenção", found, "closing box");
    const std::vector<std::wstring> lines = ReportLines(main);
    Expect(lines.size() > 4, "report too short");
    ExpectText(lines[2], L"[KV] - Verificando Computador", "header's action line");
    bool removed = false;
    for (const std::wstring& line : lines) removed = removed || line == L"[KV] > Chave de Registro HKCU foi deletada!";
    Expect(removed, "the Run value's line is missing");
    ExpectText(lines.back(), W("[KV] > " + found), "outcome line");
    Answer(outcome, IDOK);

    const Box restart = WaitForBox(main, "the restart question");
    ExpectBox(restart, "Opções", "É necessário reiniciar o Computador! Reiniciar agora?", "restart question");
    ExpectText(ReportLines(main).back(), W("[KV] - Processo Concluído com Sucesso!"), "line before the question");
    Answer(restart, IDNO);
    if (asksToSave) {
        const Box question = WaitForBox(main, "the save question");
        ExpectBox(question, "Aviso", "Deseja salvar o Relatório?", "save question");
        Answer(question, IDNO);
    }
    Expect(RegQueryValueExW(key, L"HKCU", nullptr, nullptr, nullptr, nullptr) == ERROR_FILE_NOT_FOUND,
           "the Run value is still there");
    RegCloseKey(key);
    for (const int csidl : {CSIDL_APPDATA, CSIDL_LOCAL_APPDATA}) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((SpecialFolder(csidl) + L"\\zirozov\\kv-pc-*.txt").c_str(), &found);
        Expect(search != INVALID_HANDLE_VALUE, "an automatic copy is missing");
        FindClose(search);
    }
    Expect(IsWindow(main) != FALSE, "the program is still running");
    std::printf("ok: computer disinfection, %zu report lines\n", lines.size());
}

// The benchmark's step: the time from the click on the device check's button
// to its closing box, the moment the user has the whole report and the
// verdict. The box is looked for every few milliseconds, a small error against
// checks that take seconds, and the wait is long enough for a slow machine.
void StepTimedDeviceCheck(wchar_t letter) {
    constexpr DWORD kCheckLimitMs = 30 * 60 * 1000;
    constexpr DWORD kBoxPollMs = 5;
    HWND main = WaitForMainWindow();
    // Without the option the check ends at its closing box.
    const bool savesAfterwards = IsChecked(main, C::CheckBox1);
    SelectDrive(main, C::DriveComboBox2, letter);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    Click(main, C::BitBtn9);
    const Box verdict = WaitForBox(main, "the device check's closing box", kCheckLimitMs, kBoxPollMs);
    QueryPerformanceCounter(&end);
    const long long elapsedMs = (end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;

    // Read after the clock stopped, the report as the user has it with the box.
    // Texts are read until they come: after a long busy spell the program
    // counts as hung for a moment, and a read then comes back empty.
    std::vector<std::wstring> lines;
    WaitFor(
        [&] {
            lines = ReportLines(main);
            return !lines.front().empty();
        },
        "the report");
    std::wstring title;
    WaitFor([&] { return !(title = TextOf(verdict.window)).empty(); }, "the closing box's title");
    Answer(verdict, IDOK);
    if (savesAfterwards) {
        const Box question = WaitForBox(main, "the save question");
        WaitFor([&] { return TextOf(question.window) == W("Aviso"); }, "the save question's title");
        Answer(question, IDNO);
    }
    std::printf("window check: %lld ms, %zu report lines, closing box \"%s\"\n", elapsedMs, lines.size(),
                U(title).c_str());
}

void StepLanguage(kv::UiLanguage language) {
    HWND main = WaitForMainWindow();
    Click(main, language == kv::UiLanguage::English ? C::BitBtn14 : C::BitBtn13);
    const std::wstring caption = W(kv::SwitchedCaption(*kv::FindCaptionRow(C::TForm1), language, ""));
    WaitFor([&] { return TextOf(main) == caption; }, "the window caption to switch");
    ExpectSwitchedCaptions(main, language);
    ExpectText(Report(main), W(kv::JoinLines(kv::SwitchTipsLines(language))), "tips after the switch");
    std::printf("ok: switch to %s\n", language == kv::UiLanguage::English ? "English" : "Portuguese");
}

void StepOptions(wchar_t letter) {
    HWND main = WaitForMainWindow();
    Click(main, C::CheckBox1);
    WaitFor([&] { return !IsChecked(main, C::CheckBox1); }, "the first option to clear");
    Click(main, C::BitBtn16);
    WaitFor([&] { return FileContent(OptionsFile()) == "0\r\n1\r\n"; }, "the options file to hold 0 and 1");

    // Saved again after the file was deleted: the user's choice is kept.
    Expect(DeleteFileW(OptionsFile().c_str()) != 0, "deleting the options file");
    Click(main, C::BitBtn16);
    WaitFor([&] { return FileContent(OptionsFile()) == "0\r\n1\r\n"; }, "the recreated options file to hold 0 and 1");
    Expect(!IsChecked(main, C::CheckBox1) && IsChecked(main, C::CheckBox2), "the options as the user left them");

    // The cleared box counts at once: a check now ends without the save
    // question. F11 on the instructions button is queued behind the check, so
    // the next box must be the author box.
    RunDeviceCheck(main, letter);
    Answer(WaitForBox(main, "the device check's closing box"), IDOK);
    PostMessageW(Control(main, C::BitBtn3), WM_KEYDOWN, VK_F11, 0);
    const Box author = WaitForBox(main, "the author box");
    ExpectText(author.title, W(kv::AuthorBoxTitle().pt), "the box after a check without the save option");
    ExpectText(author.text, W(kv::AuthorBoxText().pt), "author box text");
    Answer(author, IDOK);
    std::printf("ok: options\n");
}

void StepInstructions() {
    HWND main = WaitForMainWindow();
    // F11 on another control does nothing: the click queued behind it opens
    // the instructions window with no box before it.
    PostMessageW(Control(main, C::Memo1), WM_KEYDOWN, VK_F11, 0);
    Click(main, C::BitBtn3);
    WaitFor([&] { return TopLevelWindows(kv::kInstructionsWindowClass).size() == 1; }, "the instructions window");
    Expect(OwnedWindows(main, L"#32770").empty(), "F11 outside the instructions button showed a box");

    // Asked twice more, then F11 on the instructions button: by the time its
    // author box shows, both clicks have been handled.
    Click(main, C::BitBtn3);
    Click(main, C::BitBtn3);
    PostMessageW(Control(main, C::BitBtn3), WM_KEYDOWN, VK_F11, 0);
    Answer(WaitForBox(main, "the author box"), IDOK);
    const std::vector<HWND> windows = TopLevelWindows(kv::kInstructionsWindowClass);
    Expect(windows.size() == 1, "instructions windows open: " + std::to_string(windows.size()));
    HWND instructions = windows.front();
    ExpectText(TextOf(instructions), W(kv::kInstructionsCaption), "instructions caption");
    // Beside the main window, not owned by it (an owned window always covers
    // its owner); on a work area with room beside the main window, they do not
    // overlap at all, and on a narrower one it goes to the side with more room.
    Expect(GetWindow(instructions, GW_OWNER) == nullptr, "the instructions window is owned by the main window");
    RECT mainPlace, instructionsPlace, overlap, work;
    GetWindowRect(main, &mainPlace);
    GetWindowRect(instructions, &instructionsPlace);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const LONG width = instructionsPlace.right - instructionsPlace.left;
    const std::string places = "main " + std::to_string(mainPlace.left) + ".." + std::to_string(mainPlace.right) +
                               ", instructions " + std::to_string(instructionsPlace.left) + ".." +
                               std::to_string(instructionsPlace.right) + ", work area " + std::to_string(work.left) +
                               ".." + std::to_string(work.right);
    if (work.right - mainPlace.right >= width || mainPlace.left - work.left >= width) {
        Expect(!IntersectRect(&overlap, &mainPlace, &instructionsPlace),
               "the instructions window covers the main window: " + places);
    } else {
        const bool rightSide = work.right - mainPlace.right >= mainPlace.left - work.left;
        Expect(rightSide ? instructionsPlace.right == work.right : instructionsPlace.left == work.left,
               "the instructions window is not at the side with more room: " + places);
    }
    HWND text = GetDlgItem(instructions, kv::IdOf(kv::InstructionsControlId::Memo1));
    ExpectText(TextOf(text), W(kv::JoinLines(kv::InstructionsLines())), "instructions text");

    PostMessageW(GetDlgItem(instructions, kv::IdOf(kv::InstructionsControlId::BitBtn1)), BM_CLICK, 0, 0);
    WaitFor([&] { return !IsWindow(instructions); }, "the instructions window to close");
    Click(main, C::BitBtn3);
    WaitFor([&] { return TopLevelWindows(kv::kInstructionsWindowClass).size() == 1; },
            "the instructions window to open anew");
    HWND again = TopLevelWindows(kv::kInstructionsWindowClass).front();
    Expect(
        SendMessageW(GetDlgItem(again, kv::IdOf(kv::InstructionsControlId::Memo1)), EM_GETFIRSTVISIBLELINE, 0, 0) == 0,
        "the reopened instructions start at the top");
    PostMessageW(again, WM_CLOSE, 0, 0);
    WaitFor([&] { return !IsWindow(again); }, "the instructions window to close by its close box");
    std::printf("ok: instructions (%s)\n", places.c_str());
}

std::wstring WaitForListingProgress(HWND main);

// Windows' question whether the session may end, sent from another thread
// because the answer waits for the user.
LRESULT QueryEndSession(HWND main, int answer) {
    LRESULT result = -1;
    std::thread windows([&] { result = SendMessageW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF); });
    const Box box = WaitForBox(main, "the end-session question");
    ExpectBox(box, "KV Vuduv", kv::kEndSessionQuestion, "end-session question");
    Answer(box, answer);
    windows.join();
    return result;
}

void StepEndSession(const std::wstring& leftover, wchar_t largeDevice) {
    HWND main = WaitForMainWindow();
    Expect(Exists(leftover), "the leftover file is missing before the test");
    Expect(QueryEndSession(main, IDNO) == FALSE, "No must keep the session");
    Expect(IsWindow(main) && Exists(leftover), "No keeps the program and its leftover file");

    // The session ends during a long check: the check stops at a safe point,
    // then the shut-down steps run.
    RunDeviceCheck(main, largeDevice);
    WaitForListingProgress(main);

    HANDLE program = ProcessOf(main);
    Expect(QueryEndSession(main, IDYES) == TRUE, "Yes must let the session end");
    SendMessageW(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    Expect(WaitForSingleObject(program, kLimitMs) == WAIT_OBJECT_0, "the program did not end with the session");
    CloseHandle(program);
    Expect(!Exists(leftover), "the leftover file was not deleted at shut-down");
    std::printf("ok: end session\n");
}

void StepRestart(const std::wstring& exe) {
    HANDLE program = Launch(exe, L"");
    HWND main = WaitForMainWindow();
    Expect(!IsChecked(main, C::CheckBox1) && IsChecked(main, C::CheckBox2), "the saved options read back");
    Expect(FileContent(OptionsFile()) == "0\r\n1\r\n", "the options file is unchanged by a start");
    ExpectText(Report(main), W(kv::JoinLines(kv::StartupTipsLines())), "a new start is in Portuguese");
    PostMessageW(main, WM_CLOSE, 0, 0);
    Expect(WaitForSingleObject(program, kLimitMs) == WAIT_OBJECT_0, "the program did not close");
    CloseHandle(program);
    std::printf("ok: restart\n");
}

// The program started from its own copy on the device it cleans, beside a
// copy of the console program, with the options of a first start: the check
// and the disinfection of that device run to their end, neither copy is
// touched, and the program is still running afterwards.
void StepOwnCopy(const std::wstring& exe, wchar_t letter) {
    Expect(!MainWindow(), "a main window is already open");
    DeleteFileW(OptionsFile().c_str());
    HANDLE program = Launch(exe, L"");
    HWND main = WaitForMainWindow();
    StepDeviceCheck(letter);
    StepDeviceDisinfection(letter);
    Expect(WaitForSingleObject(program, 0) == WAIT_TIMEOUT, "the program ended itself");
    Expect(Exists(exe), "the program's own copy is gone");
    Expect(Exists(FolderOf(exe) + L"\\kvvuduv-cli.exe"), "the console program's copy is gone");
    PostMessageW(main, WM_CLOSE, 0, 0);
    Expect(WaitForSingleObject(program, kLimitMs) == WAIT_OBJECT_0, "the program did not close");
    CloseHandle(program);
    std::printf("ok: the program on the device it cleans\n");
}

// ---- Tools and options tabs ------------------------------------------------------------------

// A top-level window another program opened for us (the log in its default
// program, a folder in the file explorer): found by a piece of its title,
// then closed.
struct TitleSearch {
    std::wstring piece;
    HWND found;
};

BOOL CALLBACK FindByTitle(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TitleSearch*>(data);
    if (!IsWindowVisible(window)) return TRUE;
    std::wstring title = TextOf(window);
    for (wchar_t& c : title) c = static_cast<wchar_t>(towlower(c));
    if (title.find(search->piece) == std::wstring::npos) return TRUE;
    search->found = window;
    return FALSE;
}

void ExpectOpenedAndClose(const std::wstring& titlePiece, const std::string& what) {
    TitleSearch search{titlePiece, nullptr};
    for (wchar_t& c : search.piece) c = static_cast<wchar_t>(towlower(c));
    WaitFor(
        [&] {
            search.found = nullptr;
            EnumWindows(FindByTitle, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        what);
    PostMessageW(search.found, WM_CLOSE, 0, 0);
    WaitFor([&] { return !IsWindow(search.found) || !IsWindowVisible(search.found); }, what + " to close");
}

std::vector<std::wstring> ListEntries(HWND list) {
    std::vector<std::wstring> entries;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&entry[0]));
        entries.emplace_back(entry.c_str());
    }
    return entries;
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
    return text;
}

// The newest file of a pattern in a folder (by its name's time stamp, which
// the same-second runs share, then by write time).
std::wstring NewestFile(const std::wstring& folder, const std::wstring& pattern) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\" + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return L"";
    std::wstring newest;
    FILETIME newestTime{};
    do {
        if (newest.empty() || CompareFileTime(&data.ftLastWriteTime, &newestTime) >= 0) {
            newest = folder + L"\\" + data.cFileName;
            newestTime = data.ftLastWriteTime;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return newest;
}

void ClickLabel(HWND main, ControlId id) {
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(kv::IdOf(id), STN_CLICKED), reinterpret_cast<LPARAM>(Control(main, id)));
}

void WriteFileOf(const std::wstring& path, DWORD size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    Expect(file != INVALID_HANDLE_VALUE, "creating " + U(path));
    std::string bytes(size, 'x');
    DWORD written = 0;
    WriteFile(file, bytes.data(), size, &written, nullptr);
    CloseHandle(file);
}

// Deletes what folder (ending with a backslash) holds.
void EmptyFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            EmptyFolder(path + L"\\");
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

void StepTools(const std::wstring& dummy) {
    HWND main = WaitForMainWindow();
    // Two copies of one program run; ending one entry ends both.
    HANDLE copies[] = {Launch(dummy, L"sleep"), Launch(dummy, L"sleep")};
    const std::wstring tempFolder = [] {
        wchar_t path[MAX_PATH + 1] = L"";
        GetTempPathW(MAX_PATH + 1, path);
        return std::wstring(path);
    }();
    // The temporary folders' fixture: 1.5 MB in the user's, nothing in the system's.
    const std::wstring systemTemp = SpecialFolder(CSIDL_WINDOWS) + L"\\temp\\";
    EmptyFolder(tempFolder);
    EmptyFolder(systemTemp);
    CreateDirectoryW((tempFolder + L"kvgui-dir").c_str(), nullptr);
    WriteFileOf(tempFolder + L"kvgui-dir\\half.bin", 512 * 1024);
    WriteFileOf(tempFolder + L"kvgui-old.tmp", 1024 * 1024);

    StepTab(1);
    HWND list = Control(main, C::ListBox1);
    const std::wstring dummyEntry = Lower(dummy);
    const auto dummyCount = [&] {
        int count = 0;
        for (const std::wstring& entry : ListEntries(list)) count += Lower(entry) == dummyEntry ? 1 : 0;
        return count;
    };
    // The copies may still be starting: the list button lists again.
    WaitFor(
        [&] {
            if (dummyCount() == 2) return true;
            SendMessageW(Control(main, C::BitBtn10), BM_CLICK, 0, 0);
            return false;
        },
        "both copies listed by their full paths", kLimitMs, 200);
    const std::vector<std::wstring> entries = ListEntries(list);
    for (std::size_t i = 1; i < entries.size(); ++i) {
        Expect(Lower(entries[i - 1]) <= Lower(entries[i]),
               "the process list is not sorted: " + U(entries[i - 1]) + " before " + U(entries[i]));
    }
    ExpectText(Lower(TextOf(Control(main, C::Label20))), Lower(tempFolder), "user temporary folder label");
    ExpectText(Lower(TextOf(Control(main, C::Label21))), Lower(systemTemp), "system temporary folder label");
    ExpectText(TextOf(Control(main, C::Label22)), L"Espaço ocupado: 1.50 MB", "user temporary folder size");
    ExpectText(TextOf(Control(main, C::Label23)), L"Espaço ocupado: 0B", "system temporary folder size");

    // End Process with nothing selected does nothing; then on a copy's entry.
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Click(main, C::BitBtn11);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (Lower(entries[i]) == dummyEntry) SendMessageW(list, LB_SETCURSEL, i, 0);
    }
    Click(main, C::BitBtn11);
    const Box ended = WaitForBox(main, "the end-process box");
    ExpectBox(ended, "Aviso", "Processo finalizado com sucesso!", "end-process box");
    Answer(ended, IDOK);
    for (HANDLE copy : copies) {
        Expect(WaitForSingleObject(copy, kLimitMs) == WAIT_OBJECT_0, "a copy of the dummy still runs");
        CloseHandle(copy);
    }
    WaitFor([&] { return dummyCount() == 0; }, "the list without the dummy");
    std::printf("ok: process list and end process\n");

    // The cleanup: its box, the sizes shown again, its log opened.
    Click(main, C::Button4);
    const Box cleaned = WaitForBox(main, "the cleanup box");
    ExpectBox(cleaned, "Aviso", "Processo concluído com sucesso!", "cleanup box");
    Answer(cleaned, IDOK);
    ExpectOpenedAndClose(L"kv-temp", "the cleanup log in its program");
    Expect(!Exists(tempFolder + L"kvgui-old.tmp") && !Exists(tempFolder + L"kvgui-dir"), "the cleanup left files");
    ExpectText(TextOf(Control(main, C::Label22)), L"Espaço ocupado: 0B", "size after the cleanup");
    const std::wstring log = NewestFile(SpecialFolder(CSIDL_APPDATA) + L"\\zirozov", L"kv-temp*.txt");
    const std::string logText = FileContent(log);
    Expect(logText.find("Arquivo " + U(tempFolder) + "kvgui-old.tmp deletado.\r\n") != std::string::npos &&
               logText.find("Pasta " + U(tempFolder) + "kvgui-dir deletada.\r\n") != std::string::npos,
           "the cleanup log: " + logText);
    ClickLabel(main, C::Label21);
    ExpectOpenedAndClose(L"temp", "the system's temporary folder in the explorer");
    std::printf("ok: temporary folders\n");

    // Icon repair on this prefix's HKCU.
    const wchar_t* exts = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
    const wchar_t* aside = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExtsoldkv";
    SHDeleteKeyW(HKEY_CURRENT_USER, aside);
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(exts) + L"\\.kvgui").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                    &key, nullptr);
    Expect(key != nullptr, "creating the FileExts fixture");
    RegCloseKey(key);
    Click(main, C::BitBtn15);
    const Box repaired = WaitForBox(main, "the icon repair box");
    ExpectBox(repaired, "Aviso", "Para concluir procedimento é necessário reiniciar o computador!", "icon repair box");
    Answer(repaired, IDOK);
    HKEY moved = nullptr;
    Expect(RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(aside) + L"\\.kvgui").c_str(), 0, KEY_READ, &moved) ==
               ERROR_SUCCESS,
           "FileExtsoldkv does not hold the moved subkey");
    RegCloseKey(moved);
    SHDeleteKeyW(HKEY_CURRENT_USER, aside);
    std::printf("ok: icon repair\n");

    // The system report, opened in its program, lists the processes as shown.
    Click(main, C::BitBtn17);
    ExpectOpenedAndClose(L"kv-relatorio", "the system report in its program");
    const std::wstring report = NewestFile(SpecialFolder(CSIDL_APPDATA) + L"\\zirozov", L"kv-relatorio-*.txt");
    const std::string reportText = FileContent(report);
    Expect(reportText.find(" - 64 Bits\r\n") != std::string::npos, "the report's system line: " + reportText);
    for (const std::wstring& entry : ListEntries(list)) {
        Expect(reportText.find("\r\n" + U(entry) + "\r\n") != std::string::npos, "the report lacks " + U(entry));
    }
    std::printf("ok: system report\n");
}

void StepOptionsTab(const std::wstring& exe) {
    HWND main = WaitForMainWindow();
    StepTab(2);
    const std::wstring folder = FolderOf(exe);
    WaitFor([&] { return Lower(TextOf(Control(main, C::Label19))) == Lower(folder); }, "the program's folder label");
    const std::wstring copy = SpecialFolder(CSIDL_DESKTOPDIRECTORY) + L"\\" + exe.substr(exe.find_last_of(L'\\') + 1);
    WriteFileOf(copy, 10);  // an older copy, overwritten
    Click(main, C::BitBtn12);
    const Box copied = WaitForBox(main, "the copy box");
    ExpectBox(copied, "Aviso", "Arquivo copiado com sucesso!", "copy box");
    Answer(copied, IDOK);
    Expect(FileContent(copy) == FileContent(exe), "the desktop copy is not the program");
    DeleteFileW(copy.c_str());
    ClickLabel(main, C::Label19);
    ExpectOpenedAndClose(Lower(folder.substr(folder.find_last_of(L'\\') + 1)), "the program's folder in the explorer");
    std::printf("ok: options tab\n");
}

// ---- Actions in the background --------------------------------------------------------

// What a running action disables, and what stays usable.
const ControlId kStartingControls[] = {
    C::BitBtn7,        C::BitBtn9,  C::BitBtn2,   C::BitBtn1,   C::SpeedButton3, C::DriveComboBox2, C::SpeedButton1,
    C::DriveComboBox1, C::BitBtn13, C::BitBtn14,  C::BitBtn10,  C::BitBtn11,     C::Button4,        C::BitBtn15,
    C::BitBtn17,       C::BitBtn12, C::CheckBox1, C::CheckBox2, C::BitBtn16,
};

bool Enabled(HWND main, ControlId id) { return IsWindowEnabled(Control(main, id)) != FALSE; }

void ExpectRunningState(HWND main) {
    for (ControlId id : kStartingControls) {
        Expect(!Enabled(main, id), "control " + std::to_string(kv::IdOf(id)) + " is enabled while the action runs");
    }
    for (ControlId id : {C::StopButton, C::PageControl1, C::Memo1, C::BitBtn3}) {
        Expect(Enabled(main, id), "control " + std::to_string(kv::IdOf(id)) + " is disabled while the action runs");
    }
}

void WaitUntilIdle(HWND main) {
    // The Stop button is disabled last, after the other controls came back.
    WaitFor([&] { return !Enabled(main, C::StopButton); }, "the end of the action");
    for (ControlId id : kStartingControls) {
        Expect(Enabled(main, id), "control " + std::to_string(kv::IdOf(id)) + " stays disabled after the action");
    }
    ExpectText(TextOf(Control(main, C::ProgressLabel)), L"", "the progress line after the action");
}

bool IsPortuguese(HWND main) { return TextOf(Control(main, C::StopButton)) == W("Parar"); }

// Waits until the progress line counts the listed entries of the device.
std::wstring WaitForListingProgress(HWND main) {
    const std::wstring entries = IsPortuguese(main) ? L" itens - " : L" entries - ";
    const std::wstring step =
        IsPortuguese(main) ? W("Listando as pastas do dispositivo") : L"Listing the device's folders";
    std::wstring progress;
    WaitFor(
        [&] {
            progress = TextOf(Control(main, C::ProgressLabel));
            return progress.find(step) != std::wstring::npos && progress.find(entries) != std::wstring::npos;
        },
        "the progress line of the listing");
    return progress;
}

// A check of a large device: sampled every 50 ms until its closing box, the
// window must answer within 200 ms every time and never count as hung.
void StepBusyCheck(wchar_t letter) {
    HWND main = WaitForMainWindow();
    const std::size_t tipsLength = Report(main).size();
    RunDeviceCheck(main, letter);
    WaitFor([&] { return !Enabled(main, C::BitBtn9); }, "the check to start");
    ExpectRunningState(main);
    const std::wstring progress = WaitForListingProgress(main);

    int samples = 0, liveSamples = 0;
    DWORD slowest = 0;
    HWND box = nullptr;
    std::size_t lastLength = 0;
    std::wstring lastProgress = progress;
    int progressChanges = 0;
    while (!box) {
        const DWORD start = GetTickCount();
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 200, &result)) {
            SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
            Fail("the window did not answer within 200 ms at sample " + std::to_string(samples + 1) +
                 " (answered after " + std::to_string(GetTickCount() - start) +
                 " ms; a box: " + (OwnedWindows(main, L"#32770").empty() ? "no" : "yes") + "; progress \"" +
                 U(TextOf(Control(main, C::ProgressLabel))) + "\")");
        }
        slowest = std::max(slowest, GetTickCount() - start);
        Expect(!IsHungAppWindow(main), "the window counts as hung at sample " + std::to_string(samples + 1));
        ++samples;
        // The report grows while the check runs.
        DWORD_PTR length = 0;
        SendMessageTimeoutW(Control(main, C::Memo1), WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 200, &length);
        if (length != lastLength && length != tipsLength) ++liveSamples;
        lastLength = length;
        // So does the progress line.
        const std::wstring shown = TextOf(Control(main, C::ProgressLabel));
        if (shown != lastProgress) {
            ++progressChanges;
            lastProgress = shown;
        }
        const std::vector<HWND> boxes = OwnedWindows(main, L"#32770");
        if (!boxes.empty()) box = boxes.front();
        if (samples > 20 * 60 * 5) Fail("the check did not end within five minutes");
        Sleep(50);
    }
    Expect(samples >= 20, "the check took less than a second: too small to show anything");
    Expect(liveSamples >= 3, "the report did not grow while the check ran");
    Expect(progressChanges >= 3, "the progress line did not follow the check: " + std::to_string(progressChanges) +
                                     " changes in " + std::to_string(samples) + " samples");
    const std::string root = std::string(1, static_cast<char>(letter)) + ":\\";
    const Box verdict = WaitForBox(main, "the check's closing box");
    ExpectBox(verdict, "Resultado", "Não foram Encontrados Vírus no Drive " + root + "!", "closing box");
    Answer(verdict, IDOK);
    Answer(WaitForBox(main, "the save question"), IDNO);
    WaitUntilIdle(main);
    const std::vector<std::wstring> lines = ReportLines(main);
    std::printf(
        "ok: busy check, %zu report lines, %d samples, slowest answer %lu ms, %d changes of the progress line, "
        "the last \"%s\"\n",
        lines.size(), samples, static_cast<unsigned long>(slowest), progressChanges, U(lastProgress).c_str());
}

void StepStop(wchar_t letter, const std::wstring& how) {
    HWND main = WaitForMainWindow();
    const bool portuguese = IsPortuguese(main);
    RunDeviceCheck(main, letter);
    WaitFor([&] { return !Enabled(main, C::BitBtn9); }, "the check to start");
    WaitForListingProgress(main);
    if (how == L"escape") {
        // Escape in whatever control has the focus.
        HWND focus = FocusOf(main);
        PostMessageW(focus ? focus : main, WM_KEYDOWN, VK_ESCAPE, 0);
    } else {
        // Closing the window asks first; No leaves the action running.
        PostMessageW(main, WM_CLOSE, 0, 0);
        const Box question = WaitForBox(main, "the question before closing during an action");
        ExpectBox(
            question, "KV Vuduv",
            kv::CloseWhileRunningQuestion().For(portuguese ? kv::UiLanguage::Portuguese : kv::UiLanguage::English),
            "closing question");
        Answer(question, IDNO);
        Expect(IsWindow(main) && !Enabled(main, C::BitBtn9), "the action ended after No to the closing question");
        Click(main, C::StopButton);
    }
    WaitUntilIdle(main);
    Expect(OwnedWindows(main, L"#32770").empty(), "a box was shown after the stop");
    const std::vector<std::wstring> lines = ReportLines(main);
    ExpectText(lines.back(),
               W(portuguese ? "[KV] - Ação interrompida pelo usuário." : "[KV] - Action stopped by the user."),
               "the last line after a stop");
    for (const std::wstring& line : lines) {
        Expect(line.find(L"[KV] - >>>") == std::wstring::npos, "the check went on past the listing after the stop");
    }
    std::printf("ok: stop by %s, %zu report lines\n", U(how).c_str(), lines.size());
}

// The file name edit of the save dialog (its combo box's edit, or the plain edit).
HWND FileNameEdit(HWND dialog) {
    if (HWND combo = GetDlgItem(dialog, 0x47C)) {
        if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr)) return edit;
        if (HWND inner = FindWindowExW(combo, nullptr, L"ComboBox", nullptr)) {
            if (HWND edit = FindWindowExW(inner, nullptr, L"Edit", nullptr)) return edit;
        }
    }
    if (HWND edit = GetDlgItem(dialog, 0x480)) return edit;
    Fail("the save dialog has no file name field");
}

Box SaveDialogOfACheck(HWND main, wchar_t letter) {
    RunDeviceCheck(main, letter);
    Answer(WaitForBox(main, "the check's closing box"), IDOK);
    const Box question = WaitForBox(main, "the save question");
    Answer(question, IDYES);
    Box dialog = WaitForBox(main, "the save dialog");
    WaitFor([&] { return (dialog.title = TextOf(dialog.window)) == W("Salvar Log de Verificação de Mídia Externa"); },
            "the save dialog's title");
    return dialog;
}

void StepSave(wchar_t letter, const std::wstring& file) {
    HWND main = WaitForMainWindow();
    Expect(IsChecked(main, C::CheckBox1), "the option to save after checks is off");
    DeleteFileW(file.c_str());
    Box dialog = SaveDialogOfACheck(main, letter);
    HWND name = FileNameEdit(dialog.window);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
    PostMessageW(dialog.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitFor([&] { return Exists(file); }, "the saved report");
    WaitUntilIdle(main);

    // The next save offers the same file.
    dialog = SaveDialogOfACheck(main, letter);
    const std::wstring offered = TextOf(FileNameEdit(dialog.window));
    const std::wstring fileName = file.substr(file.find_last_of(L'\\') + 1);
    Expect(offered == file || offered == fileName,
           "the save dialog offers \"" + U(offered) + "\", not the previous file " + U(file));
    Answer(dialog, IDCANCEL);
    WaitUntilIdle(main);
    std::printf("ok: save, the dialog offered \"%s\" again\n", U(offered).c_str());
}

int ShownPage(HWND main) {
    const ControlId pages[] = {C::TabSheet1, C::TabSheet2, C::TabSheet3};
    for (int index = 0; index < 3; ++index) {
        if (IsWindowVisible(Control(main, pages[index]))) return index;
    }
    return -1;
}

void StepKeyboard() {
    HWND main = WaitForMainWindow();
    BringForward(main);
    HWND tabs = Control(main, C::PageControl1);
    PostMessageW(tabs, TCM_SETCURFOCUS, 0, 0);
    WaitFor([&] { return ShownPage(main) == 0; }, "the first page");

    // The tab strip is a Tab stop.
    int presses = 0;
    while (FocusOf(main) != tabs) {
        if (++presses > 40) Fail("Tab never reaches the tab strip");
        const HWND before = FocusOf(main);
        Type({}, VK_TAB);
        WaitFor([&] { return FocusOf(main) != before; }, "Tab to move the focus");
    }
    // Ctrl+Tab goes through every page and round; Ctrl+Shift+Tab goes back.
    for (int expected : {1, 2, 0}) {
        Type({VK_CONTROL}, VK_TAB);
        WaitFor([&] { return ShownPage(main) == expected; }, "Ctrl+Tab to page " + std::to_string(expected));
    }
    Type({VK_CONTROL, VK_SHIFT}, VK_TAB);
    WaitFor([&] { return ShownPage(main) == 2; }, "Ctrl+Shift+Tab to the last page");
    Type({VK_CONTROL}, VK_TAB);
    WaitFor([&] { return ShownPage(main) == 0; }, "Ctrl+Tab back to the first page");

    // Lines of the report: Home and Shift+Down twice select the first three,
    // Ctrl+C copies just those; a click at the top (now the first line)
    // selects that line alone; Ctrl+A, Ctrl+C copy the whole report.
    HWND report = Control(main, C::Memo1);
    const std::vector<std::wstring> lines = ReportLines(main);
    Expect(lines.size() >= 3, "the report has fewer than three lines");
    ClearClipboard();
    auto click = [&] {
        PostMessageW(report, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 3));
        PostMessageW(report, WM_LBUTTONUP, 0, MAKELPARAM(20, 3));
    };
    click();
    WaitFor([&] { return FocusOf(main) == report; }, "the focus in the report area after a click");
    Type({}, VK_HOME);
    Type({VK_SHIFT}, VK_DOWN);
    Type({VK_SHIFT}, VK_DOWN);
    Type({VK_CONTROL}, 'C');
    const std::wstring three = lines[0] + L"\r\n" + lines[1] + L"\r\n" + lines[2];
    WaitFor([&] { return ClipboardText() == three; }, "three selected lines on the clipboard");
    click();
    // Posted behind the click, so the click is handled first.
    PostMessageW(report, WM_COPY, 0, 0);
    WaitFor([&] { return ClipboardText() == lines[0]; }, "the clicked line on the clipboard");
    Type({VK_CONTROL}, 'A');
    Type({VK_CONTROL}, 'C');
    WaitFor([&] { return ClipboardText() == Report(main); }, "the whole report on the clipboard");
    std::printf("ok: keyboard (%d Tab presses to the tab strip), report selection and copy\n", presses);
}

void StepClose() {
    if (HWND main = FindWindowW(kv::kMainWindowClass, nullptr)) PostMessageW(main, WM_CLOSE, 0, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring step = argc > 1 ? argv[1] : L"";
    const std::wstring argument = argc > 2 ? argv[2] : L"";
    if (step == L"sleep") {
        Sleep(INFINITE);
    } else if (step == L"start" && argc > 3) {
        StepStart(argument, argv[3][0]);
    } else if (step == L"tab") {
        StepTab(_wtoi(argument.c_str()));
    } else if (step == L"device-check") {
        StepDeviceCheck(argument[0]);
    } else if (step == L"computer-check") {
        StepComputerCheck(argument == L"pt");
    } else if (step == L"disinfect") {
        StepDeviceDisinfection(argument[0]);
    } else if (step == L"disinfect-computer") {
        StepComputerDisinfection();
    } else if (step == L"timed-device-check") {
        StepTimedDeviceCheck(argument[0]);
    } else if (step == L"english") {
        StepLanguage(kv::UiLanguage::English);
    } else if (step == L"portuguese") {
        StepLanguage(kv::UiLanguage::Portuguese);
    } else if (step == L"options") {
        StepOptions(argument[0]);
    } else if (step == L"instructions") {
        StepInstructions();
    } else if (step == L"tools") {
        StepTools(argument);
    } else if (step == L"options-tab") {
        StepOptionsTab(argument);
    } else if (step == L"end-session" && argc > 3) {
        StepEndSession(argument, argv[3][0]);
    } else if (step == L"restart") {
        StepRestart(argument);
    } else if (step == L"own-copy" && argc > 3) {
        StepOwnCopy(argument, argv[3][0]);
    } else if (step == L"save" && argc > 3) {
        StepSave(argument[0], argv[3]);
    } else if (step == L"busy") {
        StepBusyCheck(argument[0]);
    } else if (step == L"stop" && argc > 3) {
        StepStop(argument[0], argv[3]);
    } else if (step == L"listing-progress") {
        std::printf("%s\n", U(WaitForListingProgress(WaitForMainWindow())).c_str());
    } else if (step == L"keyboard") {
        StepKeyboard();
    } else if (step == L"close") {
        StepClose();
    } else {
        std::printf("usage: gui_driver STEP [ARGUMENT...] (see the source)\n");
        return 2;
    }
    return 0;
}
