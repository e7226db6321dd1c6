#include "core/platform_ops.h"

#include "core/name_match.h"

namespace kv {

bool KillProcessByName(PlatformOps& os, const std::string& exeName) {
    const std::uint32_t self = os.CurrentProcessId();
    bool lastResult = false;
    for (const ProcessEntry& process : os.SnapshotProcesses()) {
        if (process.processId == self || !ProcessNameMatches(process.exeEntry, exeName)) continue;
        lastResult = os.TerminateProcessById(process.processId);
    }
    return lastResult;
}

bool IsProcessRunning(PlatformOps& os, const std::string& exeName) {
    const std::uint32_t self = os.CurrentProcessId();
    for (const ProcessEntry& process : os.SnapshotProcesses()) {
        if (process.processId != self && ProcessNameMatches(process.exeEntry, exeName)) return true;
    }
    return false;
}

std::optional<std::string> PlatformOps::ReadFileHead(const std::string& path, std::size_t maxBytes) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (bytes && bytes->size() > maxBytes) bytes->resize(maxBytes);
    return bytes;
}

PlatformOps::ClearedFolder PlatformOps::ClearFolderAttributesAndSearch(const std::string& folder,
                                                                      const std::string& mask) {
    ClearedFolder result;
    result.cleared = ClearAttributes(folder);
    if (FolderExists(folder)) result.entries = FindEntries(folder + "\\" + mask);
    return result;
}

PlatformOps::ClearedFile PlatformOps::ClearFileAttributesAndReadHead(const std::string& path, std::size_t maxBytes) {
    ClearedFile result;
    result.cleared = ClearAttributes(path);
    result.head = ReadFileHead(path, maxBytes);
    return result;
}

std::vector<DirEntry> FindByLongName(PlatformOps& os, const std::string& folder, const std::string& mask) {
    return LongNameMatches(os.FindEntries(folder + mask), mask);
}

std::vector<DirEntry> LongNameMatches(std::vector<DirEntry> entries, const std::string& mask) {
    std::vector<DirEntry> kept;
    for (DirEntry& entry : entries) {
        if (MatchesFileMask(entry.name, mask)) kept.push_back(std::move(entry));
    }
    return kept;
}

}  // namespace kv
