#include "device/device_disinfection.h"

#include <algorithm>
#include <set>

#include "core/report_header.h"
#include "core/text.h"
#include "device/drive_list.h"
#include "device/root_unhide.h"
#include "routines/file_removal.h"
#include "routines/known_facts.h"
#include "routines/remembered_searches.h"
#include "routines/run_removal.h"
#include "routines/shortcut_payload.h"
#include "routines/windows_version.h"

namespace kv {
namespace {

// ---- Virus processes ---------------------------------------------------------

struct VirusProcess {
    const char* exeName;
    MessagePair ended;
    MessagePair notRunning;
};

const VirusProcess kVirusProcesses[] = {
    {"wscript.exe",
     {"[KV] > Processo [kv001] finalizado!", "[KV] > Process [kv001] finished!"},
     {"[KV] - Processo [kv001] não está em execução neste computador!",
      "[KV] - Process [kv001] is not running on this computer!"}},
    {"xcv.exe",
     {"[KV] > Processo [kv002] finalizado!", "[KV] > Process [kv002] finished!"},
     {"[KV] - Processo [kv002] não está em execução neste computador!",
      "[KV] - Process [kv002] is not running on this computer!"}},
    {"rundll32.exe",
     {"[KV] > Processo [kv003] finalizado!", "[KV] > Process [kv003] finished!"},
     {"[KV] - Processo [kv003] não está em execução neste computador!",
      "[KV] - Process [kv003] is not running on this computer! "}},
};

void EndVirusProcesses(ActionContext& ctx) {
    for (const VirusProcess& process : kVirusProcesses) {
        const MessagePair& line = KillProcessByName(ctx.os, process.exeName) ? process.ended : process.notRunning;
        ctx.Pair(line.pt, line.en);
    }
}

// ---- Folder walks ------------------------------------------------------------

bool IsPlainFolder(ActionContext& ctx, const std::string& path) {
    if (!ctx.os.FolderExists(path)) return false;
    const std::optional<std::uint32_t> attributes = ctx.os.ReadAttributes(path);
    return attributes && !IsReparsePoint(*attributes);
}

// Clears the attributes of every entry of folder (this level only) and
// returns the entries whose attributes could not be cleared. Clearing a
// link's attributes changes the link, not what it points at.
std::vector<std::string> MakeEntriesVisible(ActionContext& ctx, const std::string& folder) {
    std::vector<std::string> notCleared;
    for (const DirEntry& entry : FindByLongName(ctx.os, folder, "*.*")) {
        if (entry.IsDotOrDotDot()) continue;
        ctx.NextEntry(folder);
        if (!ctx.os.ClearAttributes(folder + entry.name)) notCleared.push_back(folder + entry.name);
    }
    return notCleared;
}

// Closes the making visible of a folder's entries with `done`, or, when some
// kept their attributes (a write-protected stick refuses every change), names
// each of them and closes with `partly`: the report never says entries were
// made visible that were not.
void WriteVisibleModeLines(ActionContext& ctx, const std::vector<std::string>& notCleared, const MessagePair& done,
                           const MessagePair& partly) {
    for (const std::string& path : notCleared) {
        ctx.Pair("[KV] > Não foi possível colocar em modo visível: " + path,
                 "[KV] > Could not place in visible mode: " + path);
    }
    const MessagePair& closing = notCleared.empty() ? done : partly;
    ctx.Pair(closing.pt, closing.en);
}

void WriteFolderVisibleModeLines(ActionContext& ctx, const std::vector<std::string>& notCleared,
                                 const std::string& folder) {
    WriteVisibleModeLines(
        ctx, notCleared,
        {"[KV] > Pastas e arquivos do Diretório " + folder + " colocados em modo visível",
         "[KV] > Folders and files directory " + folder + " placed in visible mode"},
        {"[KV] > Nem todas as pastas e arquivos do Diretório " + folder + " puderam ser colocados em modo visível!",
         "[KV] > Not all folders and files of directory " + folder + " could be placed in visible mode!"});
}

// Removes the scripts one level below folder. Links are passed over: a
// junction at the root named like an ordinary folder may point at another
// drive, whose scripts are none of this device's business.
void RemoveScriptsOneLevelDown(ActionContext& ctx, const std::string& folder) {
    for (const DirEntry& entry : FindByLongName(ctx.os, folder, "*.*")) {
        if (entry.IsDotOrDotDot() || IsReparsePoint(entry.attributes)) continue;
        RemoveMatchingFiles(ctx, folder + entry.name + "\\", kFolderScriptMask);
    }
}

// Deletes a file the disinfection knows by name and reports the result; a
// file that stays (locked, in use) is reported as such, never as deleted.
bool DeleteKnownFile(ActionContext& ctx, const std::string& path, const std::string& deletedPt,
                     const std::string& deletedEn) {
    if (RemoveFileAndVerify(ctx.os, path)) {
        ctx.Pair(deletedPt, deletedEn);
        return true;
    }
    ctx.flags().UndeletedFileFlag = true;
    ctx.Pair("[KV] > Não foi possível Excluir o Arquivo " + path, "[KV] > Could not delete file " + path);
    return false;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// ---- Trash folders -------------------------------------------------------------

// The virus hides the user's files in a trash folder; the disinfection gives
// them back under a recovered folder name of the active language.
struct TrashFolder {
    const char* name;     // ".Trashes"
    const char* batFile;  // the launcher beside it, nullptr when none
    const char* recoveredPt;
    const char* recoveredEn;
};

const TrashFolder kTrashFolders[] = {
    {".Trashes", nullptr, "RECUPERADOS", "RECOVERED"},
    {"Drive", "Drive.bat", "RECUPERADOS2", "RECOVERED2"},
    {"Files", "Files.bat", "RECUPERADOS3", "RECOVERED3"},
};

// A stick cleaned before and infected again still holds the earlier recovered
// folder, so the name may be taken: the first free one of NAME, NAME-2, ...
constexpr int kMaxRecoveredNameNumber = 999;

// Renames root + trashName to a free recovered name and returns that name,
// or "" when the folder could not be renamed at all.
std::string RenameToFreeRecoveredName(ActionContext& ctx, const std::string& root, const std::string& trashName,
                                      const std::string& recoveredName) {
    for (int number = 1; number <= kMaxRecoveredNameNumber; ++number) {
        const std::string candidate = number == 1 ? recoveredName : recoveredName + "-" + std::to_string(number);
        if (ctx.os.ReadAttributes(root + candidate)) continue;  // taken
        // A rename that answers success but leaves the folder where it was
        // (a write-protected stick) did not happen.
        const bool renamed = ctx.os.Rename(root + trashName, root + candidate) && ctx.os.FolderExists(root + candidate);
        return renamed ? candidate : std::string();
    }
    return std::string();
}

bool TrashFolderPresent(ActionContext& ctx, const std::string& root, const TrashFolder& trash) {
    // A link named like the trash folder is not the virus's folder: leave it.
    if (!IsPlainFolder(ctx, root + trash.name)) return false;
    return trash.batFile == nullptr || ctx.os.FileExists(root + trash.batFile);
}

void DeleteTrashLauncher(ActionContext& ctx, const std::string& root, const std::string& batFile) {
    if (ctx.os.FileExists(root + batFile)) {
        DeleteKnownFile(ctx, root + batFile, "[KV] - Arquivo " + Quoted(batFile) + " deletado do Drive " + root,
                        "[KV] - File " + Quoted(batFile) + " deleted the Drive " + root);
    } else {
        ctx.Pair("[KV] - Arquivo " + batFile + " não encontrado no Drive " + root,
                 "[KV] - File " + batFile + " not found in the " + root);
    }
}

// Renames the trash folder and returns the folder to work on, ending with a
// backslash. When no name can be had, the trash folder itself is made visible
// and worked on in place, and the report says it was not renamed.
std::string RecoverTrashFolder(ActionContext& ctx, const std::string& root, const TrashFolder& trash) {
    const std::string shown = std::string("\\") + trash.name;
    const std::string recovered =
        RenameToFreeRecoveredName(ctx, root, trash.name, ctx.Pick(trash.recoveredPt, trash.recoveredEn));
    if (!recovered.empty()) {
        ctx.Pair("[KV] > Pasta " + root + shown + " renomeada para " + root + recovered + ".",
                 "[KV] > Folder " + root + shown + " renamed " + root + recovered + ".");
        return root + recovered + "\\";
    }
    if (ctx.os.ClearAttributes(root + trash.name)) {
        ctx.Pair("[KV] > Pasta " + root + shown + " não pôde ser renomeada! (colocada em modo visível)",
                 "[KV] > Folder " + root + shown + " could not be renamed! (placed in visible mode)");
    } else {
        ctx.Pair("[KV] > Pasta " + root + shown + " não pôde ser renomeada nem colocada em modo visível!",
                 "[KV] > Folder " + root + shown + " could not be renamed nor placed in visible mode!");
    }
    return root + trash.name + "\\";
}

void RecoverTrashFolders(ActionContext& ctx, const std::string& root) {
    for (const TrashFolder& trash : kTrashFolders) {
        if (!TrashFolderPresent(ctx, root, trash)) continue;
        if (trash.batFile) DeleteTrashLauncher(ctx, root, trash.batFile);
        ctx.flags().InfectionFlag = true;
        const std::string shown = std::string("\\") + trash.name;
        ctx.Pair("[KV] > Pasta " + root + shown + " encontrada.", "[KV] > Folders " + root + shown + " found.");
        const std::string currentFolder = RecoverTrashFolder(ctx, root, trash);
        WriteFolderVisibleModeLines(ctx, MakeEntriesVisible(ctx, currentFolder), currentFolder);
        RemoveMatchingFiles(ctx, currentFolder, "*.js");
        RemoveScriptsOneLevelDown(ctx, currentFolder);
    }
}

// ---- Recycle and system folders --------------------------------------------------

void DeleteRecycleFolders(ActionContext& ctx, const std::string& root) {
    for (const char* name : kDeviceTrashFolders) {
        const std::string path = root + name;
        DeleteFolderTreeAndReport(ctx, path, FolderTreeLevel::TopLevel,
                                  {"[KV] > Pasta " + path + " Deletada com Sucesso!",
                                   "[KV] > Folder " + path + " Successfully Deleted!"},
                                  {"[KV] > Pasta " + path + " não pôde ser Deletada! (Pasta de Sistema)",
                                   "[KV] > Folder " + path + " could not be deleted! (System Folder)"});
    }
}

// ---- Shortcut payloads ------------------------------------------------------------

std::string ParentFolder(const std::string& folder) {
    const std::string path = WithoutTrailingBackslash(folder);
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsEmptyFolder(ActionContext& ctx, const std::string& folder) {
    for (const DirEntry& entry : ctx.os.FindEntries(folder + "*.*")) {
        if (!entry.IsDotOrDotDot()) return false;
    }
    return true;
}

// Removes the folders (ending with a backslash) that the payload removal left
// empty, and their parents that are left empty in turn, up to the root.
void RemoveEmptiedFolders(ActionContext& ctx, const std::string& root, std::vector<std::string> folders) {
    std::sort(folders.begin(), folders.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (std::string folder : folders) {
        while (folder.size() > root.size() && StartsWith(folder, root) && IsPlainFolder(ctx, folder) &&
               IsEmptyFolder(ctx, folder)) {
            const std::string path = WithoutTrailingBackslash(folder);
            ctx.os.ClearAttributes(path);
            // Some drivers answer success and leave the folder (a write-protected
            // stick under Wine does): only a folder that is gone counts.
            ctx.os.RemoveFolder(path);
            if (ctx.os.FolderExists(path)) {
                ctx.flags().UndeletedFileFlag = true;
                ctx.Pair("[KV] > Pasta vazia " + path + " não pôde ser Deletada!",
                         "[KV] > Empty folder " + path + " could not be deleted!");
                break;
            }
            ctx.Pair("[KV] > Pasta vazia " + path + " Deletada com Sucesso!",
                     "[KV] > Empty folder " + path + " Successfully Deleted!");
            folder = ParentFolder(folder);
        }
    }
}

// Removes the files the root shortcuts start, shortcut by shortcut, with the
// lines of the shared removal (process, file, start-up values). A file two
// shortcuts start, or one an earlier step removed, is passed over. A worm
// gives thousands of shortcuts one payload: a file known to be gone is not
// looked for again (under Wine each look for a missing name reads the
// whole folder).
void RemoveShortcutPayloads(ActionContext& ctx, const std::string& root,
                            const std::vector<ShortcutPayload>& payloads) {
    std::vector<std::string> folders;
    std::set<std::string> gone;  // folded paths
    for (const ShortcutPayload& payload : payloads) {
        ctx.flags().InfectionFlag = true;
        WriteShortcutWithPayloadLine(ctx, payload.shortcut);
        for (const std::string& file : payload.files) {
            const std::string key = FoldCase(file);
            if (gone.count(key) != 0) continue;
            if (!ctx.os.FileExists(file)) {
                gone.insert(key);
                continue;
            }
            const std::size_t slash = file.rfind('\\');
            const std::string folder = file.substr(0, slash + 1);
            if (RemoveMatchingFiles(ctx, folder, file.substr(slash + 1))) gone.insert(key);
            if (folder != root && std::find(folders.begin(), folders.end(), folder) == folders.end()) {
                folders.push_back(folder);
            }
        }
    }
    RemoveEmptiedFolders(ctx, root, folders);
}

// The worm that starts from shortcuts moves the user's files under a root
// folder whose name shows nothing on screen. Such a folder gets the first
// free recovered name, and its entries are made visible.
void RecoverInvisibleFolders(ActionContext& ctx, const std::string& root) {
    for (const DirEntry& entry : ctx.os.FindEntries(root + "*.*")) {
        if (entry.IsDotOrDotDot() || !entry.IsDirectory() || IsReparsePoint(entry.attributes) ||
            !IsInvisibleName(entry.name)) {
            continue;
        }
        const std::string shown = root + entry.name;
        std::string currentFolder;
        const std::string recovered =
            RenameToFreeRecoveredName(ctx, root, entry.name, ctx.Pick("RECUPERADOS", "RECOVERED"));
        if (!recovered.empty()) {
            ctx.Pair("[KV] > Pasta sem nome visível " + shown + " renomeada para " + root + recovered + ".",
                     "[KV] > Folder without a visible name " + shown + " renamed " + root + recovered + ".");
            currentFolder = root + recovered + "\\";
        } else if (ctx.os.ClearAttributes(shown)) {
            ctx.Pair("[KV] > Pasta sem nome visível " + shown + " não pôde ser renomeada! (colocada em modo visível)",
                     "[KV] > Folder without a visible name " + shown +
                         " could not be renamed! (placed in visible mode)");
            currentFolder = shown + "\\";
        } else {
            ctx.Pair("[KV] > Pasta sem nome visível " + shown + " não pôde ser renomeada nem colocada em modo visível!",
                     "[KV] > Folder without a visible name " + shown +
                         " could not be renamed nor placed in visible mode!");
            currentFolder = shown + "\\";
        }
        WriteFolderVisibleModeLines(ctx, MakeEntriesVisible(ctx, currentFolder), currentFolder);
    }
}

// ---- Virus files at the root ---------------------------------------------------

void RemoveVirusFiles(ActionContext& ctx, const std::string& root, const std::vector<ShortcutPayload>& payloads) {
    for (const char* mask : {"Microsoft Excel.WsF", "Manuel.doc", "dw.dll", "*.vbs", "*.vbe"}) {
        RemoveMatchingFiles(ctx, root, mask);
    }
    // What the shortcuts start goes before the shortcuts themselves.
    if (!payloads.empty()) {
        RemoveShortcutPayloads(ctx, root, payloads);
        RecoverInvisibleFolders(ctx, root);
    }
    ctx.flags().ShortcutSeenFlag = false;
    RemoveMatchingFiles(ctx, root, "*.lnk");
    RemoveExecutableDisguise(ctx, root, "*.exe");
    ctx.flags().ShortcutSeenFlag = false;
    RemoveMatchingFiles(ctx, root, "*.js");
    RemoveScriptsOneLevelDown(ctx, root);
}

void DeleteAutorun(ActionContext& ctx, const std::string& root) {
    const std::string name = Quoted("autorun.inf");
    if (ctx.os.FileExists(root + "autorun.inf")) {
        DeleteKnownFile(ctx, root + "autorun.inf", "[KV] > Arquivo " + name + " deletado do Drive " + root,
                        "[KV] > File " + name + " deleted the Drive " + root);
    } else {
        ctx.Pair("[KV] - Arquivo " + name + " não encontrado no Drive " + root,
                 "[KV] - File " + name + " not found in the " + root);
    }
}

void DeleteBatBat(ActionContext& ctx, const std::string& root) {
    const std::string name = Quoted("bat.bat");
    if (ctx.os.FileExists(root + "bat.bat")) {
        ctx.flags().InfectionFlag = true;
        DeleteKnownFile(ctx, root + "bat.bat", "[KV] > Arquivo " + name + " deletado do Drive " + root,
                        "[KV] > File " + name + " deleted the Drive " + root);
    } else {
        ctx.Pair("[KV] - Arquivo " + name + " não encontrado no Drive " + root,
                 "[KV] - File " + name + " not found in the " + root);
    }
}

// ---- Closing -------------------------------------------------------------------

void WriteCompletionLine(ActionContext& ctx) {
    ctx.Pair("[KV] - Processo Concluído com Sucesso!", "[KV] - Process Completed Successfully!");
}

void WriteVerdict(ActionContext& ctx, const std::string& root) {
    if (ctx.flags().InfectionFlag) {
        if (ctx.IsPortuguese()) {
            ctx.Line("[KV] > Vírus Encontrados na Unidade " + root + "! Verifique o relatório!");
            ctx.dialogs.ShowMessage(BoxKind::Warning, "Heads up",
                                    "Vírus Encontrados na Unidade " + root + "!" + " Verifique o relatório!");
        } else {
            ctx.Line("[KV] > Virus Found and Deleted Drive " + root + "!");
            ctx.dialogs.ShowMessage(BoxKind::Warning, "Heads up", "Virus Found and Deleted Drive " + root + "!");
        }
        return;
    }
    ctx.Pair("[KV] - Nenhum Vírus Encontrado no Drive " + root + "!", "[KV] - No Virus Found in Drive " + root + "!");
    ctx.dialogs.ShowMessage(BoxKind::Information, "Outcome",
                            ctx.Pick("Não foram Encontrados Vírus no Drive " + root + "!",
                                     "Viruses were not found in Drive " + root + "!"));
}

// ---- Disguised executables -------------------------------------------------------

void RemoveVirusCopy(ActionContext& ctx, const std::string& folder, const std::string& name, bool onWindowsXp) {
    if (onWindowsXp) {
        if (KillProcessByName(ctx.os, "explorer.exe")) {
            ctx.Pair("[KV] > Processo [explorer.exe] finalizado!", "[KV] > Process [explorer.exe] finished!");
        } else {
            ctx.Pair("[KV] - Processo [explorer.exe] não está em execução neste computador!",
                     "[KV] - Process [explorer.exe] is not running on this computer!");
        }
    }
    // The virus runs disguised as one of these.
    const bool ended = KillProcessByName(ctx.os, "notepad.exe") || KillProcessByName(ctx.os, "calc.exe");
    if (ended) {
        ctx.Pair("[KV] > Processo [kv008] finalizado!", "[KV] > Process [kv008] finished!");
    } else {
        ctx.Pair("[KV] - Processo [kv008] não está em execução neste computador!",
                 "[KV] - Process [kv008] is not running on this computer!");
    }
    RemoveFileWithRunValues(ctx, folder, name);
    const std::string path = folder + name;
    ctx.Line("[KV] > Arquivo " + path +
             (ctx.os.FileExists(path) ? " não pode ser deletado!" : " deletado com sucesso!"));
}

void DeleteFolderTwin(ActionContext& ctx, const std::string& path) {
    // The fixed-size copy may be gone already: its deletion has been reported.
    if (!ctx.os.FileExists(path)) return;
    if (RemoveFileAndVerify(ctx.os, path)) {
        ctx.Pair("[KV] > Arquivo " + path + " Deletado com Sucesso!", "[KV] > File " + path + " Successfully Deleted!");
    } else {
        ctx.Pair("[KV] - Não foi possível Excluír o Arquivo " + path, "[KV] - Could not delete file " + path);
    }
}

// The disinfection's changes, in their order. The searches made while the
// root is made visible answer for the script search at the end, unless a
// change in between touched their folders.
void CleanDevice(ActionContext& ctx, const std::string& root) {
    ctx.NextStep("Finalizando os processos do vírus", "Ending the virus's processes");
    EndVirusProcesses(ctx);

    RememberedSearches searches(ctx.os);
    ActionContext cleaning(searches, ctx.dialogs, ctx.session);
    cleaning.monitor = ctx.monitor;
    cleaning.NextStep("Tornando visíveis as pastas e arquivos", "Making folders and files visible");
    const RootAsFound found = MakeRootVisible(cleaning, searches, root);
    // Whether a shortcut's files are hidden is judged by the root as found.
    const std::vector<ShortcutPayload> payloads = PayloadsAsFound(cleaning.os, found);
    WriteVisibleModeLines(
        cleaning, found.notCleared,
        {"[KV] - Pastas e arquivos do Drive " + root + " colocados em modo visível",
         "[KV] - File and Folder Drive " + root + " placed in visible mode "},
        {"[KV] > Nem todas as pastas e arquivos do Drive " + root + " puderam ser colocados em modo visível!",
         "[KV] > Not all folders and files of Drive " + root + " could be placed in visible mode!"});
    cleaning.NextStep("Recuperando as pastas escondidas", "Recovering the hidden folders");
    RecoverTrashFolders(cleaning, root);
    cleaning.NextStep("Excluindo as pastas de lixeira", "Deleting the recycle folders");
    DeleteRecycleFolders(cleaning, root);
    cleaning.NextStep("Removendo os arquivos do vírus", "Removing the virus's files");
    RemoveVirusFiles(cleaning, root, payloads);
    cleaning.NextStep("Excluindo autorun.inf e bat.bat", "Deleting autorun.inf and bat.bat");
    DeleteAutorun(cleaning, root);
    DeleteBatBat(cleaning, root);
}

}  // namespace

void RemoveExecutableDisguise(ActionContext& ctx, const std::string& folder, const std::string& mask) {
    const std::vector<DirEntry> entries = FindByLongName(ctx.os, folder, mask);
    const bool onWindowsXp = IsWindowsXp(ctx.os);
    bool matched = false;
    for (const DirEntry& entry : entries) {
        if (entry.IsDirectory()) continue;
        const std::string path = folder + entry.name;
        ctx.os.ClearAttributes(path);
        if (IsDropperCopySize(entry.size) && ctx.flags().ShortcutSeenFlag) {
            RemoveVirusCopy(ctx, folder, entry.name, onWindowsXp);
        }
        if (IsProcessRunning(ctx.os, entry.name) && !IsOwnProgramName(entry.name)) {
            ctx.flags().InfectionFlag = true;
            if (KillProcessByName(ctx.os, entry.name)) {
                ctx.Pair("[KV] > Processo " + entry.name + " finalizado com sucesso!",
                         "[KV] > Process " + entry.name + " finished successfully!");
            }
            matched = true;
        }
        if (ctx.os.FolderExists(DropLastChars(path, 4))) {
            ctx.flags().InfectionFlag = true;
            DeleteFolderTwin(ctx, path);
            matched = true;
        }
    }
    if (!matched) ctx.Pair("[KV] - Nenhum Código/Vírus Encontrado!", "[KV] - No Code/Virus Found!");
}

SaveOfferTexts DeviceDisinfectionSaveTexts(UiLanguage language) {
    if (language == UiLanguage::Portuguese) {
        return {"Deseja salvar o Relatório?", "Aviso", "Salvar Log de Verificação de Computador",
                "Arquivo já exite deseja substituir?", "Aviso"};
    }
    return {"Want to save the report?", "Warning", "Save Log Scan Computer", "File hesitate longer wish to replace?",
            "Warning"};
}

void DeviceDisinfection(ActionContext& ctx, const std::string& driveListText) {
    ctx.flags().InfectionFlag = false;
    ctx.flags().FolderFoundFlag = false;
    if (driveListText.empty()) {
        ctx.dialogs.ShowMessage(
            BoxKind::Information, ctx.Pick("Atenção", "Warning"),
            ctx.Pick("Escolha a Unidade do Dispositivo que deseja limpar!", "Choose Unit Device you want to clean!"));
        return;
    }
    const std::string root = DriveRootFromListText(driveListText);
    WriteReportHeader(ctx, ActionKind::DeviceDisinfection, root);
    try {
        CleanDevice(ctx, root);
        WriteCompletionLine(ctx);
        WriteVerdict(ctx, root);
    } catch (const ActionStopped&) {
        // Stopped between two steps: the report so far is still kept.
        WriteStoppedLine(ctx);
        SaveAutomaticCopies(ctx, kDeviceCopyPrefix);
        throw ActionStopped{true};
    }
    // The copies end before the second completion line; the user's copy,
    // saved afterwards, has it.
    SaveAutomaticCopies(ctx, kDeviceCopyPrefix);
    WriteCompletionLine(ctx);
    OfferReportSave(ctx, ctx.session.options.afterDisinfections, DeviceDisinfectionSaveTexts(ctx.session.language));
}

}  // namespace kv
