// Disinfect Device on many generated sticks (fixed seeds, so a failure can be
// replayed): whatever the device holds, every entry the run deletes, renames
// or changes is one that a removal rule aims at, nothing off the device
// changes (other drives, link targets, registry keys other than the Run
// values, processes other than those named), and no line reports a deletion
// that did not happen.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "core/name_match.h"
#include "core/report_file.h"
#include "core/text.h"
#include "device/device_disinfection.h"
#include "tests/support/memory_platform.h"
#include "tests/support/scripted_dialogs.h"

namespace kv {
namespace {

using test::MemoryPlatform;
using test::ScriptedDialogs;
using Tree = std::map<std::string, std::uint32_t>;

const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kPoliciesRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Run";
const char* const kOtherKey = "Software\\Other";
const char* const kProductKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char* const kDocuments = "C:\\Users\\user\\Documents";
const char* const kOffDeviceFolder = "D:\\Target";

const std::vector<std::string> kRecycleNames = {
    "RECYCLE", "RECYCLE.BIN", "$RECYCLE.BIN", "RECYCLER", "RECYCLER.BIN", "$RECYCLER.BIN", "System Volume Information",
};
const std::vector<std::string> kRootFileMasks = {
    "Microsoft Excel.WsF", "Manuel.doc", "dw.dll",    "*.vbs",     "*.vbe", "*.lnk", "*.exe", "*.js",
    "autorun.inf",         "bat.bat",    "Drive.bat", "Files.bat",
};
const std::vector<std::string> kOrdinaryNames = {
    "Fotos", "Trabalho", "Música", "照片", "Фото", "😀 smile", "notes", "Relatório Final", "data", "ünïcödé",
};
const std::vector<std::string> kExtensions = {".txt", ".docx", ".jpg", ".js",  ".JS", ".exe",
                                              ".lnk", ".vbs",  ".vbe", ".inf", ""};
const std::vector<std::string> kSpecialRootNames = {
    ".Trashes",   "Drive",        "Drive.bat",           "Files",        "Files.bat",   "autorun.inf", "bat.bat",
    "dw.dll",     "Manuel.doc",   "Microsoft Excel.wsf", "SysinfY2.exe", "RECUPERADOS", "RECOVERED",   "RECUPERADOS-2",
    "RECOVERED2", "KV Vuduv.exe",
};

bool IsFolderName(const std::string& name) {
    static const std::set<std::string> folders = {".Trashes",  "Drive",         "Files",     "RECUPERADOS",
                                                  "RECOVERED", "RECUPERADOS-2", "RECOVERED2"};
    return folders.count(name) != 0;
}

// Builds one random stick on E: and its surroundings.
class StickGenerator {
public:
    StickGenerator(unsigned seed, MemoryPlatform& os) : rng_(seed), os_(os) {}

    void Generate() {
        os_.AddDrive('E', DriveKind::Removable, "STICK");
        AddOffDeviceData();
        for (const std::string& name : kSpecialRootNames) {
            if (!Chance(35)) continue;
            if (IsFolderName(name)) {
                AddFolderWithContent("E:\\" + name, 2);
            } else {
                AddFile("E:\\", name);
            }
        }
        for (const std::string& name : kRecycleNames) {
            if (Chance(25)) AddFolderWithContent("E:\\" + name, 3);
        }
        const int ordinary = Between(2, 8);
        for (int i = 0; i < ordinary; ++i) {
            const std::string name = Pick(kOrdinaryNames) + (Chance(30) ? std::to_string(i) : "");
            if (Chance(50)) {
                AddFolderWithContent("E:\\" + name, 3);
            } else {
                AddFile("E:\\", name + Pick(kExtensions));
            }
        }
        AddDisguisedExecutables();
        AddRootLinks();
        AddProcessesAndRegistry();
    }

    std::vector<std::string> deviceFiles;  // full paths of files made on the device
    std::set<std::string> lockedFolders;   // folders that cannot be renamed or removed

private:
    bool Chance(int percent) { return std::uniform_int_distribution<int>(1, 100)(rng_) <= percent; }
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    const std::string& Pick(const std::vector<std::string>& pool) {
        return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(rng_)];
    }
    std::uint32_t RandomAttributes() {
        std::uint32_t attributes = 0;
        if (Chance(40)) attributes |= attr::kHidden;
        if (Chance(25)) attributes |= attr::kSystem;
        if (Chance(20)) attributes |= attr::kReadOnly;
        return attributes;
    }
    bool Taken(const std::string& path) { return os_.ReadAttributes(path).has_value(); }

    void AddFile(const std::string& folder, const std::string& name) {
        const std::string path = folder + name;
        if (name.empty() || Taken(path)) return;
        const std::uint32_t size = Chance(20) ? 250500 : static_cast<std::uint32_t>(Between(1, 5000));
        os_.AddFile(path, size, RandomAttributes() | (Chance(50) ? attr::kArchive : 0));
        if (Chance(10)) os_.SetLocked(path);
        deviceFiles.push_back(path);
    }

    void AddFolderWithContent(const std::string& path, int depth) {
        if (Taken(path)) return;
        os_.AddFolder(path, attr::kDirectory | (Chance(50) ? RandomAttributes() : 0));
        if (Chance(8)) {
            os_.SetLocked(path);
            lockedFolders.insert(path);
        }
        const int entries = Between(0, 4);
        for (int i = 0; i < entries; ++i) {
            const std::string name = Pick(kOrdinaryNames) + std::to_string(i);
            if (depth > 0 && Chance(35)) {
                AddFolderWithContent(path + "\\" + name, depth - 1);
            } else if (Chance(10)) {
                os_.AddFolderLink(path + "\\" + name, Chance(50) ? kOffDeviceFolder : kDocuments);
            } else {
                AddFile(path + "\\", name + Pick(kExtensions));
            }
        }
    }

    // Executables of the virus's fixed size, some beside a folder of the same name.
    void AddDisguisedExecutables() {
        const int count = Between(0, 3);
        for (int i = 0; i < count; ++i) {
            const std::string base = Pick(kOrdinaryNames) + "x" + std::to_string(i);
            if (Taken("E:\\" + base + ".exe")) continue;
            os_.AddFile("E:\\" + base + ".exe", Chance(70) ? 250500 : 900000, RandomAttributes());
            deviceFiles.push_back("E:\\" + base + ".exe");
            if (Chance(60)) AddFolderWithContent("E:\\" + base, 1);
            if (Chance(30)) os_.AddProcess(base + ".exe", Chance(80), "E:\\" + base + ".exe");
        }
    }

    // Junctions at the root: one named like an ordinary folder, and some named
    // like the folders the disinfection deletes or renames.
    void AddRootLinks() {
        for (const std::string& name : {std::string("Docs"), std::string("RECYCLER"), std::string(".Trashes"),
                                        std::string("Drive"), std::string("RECUPERADOS")}) {
            if (Chance(30) && !Taken("E:\\" + name)) {
                os_.AddFolderLink("E:\\" + name, Chance(50) ? kOffDeviceFolder : kDocuments);
            }
        }
        if (Taken("E:\\Drive") && Chance(50)) AddFile("E:\\", "Drive.bat");
    }

    void AddOffDeviceData() {
        os_.AddDrive('D', DriveKind::Fixed, "DATA");
        os_.AddFile(std::string(kOffDeviceFolder) + "\\offdevice_1.js", 10, attr::kHidden);
        os_.AddFile(std::string(kOffDeviceFolder) + "\\offdevice_2.exe", 250500, attr::kReadOnly);
        os_.AddFile(std::string(kOffDeviceFolder) + "\\Inner\\offdevice_3.js", 10);
        os_.AddFile(std::string(kOffDeviceFolder) + "\\Inner\\offdevice_6.lnk", 10, attr::kHidden);
        os_.AddFile(std::string(kDocuments) + "\\offdevice_4.js", 10, attr::kHidden | attr::kSystem);
        os_.AddFile(std::string(kDocuments) + "\\Inner2\\offdevice_5.js", 10);
        os_.AddFolder(std::string(kDocuments) + "\\Inner2\\Deeper", attr::kDirectory | attr::kHidden);
        os_.AddProcess("C:\\Tools\\offdevice_2.exe", true, std::string(kOffDeviceFolder) + "\\offdevice_2.exe");
    }

    void AddProcessesAndRegistry() {
        os_.AddProcess("C:\\Tools\\keeper.exe");
        if (Chance(50)) os_.AddProcess("C:\\Windows\\System32\\wscript.exe");
        if (Chance(30)) os_.AddProcess("notepad.exe");
        if (Chance(20)) os_.AddProcess("explorer.exe");
        os_.SetRegistryString(RegRoot::LocalMachine, kProductKey, "ProductName",
                              Chance(30) ? "Microsoft Windows XP" : "Windows 7 Professional");
        for (const RegRoot root : {RegRoot::CurrentUser, RegRoot::LocalMachine}) {
            os_.SetRegistryString(root, kRun, "KeepMe", "C:\\Tools\\keeper.exe");
            for (const char* name : {"offdevice_1", "offdevice_3", "offdevice_4", "offdevice_2", "offdevice_6"}) {
                os_.SetRegistryString(root, kRun, name, "launches an off-device file");
            }
        }
        os_.SetRegistryString(RegRoot::LocalMachine, kPoliciesRun, "KeepMe", "x");
        // Values named like the device's files: in the Run keys they may go,
        // anywhere else they must stay.
        for (const std::string& path : deviceFiles) {
            if (!Chance(40)) continue;
            const std::string name = path.substr(path.find_last_of('\\') + 1);
            for (const std::string& value : {DropLastChars(name, 3), DropLastChars(name, 4), name}) {
                const RegRoot root = Chance(50) ? RegRoot::CurrentUser : RegRoot::LocalMachine;
                if (Chance(50)) os_.SetRegistryString(root, Chance(70) ? kRun : kPoliciesRun, value, path);
                os_.SetRegistryString(root, kOtherKey, value, path);
            }
        }
    }

    std::mt19937 rng_;
    MemoryPlatform& os_;
};

// ---- What the rules allow -----------------------------------------------------

std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 3;  // after "E:\"
    while (start <= path.size()) {
        const std::size_t end = path.find('\\', start);
        parts.push_back(path.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return parts;
}

bool IsLink(std::uint32_t attributes) { return (attributes & attr::kReparsePoint) != 0; }
bool IsFolder(std::uint32_t attributes) { return (attributes & attr::kDirectory) != 0; }

bool NameIn(const std::string& name, const std::vector<std::string>& names) {
    for (const std::string& candidate : names) {
        if (EqualsIgnoringCase(name, candidate)) return true;
    }
    return false;
}

bool MatchesAnyMask(const std::string& name, const std::vector<std::string>& masks) {
    for (const std::string& mask : masks) {
        if (MatchesFileMask(name, mask)) return true;
    }
    return false;
}

// The device before the run, judged by the removal rules alone.
class RuleBook {
public:
    explicit RuleBook(const Tree& before) : before_(before) {}

    std::uint32_t AttributesOf(const std::string& path) const {
        auto it = before_.find(path);
        return it == before_.end() ? 0 : it->second;
    }
    bool IsPlainRootFolder(const std::string& name) const {
        const std::uint32_t attributes = AttributesOf("E:\\" + name);
        return IsFolder(attributes) && !IsLink(attributes);
    }
    // A trash folder the disinfection renames (or cleans in place).
    bool IsTrashFolder(const std::string& name) const {
        if (!IsPlainRootFolder(name)) return false;
        if (name == ".Trashes") return true;
        const std::uint32_t bat = AttributesOf("E:\\" + name + ".bat");
        return (name == "Drive" || name == "Files") && before_.count("E:\\" + name + ".bat") && !IsFolder(bat);
    }
    bool IsScriptOneLevelDown(const std::vector<std::string>& parts, std::uint32_t attributes,
                              const std::string& folderPath) const {
        const std::uint32_t folder = AttributesOf(folderPath);
        return !IsFolder(attributes) && MatchesFileMask(parts.back(), "*.js") && IsFolder(folder) && !IsLink(folder);
    }

    bool MayBeDeleted(const std::string& path, std::uint32_t attributes) const {
        const std::vector<std::string> parts = Components(path);
        if (NameIn(parts[0], kRecycleNames) && IsFolder(AttributesOf("E:\\" + parts[0]))) return true;
        if (parts.size() == 1) return !IsFolder(attributes) && MatchesAnyMask(parts[0], kRootFileMasks);
        const std::string first = "E:\\" + parts[0];
        if (parts.size() == 2 && IsScriptOneLevelDown(parts, attributes, first)) return true;
        if (IsTrashFolder(parts[0]) && parts.size() == 3) {
            return IsScriptOneLevelDown(parts, attributes, first + "\\" + parts[1]);
        }
        return false;
    }

    bool MayChangeAttributes(const std::string& path, std::uint32_t attributes) const {
        const std::vector<std::string> parts = Components(path);
        if (parts.size() == 1) return true;  // the root is made visible
        if (IsTrashFolder(parts[0]) && parts.size() == 2) return true;
        return MayBeDeleted(path, attributes);  // cleared before the deletion
    }

private:
    const Tree& before_;
};

// ---- The report's own claims ----------------------------------------------------------

// "[KV] > Pasta E:\\.Trashes renomeada para E:\RECUPERADOS-2." gives
// {"E:\.Trashes", "E:\RECUPERADOS-2"}.
std::map<std::string, std::string> RenamesInReport(const std::vector<std::string>& report) {
    std::map<std::string, std::string> renames;
    for (const std::string& line : report) {
        for (const auto& [start, middle] :
             {std::pair<std::string, std::string>{"[KV] > Pasta E:\\\\", " renomeada para E:\\"},
              {"[KV] > Folder E:\\\\", " renamed E:\\"}}) {
            const std::size_t at = line.find(middle);
            if (!StartsWith(line, start) || at == std::string::npos || !EndsWith(line, ".")) continue;
            renames["E:\\" + line.substr(start.size(), at - start.size())] =
                "E:\\" + line.substr(at + middle.size(), line.size() - at - middle.size() - 1);
        }
    }
    return renames;
}

// Paths that a line says were deleted.
std::vector<std::string> DeletionsInReport(const std::vector<std::string>& report) {
    const std::pair<std::string, std::string> forms[] = {
        {"[KV] > Arquivo ", " Deletado com Sucesso!"},
        {"[KV] > File ", " Successfully Deleted!"},
        {"[KV] > Arquivo ", " Deletado!"},
        {"[KV] > Arquivo ", " deletado com sucesso!"},
        {"[KV] > Pasta ", " Deletada com Sucesso!"},
        {"[KV] > Folder ", " Successfully Deleted!"},
    };
    std::vector<std::string> paths;
    for (const std::string& line : report) {
        for (const auto& [start, end] : forms) {
            if (StartsWith(line, start) && EndsWith(line, end) && line.size() > start.size() + end.size()) {
                paths.push_back(line.substr(start.size(), line.size() - start.size() - end.size()));
            }
        }
        for (const char* name : {"Drive.bat", "Files.bat", "autorun.inf", "bat.bat"}) {
            if (line.find(std::string("\"") + name + "\" deletado do Drive") != std::string::npos ||
                line.find(std::string("\"") + name + "\" deleted the Drive") != std::string::npos) {
                paths.push_back(std::string("E:\\") + name);
            }
        }
    }
    return paths;
}

std::string MapRenamed(const std::string& path, const std::map<std::string, std::string>& renames) {
    for (const auto& [from, to] : renames) {
        if (path == from || StartsWith(path, from + "\\")) return to + path.substr(from.size());
    }
    return path;
}

std::string UnmapRenamed(const std::string& path, const std::map<std::string, std::string>& renames) {
    for (const auto& [from, to] : renames) {
        if (path == to || StartsWith(path, to + "\\")) return from + path.substr(to.size());
    }
    return path;
}

// ---- Off the device -------------------------------------------------------------------

Tree WithoutDataFolders(Tree tree) {
    for (auto it = tree.begin(); it != tree.end();) {
        const bool copies = StartsWith(it->first, "C:\\Users\\user\\AppData\\Roaming\\zirozov") ||
                            StartsWith(it->first, "C:\\Users\\user\\AppData\\Local\\zirozov");
        it = copies ? tree.erase(it) : std::next(it);
    }
    return tree;
}

using RegistrySnapshot = std::map<std::string, std::string>;  // "root|key|name" -> data

RegistrySnapshot SnapshotKeys(MemoryPlatform& os, const std::vector<std::pair<RegRoot, std::string>>& keys) {
    RegistrySnapshot snapshot;
    for (const auto& [root, key] : keys) {
        for (const std::string& name : os.RegValueNames(root, key)) {
            snapshot[(root == RegRoot::CurrentUser ? "HKCU|" : "HKLM|") + key + "|" + name] =
                os.RegReadString(root, key, name);
        }
    }
    return snapshot;
}

const std::vector<std::pair<RegRoot, std::string>> kRunKeys = {
    {RegRoot::CurrentUser, kRun}, {RegRoot::LocalMachine, kRun}, {RegRoot::LocalMachine, kPoliciesRun}};
const std::vector<std::pair<RegRoot, std::string>> kOtherKeys = {{RegRoot::CurrentUser, kOtherKey},
                                                                 {RegRoot::LocalMachine, kOtherKey},
                                                                 {RegRoot::LocalMachine, kProductKey},
                                                                 {RegRoot::CurrentUser, kPoliciesRun}};

// Run value names the rules may delete: named after a device file.
std::set<std::string> RunValuesNamedAfter(const Tree& device) {
    std::set<std::string> names = {FoldCase("SysinfY2X")};
    for (const auto& [path, attributes] : device) {
        const std::string name = path.substr(path.find_last_of('\\') + 1);
        for (const std::string& value : {name, DropLastChars(name, 3), DropLastChars(name, 4)}) {
            names.insert(FoldCase(value));
        }
    }
    return names;
}

bool ProcessMayBeEnded(const std::string& exeEntry, const Tree& device) {
    for (const char* name : {"wscript.exe", "xcv.exe", "rundll32.exe", "explorer.exe", "notepad.exe", "calc.exe"}) {
        if (ProcessNameMatches(exeEntry, name)) return true;
    }
    for (const auto& [path, attributes] : device) {
        if (ProcessNameMatches(exeEntry, path.substr(path.find_last_of('\\') + 1))) return true;
    }
    return false;
}

// ---- The check ---------------------------------------------------------------------------

void CheckOneStick(unsigned seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    MemoryPlatform os;
    StickGenerator generator(seed, os);
    generator.Generate();
    ScriptedDialogs dialogs;
    Session session;
    session.language = seed % 2 ? UiLanguage::Portuguese : UiLanguage::English;
    ActionContext ctx{os, dialogs, session};

    const Tree deviceBefore = os.TreeUnder("E:\\");
    const Tree otherDriveBefore = os.TreeUnder("D:\\");
    const Tree systemBefore = os.TreeUnder("C:\\");
    const RegistrySnapshot otherKeysBefore = SnapshotKeys(os, kOtherKeys);
    const RegistrySnapshot runBefore = SnapshotKeys(os, kRunKeys);
    const std::vector<ProcessEntry> processesBefore = os.RunningProcesses();

    DeviceDisinfection(ctx, "E: STICK");
    const std::vector<std::string>& report = session.report.Lines();
    const Tree deviceAfter = os.TreeUnder("E:\\");

    // Off the device nothing changed but the report copies, the Run values
    // named after device files and the processes the rules name.
    EXPECT_EQ(os.TreeUnder("D:\\"), otherDriveBefore);
    EXPECT_EQ(WithoutDataFolders(os.TreeUnder("C:\\")), systemBefore);
    EXPECT_EQ(SnapshotKeys(os, kOtherKeys), otherKeysBefore);
    const std::set<std::string> deletableValues = RunValuesNamedAfter(deviceBefore);
    const RegistrySnapshot runAfter = SnapshotKeys(os, kRunKeys);
    for (const auto& [id, data] : runBefore) {
        if (runAfter.count(id)) continue;
        const std::string name = id.substr(id.find_last_of('|') + 1);
        EXPECT_TRUE(deletableValues.count(FoldCase(name))) << "Run value deleted: " << id;
    }
    for (const auto& [id, data] : runAfter) EXPECT_TRUE(runBefore.count(id)) << "Run value created: " << id;
    for (const ProcessEntry& process : processesBefore) {
        bool running = false;
        for (const ProcessEntry& now : os.RunningProcesses()) running = running || now.processId == process.processId;
        if (!running) {
            EXPECT_TRUE(ProcessMayBeEnded(process.exeEntry, deviceBefore)) << process.exeEntry;
        }
    }

    // On the device: renamed only where a trash folder was, to a free name
    // that the report gives.
    const RuleBook rules(deviceBefore);
    const std::map<std::string, std::string> renames = RenamesInReport(report);
    for (const auto& [path, attributes] : deviceBefore) {
        if (Components(path).size() != 1 || !rules.IsTrashFolder(path.substr(3))) continue;
        if (generator.lockedFolders.count(path)) {
            EXPECT_EQ(renames.count(path), 0u) << path;
            EXPECT_TRUE(os.FolderExists(path)) << path;
            const std::string shown = "E:\\\\" + path.substr(3);
            EXPECT_TRUE(std::count(report.begin(), report.end(),
                                   "[KV] > Pasta " + shown + " não pôde ser renomeada! (colocada em modo visível)") +
                            std::count(report.begin(), report.end(),
                                       "[KV] > Folder " + shown + " could not be renamed! (placed in visible mode)") ==
                        1)
                << "no honest line for " << path;
        } else {
            EXPECT_EQ(renames.count(path), 1u) << "trash folder not renamed: " << path;
        }
    }
    for (const auto& [from, to] : renames) {
        EXPECT_TRUE(rules.IsTrashFolder(from.substr(3))) << from;
        EXPECT_EQ(deviceBefore.count(to), 0u) << to << " was taken before the run";
        EXPECT_TRUE(os.FolderExists(to)) << to;
        EXPECT_FALSE(os.Exists(from)) << from;
    }
    for (const auto& [path, attributes] : deviceBefore) {
        const std::string now = MapRenamed(path, renames);
        auto after = deviceAfter.find(now);
        if (after == deviceAfter.end()) {
            EXPECT_TRUE(rules.MayBeDeleted(path, attributes)) << "deleted: " << path;
        } else if (after->second != attributes) {
            EXPECT_TRUE(rules.MayChangeAttributes(path, attributes)) << "changed: " << path;
            const std::uint32_t cleared =
                IsFolder(attributes) ? attributes & (attr::kDirectory | attr::kReparsePoint) : attr::kNormal;
            EXPECT_EQ(after->second, cleared) << "changed otherwise than cleared: " << path;
        }
    }
    for (const auto& [path, attributes] : deviceAfter) {
        EXPECT_TRUE(deviceBefore.count(UnmapRenamed(path, renames))) << "appeared: " << path;
    }
    // Every trash folder's files are visible again under a name the report gives.
    for (const auto& [path, attributes] : deviceBefore) {
        const std::vector<std::string> parts = Components(path);
        if (parts.size() == 1 && rules.IsTrashFolder(parts[0])) {
            const std::string now = MapRenamed(path, renames);
            EXPECT_TRUE(os.FolderExists(now)) << now;
            for (const auto& [inside, insideAttributes] : os.TreeUnder(now)) {
                if (Components(inside).size() == 2) {
                    EXPECT_EQ(insideAttributes & (attr::kHidden | attr::kSystem), 0u) << inside;
                }
            }
        }
    }
    // No line claims a deletion that did not happen.
    for (const std::string& path : DeletionsInReport(report)) EXPECT_FALSE(os.Exists(path)) << "still there: " << path;

    // The copies lack the final line.
    const std::vector<std::string> withoutFinalLine(report.begin(), report.end() - 1);
    EXPECT_EQ(os.ContentOf("C:\\Users\\user\\AppData\\Local\\zirozov\\kv-pen-07-12-2026-09-20-28.txt"),
              ReportFileBytes(withoutFinalLine));
}

TEST(DeviceDisinfectionOnGeneratedSticks, ChangesOnlyWhatItsRulesAimAt) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        CheckOneStick(seed);
        if (HasFailure()) break;  // one seed's story is enough to read
    }
}

}  // namespace
}  // namespace kv
