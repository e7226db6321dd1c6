// The window's texts: the caption table applied on creation and on every
// language switch, the tips shown in the report area, the hints, and the
// fixed texts of the boxes and the instructions window. Portable, so the
// tables are checked by the native unit tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "core/report_log.h"

namespace kv {

// What a caption is built from besides its fixed text.
enum class CaptionTail {
    None,
    SystemRoot,  // the computer buttons: text + system root ("C:\")
    Version,     // StaticText1: text + "2.7.3"
};

// One control's captions: the one it is created with, and the ones a switch
// to each language sets. A null language text means a switch leaves the
// control's caption alone.
struct CaptionRow {
    ControlId control;
    const char* initial;
    const char* portuguese;
    const char* english;
    CaptionTail tail = CaptionTail::None;
};

// Every captioned control of the main window, the window itself included.
const std::vector<CaptionRow>& CaptionTable();
const CaptionRow* FindCaptionRow(ControlId control);

// The caption a row gives at creation (initial) and after a switch.
std::string InitialCaption(const CaptionRow& row, const std::string& systemRoot);
// Empty when a switch does not touch the control (see SwitchChangesCaption).
std::string SwitchedCaption(const CaptionRow& row, UiLanguage language, const std::string& systemRoot);
bool SwitchChangesCaption(const CaptionRow& row);

// Tooltips: Portuguese in both languages, never changed.
struct HintRow {
    ControlId control;
    const char* hint;
};
const std::vector<HintRow>& HintTable();

// The report area's tips: the text it shows at start-up, and the lines a
// switch writes (which differ from the start-up text in places).
std::vector<std::string> StartupTipsLines();
std::vector<std::string> SwitchTipsLines(UiLanguage language);

// Text colours of the language buttons (Windows COLORREF values): the active
// language's button grey, the other black.
inline constexpr std::uint32_t kInactiveButtonColour = 0x808080;
inline constexpr std::uint32_t kActiveButtonColour = 0x000000;
std::uint32_t LanguageButtonColour(ControlId button, UiLanguage active);

// The link labels and the pages they open.
inline constexpr const char* kWebPageAddress = "https://kvvuduv.example/";
inline constexpr const char* kSocialPageAddress = "https://kvvuduv.example/social";

// The author box shown by F11 on the instructions button.
MessagePair AuthorBoxTitle();
MessagePair AuthorBoxText();

// The question put when Windows asks to end the session (Portuguese always).
inline constexpr const char* kEndSessionQuestion = "O Windows deseja desligar agora, Permitir ?";
inline constexpr const char* kProgramTitle = "KV Vuduv";

// Asked when the window is closed while an action runs; Yes stops the action
// at its next safe point and then closes.
MessagePair CloseWhileRunningQuestion();

// The error box for a file the program could not read or write: what failed,
// the file, and the system's message when there is one.
MessagePair ErrorBoxTitle();
std::string FileErrorText(UiLanguage language, bool whileWriting, const std::string& path,
                          const std::string& systemMessage);

// The instructions window (Portuguese in both languages).
inline constexpr const char* kInstructionsCaption = "Instruções";
inline constexpr const char* kInstructionsCloseCaption = " &Fechar";
std::vector<std::string> InstructionsLines();

// Lines joined by CR LF, as a multi-line text control holds them.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace kv
