#include "tools/temp_folders.h"

#include "core/report_file.h"
#include "core/text.h"
#include "tools/tool_files.h"

namespace kv {
namespace {

constexpr std::uint64_t kKilo = 1024;
constexpr std::uint64_t kMega = kKilo * 1024;
constexpr std::uint64_t kGiga = kMega * 1024;

// Known folders of the profile that are not in csidl:: (CSIDL numbers).
constexpr int kPersonal = 5;
constexpr int kMyMusic = 13;
constexpr int kMyVideo = 14;
constexpr int kMyPictures = 39;

// Unlike WithoutTrailingBackslash, a drive root loses its backslash too, so
// that "C:" and "C:\\" compare as one folder.
std::string WithoutBackslash(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "C:\..." or "\\server\share\...".
bool IsAbsolute(const std::string& path) {
    return (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\') ||
           StartsWith(path, "\\\\");
}

// Compared the way Windows compares paths: without regard to case, without
// trailing backslashes.
std::string PathKey(const std::string& path) { return FoldCase(WithoutBackslash(path)); }

bool SamePath(const std::string& a, const std::string& b) {
    return !a.empty() && !b.empty() && PathKey(a) == PathKey(b);
}

// True when inner lies below outer (not the same folder).
bool IsBelow(const std::string& inner, const std::string& outer) {
    if (inner.empty() || outer.empty()) return false;
    return StartsWith(PathKey(inner), PathKey(outer) + "\\");
}

bool IsRootPath(const std::string& path) {
    const std::string bare = WithoutBackslash(path);
    if (bare.size() == 2 && IsDriveLetter(bare[0]) && bare[1] == ':') return true;
    if (!StartsWith(bare, "\\\\")) return false;
    // \\server\share: no separator after the share's name.
    const std::size_t shareStart = bare.find('\\', 2);
    return shareStart != std::string::npos && bare.find('\\', shareStart + 1) == std::string::npos;
}

std::string FolderPartOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string Grouped(std::uint64_t value, const std::string& thousands) {
    std::string digits = std::to_string(value);
    std::string out;
    const std::size_t count = digits.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) out += thousands;
        out += digits[i];
    }
    return out;
}

std::string RefusalReason(UnsafeFolder kind, bool portuguese) {
    switch (kind) {
    case UnsafeFolder::DriveRoot:
        return portuguese ? "é a raiz de uma unidade" : "it is the root of a drive";
    case UnsafeFolder::WindowsFolder:
        return portuguese ? "é a pasta do Windows ou uma de suas pastas de sistema"
                          : "it is the Windows folder or one of its system folders";
    case UnsafeFolder::ProgramFolder:
        return portuguese ? "é a pasta deste programa" : "it is this program's folder";
    case UnsafeFolder::ProfileFolder:
        return portuguese ? "é a pasta do perfil do usuário ou uma de suas pastas conhecidas"
                          : "it is the user's profile folder or one of its known folders";
    case UnsafeFolder::None:
        break;
    }
    return std::string();
}

// Collects the log: every line goes to both files and to the watcher.
class CleanupLog {
public:
    CleanupLog(PlatformOps& os, std::string fileName, const std::function<void(const std::string&)>& watcher)
        : os_(os), fileName_(std::move(fileName)), watcher_(watcher) {}

    void Write(const std::string& line) {
        lines_.push_back(line);
        if (watcher_) watcher_(line);
    }
    // Writes both files with the lines so far; throws FileWriteError.
    std::string Save() { return WriteInBothDataFolders(os_, fileName_, lines_); }
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    PlatformOps& os_;
    std::string fileName_;
    const std::function<void(const std::string&)>& watcher_;
    std::vector<std::string> lines_;
};

}  // namespace

TempFolders ResolveTempFolders(PlatformOps& os) {
    TempFolders folders;
    folders.user = os.TempPath();
    if (!folders.user.empty()) folders.user = WithTrailingBackslash(folders.user);
    const std::string windows = os.GetSpecialFolder(csidl::kWindows);
    if (!windows.empty()) folders.system = windows + "\\temp\\";
    return folders;
}

std::uint64_t FolderSize(PlatformOps& os, const std::string& path) {
    std::uint64_t total = 0;
    std::vector<std::string> pending{WithTrailingBackslash(path)};
    while (!pending.empty()) {
        const std::string folder = std::move(pending.back());
        pending.pop_back();
        for (const DirEntry& entry : os.FindEntries(folder + "*.*")) {
            total += entry.size;
            if (entry.IsDirectory() && !entry.IsDotOrDotDot() && (entry.attributes & attr::kReparsePoint) == 0) {
                pending.push_back(folder + entry.name + "\\");
            }
        }
    }
    return total;
}

std::string FormatSize(std::uint64_t bytes, const NumberSeparators& separators) {
    if (bytes < kKilo) return std::to_string(bytes) + "B";
    const std::uint64_t unit = bytes >= kGiga ? kGiga : bytes >= kMega ? kMega : kKilo;
    const char* suffix = bytes >= kGiga ? " GB" : bytes >= kMega ? " MB" : " KB";
    std::uint64_t whole = bytes / unit;
    // Two decimals, rounded half up; the remainder times 100 fits in 64 bits.
    std::uint64_t hundredths = ((bytes % unit) * 100 + unit / 2) / unit;
    if (hundredths == 100) {
        ++whole;
        hundredths = 0;
    }
    const std::string decimals = (hundredths < 10 ? "0" : "") + std::to_string(hundredths);
    return Grouped(whole, separators.thousands) + separators.decimal + decimals + suffix;
}

std::string OccupiedSpacePrefix(UiLanguage language) {
    return language == UiLanguage::Portuguese ? "Espaço ocupado: " : "Occupied space: ";
}

std::string OccupiedSpaceText(PlatformOps& os, UiLanguage language, const std::string& folder) {
    const std::uint64_t size = folder.empty() ? 0 : FolderSize(os, folder);
    return OccupiedSpacePrefix(language) + FormatSize(size, os.RegionalNumberSeparators());
}

bool EmptyFolderTree(PlatformOps& os, const std::string& path) {
    const std::string folder = WithTrailingBackslash(path);
    if (!os.FolderExists(folder)) return false;
    for (const DirEntry& entry : os.FindEntries(folder + "*.*")) {
        if (entry.IsDotOrDotDot()) continue;
        const std::string entryPath = folder + entry.name;
        os.ClearAttributes(entryPath);
        // Only a plain folder is entered; a link (its attributes hold the
        // reparse bit) is never followed.
        if (entry.attributes == attr::kDirectory) {
            EmptyFolderTree(os, entryPath);
        } else {
            os.RemoveFile(entryPath);
        }
    }
    return os.RemoveFolder(WithoutBackslash(folder));
}

UnsafeFolder ClassifyCleanupFolder(PlatformOps& os, const std::string& folder) {
    if (IsRootPath(folder)) return UnsafeFolder::DriveRoot;

    // The Windows folder, a folder holding it, or any folder inside it but
    // its own temporary folder.
    const std::string windows = os.GetSpecialFolder(csidl::kWindows);
    if (!windows.empty()) {
        const std::string windowsTemp = windows + "\\temp";
        const bool inWindowsTemp = SamePath(folder, windowsTemp) || IsBelow(folder, windowsTemp);
        if (SamePath(folder, windows) || IsBelow(windows, folder) || (IsBelow(folder, windows) && !inWindowsTemp)) {
            return UnsafeFolder::WindowsFolder;
        }
    }

    if (SamePath(folder, FolderPartOf(os.ExecutablePath()))) return UnsafeFolder::ProgramFolder;

    // The profile, a folder holding it, or one of its known folders (or a
    // folder holding one).
    for (const int known : {csidl::kProfile, csidl::kDesktopDirectory, csidl::kAppData, csidl::kLocalAppData,
                            csidl::kStartup, kPersonal, kMyMusic, kMyVideo, kMyPictures}) {
        const std::string knownFolder = os.GetSpecialFolder(known);
        if (SamePath(folder, knownFolder) || IsBelow(knownFolder, folder)) return UnsafeFolder::ProfileFolder;
    }
    return UnsafeFolder::None;
}

CleanupResult CleanTempFolders(ActionContext& ctx, const CleanupRequest& request) {
    PlatformOps& os = ctx.os;
    const DateTimeTexts now = os.CurrentDateTimeTexts();
    CleanupLog log(os, "kv-temp" + FileNameSafe(now.shortDate) + FileNameSafe(now.longTime) + ".txt",
                   request.lineWritten);
    EnsureDataFolders(os);

    // Portuguese in both languages. Both files exist before anything is deleted.
    log.Write("Obs.: Aquivos ou pastas não deletados podem estar em uso...");
    log.Write("Iniciando Limpeza...");
    CleanupResult result;
    result.logPath = log.Save();

    const std::pair<std::string, std::string> folders[] = {{request.folders.user, request.missingUserName},
                                                           {request.folders.system, request.missingSystemName}};
    for (const auto& [resolved, missingName] : folders) {
        // A folder the tab could not resolve is reported as missing under the
        // name its label shows, and never looked up on disk.
        const bool known = IsAbsolute(resolved);
        const std::string folder = WithTrailingBackslash(known ? resolved : missingName);
        if (!known || !os.FolderExists(folder)) {
            log.Write(ctx.Pick("Pasta " + folder + " não encontrada.", "Folder " + folder + " not found."));
            log.Save();
            result.lines = log.Lines();
            return result;
        }
        const UnsafeFolder unsafe = ClassifyCleanupFolder(os, folder);
        if (unsafe != UnsafeFolder::None) {
            log.Write(ctx.Pick(
                "Pasta " + folder + " não será limpa: " + RefusalReason(unsafe, true) + ". Nada foi deletado nela.",
                "Folder " + folder + " will not be cleaned: " + RefusalReason(unsafe, false) +
                    ". Nothing was deleted in it."));
            continue;
        }
        log.Write(ctx.Pick("Pasta " + folder + " encontrada.", "Folder " + folder + " found."));
        for (const DirEntry& entry : os.FindEntries(folder + "*.*")) {
            if (entry.IsDotOrDotDot()) continue;
            const std::string path = folder + entry.name;
            os.ClearAttributes(path);
            if (entry.attributes == attr::kDirectory) {
                log.Write(EmptyFolderTree(os, path)
                              ? ctx.Pick("Pasta " + path + " deletada.", "Folder " + path + " deleted.")
                              : ctx.Pick("Pasta " + path + " não pode ser deletada.",
                                         "Folder " + path + " can not be deleted."));
            } else {
                log.Write(os.RemoveFile(path) ? ctx.Pick("Arquivo " + path + " deletado.", "File " + path + " deleted.")
                                              : ctx.Pick("Arquivo " + path + " não pode ser deletado.",
                                                         "File " + path + " can not be deleted."));
            }
        }
    }
    log.Write(ctx.Pick("Processo concluído com sucesso!", "Process completed successfully!"));
    log.Save();
    result.completed = true;
    result.lines = log.Lines();
    ctx.dialogs.ShowMessage(BoxKind::Information, ctx.Pick("Aviso", "Warning"),
                            ctx.Pick("Processo concluído com sucesso!", "Process completed successfully!"));
    return result;
}

}  // namespace kv
