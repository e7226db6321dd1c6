// The process manager: the list as the tools tab shows it, and the ending of
// every process of an entry's name.
#include <gtest/gtest.h>

#include "tests/support/memory_platform.h"
#include "tests/support/scripted_dialogs.h"
#include "tools/process_manager.h"

namespace kv {
namespace {

using test::MemoryPlatform;
using test::ScriptedDialogs;

std::vector<std::string> Texts(const std::vector<ProcessListEntry>& entries) {
    std::vector<std::string> texts;
    for (const ProcessListEntry& entry : entries) texts.push_back(entry.text);
    return texts;
}

TEST(ToolsProcessList, FullPathsWhereReadableNamesOtherwiseIdleProcessSortedWithoutCase) {
    MemoryPlatform os;
    // The snapshot's order is deliberately not the list's.
    os.AddProcess("notepad.exe", true, "C:\\Windows\\notepad.exe");
    os.AddProcess("csrss.exe");  // cannot be read: bare name
    os.AddProcess("Zeta.exe", true, "D:\\apps\\Zeta.exe");
    os.AddProcess("alpha.EXE", true, "c:\\tools\\alpha.EXE");
    os.AddProcess("[System Process]");
    os.AddProcess("explorer.exe", true, "C:\\Windows\\explorer.exe");
    os.AddProcess("Bravo.exe");
    // Id 0 is the idle process whatever the snapshot calls it.
    std::vector<ProcessEntry> snapshot = os.SnapshotProcesses();
    struct IdleFirst : MemoryPlatform {
        std::vector<ProcessEntry> SnapshotProcesses() override {
            std::vector<ProcessEntry> all = MemoryPlatform::SnapshotProcesses();
            all.push_back({"[System Process]", 0});
            return all;
        }
    } withIdle;
    withIdle.AddProcess("svchost.exe");
    withIdle.AddProcess("SVCHOST.exe", true, "C:\\Windows\\System32\\svchost.exe");
    withIdle.AddProcess("winlogon.exe", true, "C:\\Windows\\System32\\winlogon.exe");

    EXPECT_EQ(
        Texts(ListRunningProcesses(os)),
        (std::vector<std::string>{"[System Process]", "Bravo.exe", "c:\\tools\\alpha.EXE", "C:\\Windows\\explorer.exe",
                                  "C:\\Windows\\notepad.exe", "csrss.exe", "D:\\apps\\Zeta.exe"}));
    EXPECT_EQ(Texts(ListRunningProcesses(withIdle)),
              (std::vector<std::string>{"C:\\Windows\\System32\\svchost.exe", "C:\\Windows\\System32\\winlogon.exe",
                                        "svchost.exe", "System Idle Process"}));
    // Listing twice gives the same list, never more.
    EXPECT_EQ(ListRunningProcesses(os).size(), snapshot.size());
}

TEST(ToolsProcessList, EntryNameIsTheTextAfterTheLastBackslash) {
    EXPECT_EQ(ProcessNameOfEntry("C:\\Windows\\notepad.exe"), "notepad.exe");
    EXPECT_EQ(ProcessNameOfEntry("csrss.exe"), "csrss.exe");
    EXPECT_EQ(ProcessNameOfEntry("System Idle Process"), "System Idle Process");
}

struct EndCase {
    const char* what;
    UiLanguage language;
    const char* entry;
    bool ended;
    const char* box;
    std::size_t left;  // processes still running
};

TEST(ToolsEndProcess, EndsEveryProcessOfTheNameOrWarns) {
    const EndCase cases[] = {
        {"three notepads from a path entry", UiLanguage::Portuguese, "C:\\Windows\\NOTEPAD.EXE", true,
         "information | Aviso | Processo finalizado com sucesso!", 2},
        {"same in English", UiLanguage::English, "C:\\Windows\\notepad.exe", true,
         "information | Warning | Process completed successfully!", 2},
        {"a protected process", UiLanguage::Portuguese, "C:\\Windows\\System32\\csrss.exe", false,
         "warning | Atenção | O Processo não pode ser finalizado!", 5},
        {"the idle process", UiLanguage::English, "System Idle Process", false,
         "warning | Heads up | The process can not be completed!", 5},
        {"a process already gone", UiLanguage::Portuguese, "gone.exe", false,
         "warning | Atenção | O Processo não pode ser finalizado!", 5},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryPlatform os;
        for (int i = 0; i < 3; ++i) os.AddProcess("notepad.exe", true, "C:\\Windows\\notepad.exe");
        os.AddProcess("csrss.exe", false);
        os.AddProcess("explorer.exe", true, "C:\\Windows\\explorer.exe");
        ScriptedDialogs dialogs;
        Session session;
        session.language = c.language;
        ActionContext ctx(os, dialogs, session);
        EXPECT_EQ(EndProcessOfEntry(ctx, c.entry), c.ended);
        EXPECT_EQ(dialogs.events, std::vector<std::string>{c.box});
        EXPECT_EQ(os.RunningProcesses().size(), c.left);
        if (c.ended) {
            for (const std::string& text : Texts(ListRunningProcesses(os))) {
                EXPECT_EQ(text.find("notepad"), std::string::npos) << text;
            }
        }
    }
}

}  // namespace
}  // namespace kv
