#include "routines/shortcut_payload.h"

#include <algorithm>
#include <map>

#include "core/forwarding_platform.h"
#include "core/name_match.h"
#include "core/text.h"
#include "routines/known_facts.h"

namespace kv {
namespace {

// ---- Reading a command line -------------------------------------------------------

// One word of a command line, quotes removed ("a"b c -> ab, c). quoted tells
// whether it began with a quote; end is the offset just after it.
struct Word {
    std::string text;
    bool quoted = false;
    std::size_t end = 0;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<Word> SplitWords(const std::string& line) {
    std::vector<Word> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && IsBlank(line[at])) ++at;
        if (at >= line.size()) break;
        Word word;
        word.quoted = line[at] == '"';
        bool inQuotes = false;
        for (; at < line.size() && (inQuotes || !IsBlank(line[at])); ++at) {
            if (line[at] == '"') {
                inQuotes = !inQuotes;
            } else {
                word.text += line[at];
            }
        }
        word.end = at;
        words.push_back(word);
    }
    return words;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

// "C:\Windows\System32\WScript.exe" -> "wscript".
std::string ProgramStem(const std::string& program) {
    const std::size_t lastSlash = program.find_last_of("\\/");
    std::string stem = Lower(lastSlash == std::string::npos ? program : program.substr(lastSlash + 1));
    if (EndsWith(stem, ".exe")) stem.resize(stem.size() - 4);
    return stem;
}

std::string TrimBlanks(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// Nested command interpreters are followed this deep.
constexpr int kMaxDepth = 4;

void NameFilesOf(const std::string& program, const std::string& arguments, int depth, std::vector<NamedFile>& out);

// The commands of a cmd command string: split at "&", "&&", "|" and "||"
// outside quotes ("^" escapes the next character), each command's "call"
// or "start" (with its title and options) stepped over.
void NameFilesOfCommandString(const std::string& text, int depth, std::vector<NamedFile>& out) {
    std::vector<std::string> commands(1);
    bool inQuotes = false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '"') inQuotes = !inQuotes;
        if (!inQuotes && c == '^' && at + 1 < text.size()) {
            commands.back() += text[++at];
        } else if (!inQuotes && (c == '&' || c == '|')) {
            commands.emplace_back();
        } else {
            commands.back() += c;
        }
    }
    for (std::string command : commands) {
        command = TrimBlanks(command);
        while (!command.empty() && (command.front() == '(' || command.front() == '@')) command.erase(0, 1);
        while (!command.empty() && command.back() == ')') command.pop_back();
        const std::vector<Word> words = SplitWords(command);
        std::size_t i = 0;
        while (i < words.size() && Lower(words[i].text) == "call") ++i;
        if (i < words.size() && Lower(words[i].text) == "start") {
            ++i;
            if (i < words.size() && words[i].quoted) ++i;  // the window title
            while (i < words.size() && StartsWith(words[i].text, "/")) {
                const std::string option = Lower(words[i++].text);
                if (option == "/d" || option == "/node" || option == "/affinity") ++i;  // takes a value
            }
        }
        if (i >= words.size() || words[i].text.empty()) continue;
        NameFilesOf(words[i].text, command.substr(words[i].end), depth + 1, out);
    }
}

void NameFilesOfCmd(const std::string& arguments, int depth, std::vector<NamedFile>& out) {
    const std::vector<Word> words = SplitWords(arguments);
    for (const Word& word : words) {
        const std::string option = Lower(word.text);
        if (option != "/c" && option != "/k") continue;
        const std::string rest = TrimBlanks(arguments.substr(word.end));
        NameFilesOfCommandString(rest, depth, out);
        // cmd drops the first and the last quote of a quoted command string
        // unless it is one quoted program name: both readings are followed.
        if (!rest.empty() && rest.front() == '"') {
            std::string unquoted = rest.substr(1);
            const std::size_t lastQuote = unquoted.rfind('"');
            if (lastQuote != std::string::npos) unquoted.erase(lastQuote, 1);
            NameFilesOfCommandString(unquoted, depth, out);
        }
        return;
    }
}

void NameFilesOf(const std::string& program, const std::string& arguments, int depth, std::vector<NamedFile>& out) {
    out.push_back({program, false});
    if (depth > kMaxDepth) return;
    const std::string stem = ProgramStem(program);
    if (stem == "cmd") {
        NameFilesOfCmd(arguments, depth, out);
    } else if (stem == "wscript" || stem == "cscript") {
        // Host options (//B, //E:vbscript, //nologo) come before the script.
        for (const Word& word : SplitWords(arguments)) {
            if (StartsWith(word.text, "/")) continue;
            if (!word.text.empty()) out.push_back({word.text, true});
            break;
        }
    } else if (stem == "rundll32") {
        const std::vector<Word> words = SplitWords(arguments);
        if (words.empty()) return;
        const std::string module = words[0].text.substr(0, words[0].text.find(','));
        if (module.empty()) return;
        out.push_back({module, true});
        const std::size_t lastSlash = module.find_last_of("\\/");
        if (module.find('.', lastSlash == std::string::npos ? 0 : lastSlash) == std::string::npos) {
            out.push_back({module + ".dll", true});  // the loader adds it
        }
    }
}

// ---- Finding the named files on the device ------------------------------------------

// Extensions of files that run when started by name.
const char* const kProgramExtensions[] = {"com", "exe", "bat", "cmd", "vbs", "vbe", "js",  "jse",
                                          "wsf", "wsh", "scr", "pif", "hta", "cpl", "msc"};
// What the command interpreter appends to a name without extension, in order.
const char* const kAppendedExtensions[] = {".com", ".exe", ".bat", ".cmd", ".vbs", ".vbe",
                                           ".js",  ".jse", ".wsf", ".wsh", ".msc"};
// Beside a payload file, files of these types with its base name are its
// companions (u12.bat and u12.dat beside u12.vbs); a user's document named
// like a worm's program never is.
const char* const kCompanionOnlyExtensions[] = {"dll", "dat", "bin", "tmp", "ini", "cfg"};

std::string ExtensionOf(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : Lower(name.substr(dot + 1));
}

template <std::size_t N>
bool IsOneOf(const std::string& value, const char* const (&list)[N]) {
    return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

bool IsProgramName(const std::string& name) { return IsOneOf(ExtensionOf(name), kProgramExtensions); }
bool IsCompanionName(const std::string& name) {
    return IsProgramName(name) || IsOneOf(ExtensionOf(name), kCompanionOnlyExtensions);
}

bool IsHiddenOrSystem(std::uint32_t attributes) { return (attributes & (attr::kHidden | attr::kSystem)) != 0; }

// A file found on the device.
struct DeviceFile {
    std::string folder;  // ends with a backslash
    std::string name;
    bool folderHidden = false;  // a folder on its path is hidden or system
    bool fileHidden = false;
    std::string Path() const { return folder + name; }
    bool Hidden() const { return folderHidden || fileHidden; }
};

// The path's components below the device root, "." and ".." applied as
// Windows applies them (".." at the root stays at the root).
void AppendComponents(const std::string& path, std::vector<std::string>& components) {
    std::string part;
    for (std::size_t at = 0; at <= path.size(); ++at) {
        if (at < path.size() && path[at] != '\\' && path[at] != '/') {
            part += path[at];
            continue;
        }
        if (part == "..") {
            if (!components.empty()) components.pop_back();
        } else if (!part.empty() && part != ".") {
            components.push_back(part);
        }
        part.clear();
    }
}

// Walks the components from root, one exact long-name search each; every
// step must be a plain folder (never a link, which may lead off the device)
// and the last a file.
std::optional<DeviceFile> WalkToFile(PlatformOps& os, const std::string& root,
                                     const std::vector<std::string>& components) {
    if (components.empty()) return std::nullopt;
    DeviceFile file;
    file.folder = root;
    for (std::size_t i = 0; i < components.size(); ++i) {
        const std::vector<DirEntry> found = FindByLongName(os, file.folder, components[i]);
        if (found.size() != 1 || (found[0].attributes & attr::kReparsePoint)) return std::nullopt;
        const DirEntry& entry = found[0];
        const bool last = i + 1 == components.size();
        if (entry.IsDirectory() != !last) return std::nullopt;
        if (last) {
            file.name = entry.name;
            file.fileHidden = IsHiddenOrSystem(entry.attributes);
        } else {
            file.folder += entry.name + "\\";
            file.folderHidden = file.folderHidden || IsHiddenOrSystem(entry.attributes);
        }
    }
    return file;
}

// Where name leads on the device, trying each base folder for a relative
// name; nothing when it is off the device or names no file.
std::optional<DeviceFile> FindOnDevice(PlatformOps& os, const std::string& root,
                                       const std::vector<std::vector<std::string>>& bases, const std::string& name) {
    if (name.empty() || name.find_first_of("*?<>|\"%") != std::string::npos) return std::nullopt;
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
        return std::nullopt;
    }
    if (StartsWith(name, "\\\\") || StartsWith(name, "//")) return std::nullopt;  // a network path
    std::string rest = name;
    bool fromRoot = false;
    if (name.size() >= 2 && name[1] == ':') {
        if (AsciiUpper(name.substr(0, 1)) != AsciiUpper(root.substr(0, 1))) return std::nullopt;  // another drive
        rest = name.substr(2);
        fromRoot = true;  // "E:x" is relative to E:'s current folder, the root here
    }
    if (!rest.empty() && (rest[0] == '\\' || rest[0] == '/')) fromRoot = true;
    const std::vector<std::vector<std::string>> rootOnly = {{}};
    for (const std::vector<std::string>& base : fromRoot ? rootOnly : bases) {
        std::vector<std::string> components = base;
        AppendComponents(rest, components);
        if (std::optional<DeviceFile> file = WalkToFile(os, root, components)) return file;
    }
    return std::nullopt;
}

// A named file as the host would take it: a program by its extension, or
// with the interpreter's extensions tried in turn when it has none.
std::optional<DeviceFile> FindStartedFile(PlatformOps& os, const std::string& root,
                                          const std::vector<std::vector<std::string>>& bases, const NamedFile& named) {
    if (named.anyType) return FindOnDevice(os, root, bases, named.name);
    const std::size_t lastSlash = named.name.find_last_of("\\/");
    const bool hasExtension =
        named.name.find('.', lastSlash == std::string::npos ? 0 : lastSlash) != std::string::npos;
    if (hasExtension) {
        if (!IsProgramName(named.name)) return std::nullopt;
        return FindOnDevice(os, root, bases, named.name);
    }
    for (const char* extension : kAppendedExtensions) {
        if (std::optional<DeviceFile> file = FindOnDevice(os, root, bases, named.name + extension)) return file;
    }
    return std::nullopt;
}

std::string BaseNameOf(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

// The hidden files beside file that share its base name.
std::vector<DeviceFile> CompanionsOf(PlatformOps& os, const DeviceFile& file) {
    std::vector<DeviceFile> companions;
    const std::string base = BaseNameOf(file.name);
    if (base == file.name) return companions;
    for (const DirEntry& entry : FindByLongName(os, file.folder, "*.*")) {
        if (entry.IsDirectory() || (entry.attributes & attr::kReparsePoint)) continue;
        if (entry.name == file.name || !EqualsIgnoringCase(BaseNameOf(entry.name), base)) continue;
        if (!IsCompanionName(entry.name)) continue;
        DeviceFile companion{file.folder, entry.name, file.folderHidden, IsHiddenOrSystem(entry.attributes)};
        if (companion.Hidden()) companions.push_back(companion);
    }
    return companions;
}

// The program never counts its own executable.
bool IsOwnFile(PlatformOps& os, const DeviceFile& file) {
    return FirstChars(file.name, 8) == kOwnNamePrefix || EqualsIgnoringCase(file.Path(), os.ExecutablePath());
}

void AddOnce(std::vector<std::string>& paths, const std::string& path) {
    for (const std::string& known : paths) {
        if (EqualsIgnoringCase(known, path)) return;
    }
    paths.push_back(path);
}

// The folder a relative name may start from: the root, and the shortcut's
// working folder when it is a folder of the device.
std::vector<std::vector<std::string>> BaseFolders(const std::string& root, const std::string& workingDir) {
    std::vector<std::vector<std::string>> bases = {{}};
    if (workingDir.size() >= 2 && workingDir[1] == ':' &&
        AsciiUpper(workingDir.substr(0, 1)) == AsciiUpper(root.substr(0, 1))) {
        std::vector<std::string> components;
        AppendComponents(workingDir.substr(2), components);
        if (!components.empty()) bases.push_back(components);
    }
    return bases;
}

// ---- Invisible names ------------------------------------------------------------------

bool IsInvisibleCodePoint(char32_t c) {
    switch (c) {
    case 0x0020: case 0x00A0: case 0x00AD: case 0x034F: case 0x061C: case 0x115F: case 0x1160:
    case 0x17B4: case 0x17B5: case 0x2800: case 0x3000: case 0x3164: case 0xFEFF: case 0xFFA0:
    case 0x1D159:
        return true;
    default:
        break;
    }
    return (c >= 0x180B && c <= 0x180E) || (c >= 0x2000 && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F) ||
           (c >= 0x205F && c <= 0x206F) || (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0x1D173 && c <= 0x1D17A) ||
           (c >= 0xE0000 && c <= 0xE0FFF);
}

}  // namespace

std::vector<NamedFile> FilesNamedByCommand(const std::string& program, const std::string& arguments) {
    std::vector<NamedFile> named;
    NameFilesOf(program, arguments, 0, named);
    return named;
}

namespace {

// The device with its root answered from a listing of the root taken once:
// the root as it was before anything there changed, and one reading of it
// where thousands of shortcuts ask. Every other call goes to the device. A
// payload's path is looked up a name at a time, so plain names are found
// through an index.
class RootAsListed : public ForwardingPlatform {
public:
    RootAsListed(PlatformOps& os, const std::string& root, const std::vector<DirEntry>& entries)
        : ForwardingPlatform(os), entries_(entries), foldedRoot_(FoldCase(root)) {
        for (std::size_t i = 0; i < entries.size(); ++i) byName_[FoldCase(entries[i].name)].push_back(i);
    }

    std::vector<DirEntry> FindEntries(const std::string& pattern) override {
        const std::size_t slash = pattern.rfind('\\');
        if (slash == std::string::npos || FoldCase(pattern.substr(0, slash + 1)) != foldedRoot_) {
            return inner_.FindEntries(pattern);
        }
        const std::string mask = pattern.substr(slash + 1);
        if (mask.find_first_of("*?") != std::string::npos) return LongNameMatches(entries_, mask);
        // Without wildcards a mask matches the names equal to it but for case.
        std::vector<DirEntry> named;
        const auto known = byName_.find(FoldCase(mask));
        if (known != byName_.end()) {
            for (const std::size_t i : known->second) named.push_back(entries_[i]);
        }
        return named;
    }

private:
    const std::vector<DirEntry>& entries_;
    const std::string foldedRoot_;
    std::map<std::string, std::vector<std::size_t>> byName_;  // folded name -> entries
};


// Finds the payloads of a root's shortcuts. A worm writes thousands of
// shortcuts that start the same file: the files beside a payload file are
// looked for once per file, not once per shortcut (each look lists the whole
// folder, the root of thousands of entries).
class PayloadFinder {
public:
    PayloadFinder(PlatformOps& os, const std::string& root) : os_(os), root_(root) {}

    std::vector<std::string> PayloadOf(const ShellLink& link) {
        std::vector<NamedFile> named;
        for (const std::string& target : {link.TargetPath(), link.idListPath, link.relativePath}) {
            if (target.empty()) continue;
            for (const NamedFile& file : FilesNamedByCommand(target, link.arguments)) {
                if (std::find(named.begin(), named.end(), file) == named.end()) named.push_back(file);
            }
        }
        const std::vector<std::vector<std::string>> bases = BaseFolders(root_, link.workingDir);
        std::vector<std::string> payload;
        for (const NamedFile& file : named) {
            const std::optional<DeviceFile> found = FindStartedFile(os_, root_, bases, file);
            if (!found || !found->Hidden() || IsOwnFile(os_, *found)) continue;
            AddOnce(payload, found->Path());
            for (const DeviceFile& companion : CompanionsOnce(*found)) {
                if (!IsOwnFile(os_, companion)) AddOnce(payload, companion.Path());
            }
        }
        return payload;
    }

private:
    const std::vector<DeviceFile>& CompanionsOnce(const DeviceFile& file) {
        const std::string key = FoldCase(file.Path()) + (file.folderHidden ? "|hidden" : "|");
        auto known = companions_.find(key);
        if (known == companions_.end()) known = companions_.emplace(key, CompanionsOf(os_, file)).first;
        return known->second;
    }

    PlatformOps& os_;
    const std::string root_;
    std::map<std::string, std::vector<DeviceFile>> companions_;  // by folded path and folder hiding
};

}  // namespace

std::vector<std::string> PayloadOfShortcut(PlatformOps& os, const std::string& root, const ShellLink& link) {
    return PayloadFinder(os, root).PayloadOf(link);
}

bool IsShortcutToRead(const DirEntry& entry) {
    return !entry.IsDirectory() && (entry.attributes & attr::kReparsePoint) == 0 && entry.size <= kMaxShellLinkBytes &&
           MatchesFileMask(entry.name, "*.lnk");
}

std::vector<ShortcutPayload> PayloadsOfShortcuts(PlatformOps& os, const std::string& root,
                                                 const std::vector<DirEntry>& rootEntries,
                                                 const std::vector<ReadShortcut>& shortcuts) {
    RootAsListed device(os, root, rootEntries);
    PayloadFinder finder(device, root);
    std::vector<ShortcutPayload> found;
    for (const ReadShortcut& shortcut : shortcuts) {
        std::vector<std::string> files = finder.PayloadOf(shortcut.link);
        if (!files.empty()) found.push_back({root + shortcut.name, std::move(files)});
    }
    return found;
}

std::vector<ShortcutPayload> FindShortcutPayloads(PlatformOps& os, const std::string& root) {
    const std::vector<DirEntry> rootEntries = FindByLongName(os, root, "*.*");
    std::vector<ReadShortcut> shortcuts;
    for (const DirEntry& entry : rootEntries) {
        if (!IsShortcutToRead(entry)) continue;
        const std::optional<std::string> bytes = os.ReadFileHead(root + entry.name, kMaxShellLinkBytes + 1);
        std::optional<ShellLink> link = bytes ? ParseShellLink(*bytes) : std::nullopt;
        if (link) shortcuts.push_back({entry.name, std::move(*link)});
    }
    return PayloadsOfShortcuts(os, root, rootEntries, shortcuts);
}

bool IsInvisibleName(const std::string& name) {
    const std::u16string units = Utf8ToUtf16(name);
    if (units.empty()) return false;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        }
        if (!IsInvisibleCodePoint(c)) return false;
    }
    return true;
}

void WriteShortcutWithPayloadLine(ActionContext& ctx, const std::string& shortcut) {
    ctx.Pair("[KV] > Atalho " + shortcut + " inicia arquivos ocultos do dispositivo!",
             "[KV] > Shortcut " + shortcut + " starts hidden files of the device!");
}

void WritePayloadFileLine(ActionContext& ctx, const std::string& file) {
    ctx.Pair("[KV] > Arquivo oculto do atalho: " + file, "[KV] > Hidden file of the shortcut: " + file);
}

}  // namespace kv
