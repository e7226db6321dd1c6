#include "computer/removal_catalogue.h"

#include "core/text.h"
#include "routines/dropper_probes.h"
#include "routines/file_removal.h"
#include "routines/known_facts.h"
#include "routines/run_removal.h"
#include "routines/windows_version.h"

namespace kv {
namespace {

constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr RegRoot HKLM = RegRoot::LocalMachine;

std::string Special(ActionContext& ctx, int id) { return ctx.os.GetSpecialFolder(id); }

void WriteProcessLine(ActionContext& ctx, const std::string& label, bool ended, const char* notRunningEnEnding = "") {
    if (ended) {
        ctx.Pair("[KV] > Processo " + label + " finalizado!", "[KV] > Process " + label + " finished!");
    } else {
        ctx.Pair("[KV] - Processo " + label + " não está em execução neste computador!",
                 "[KV] - Process " + label + " is not running on this computer!" + notRunningEnEnding);
    }
}

// The line for a Run value that survived its deletion; it counts as an item
// left in place, so the outcome asks for administrator rights.
void ReportValueLeft(ActionContext& ctx, const std::string& name, bool portugueseOnly = false) {
    ctx.flags().UndeletedFileFlag = true;
    const std::string pt = "[KV] > Chave de Registro " + name + " não pode ser Deletada!";
    ctx.Pair(pt, portugueseOnly ? pt : "[KV] > Registry key " + name + " can not be deleted!");
}

// A Run value known by its name: found, it counts as an infection and is
// deleted with its own line; a restart may be needed to stop what it started.
void RemoveNamedRunValue(ActionContext& ctx, RegRoot root, const std::string& name, const MessagePair& deleted,
                         bool needsRestart) {
    if (!ctx.os.RegValueExists(root, kRunKey, name)) return;
    ctx.flags().InfectionFlag = true;
    if (!RemoveRegistryValueAndVerify(ctx.os, root, kRunKey, name)) {
        ReportValueLeft(ctx, name);
        return;
    }
    ctx.Pair(deleted.pt, deleted.en);
    if (needsRestart) ctx.flags().RestartNeededFlag = true;
}

// ---- Group 1: known processes ------------------------------------------------

struct KnownProcess {
    const char* label;
    const char* exeName;
    bool countsAsInfection;
};

const KnownProcess kKnownProcesses[] = {
    {"[kv001]", "wscript.exe", true},  {"[kv002]", "xcv.exe", true},       {"[kv003]", "rundll32.exe", false},
    {"[kv004]", "lulu.exe", true},     {"[kv005]", "svccscsvc.exe", true}, {"[kv006]", "yotsleks.exe", true},
    {"[kv007]", "breakini.exe", true},
};

void EndKnownProcess(ActionContext& ctx, const std::string& label, bool ended, bool countsAsInfection) {
    if (ended && countsAsInfection) ctx.flags().InfectionFlag = true;
    // The English "not running" line of rundll32.exe ends in a blank.
    WriteProcessLine(ctx, label, ended, label == "[kv003]" ? " " : "");
}

void EndKnownProcesses(ActionContext& ctx) {
    for (const KnownProcess& process : kKnownProcesses) {
        EndKnownProcess(ctx, process.label, KillProcessByName(ctx.os, process.exeName), process.countsAsInfection);
    }
    // The virus runs disguised as one of these.
    const bool disguiseEnded = KillProcessByName(ctx.os, "notepad.exe") || KillProcessByName(ctx.os, "calc.exe");
    EndKnownProcess(ctx, "[kv008]", disguiseEnded, true);
    ctx.Pair("[KV] - Procurando Vírus com extensão EXE Tipo 2...", "[KV] - Looking Virus with EXE extension Type 2...");
    EndKnownProcess(ctx, "[kv009]", KillProcessByName(ctx.os, "msiexec.exe"), true);
}

// ---- Groups 3 and 4: Run values of the current user ---------------------------

const char* const kSafeModeAdvice = "Para remover este vírus é necessário executar o KV Vuduv em Modo de Segurança!";

void AdviseSafeMode(ActionContext& ctx) { ctx.dialogs.ShowMessage(BoxKind::Plain, "KV Vuduv", kSafeModeAdvice); }

// On Windows XP the shell holds the virus's files open; it is not started again.
void EndShell(ActionContext& ctx) {
    WriteProcessLine(ctx, "[explorer.exe]", KillProcessByName(ctx.os, "explorer.exe"));
}

// Deletes the current user's Run value name when it is there (the line is
// Portuguese in both languages).
void DeleteUserRunValue(ActionContext& ctx, const std::string& name) {
    if (!ctx.os.RegValueExists(HKCU, kRunKey, name)) return;
    if (RemoveRegistryValueAndVerify(ctx.os, HKCU, kRunKey, name)) {
        ctx.Line("[KV] > Chave de Registro " + name + " foi deletada!");
    } else {
        ReportValueLeft(ctx, name, true);
    }
}

// Deletes a folder of the virus that is there. Nothing is written for a
// folder that is not there.
void DeleteVirusFolderIfPresent(ActionContext& ctx, const std::string& path) {
    if (!ctx.os.FolderExists(path)) return;
    DeleteFolderTreeAndReport(
        ctx, path, FolderTreeLevel::Nested,
        {"[KV] > Pasta " + path + " Deletada com Sucesso!", "[KV] > Folder " + path + " Successfully Deleted!"},
        {"[KV] > Pasta " + path + " não pôde ser Deletada!", "[KV] > Folder " + path + " could not be deleted!"});
}

void RemoveNefcbValues(ActionContext& ctx, bool onWindowsXp) {
    const std::string folder = Special(ctx, csidl::kLocalAppData) + "\\nefcb\\";
    for (const std::string& name : ctx.os.RegValueNames(HKCU, kRunKey)) {
        const std::string data = ctx.os.RegReadString(HKCU, kRunKey, name);
        if (data.find("nefcb") != std::string::npos) {
            if (onWindowsXp) AdviseSafeMode(ctx);
            DeleteUserRunValue(ctx, name);
            if (onWindowsXp) EndShell(ctx);
        }
        DeleteVirusFolderIfPresent(ctx, folder);
        DeleteVirusFolderIfPresent(ctx, folder);
    }
}

void RemoveLiveValues(ActionContext& ctx, bool onWindowsXp) {
    const std::string appData = Special(ctx, csidl::kAppData);
    const std::string launched = appData + "\\WindowsUpdate\\Live.exe";
    for (const std::string& name : ctx.os.RegValueNames(HKCU, kRunKey)) {
        if (ctx.os.RegReadString(HKCU, kRunKey, name) != launched) continue;
        if (onWindowsXp) AdviseSafeMode(ctx);
        DeleteUserRunValue(ctx, name);
        DeleteUserRunValue(ctx, "Windows Live");
        DeleteUserRunValue(ctx, "Live");
        if (onWindowsXp) EndShell(ctx);
        DeleteVirusFolderIfPresent(ctx, appData + "\\WindowsUpdate");
        DeleteVirusFolderIfPresent(ctx, appData + "\\Windows Live");
    }
}

// ---- Groups 5, 9 and the first step of 12: known file names --------------------

struct KnownFile {
    int folder;  // CSIDL
    const char* name;
};

void RemoveKnownFiles(ActionContext& ctx, const KnownFile* files, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::string folder = Special(ctx, files[i].folder) + "\\";
        if (!ctx.os.FileExists(folder + files[i].name)) continue;
        ctx.flags().InfectionFlag = true;
        RemoveFileWithRunValues(ctx, folder, files[i].name);
    }
}

template <std::size_t N>
void RemoveKnownFiles(ActionContext& ctx, const KnownFile (&files)[N]) {
    RemoveKnownFiles(ctx, files, N);
}

const KnownFile kKnownFiles[] = {
    {csidl::kAltStartup, "pccai.lnk"},      {csidl::kAltStartup, "lulu.exe"},
    {csidl::kWindows, "svccscsvc.exe"},     {csidl::kAppData, "Meu_pc.zip"},
    {csidl::kAppData, "breakini.exe"},      {csidl::kAppData, "yotsleks.exe"},
    {csidl::kLocalAppData, "Meu_pc.zip"},   {csidl::kLocalAppData, "breakini.exe"},
    {csidl::kLocalAppData, "yotsleks.exe"},
};

const KnownFile kStartupShortcuts[] = {
    {csidl::kStartup, "atajo.lnk"},
    {csidl::kCommonStartup, "atajo.lnk"},
    {csidl::kStartup, "start.lnk"},
    {csidl::kCommonStartup, "start.lnk"},
    {csidl::kStartup, "windows explorer.lnk"},
    {csidl::kCommonStartup, "windows explorer.lnk"},
    {csidl::kCommonStartup, "empezar.lnk"},
    {csidl::kAltStartup, "windows explorer.lnk"},
    {csidl::kAltStartup, "empezar.lnk"},
    {csidl::kCommonAltStartup, "windows explorer.lnk"},
    {csidl::kCommonAltStartup, "empezar.lnk"},
};

// ---- Group 6: the google_i9 and google_pdf folders ------------------------------

const KnownFile kGoogleFolders[] = {
    {csidl::kLocalAppData, "google_i9\\"},
    {csidl::kLocalAppData, "google_pdf\\"},
    {csidl::kAppData, "google_i9\\"},
    {csidl::kAppData, "google_pdf\\"},
};

void RemoveGoogleFolders(ActionContext& ctx) {
    for (const KnownFile& row : kGoogleFolders) {
        const std::string path = Special(ctx, row.folder) + "\\" + row.name;
        const bool stays = DeleteFolderTreeAndReport(
            ctx, path, FolderTreeLevel::Nested,
            {"[KV] > Pasta " + path + " Deletada com Sucesso!", "[KV] > " + path + " folder Successfully Deleted!"},
            {"[KV] > Pasta " + path + " não pôde ser Deletada!", "[KV] > " + path + " folder can not be Deleted!"});
        if (stays) ctx.flags().UndeletedFileFlag = true;
    }
}

// ---- Group 7: Run values that open a picture, and the scheduled task ---------------

const char* const kDeleteTaskCommand = "cmd /c schtasks /delete /tn \"Google Security\" /f";

bool OpensPicture(const std::string& data) {
    const std::string ending = LastChars(data, 4);
    return ending == "jpg\"" || ending == ".jpg";
}

void RemovePictureValues(ActionContext& ctx) {
    for (const RegRoot root : {HKLM, HKCU}) {
        for (const std::string& name : ctx.os.RegValueNames(root, kRunKey)) {
            // Values that are not text read as "" and never open a picture.
            if (!OpensPicture(ctx.os.RegReadString(root, kRunKey, name))) continue;
            ctx.flags().InfectionFlag = true;
            ctx.os.RunCommandLine(kDeleteTaskCommand);
            if (RemoveRegistryValueAndVerify(ctx.os, root, kRunKey, name)) {
                ctx.Pair("[KV] > Chave " + name + " Deletada com Sucesso!",
                         "[KV] > key " + name + " Successfully Deleted!");
            } else {
                ctx.flags().UndeletedFileFlag = true;
                ctx.Pair("[KV] > Chave " + name + " não pôde ser Deletada!",
                         "[KV] > Key " + name + " It could not be deleted!");
            }
        }
    }
}

// ---- Group 8: infected folders of the profile and the application data -------------

bool IsSameOrAncestor(const std::string& folder, const std::string& path) {
    if (EqualsIgnoringCase(folder, path)) return true;
    const std::string withSeparator = folder + "\\";
    return path.size() > withSeparator.size() &&
           EqualsIgnoringCase(path.substr(0, withSeparator.size()), withSeparator);
}

// A folder the shell keeps for the user, or one that holds such a folder
// (the profile's "AppData" holds the application-data folders).
bool IsUsersOwnFolder(const std::string& path, const std::vector<std::string>& shellFolders) {
    for (const std::string& shellFolder : shellFolders) {
        if (IsSameOrAncestor(path, shellFolder)) return true;
    }
    return false;
}

// The programs and scripts that made the dropper probe answer yes: those of
// the folder's top level below the size limit.
std::vector<DirEntry> SmallFiles(ActionContext& ctx, const std::string& folder, const std::string& mask) {
    std::vector<DirEntry> small;
    for (DirEntry& entry : FindByLongName(ctx.os, folder, mask)) {
        if (entry.IsDirectory() || !IsBelowDropperFolderLimit(entry.size)) continue;
        if (ctx.os.FileExists(folder + entry.name)) small.push_back(std::move(entry));
    }
    return small;
}

// The user's own folder is never deleted as a whole: only the small programs
// and scripts go, the folder and the rest of its content stay.
void CleanUsersOwnFolder(ActionContext& ctx, const std::string& path) {
    const std::string folder = path + "\\";
    const std::vector<DirEntry> programs = SmallFiles(ctx, folder, "*.exe");
    const std::vector<DirEntry> scripts = SmallFiles(ctx, folder, "*.js");
    for (const DirEntry& program : programs) RemoveMatchedFile(ctx, folder, program.name, "*.exe");
    for (const DirEntry& script : scripts) RemoveMatchedFile(ctx, folder, script.name, "*.js");
    ctx.Pair("[KV] > Pasta " + path + " mantida por ser uma pasta do próprio usuário!",
             "[KV] > Folder " + path + " kept because it is the user's own folder!");
}

void DeleteInfectedFolder(ActionContext& ctx, const std::string& path) {
    DeleteFolderTree(ctx, path, FolderTreeLevel::Nested);
    if (ctx.os.FolderExists(path)) {
        ctx.Pair("[KV] > Pasta " + path + " não pôde ser Deletada!",
                 "[KV] > Folder " + path + " could not be Deleted!");
        DeleteFolderTree(ctx, path, FolderTreeLevel::Nested);
    } else {
        ctx.Pair("[KV] > Pasta " + path + " Deletada com Sucesso!", "[KV] > Folder " + path + " Successfully Deleted!");
    }
}

void RemoveInfectedFolders(ActionContext& ctx) {
    const std::vector<std::string> shellFolders = ctx.os.UserShellFolders();
    for (const int id : {csidl::kProfile, csidl::kAppData}) {
        const std::string folder = Special(ctx, id);
        for (const DirEntry& entry : FindByLongName(ctx.os, folder + "\\", "*.*")) {
            // A junction or symbolic link (a profile holds several) is not
            // followed: what it leads to is not this folder's content.
            if (entry.IsDotOrDotDot() || IsReparsePoint(entry.attributes)) continue;
            const std::string path = folder + "\\" + entry.name;
            if (ProbeDropperFolder(ctx, path + "\\") != kDropperFolderFound) continue;
            ctx.Pair("[KV] > Pasta " + path + " está infectada!", "[KV] > Folder " + path + " is infected!");
            if (IsUsersOwnFolder(path, shellFolders)) {
                CleanUsersOwnFolder(ctx, path);
            } else {
                DeleteInfectedFolder(ctx, path);
            }
        }
    }
}

// ---- Groups 10 to 13: scripts ------------------------------------------------------

void RemoveWsfScripts(ActionContext& ctx) {
    ctx.Pair("[KV] - Procurando Vírus com extensão WSF...", "[KV] - Looking Virus with WSF extension...");
    RemoveMatchingFiles(ctx, Special(ctx, csidl::kAppData) + "\\Microsoft Office\\", "*.WsF");
    const MessagePair deleted{"[KV] > Chave de Registro Microsoft Excel foi deletada!",
                              "[KV] > Microsoft Excel registry key has been deleted!"};
    RemoveNamedRunValue(ctx, HKCU, "Microsoft Excel", deleted, true);
    RemoveNamedRunValue(ctx, HKLM, "Microsoft Excel", deleted, true);
}

// The user's temporary folder. When it cannot be had, the folder of the step
// before is used again.
std::string TempFolderOr(ActionContext& ctx, const std::string& previous) {
    const std::string temp = ctx.os.TempPath();
    return temp.empty() ? previous : temp;
}

// Removes the scripts of every entry of folder but the excluded names.
// Links are passed over: what they lead to is not this folder's content.
void RemoveScriptsOneLevelDown(ActionContext& ctx, const std::string& folder,
                               std::initializer_list<const char*> excluded = {}) {
    for (const DirEntry& entry : FindByLongName(ctx.os, folder, "*.*")) {
        if (entry.IsDotOrDotDot() || IsReparsePoint(entry.attributes)) continue;
        bool skip = false;
        for (const char* name : excluded) skip = skip || entry.name == name;
        if (!skip) RemoveMatchingFiles(ctx, folder + entry.name + "\\", "*.js");
    }
}

void RemoveJsScripts(ActionContext& ctx) {
    ctx.Pair("[KV] - Procurando Vírus com extensão JS...", "[KV] - Looking Virus with JS extension...");
    std::string folder;
    for (const int id : {csidl::kStartup, csidl::kCommonStartup, csidl::kAppData, csidl::kLocalAppData,
                         csidl::kCommonAppData, csidl::kProgramFiles}) {
        folder = Special(ctx, id) + "\\";
        RemoveMatchingFiles(ctx, folder, "*.js");
    }
    folder = TempFolderOr(ctx, folder);
    RemoveMatchingFiles(ctx, folder, "*.js");
    RemoveMatchingFiles(ctx, TempFolderOr(ctx, folder), "SysinfY2X.db");
    RemoveMatchingFiles(ctx, Special(ctx, csidl::kWindows) + "\\temp\\", "*.js");
    RemoveScriptsOneLevelDown(ctx, Special(ctx, csidl::kAppData) + "\\");
    const std::string programFiles = Special(ctx, csidl::kProgramFiles);
    RemoveScriptsOneLevelDown(ctx, programFiles + "\\", {"AVG Secure Search", "Logmein"});
    // The native program-files folder of the system drive, when the one named
    // is the 32-bit one.
    RemoveScriptsOneLevelDown(ctx, FirstChars(programFiles, 1) + ":\\Program Files\\",
                              {"AVG Secure Search", "Logmein"});
}

// The eight folders the VBS and VBE groups clean, in their order.
void RemoveScriptsInUsualFolders(ActionContext& ctx, const std::string& mask) {
    std::string folder;
    for (const int id : {csidl::kStartup, csidl::kCommonStartup, csidl::kAppData, csidl::kLocalAppData,
                         csidl::kCommonAppData, csidl::kProgramFiles}) {
        folder = Special(ctx, id) + "\\";
        RemoveMatchingFiles(ctx, folder, mask);
    }
    RemoveMatchingFiles(ctx, TempFolderOr(ctx, folder), mask);
    RemoveMatchingFiles(ctx, Special(ctx, csidl::kWindows) + "\\temp\\", mask);
}

void RemoveVbsScripts(ActionContext& ctx) {
    ctx.Pair("[KV] - Procurando Vírus com extensão VBS...", "[KV] - Looking Virus VBS extension with...");
    static const KnownFile kImageShortcut[] = {{csidl::kStartup, "Image.lnk"}};
    RemoveKnownFiles(ctx, kImageShortcut);
    RemoveScriptsInUsualFolders(ctx, "*.vbs");
}

void RemoveVbeScripts(ActionContext& ctx) {
    ctx.Pair("[KV] - Procurando Vírus com extensão VBE...", "[KV] - Looking Virus with VBE extension...");
    RemoveScriptsInUsualFolders(ctx, "*.vbe");
}

// ---- Group 14: the install folder -------------------------------------------------------

void RemoveInstallFolderVirus(ActionContext& ctx) {
    const std::string folder = Special(ctx, csidl::kSystemX86) + "\\install\\";
    ctx.Pair("[KV] - Procurando Vírus com extensão EXE na pasta " + folder,
             "[KV] - Looking Virus with EXE extension in folder " + folder);
    RemoveMatchingFiles(ctx, folder, "win32.exe");
    RemoveNamedRunValue(ctx, HKCU, "HKCU",
                        {"[KV] > Chave de Registro HKCU foi deletada!", "[KV] > HKCU registry key has been deleted!"},
                        true);
    RemoveNamedRunValue(ctx, HKLM, "HKLM",
                        {"[KV] > Chave de Registro HKLM foi deletada!", "[KV] > HKLM registry key has been deleted!"},
                        true);
}

// ---- Group 15: Lnzyzj, and programs that Run values launch -------------------------------

void DeleteLnzyzjCopy(ActionContext& ctx, const std::string& folder, bool localMachinePass, bool secondCopy) {
    const std::string path = folder + "\\Lnzyzj.exe";
    // A copy that was not there is not reported as deleted.
    if (ctx.os.RemoveFile(path) && !ctx.os.FileExists(path)) {
        ctx.Pair("[KV] > Arquivo " + path + " Deletado com Sucesso!", "[KV] > File " + path + " Successfully Deleted!");
        return;
    }
    const std::string pt = localMachinePass && secondCopy ? "[KV] - Não foi possível excluír o Arquivo "
                                                          : "[KV] - Não foi possível excluír o arquivo ";
    const std::string en = localMachinePass ? ", or it does not exists!" : ", or not he exists!";
    ctx.Pair(pt + path + ", ou ele não Existe!", "[KV] - Could not delete file " + path + en);
}

void RemoveLnzyzj(ActionContext& ctx, RegRoot root) {
    if (!ctx.os.RegValueExists(root, kRunKey, "Lnzyzj")) {
        ctx.Pair("[KV] - Chave de Registro Lnzyzj não Encontrada!", "[KV] - Key Lnzyzj Record not Found!");
        return;
    }
    const bool deleted = RemoveRegistryValueAndVerify(ctx.os, root, kRunKey, "Lnzyzj");
    const std::string appData = Special(ctx, csidl::kAppData);
    const std::string localAppData = Special(ctx, csidl::kLocalAppData);
    ctx.os.ClearAttributes(appData + "\\Lnzyzj.exe");
    ctx.os.ClearAttributes(localAppData + "\\Lnzyzj.exe");
    if (deleted) {
        ctx.Pair("[KV] > Chave de Registro Lnzyzj Deletada!", "[KV] > Lnzyzj deleted registry key!");
    } else {
        ReportValueLeft(ctx, "Lnzyzj");
    }
    ctx.flags().InfectionFlag = true;
    const bool localMachinePass = root == HKLM;
    DeleteLnzyzjCopy(ctx, appData, localMachinePass, false);
    DeleteLnzyzjCopy(ctx, localAppData, localMachinePass, true);
}

void RemoveExeVirus(ActionContext& ctx) {
    ctx.Pair("[KV] - Procurando Vírus com extensão EXE...", "[KV] - Looking Virus with EXE extension...");
    RemoveLnzyzj(ctx, HKCU);
    RemoveLnzyzj(ctx, HKLM);
    RemoveRunLaunchedFiles(ctx, Special(ctx, csidl::kAppData) + "\\", "*.exe");
    RemoveRunLaunchedFiles(ctx, Special(ctx, csidl::kLocalAppData) + "\\", "*.exe");
}

// ---- Groups 16 to 18 ----------------------------------------------------------------------

void RemoveSality(ActionContext& ctx) {
    ctx.Pair("[KV] - Procurando desktop.exe (Sality)...", "[KV] - Looking Desktop.exe (Sality)...");
    // The root of the drive that holds the local application data.
    const std::string root = FirstChars(Special(ctx, csidl::kLocalAppData) + "\\", 3);
    const std::string folder = root + "Win";
    if (ctx.os.FileExists(folder + "\\lsass.exe")) {
        ctx.flags().InfectionFlag = true;
        ctx.os.ClearAttributes(folder);
        DeleteFolderTree(ctx, folder, FolderTreeLevel::Nested);
        if (ctx.os.FolderExists(folder)) {
            ctx.Pair("[KV] > Pasta " + folder + " não pode ser deletada!",
                     "[KV] > Folder " + folder + " can not be deleted!");
        } else {
            ctx.Pair("[KV] > Pasta " + folder + " deletada com sucesso!",
                     "[KV] > Folder " + folder + " Successfully Deleted!");
        }
    }
    const std::string path = Special(ctx, csidl::kAltStartup) + "\\desktop.exe";
    if (ctx.os.FileExists(path)) {
        ctx.flags().InfectionFlag = true;
        ctx.os.RemoveFile(path);
        if (ctx.os.FileExists(path)) {
            ctx.Pair("[KV] > Arquivo " + path + " não pode ser deletado!",
                     "[KV] > File " + path + " can not be deleted!");
        } else {
            ctx.Pair("[KV] > Arquivo " + path + " deletado com sucesso!",
                     "[KV] > File " + path + " Sucessfully Deleted!");
        }
    }
}

void RemoveXcv(ActionContext& ctx) {
    ctx.Line("[KV] - Procurando Vírus xcv.exe - Prolifera pela extensão .cpl (Painel de Controle)...");
    const std::string path = Special(ctx, csidl::kCommonAppData) + "\\ASX";
    DeleteFolderTreeAndReport(ctx, path, FolderTreeLevel::Nested,
                              {"[KV] > Pasta " + path + " Deletada com Sucesso!",
                               "[KV] > Folder " + path + " Successfully Deleted!"},
                              {"[KV] - Pasta " + path + " não pôde ser Deletada ou não Existe!",
                               "[KV] - Folder " + path + " could not be deleted or not exists!"});
    const MessagePair deleted{"[KV] > Chave de Registro xcv.exe Deletada!", "[KV] > Xcv.exe deleted registry key!"};
    RemoveNamedRunValue(ctx, HKLM, "xcv.exe", deleted, false);
    RemoveNamedRunValue(ctx, HKCU, "xcv.exe", deleted, false);
}

void RemoveDwDll(ActionContext& ctx, const std::string& previousFolder) {
    ctx.Pair("[KV] - Procurando Vírus dw.dll...", "[KV] - Looking dw.dll Virus...");
    RemoveMatchingFiles(ctx, TempFolderOr(ctx, previousFolder), "dw.dll");
    RemoveMatchingFiles(ctx, Special(ctx, csidl::kWindows) + "\\temp\\", "dw.dll");
    const MessagePair deleted{"[KV] > Chave de Registro System Deletada!", "[KV] > System deleted registry key!"};
    RemoveNamedRunValue(ctx, HKLM, "System", deleted, false);
    RemoveNamedRunValue(ctx, HKCU, "System", deleted, false);
}

// ---- System-function repair ---------------------------------------------------------------

struct PolicyValue {
    RegRoot root;
    const char* key;
    const char* name;
    MessagePair deleted;
    MessagePair notFound;
    MessagePair left;  // the value survived its deletion
};

const char* const kExplorerPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char* const kBrowserPolicies = "Software\\Policies\\Microsoft\\Internet Explorer\\control panel";

const PolicyValue kPolicyValues[] = {
    {HKCU,
     kExplorerPolicies,
     "NofolderOptions",
     {"[KV] - Chave de Registro NofolderOptions Deletada!", "[KV] - Registry key NofolderOptions Deleted!"},
     {"[KV] - Chave de Registro NofolderOptions não Encontrada!", "[KV] - Registry key NofolderOptions not found!"},
     {"[KV] - Chave de Registro NofolderOptions não pode ser Deletada!",
      "[KV] - Registry key NofolderOptions can not be deleted!"}},
    {HKCU,
     kExplorerPolicies,
     "NoControlPanel",
     {"[KV] - Chave de Registro NoControlPanel Deletada!", "[KV] - Registry Key NoControlPanel Deleted!"},
     {"[KV] - Chave de Registro NoControlPanel não Encontrada", "[KV] - Registry Key NoControlPanel not found"},
     {"[KV] - Chave de Registro NoControlPanel não pode ser Deletada!",
      "[KV] - Registry Key NoControlPanel can not be deleted!"}},
    {HKCU,
     kBrowserPolicies,
     "HomePage",
     {"[KV] - Chave de Registro HomePage Deletada!", "[KV] - Registry Key HomePage Deleted!"},
     {"[KV] - Chave de Registro HomePage não Enontrada!", "[KV] - Registry Key HomePage not found!"},
     {"[KV] - Chave de Registro HomePage não pode ser Deletada!", "[KV] - Registry Key HomePage can not be deleted!"}},
    {HKLM,
     kBrowserPolicies,
     "HomePage",
     {"[KV] - Chave de Registro HomePage Deletada!", "[KV] - Registry Key HomePage Deleted!"},
     {"[KV] - Chave de Registro HomePage não Encontrada", "[KV] - Registry Key HomePage not found"},
     {"[KV] - Chave de Registro HomePage não pode ser Deletada!", "[KV] - Registry Key HomePage can not be deleted!"}},
    {HKLM,
     "Software\\Policies\\Microsoft\\Windows NT\\SystemRestore",
     "DisableConfig",
     {"[KV] - Chave de Registro DisableConfig Deletada!", "[KV] - Registry Key DisableConfig Deleted!"},
     {"[KV] - Chave de Registro DisableConfig não Encontrada!", "[KV] - Registry Key DisableConfig not found!"},
     {"[KV] - Chave de Registro DisableConfig não pode ser Deletada!",
      "[KV] - Registry Key DisableConfig can not be deleted!"}},
};

// Names removal group number (of the eighteen) for the progress line; each
// group begins at a safe point to stop.
void StartGroup(ActionContext& ctx, int number) {
    const std::string n = std::to_string(number);
    ctx.NextStep("Grupo de remoção " + n + " de 18", "Removal group " + n + " of 18");
}

}  // namespace

void RunRemovalCatalogue(ActionContext& ctx) {
    StartGroup(ctx, 1);
    EndKnownProcesses(ctx);
    StartGroup(ctx, 2);
    RemoveMatchingFiles(ctx, Special(ctx, csidl::kCommonAppData) + "\\", "*.exe");
    const bool onWindowsXp = IsWindowsXp(ctx.os);
    StartGroup(ctx, 3);
    RemoveNefcbValues(ctx, onWindowsXp);
    StartGroup(ctx, 4);
    RemoveLiveValues(ctx, onWindowsXp);
    StartGroup(ctx, 5);
    RemoveKnownFiles(ctx, kKnownFiles);
    StartGroup(ctx, 6);
    RemoveGoogleFolders(ctx);
    StartGroup(ctx, 7);
    RemovePictureValues(ctx);
    StartGroup(ctx, 8);
    RemoveInfectedFolders(ctx);
    StartGroup(ctx, 9);
    RemoveKnownFiles(ctx, kStartupShortcuts);
    StartGroup(ctx, 10);
    RemoveWsfScripts(ctx);
    StartGroup(ctx, 11);
    RemoveJsScripts(ctx);
    StartGroup(ctx, 12);
    RemoveVbsScripts(ctx);
    StartGroup(ctx, 13);
    RemoveVbeScripts(ctx);
    StartGroup(ctx, 14);
    RemoveInstallFolderVirus(ctx);
    StartGroup(ctx, 15);
    RemoveExeVirus(ctx);
    StartGroup(ctx, 16);
    RemoveSality(ctx);
    StartGroup(ctx, 17);
    RemoveXcv(ctx);
    StartGroup(ctx, 18);
    // The temporary folder's stand-in, when it cannot be had, is the last
    // folder the scripts groups cleaned.
    RemoveDwDll(ctx, Special(ctx, csidl::kWindows) + "\\temp\\");
}

void RepairSystemFunctions(ActionContext& ctx) {
    ctx.Line("[KV] - Reparando Funções de Sistema...");
    for (const PolicyValue& row : kPolicyValues) {
        if (!ctx.os.RegValueExists(row.root, row.key, row.name)) {
            ctx.Pair(row.notFound.pt, row.notFound.en);
        } else if (RemoveRegistryValueAndVerify(ctx.os, row.root, row.key, row.name)) {
            ctx.Pair(row.deleted.pt, row.deleted.en);
        } else {
            ctx.Pair(row.left.pt, row.left.en);
        }
    }
}

}  // namespace kv
