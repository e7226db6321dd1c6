#include "tools/process_manager.h"

#include <algorithm>

#include "core/text.h"

namespace kv {
namespace {

std::string SortKey(const std::string& text) {
    std::string key = FoldCase(text);
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

}  // namespace

std::vector<ProcessListEntry> ListRunningProcesses(PlatformOps& os) {
    std::vector<ProcessListEntry> entries;
    for (const ProcessEntry& process : os.SnapshotProcesses()) {
        ProcessListEntry entry;
        entry.processId = process.processId;
        if (process.processId == 0) {
            entry.text = kIdleProcessText;
        } else {
            entry.text = os.ProcessImagePath(process.processId);
            if (entry.text.empty()) entry.text = process.exeEntry;
        }
        entries.push_back(std::move(entry));
    }
    // Case-folded first (to lower case, so that "[" or "_" come before the
    // letters, as in a sorted Windows list); the exact text and the id only
    // break ties, so the order never depends on the snapshot's.
    std::sort(entries.begin(), entries.end(), [](const ProcessListEntry& a, const ProcessListEntry& b) {
        const std::string foldedA = SortKey(a.text), foldedB = SortKey(b.text);
        if (foldedA != foldedB) return foldedA < foldedB;
        if (a.text != b.text) return a.text < b.text;
        return a.processId < b.processId;
    });
    return entries;
}

std::string ProcessNameOfEntry(const std::string& entryText) {
    const std::size_t slash = entryText.find_last_of('\\');
    return slash == std::string::npos ? entryText : entryText.substr(slash + 1);
}

bool EndProcessOfEntry(ActionContext& ctx, const std::string& entryText) {
    if (KillProcessByName(ctx.os, ProcessNameOfEntry(entryText))) {
        ctx.dialogs.ShowMessage(BoxKind::Information, ctx.Pick("Aviso", "Warning"),
                                ctx.Pick("Processo finalizado com sucesso!", "Process completed successfully!"));
        return true;
    }
    ctx.dialogs.ShowMessage(BoxKind::Warning, ctx.Pick("Atenção", "Heads up"),
                            ctx.Pick("O Processo não pode ser finalizado!", "The process can not be completed!"));
    return false;
}

}  // namespace kv
