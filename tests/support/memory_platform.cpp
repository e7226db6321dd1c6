#include "tests/support/memory_platform.h"

#include <cstring>

#include "core/name_match.h"
#include "core/text.h"

namespace kv::test {
namespace {

constexpr int kMaxLinkDepth = 16;

std::vector<std::string> SplitComponents(const std::string& rest) {
    std::vector<std::string> parts;
    std::string current;
    for (const char c : rest) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(current);
    return parts;
}

bool ParseDrive(const std::string& path, char& letter, std::vector<std::string>& parts) {
    if (path.size() < 2 || path[1] != ':') return false;
    letter = AsciiUpper(path.substr(0, 1))[0];
    parts = SplitComponents(path.substr(2));
    return true;
}

std::string RegistryKeyId(RegRoot root, const std::string& key) {
    std::string path = key;
    while (!path.empty() && path.front() == '\\') path.erase(path.begin());
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return (root == RegRoot::CurrentUser ? "HKCU\\" : "HKLM\\") + FoldCase(path);
}

std::unique_ptr<MemoryPlatform::Node> CloneNode(const MemoryPlatform::Node& from) {
    auto copy = std::make_unique<MemoryPlatform::Node>();
    copy->name = from.name;
    copy->isDirectory = from.isDirectory;
    copy->attributes = from.attributes;
    copy->size = from.size;
    copy->content = from.content;
    copy->linkTarget = from.linkTarget;
    for (const auto& [key, child] : from.children) copy->children[key] = CloneNode(*child);
    return copy;
}

// ---- 8.3 short names ------------------------------------------------------------

bool IsShortNameChar(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x80 || u == 0) return false;
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    return std::strchr("!#$%&'()-@^_`{}~", c) != nullptr;
}

// A name that fits 8.3 (letter case aside) needs no short name.
bool IsValidShortName(const std::string& name) {
    if (name == "." || name == "..") return true;
    const std::size_t dot = name.find('.');
    const std::string base = name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3 || (dot != std::string::npos && ext.empty())) return false;
    for (const char c : base + ext) {
        if (!IsShortNameChar(c)) return false;
    }
    return true;
}

// Up to limit short-name characters of text: upper case, blanks and dots
// dropped, anything else not allowed in a short name (non-ASCII included)
// written as "_".
std::string ShortNameChars(const std::string& text, std::size_t limit) {
    std::string out;
    for (std::size_t i = 0; i < text.size() && out.size() < limit;) {
        const char c = text[i++];
        if (static_cast<unsigned char>(c) >= 0x80) {
            while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
            out += '_';
        } else if (c != ' ' && c != '.') {
            out += IsShortNameChar(c) ? AsciiUpper(std::string(1, c))[0] : '_';
        }
    }
    return out;
}

}  // namespace

std::map<std::string, std::string> MemoryPlatform::ShortNames(const Node& folder) {
    std::set<std::string> taken;
    for (const auto& [key, child] : folder.children) {
        if (IsValidShortName(child->name)) taken.insert(key);
    }
    std::map<std::string, std::string> shortNames;
    for (const auto& [key, child] : folder.children) {
        if (IsValidShortName(child->name)) continue;
        std::string name = child->name;
        name.erase(0, name.find_first_not_of('.'));
        const std::size_t dot = name.rfind('.');
        const std::string base = ShortNameChars(name.substr(0, dot), 8);
        const std::string ext = dot == std::string::npos ? std::string() : ShortNameChars(name.substr(dot + 1), 3);
        for (int number = 1;; ++number) {
            const std::string tail = "~" + std::to_string(number);
            const std::string candidate = base.substr(0, 8 - tail.size()) + tail + (ext.empty() ? "" : "." + ext);
            if (taken.insert(FoldCase(candidate)).second) {
                shortNames[key] = candidate;
                break;
            }
        }
    }
    return shortNames;
}

MemoryPlatform::MemoryPlatform() {
    AddDrive('C', DriveKind::Fixed, "SYSTEM");
    const std::pair<int, std::string> folders[] = {
        {csidl::kStartup, "C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"},
        {csidl::kDesktopDirectory, "C:\\Users\\user\\Desktop"},
        {csidl::kCommonStartup, "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp"},
        {csidl::kAppData, "C:\\Users\\user\\AppData\\Roaming"},
        {csidl::kLocalAppData, "C:\\Users\\user\\AppData\\Local"},
        {csidl::kCommonAppData, "C:\\ProgramData"},
        {csidl::kWindows, "C:\\Windows"},
        {csidl::kProgramFiles, "C:\\Program Files"},
        {csidl::kProfile, "C:\\Users\\user"},
        {csidl::kSystemX86, "C:\\Windows\\system32"},
    };
    for (const auto& [id, path] : folders) {
        SetSpecialFolder(id, path);
        AddFolder(path);
    }
    AddFolder("C:\\Users\\user\\AppData\\Local\\Temp");
}

// ---- Setting up ------------------------------------------------------------

void MemoryPlatform::AddDrive(char letter, DriveKind kind, const std::string& label) {
    const char upper = AsciiUpper(std::string(1, letter))[0];
    if (!drives_[upper]) {
        drives_[upper] = std::make_unique<Node>();
        drives_[upper]->isDirectory = true;
        drives_[upper]->attributes = attr::kDirectory;
        drives_[upper]->name = std::string(1, upper) + ":";
    }
    driveInfo_[upper] = {kind, label};
}

MemoryPlatform::Node* MemoryPlatform::MakeFolders(const std::string& path) {
    char letter = 0;
    std::vector<std::string> parts;
    if (!ParseDrive(path, letter, parts)) return nullptr;
    Node* folder = DriveRoot(letter);
    if (!folder) {
        AddDrive(letter, DriveKind::Fixed);
        folder = DriveRoot(letter);
    }
    for (const std::string& part : parts) {
        folder = Follow(folder);
        if (!folder) return nullptr;
        auto& slot = folder->children[FoldCase(part)];
        if (!slot) {
            slot = std::make_unique<Node>();
            slot->name = part;
            slot->isDirectory = true;
            slot->attributes = attr::kDirectory;
        }
        folder = slot.get();
    }
    return folder;
}

void MemoryPlatform::AddFolder(const std::string& path, std::uint32_t attributes) {
    if (Node* folder = MakeFolders(path)) folder->attributes = attributes | attr::kDirectory;
}

void MemoryPlatform::AddFile(const std::string& path, std::uint64_t size, std::uint32_t attributes,
                             const std::string& content) {
    std::string folder, name;
    SplitPattern(path, folder, name);
    Node* parent = Follow(MakeFolders(folder));
    if (!parent) return;
    auto node = std::make_unique<Node>();
    node->name = name;
    node->attributes = attributes;
    node->content = content;
    node->size = size != 0 ? size : static_cast<std::uint32_t>(content.size());
    parent->children[FoldCase(name)] = std::move(node);
}

void MemoryPlatform::AddFolderLink(const std::string& path, const std::string& target) {
    AddFolder(path, attr::kDirectory | attr::kReparsePoint);
    Location at = Locate(path);
    if (at.node) at.node->linkTarget = target;
}

void MemoryPlatform::SetAttributes(const std::string& path, std::uint32_t attributes) {
    Location at = Locate(path);
    if (!at.node) return;
    at.node->attributes = at.node->isDirectory ? (attributes | attr::kDirectory) : attributes;
}

void MemoryPlatform::SetLocked(const std::string& path, bool locked) {
    Location at = Locate(path);
    if (at.node) at.node->locked = locked;
}

void MemoryPlatform::IgnoreDeletesUnder(const std::string& folder) {
    std::string folded = FoldCase(folder);
    if (!EndsWith(folded, "\\")) folded += "\\";
    ignoredDeleteFolders_.push_back(folded);
}

void MemoryPlatform::RefuseAttributeChangesUnder(const std::string& folder) {
    std::string folded = FoldCase(folder);
    if (!EndsWith(folded, "\\")) folded += "\\";
    attributeProtectedFolders_.push_back(folded);
}

std::string MemoryPlatform::ShortNameOf(const std::string& path) {
    Location at = Locate(path);
    if (!at.node || !at.parent) return std::string();
    const std::map<std::string, std::string> shortNames = ShortNames(*at.parent);
    auto it = shortNames.find(FoldCase(at.name));
    return it == shortNames.end() ? std::string() : it->second;
}

void MemoryPlatform::FailWritesUnder(const std::string& folder, const std::string& message) {
    failingWriteFolders_.emplace_back(FoldCase(folder), message);
}

std::uint32_t MemoryPlatform::AddProcess(const std::string& exeEntry, bool canBeTerminated,
                                         const std::string& imagePath) {
    const std::uint32_t id = nextProcessId_;
    nextProcessId_ += 4;
    processes_.push_back({{exeEntry, id}, canBeTerminated, imagePath});
    return id;
}

void MemoryPlatform::SetSpecialFolder(int id, const std::string& path) { specialFolders_[id] = path; }

MemoryPlatform::RegKey& MemoryPlatform::MakeKey(RegRoot root, const std::string& key) {
    RegKey& entry = registry_[RegistryKeyId(root, key)];
    if (entry.path.empty()) entry.path = key;
    return entry;
}

void MemoryPlatform::AddRegistryKey(RegRoot root, const std::string& key) { MakeKey(root, key); }

void MemoryPlatform::SetRegistryString(RegRoot root, const std::string& key, const std::string& name,
                                       const std::string& data) {
    RegKey& entry = MakeKey(root, key);
    for (RegValue& value : entry.values) {
        if (EqualsIgnoringCase(value.name, name)) {
            value = {value.name, true, data, 0};
            return;
        }
    }
    entry.values.push_back({name, true, data, 0});
}

void MemoryPlatform::SetRegistryDword(RegRoot root, const std::string& key, const std::string& name,
                                      std::uint32_t data) {
    RegKey& entry = MakeKey(root, key);
    for (RegValue& value : entry.values) {
        if (EqualsIgnoringCase(value.name, name)) {
            value = {value.name, false, std::string(), data};
            return;
        }
    }
    entry.values.push_back({name, false, std::string(), data});
}

void MemoryPlatform::DenyRegistryKey(RegRoot root, const std::string& key) {
    deniedKeys_.insert(RegistryKeyId(root, key));
}

void MemoryPlatform::ProtectRegistryKey(RegRoot root, const std::string& key) {
    protectedKeys_.insert(RegistryKeyId(root, key));
}

// ---- Looking -----------------------------------------------------------------

bool MemoryPlatform::Exists(const std::string& path) { return Locate(path).node != nullptr; }

std::string MemoryPlatform::ContentOf(const std::string& path) {
    Location at = Locate(path);
    return at.node ? at.node->content : std::string();
}

void MemoryPlatform::CollectTree(Node* folder, const std::string& prefix,
                                 std::map<std::string, std::uint32_t>& out) {
    for (const auto& [key, child] : folder->children) {
        const std::string path = prefix + child->name;
        out[path] = child->attributes;
        if (child->isDirectory && child->linkTarget.empty()) CollectTree(child.get(), path + "\\", out);
    }
}

std::map<std::string, std::uint32_t> MemoryPlatform::TreeUnder(const std::string& root) {
    std::map<std::string, std::uint32_t> out;
    Node* folder = Follow(Locate(root).node);
    if (!folder || !folder->isDirectory) return out;
    std::string prefix = root;
    if (!EndsWith(prefix, "\\")) prefix += "\\";
    CollectTree(folder, prefix, out);
    return out;
}

std::vector<ProcessEntry> MemoryPlatform::RunningProcesses() const {
    std::vector<ProcessEntry> out;
    for (const Process& process : processes_) out.push_back(process.entry);
    return out;
}

// ---- Paths -----------------------------------------------------------------

MemoryPlatform::Node* MemoryPlatform::DriveRoot(char letter) {
    auto it = drives_.find(AsciiUpper(std::string(1, letter))[0]);
    return it == drives_.end() ? nullptr : it->second.get();
}

MemoryPlatform::Node* MemoryPlatform::Follow(Node* node, int depth) {
    if (!node || node->linkTarget.empty()) return node;
    if (depth > kMaxLinkDepth) return nullptr;
    return Follow(Locate(node->linkTarget, depth + 1).node, depth + 1);
}

MemoryPlatform::Location MemoryPlatform::Locate(const std::string& path, int depth) {
    Location at;
    char letter = 0;
    std::vector<std::string> parts;
    if (!ParseDrive(path, letter, parts)) return at;
    Node* folder = DriveRoot(letter);
    if (!folder) return at;
    if (parts.empty()) {
        at.node = folder;
        return at;
    }
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        folder = Follow(folder, depth);
        if (!folder || !folder->isDirectory) return at;
        auto it = folder->children.find(FoldCase(parts[i]));
        if (it == folder->children.end()) return at;
        folder = it->second.get();
    }
    folder = Follow(folder, depth);
    if (!folder || !folder->isDirectory) return at;
    at.parent = folder;
    at.name = parts.back();
    auto it = folder->children.find(FoldCase(at.name));
    if (it != folder->children.end()) at.node = it->second.get();
    return at;
}

// ---- Processes ---------------------------------------------------------------

std::vector<ProcessEntry> MemoryPlatform::SnapshotProcesses() { return RunningProcesses(); }

bool MemoryPlatform::TerminateProcessById(std::uint32_t processId) {
    for (auto it = processes_.begin(); it != processes_.end(); ++it) {
        if (it->entry.processId != processId) continue;
        if (!it->canBeTerminated) return false;
        processes_.erase(it);
        return true;
    }
    return false;
}

// ---- Files -----------------------------------------------------------------

std::vector<DirEntry> MemoryPlatform::FindEntries(const std::string& pattern) {
    std::vector<DirEntry> out;
    std::string folderPath, mask;
    SplitPattern(pattern, folderPath, mask);
    if (mask.empty()) return out;
    Node* folder = Follow(Locate(folderPath.empty() ? pattern : folderPath).node);
    if (!folder || !folder->isDirectory) return out;
    auto entryOf = [](const Node& node) { return DirEntry{node.name, node.attributes, node.size}; };
    // Windows matches the mask against the long name and the short name.
    const std::map<std::string, std::string> shortNames = ShortNames(*folder);
    auto shortNameMatches = [&shortNames](const std::string& key, const std::string& shortMask) {
        auto it = shortNames.find(key);
        return it != shortNames.end() && MatchesFileMask(it->second, shortMask);
    };
    if (!HasWildcard(mask)) {
        auto it = folder->children.find(FoldCase(mask));
        if (it != folder->children.end()) {
            out.push_back(entryOf(*it->second));
            return out;
        }
        for (const auto& [key, child] : folder->children) {
            if (shortNameMatches(key, mask)) out.push_back(entryOf(*child));
        }
        return out;
    }
    const bool isDriveRoot = SplitComponents(folderPath.substr(folderPath.size() >= 2 ? 2 : 0)).empty();
    if (!isDriveRoot && MatchesFileMask(".", mask)) {
        out.push_back({".", attr::kDirectory, 0});
        out.push_back({"..", attr::kDirectory, 0});
    }
    for (const auto& [key, child] : folder->children) {
        if (MatchesFileMask(child->name, mask) || shortNameMatches(key, mask)) out.push_back(entryOf(*child));
    }
    return out;
}

bool MemoryPlatform::FileExists(const std::string& path) {
    Location at = Locate(path);
    return at.node && !at.node->isDirectory && at.parent;
}

bool MemoryPlatform::FolderExists(const std::string& path) {
    Location at = Locate(path);
    return at.node && at.node->isDirectory;
}

std::optional<std::uint32_t> MemoryPlatform::ReadAttributes(const std::string& path) {
    Location at = Locate(path);
    if (!at.node) return std::nullopt;
    return at.node->attributes;
}

bool MemoryPlatform::ClearAttributes(const std::string& path) {
    Location at = Locate(path);
    if (!at.node) return false;
    for (const std::string& folder : attributeProtectedFolders_) {
        if (StartsWith(FoldCase(path), folder)) return false;
    }
    if (at.node->isDirectory) {
        at.node->attributes &= attr::kDirectory | attr::kReparsePoint;
    } else {
        at.node->attributes = attr::kNormal;
    }
    return true;
}

bool MemoryPlatform::RemoveFile(const std::string& path) {
    Location at = Locate(path);
    if (!at.node || !at.parent || at.node->isDirectory || at.node->locked) return false;
    if (at.node->attributes & attr::kReadOnly) return false;
    const std::string folded = FoldCase(path);
    for (const std::string& folder : ignoredDeleteFolders_) {
        if (StartsWith(folded, folder)) return true;  // answers success, the file stays
    }
    for (const Process& process : processes_) {
        if (!process.imagePath.empty() && Locate(process.imagePath).node == at.node) return false;  // running
    }
    at.parent->children.erase(FoldCase(at.name));
    return true;
}

bool MemoryPlatform::RemoveFolder(const std::string& path) {
    Location at = Locate(path);
    if (!at.node || !at.parent || !at.node->isDirectory || at.node->locked) return false;
    if (at.node->attributes & attr::kReadOnly) return false;
    // A link goes by itself, whatever its target holds.
    if (at.node->linkTarget.empty() && !at.node->children.empty()) return false;
    std::string folded = FoldCase(path);
    while (folded.size() > 3 && EndsWith(folded, "\\")) folded.pop_back();
    for (const std::string& kept : keptFolders_) {
        if (folded == kept) return true;  // answers success, the folder stays
    }
    at.parent->children.erase(FoldCase(at.name));
    return true;
}

bool MemoryPlatform::CreateFolder(const std::string& path) {
    Location at = Locate(path);
    if (at.node || !at.parent) return false;
    auto node = std::make_unique<Node>();
    node->name = at.name;
    node->isDirectory = true;
    node->attributes = attr::kDirectory;
    at.parent->children[FoldCase(at.name)] = std::move(node);
    return true;
}

bool MemoryPlatform::Rename(const std::string& oldPath, const std::string& newPath) {
    Location from = Locate(oldPath);
    Location to = Locate(newPath);
    if (!from.node || !from.parent || !to.parent || from.node->locked) return false;
    if (to.node && to.node != from.node) return false;
    if (oldPath.size() >= 1 && newPath.size() >= 1 && AsciiUpper(oldPath.substr(0, 1)) != AsciiUpper(newPath.substr(0, 1)) &&
        from.node->isDirectory) {
        return false;  // folders do not move across volumes
    }
    // A folder cannot move into itself.
    if (from.node->isDirectory && StartsWith(FoldCase(newPath), FoldCase(oldPath) + "\\")) return false;
    std::unique_ptr<Node> moving = std::move(from.parent->children[FoldCase(from.name)]);
    from.parent->children.erase(FoldCase(from.name));
    moving->name = to.name;
    to.parent->children[FoldCase(to.name)] = std::move(moving);
    return true;
}

bool MemoryPlatform::CopyFileOver(const std::string& source, const std::string& target) {
    Location from = Locate(source);
    Location to = Locate(target);
    if (!from.node || from.node->isDirectory || !to.parent) return false;
    if (to.node && (to.node->isDirectory || to.node->locked ||
                    (to.node->attributes & (attr::kReadOnly | attr::kHidden)))) {
        return false;
    }
    auto copy = CloneNode(*from.node);
    copy->name = to.node ? to.node->name : to.name;
    copy->locked = false;
    to.parent->children[FoldCase(to.name)] = std::move(copy);
    return true;
}

bool MemoryPlatform::WriteWholeFile(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string folded = FoldCase(path);
    for (const auto& [folder, message] : failingWriteFolders_) {
        if (StartsWith(folded, folder)) {
            error = message;
            return false;
        }
    }
    Location at = Locate(path);
    if (!at.parent) {
        error = "The system cannot find the path specified.";
        return false;
    }
    if (at.node && (at.node->isDirectory || at.node->locked || (at.node->attributes & attr::kReadOnly))) {
        error = "Access is denied.";
        return false;
    }
    if (!at.node) {
        auto node = std::make_unique<Node>();
        node->name = at.name;
        node->attributes = attr::kArchive;
        at.node = node.get();
        at.parent->children[FoldCase(at.name)] = std::move(node);
    }
    at.node->content = bytes;
    at.node->size = static_cast<std::uint32_t>(bytes.size());
    return true;
}

std::optional<std::string> MemoryPlatform::ReadWholeFile(const std::string& path) {
    Location at = Locate(path);
    if (!at.node || at.node->isDirectory) return std::nullopt;
    return at.node->content;
}

// ---- Drives and folders ----------------------------------------------------------

std::vector<LogicalDrive> MemoryPlatform::LogicalDrives() {
    std::vector<LogicalDrive> out;
    for (const auto& [letter, info] : driveInfo_) out.push_back({letter, info.second});
    return out;
}

DriveKind MemoryPlatform::GetDriveKind(const std::string& root) {
    if (root.empty()) return DriveKind::NoRootDir;
    auto it = driveInfo_.find(AsciiUpper(root.substr(0, 1))[0]);
    return it == driveInfo_.end() ? DriveKind::NoRootDir : it->second.first;
}

std::string MemoryPlatform::GetSpecialFolder(int id) {
    auto it = specialFolders_.find(id);
    return it == specialFolders_.end() ? std::string() : it->second;
}

// ---- Registry ------------------------------------------------------------------

bool MemoryPlatform::Denied(RegRoot root, const std::string& key) const {
    return deniedKeys_.count(RegistryKeyId(root, key)) != 0;
}

MemoryPlatform::RegKey* MemoryPlatform::FindKey(RegRoot root, const std::string& key) {
    if (Denied(root, key)) return nullptr;
    auto it = registry_.find(RegistryKeyId(root, key));
    return it == registry_.end() ? nullptr : &it->second;
}

bool MemoryPlatform::RegValueExists(RegRoot root, const std::string& key, const std::string& name) {
    RegKey* entry = FindKey(root, key);
    if (!entry) return false;
    for (const RegValue& value : entry->values) {
        if (EqualsIgnoringCase(value.name, name)) return true;
    }
    return false;
}

bool MemoryPlatform::RegRemoveValue(RegRoot root, const std::string& key, const std::string& name) {
    RegKey* entry = FindKey(root, key);
    if (!entry || protectedKeys_.count(RegistryKeyId(root, key)) != 0) return false;
    for (auto it = entry->values.begin(); it != entry->values.end(); ++it) {
        if (EqualsIgnoringCase(it->name, name)) {
            entry->values.erase(it);
            return true;
        }
    }
    return false;
}

std::string MemoryPlatform::RegReadString(RegRoot root, const std::string& key, const std::string& name) {
    RegKey* entry = FindKey(root, key);
    if (!entry) return std::string();
    for (const RegValue& value : entry->values) {
        if (EqualsIgnoringCase(value.name, name)) return value.isString ? value.text : std::string();
    }
    return std::string();
}

std::vector<std::string> MemoryPlatform::RegValueNames(RegRoot root, const std::string& key) {
    std::vector<std::string> names;
    if (RegKey* entry = FindKey(root, key)) {
        for (const RegValue& value : entry->values) names.push_back(value.name);
    }
    return names;
}

bool MemoryPlatform::RegKeyExists(RegRoot root, const std::string& key) { return FindKey(root, key) != nullptr; }

bool MemoryPlatform::RegMoveKey(RegRoot root, const std::string& oldKey, const std::string& newKey, bool deleteOld) {
    const std::string oldId = RegistryKeyId(root, oldKey);
    if (Denied(root, oldKey) || Denied(root, newKey)) return false;
    std::vector<std::pair<std::string, RegKey>> moved;
    for (const auto& [id, key] : registry_) {
        if (id == oldId || StartsWith(id, oldId + "\\")) moved.emplace_back(id, key);
    }
    if (moved.empty()) return false;
    const std::string newId = RegistryKeyId(root, newKey);
    // As on Windows: nothing is moved onto a key that exists.
    for (const auto& [id, key] : registry_) {
        if (id == newId || StartsWith(id, newId + "\\")) return false;
    }
    for (auto& [id, key] : moved) {
        RegKey copy = key;
        std::string rest = id.substr(oldId.size());
        copy.path = newKey + key.path.substr(key.path.size() - rest.size());
        registry_[newId + rest] = copy;
        if (deleteOld) registry_.erase(id);
    }
    return true;
}

// ---- Shell -------------------------------------------------------------------

void MemoryPlatform::ShellOpen(const std::string& target, bool explore) {
    shellOpens_.push_back((explore ? "explore " : "open ") + target);
}

void MemoryPlatform::RunCommandLine(const std::string& commandLine) { commandLines_.push_back(commandLine); }

void MemoryPlatform::ExitWindowsWithPrivilege(unsigned flags) { exitWindowsCalls_.push_back(flags); }

// ---- Tools -------------------------------------------------------------------

// A process added without an image path stands for one that cannot be read.
std::string MemoryPlatform::ProcessImagePath(std::uint32_t processId) {
    for (const Process& process : processes_) {
        if (process.entry.processId == processId) return process.imagePath;
    }
    return std::string();
}

bool MemoryPlatform::CopyFileOverReporting(const std::string& source, const std::string& target, std::string& error) {
    if (CopyFileOver(source, target)) {
        error.clear();
        return true;
    }
    error = Locate(source).node ? "Access is denied." : "The system cannot find the file specified.";
    return false;
}

}  // namespace kv::test
