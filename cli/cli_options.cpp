#include "cli/cli_options.h"

namespace kv::cli {
namespace {

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h" || arg == "/?"; }

bool ParseLanguage(const std::string& value, UiLanguage& language) {
    if (value == "pt") {
        language = UiLanguage::Portuguese;
        return true;
    }
    if (value == "en") {
        language = UiLanguage::English;
        return true;
    }
    return false;
}

// Applies "--lang VALUE" or "--save VALUE"; returns why it cannot, or "".
std::string ApplyValueOption(const std::string& option, const std::string& value, CliOptions& options,
                             bool& languageGiven) {
    if (option == "--lang") {
        if (languageGiven) return "--lang given twice";
        languageGiven = true;
        if (!ParseLanguage(value, options.language)) return "--lang takes pt or en, not '" + value + "'";
        return std::string();
    }
    if (options.saveFile) return "--save given twice";
    if (value.empty()) return "--save needs a file name";
    options.saveFile = value;
    return std::string();
}

}  // namespace

std::optional<char> ParseDriveLetter(const std::string& text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    const char letter = text[0];
    const bool isLetter = (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
    if (!isLetter) return std::nullopt;
    if (text.size() >= 2 && text[1] != ':') return std::nullopt;
    if (text.size() == 3 && text[2] != '\\') return std::nullopt;
    return static_cast<char>(letter >= 'a' ? letter - 'a' + 'A' : letter);
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
    ParsedCommandLine parsed;
    CliOptions& options = parsed.options;
    for (const std::string& arg : args) {
        if (IsHelp(arg)) {
            options.help = true;
            return parsed;
        }
    }
    bool languageGiven = false;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size() && parsed.ok(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--lang" || arg == "--save") {
            if (i + 1 < args.size()) {
                parsed.error = ApplyValueOption(arg, args[++i], options, languageGiven);
            } else {
                parsed.error = arg + " needs a value";
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            parsed.error = "unknown option '" + arg + "'";
        } else {
            positional.push_back(arg);
        }
    }
    if (!parsed.ok()) return parsed;
    if (positional.empty()) {
        parsed.error = "no action given";
    } else if (positional.size() > 2) {
        parsed.error = "too many arguments ('" + positional[2] + "')";
    } else {
        options.action = positional[0];
        if (positional.size() == 2) options.drive = positional[1];
    }
    return parsed;
}

std::string UsageText() {
    return "Usage: kvvuduv-cli [--lang pt|en] [--save FILE] ACTION [DRIVE]\n"
           "\n"
           "Runs one action of KV Vuduv without its window and prints a transcript:\n"
           "every report line as it is written and every message box as\n"
           "\"== kind | title | text\".\n"
           "\n"
           "Actions:\n"
           "  check-device DRIVE      check a removable device\n"
           "  disinfect-device DRIVE  disinfect a removable device\n"
           "  check-computer          check this computer\n"
           "  disinfect-computer      disinfect this computer (questions are answered No)\n"
           "\n"
           "DRIVE is a drive letter written E, E: or E:\\ (the system drive and CD/DVD\n"
           "drives are refused).\n"
           "\n"
           "Tools (no drive):\n"
           "  list-processes          the running processes as the tools tab lists them\n"
           "  end-process NAME        end every process of that name (exit 1 when none ended)\n"
           "  temp-folders            the user's and the system's temporary folders and sizes\n"
           "  clean-temp              empty both temporary folders, printing the log (both\n"
           "                          log files are written, nothing is opened)\n"
           "  repair-icons            set the per-extension Explorer settings aside (exit 1\n"
           "                          when nothing was moved)\n"
           "  system-report           write the system report and print it\n"
           "\n"
           "Options:\n"
           "  --lang pt|en  language of the report and boxes (default pt)\n"
           "  --save FILE   write the final report to FILE (Windows-1252, CR LF),\n"
           "                replacing an existing file\n"
           "  --help        show this text\n"
           "\n"
           "Exit status: 0 nothing found, 1 something found, 2 usage error, refused\n"
           "drive or a report that could not be written. The tools: 0 done, 1 nothing\n"
           "ended or moved, 2 usage error or a file that could not be written.\n";
}

}  // namespace kv::cli
