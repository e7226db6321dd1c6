#include "app/progress_text.h"

namespace kv {

std::string ElapsedText(std::uint64_t seconds) {
    auto twoDigits = [](std::uint64_t value) { return (value < 10 ? "0" : "") + std::to_string(value); };
    const std::uint64_t hours = seconds / 3600, minutes = seconds / 60 % 60, rest = seconds % 60;
    if (hours > 0) return std::to_string(hours) + ":" + twoDigits(minutes) + ":" + twoDigits(rest);
    return std::to_string(minutes) + ":" + twoDigits(rest);
}

std::string CountText(UiLanguage language, std::uint64_t count) {
    const std::string digits = std::to_string(count);
    const char separator = language == UiLanguage::Portuguese ? '.' : ',';
    std::string text;
    for (std::size_t index = 0; index < digits.size(); ++index) {
        if (index > 0 && (digits.size() - index) % 3 == 0) text += separator;
        text += digits[index];
    }
    return text;
}

std::string ProgressLine(UiLanguage language, const ProgressState& state, std::uint64_t elapsedSeconds) {
    const bool portuguese = language == UiLanguage::Portuguese;
    std::string line = ElapsedText(elapsedSeconds) + " - ";
    if (state.stopping) {
        return line + (portuguese ? "Parando no próximo ponto seguro..." : "Stopping at the next safe point...");
    }
    const std::string step = state.step.For(language);
    line += step.empty() ? (portuguese ? "Em andamento" : "Running") : step;
    if (state.entries > 0) {
        line += " - " + CountText(language, state.entries) + (portuguese ? " itens" : " entries");
    }
    if (!state.folder.empty()) line += " - " + state.folder;
    return line;
}

}  // namespace kv
