// The progress line under the report area while an action runs: the elapsed
// time, the step, and for a walk the count of entries so far and the folder
// at hand, in the active language.
#pragma once

#include <cstdint>
#include <string>

#include "core/report_log.h"

namespace kv {

struct ProgressState {
    MessagePair step;           // empty until the action names its first step
    std::string folder;         // the folder being walked, "" when none
    std::uint64_t entries = 0;  // entries of the step so far
    bool stopping = false;      // a stop was asked for and not reached yet
};

// "0:07 - Listando as pastas do dispositivo - 12.345 itens - K:\Pasta03\"
std::string ProgressLine(UiLanguage language, const ProgressState& state, std::uint64_t elapsedSeconds);

// 7 -> "0:07", 3725 -> "1:02:05".
std::string ElapsedText(std::uint64_t seconds);

// 12345 -> "12.345" in Portuguese, "12,345" in English.
std::string CountText(UiLanguage language, std::uint64_t count);

}  // namespace kv
