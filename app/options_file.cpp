#include "app/options_file.h"

#include <vector>

namespace kv {

std::string DataFolderPath(PlatformOps& os) { return os.GetSpecialFolder(csidl::kAppData) + "\\zirozov"; }

std::string OptionsFilePath(PlatformOps& os) { return DataFolderPath(os) + "\\parametros.ini"; }

namespace {

// Whole lines, ended by CR LF, a lone LF or a lone CR; the text after the
// last line end is a line too when it is not empty.
std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        lines.push_back(line);
        line.clear();
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

bool LineIsOn(const std::vector<std::string>& lines, std::size_t index) {
    return index < lines.size() && lines[index] == "1";
}

void WriteOptions(PlatformOps& os, const std::string& path, const SaveOptions& options) {
    std::string error;
    if (!os.WriteWholeFile(path, OptionsFileBytes(options), error)) throw OptionsFileError(path, true, error);
}

}  // namespace

SaveOptions ParseOptionsFile(const std::string& bytes) {
    const std::vector<std::string> lines = SplitLines(bytes);
    SaveOptions options;
    options.afterChecks = LineIsOn(lines, 0);
    options.afterDisinfections = LineIsOn(lines, 1);
    return options;
}

std::string OptionsFileBytes(const SaveOptions& options) {
    return std::string(options.afterChecks ? "1" : "0") + "\r\n" + (options.afterDisinfections ? "1" : "0") + "\r\n";
}

SaveOptions LoadOrCreateOptionsFile(PlatformOps& os) {
    const std::string path = OptionsFilePath(os);
    if (os.FileExists(path)) {
        const std::optional<std::string> bytes = os.ReadWholeFile(path);
        if (!bytes) throw OptionsFileError(path, false, std::string());
        return ParseOptionsFile(*bytes);
    }
    const SaveOptions defaults;
    WriteOptions(os, path, defaults);
    return defaults;
}

void SaveOptionsFile(PlatformOps& os, const SaveOptions& options) { WriteOptions(os, OptionsFilePath(os), options); }

}  // namespace kv
