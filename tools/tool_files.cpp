#include "tools/tool_files.h"

#include "core/report_file.h"

namespace kv {

std::string RoamingDataFolder(PlatformOps& os) { return os.GetSpecialFolder(csidl::kAppData) + "\\zirozov"; }

std::string LocalDataFolder(PlatformOps& os) { return os.GetSpecialFolder(csidl::kLocalAppData) + "\\zirozov"; }

void EnsureDataFolders(PlatformOps& os) {
    for (const std::string& folder : {RoamingDataFolder(os), LocalDataFolder(os)}) {
        if (!os.FolderExists(folder)) os.CreateFolder(folder);
    }
}

std::string WriteInBothDataFolders(PlatformOps& os, const std::string& fileName,
                                   const std::vector<std::string>& lines) {
    const std::string roaming = RoamingDataFolder(os) + "\\" + fileName;
    WriteReportFile(os, roaming, lines);
    WriteReportFile(os, LocalDataFolder(os) + "\\" + fileName, lines);
    return roaming;
}

std::string FileNameSafe(std::string text) {
    for (char& c : text) {
        if (c == '/' || c == '\\' || c == ':') c = '-';
    }
    return text;
}

}  // namespace kv
