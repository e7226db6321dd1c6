#include "core/platform_ops.h"

#include "core/name_match.h"

namespace kv {

bool KillProcessByName(PlatformOps& os, const std::string& exeName) {
    bool lastResult = false;
    for (const ProcessEntry& process : os.SnapshotProcesses()) {
        if (ProcessNameMatches(process.exeEntry, exeName)) lastResult = os.TerminateProcessById(process.processId);
    }
    return lastResult;
}

bool IsProcessRunning(PlatformOps& os, const std::string& exeName) {
    for (const ProcessEntry& process : os.SnapshotProcesses()) {
        if (ProcessNameMatches(process.exeEntry, exeName)) return true;
    }
    return false;
}

}  // namespace kv
