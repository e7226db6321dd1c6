// The console program's command line:
//     kvvuduv-cli [--lang pt|en] [--save FILE] ACTION [DRIVE]
// Parsing is portable so the rules can be tested without Windows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/report_log.h"

namespace kv::cli {

struct CliOptions {
    bool help = false;
    UiLanguage language = UiLanguage::Portuguese;
    std::optional<std::string> saveFile;
    std::string action;
    std::optional<std::string> drive;  // as written; checked against the action later
};

struct ParsedCommandLine {
    CliOptions options;
    std::string error;  // empty when the command line is well formed
    bool ok() const { return error.empty(); }
};

// args excludes the program name. Options may stand before or after the
// action; "--help" (or "-h") anywhere wins over everything else.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// "E", "e:", "E:\" -> 'E'; nothing for anything else.
std::optional<char> ParseDriveLetter(const std::string& text);

// The text --help prints.
std::string UsageText();

}  // namespace kv::cli
