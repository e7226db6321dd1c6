#include "routines/shell_link.h"

#include <cstring>

#include "core/text.h"

namespace kv {
namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
const unsigned char kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                      0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
// {20D04FE0-3AEA-1069-A2D8-08002B30309D}: "My Computer", the parent of drives.
const unsigned char kMyComputerClsid[16] = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                            0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
constexpr std::uint32_t kFileEntryExtensionSignature = 0xBEEF0004;

// A window onto part of the bytes. Every read is checked against the window;
// a read that does not fit fails and leaves the output untouched.
class Bytes {
public:
    Bytes(const char* data, std::size_t size) : data_(data), size_(size) {}
    std::size_t size() const { return size_; }
    const char* data() const { return data_; }

    bool U8(std::size_t at, std::uint32_t& out) const {
        if (!Fits(at, 1)) return false;
        out = Byte(at);
        return true;
    }
    bool U16(std::size_t at, std::uint32_t& out) const {
        if (!Fits(at, 2)) return false;
        out = Byte(at) | Byte(at + 1) << 8;
        return true;
    }
    bool U32(std::size_t at, std::uint32_t& out) const {
        if (!Fits(at, 4)) return false;
        out = Byte(at) | Byte(at + 1) << 8 | Byte(at + 2) << 16 | static_cast<std::uint32_t>(Byte(at + 3)) << 24;
        return true;
    }
    bool Fits(std::size_t at, std::size_t count) const { return at <= size_ && count <= size_ - at; }
    // The sub-window [at, at + count).
    std::optional<Bytes> Part(std::size_t at, std::size_t count) const {
        if (!Fits(at, count)) return std::nullopt;
        return Bytes(data_ + at, count);
    }
    bool Equals(std::size_t at, const unsigned char* expected, std::size_t count) const {
        return Fits(at, count) && std::memcmp(data_ + at, expected, count) == 0;
    }

    // A NUL-terminated 8-bit string starting at at; fails without a NUL
    // inside the window. next receives the offset after the NUL.
    bool AnsiZ(std::size_t at, std::string& out, std::size_t* next = nullptr) const {
        if (at >= size_) return false;
        const void* nul = std::memchr(data_ + at, 0, size_ - at);
        if (!nul) return false;
        const std::size_t end = static_cast<const char*>(nul) - data_;
        out = Windows1252ToUtf8(std::string(data_ + at, end - at));
        if (next) *next = end + 1;
        return true;
    }
    // A NUL-terminated UTF-16LE string starting at at.
    bool Utf16Z(std::size_t at, std::string& out, std::size_t* next = nullptr) const {
        std::u16string text;
        for (std::size_t pos = at;; pos += 2) {
            std::uint32_t unit = 0;
            if (!U16(pos, unit)) return false;
            if (unit == 0) {
                out = Utf16ToUtf8(text);
                if (next) *next = pos + 2;
                return true;
            }
            text.push_back(static_cast<char16_t>(unit));
        }
    }
    // count UTF-16LE units (no terminator); the text ends at a NUL unit.
    bool Utf16Counted(std::size_t at, std::size_t count, std::string& out) const {
        if (count > size_ / 2 || !Fits(at, count * 2)) return false;
        std::u16string text;
        for (std::size_t i = 0; i < count; ++i) {
            const char16_t unit = static_cast<char16_t>(Byte(at + 2 * i) | Byte(at + 2 * i + 1) << 8);
            if (unit == 0) break;
            text.push_back(unit);
        }
        out = Utf16ToUtf8(text);
        return true;
    }
    bool AnsiCounted(std::size_t at, std::size_t count, std::string& out) const {
        if (!Fits(at, count)) return false;
        std::string text(data_ + at, count);
        const std::size_t nul = text.find('\0');
        if (nul != std::string::npos) text.resize(nul);
        out = Windows1252ToUtf8(text);
        return true;
    }

private:
    std::uint32_t Byte(std::size_t at) const { return static_cast<unsigned char>(data_[at]); }
    const char* data_;
    std::size_t size_;
};

// ---- Target ID list --------------------------------------------------------------

bool IsDriveRootText(const std::string& text) {
    return text.size() == 3 && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z')) &&
           text[1] == ':' && text[2] == '\\';
}

// The long name stored in a file entry's 0xBEEF0004 extension block, which
// begins at ext. Its offset inside the block grows with the block's version.
bool ExtensionLongName(const Bytes& item, std::size_t ext, std::string& out) {
    std::uint32_t blockSize = 0, version = 0, signature = 0;
    if (!item.U16(ext, blockSize) || !item.U16(ext + 2, version) || !item.U32(ext + 4, signature)) return false;
    if (signature != kFileEntryExtensionSignature || version < 3) return false;
    const std::optional<Bytes> block = item.Part(ext, blockSize);
    if (!block) return false;
    std::size_t nameAt = 18;
    if (version >= 7) nameAt += 2 + 8 + 8;  // unknown, file reference, unknown
    nameAt += 2;                            // long string size
    if (version >= 9) nameAt += 4;
    if (version >= 8) nameAt += 4;
    return block->Utf16Z(nameAt, out) && !out.empty();
}

// The name of a file or folder entry item: the long name of its extension
// block when there is one, else its primary name.
bool FileEntryName(const Bytes& item, std::uint32_t type, std::string& out) {
    constexpr std::size_t kPrimaryNameAt = 14;  // size, type, unknown, file size, date, attributes
    std::string primary;
    std::size_t after = 0;
    const bool unicode = (type & 0x04) != 0;
    if (!(unicode ? item.Utf16Z(kPrimaryNameAt, primary, &after) : item.AnsiZ(kPrimaryNameAt, primary, &after))) {
        return false;
    }
    if (after % 2 != 0) ++after;  // extension blocks start on an even offset
    std::string longName;
    out = ExtensionLongName(item, after, longName) ? longName : primary;
    return !out.empty();
}

// Walks the items of the list; false when the list itself is malformed.
// path receives the file-system path the items spell out, or "" when they
// name something else.
bool ReadIdList(const Bytes& list, std::string& path) {
    path.clear();
    bool pathPossible = true;
    bool haveVolume = false;
    std::size_t index = 0;
    for (std::size_t at = 0;; ++index) {
        std::uint32_t itemSize = 0;
        if (!list.U16(at, itemSize)) return false;  // no terminator
        if (itemSize == 0) break;
        const std::optional<Bytes> item = list.Part(at, itemSize);
        if (itemSize < 2 || !item) return false;
        at += itemSize;
        if (!pathPossible) continue;

        std::uint32_t type = 0;
        if (!item->U8(2, type)) {
            pathPossible = false;
            continue;
        }
        if (index == 0 && type == 0x1F) {
            // A root item: only My Computer leads to drives.
            pathPossible = item->Equals(4, kMyComputerClsid, sizeof kMyComputerClsid);
            continue;
        }
        if (!haveVolume) {
            std::string volume;
            if ((type & 0x70) == 0x20 && item->AnsiZ(3, volume) && IsDriveRootText(volume)) {
                path = volume;
                haveVolume = true;
            } else {
                pathPossible = false;
            }
            continue;
        }
        std::string name;
        if ((type & 0x70) == 0x30 && FileEntryName(*item, type, name) && name.find('\\') == std::string::npos) {
            if (!EndsWith(path, "\\")) path += "\\";
            path += name;
        } else {
            pathPossible = false;
        }
    }
    if (!pathPossible || !haveVolume) path.clear();
    return true;
}

// ---- LinkInfo --------------------------------------------------------------------

// A string at an offset inside the LinkInfo structure; offset 0 means absent.
bool LinkInfoString(const Bytes& info, std::uint32_t offset, bool unicode, std::string& out) {
    if (offset == 0) return true;
    return unicode ? info.Utf16Z(offset, out) : info.AnsiZ(offset, out);
}

bool ReadLinkInfo(const Bytes& info, ShellLink& link) {
    std::uint32_t headerSize = 0, flags = 0, volumeIdOffset = 0, localBaseOffset = 0, networkOffset = 0,
                  suffixOffset = 0;
    if (!info.U32(4, headerSize) || !info.U32(8, flags) || !info.U32(12, volumeIdOffset) ||
        !info.U32(16, localBaseOffset) || !info.U32(20, networkOffset) || !info.U32(24, suffixOffset)) {
        return false;
    }
    if (headerSize < 0x1C || headerSize > info.size() || (headerSize > 0x1C && headerSize < 0x24)) return false;
    std::uint32_t localBaseUnicodeOffset = 0, suffixUnicodeOffset = 0;
    if (headerSize >= 0x24 && (!info.U32(28, localBaseUnicodeOffset) || !info.U32(32, suffixUnicodeOffset))) {
        return false;
    }
    if (flags & kLinkInfoVolumeIdAndLocalBasePath) {
        std::uint32_t volumeIdSize = 0;
        if (!info.U32(volumeIdOffset, volumeIdSize) || volumeIdSize < 0x10 || !info.Fits(volumeIdOffset, volumeIdSize)) {
            return false;
        }
        if (localBaseOffset == 0 || !LinkInfoString(info, localBaseOffset, false, link.localBasePath)) return false;
        if (!LinkInfoString(info, localBaseUnicodeOffset, true, link.localBasePath)) return false;
    }
    if (flags & 0x2) {  // a network share: checked for size, not read
        std::uint32_t networkSize = 0;
        if (!info.U32(networkOffset, networkSize) || networkSize < 0x14 || !info.Fits(networkOffset, networkSize)) {
            return false;
        }
    }
    if (!LinkInfoString(info, suffixOffset, false, link.commonPathSuffix)) return false;
    return LinkInfoString(info, suffixUnicodeOffset, true, link.commonPathSuffix);
}

}  // namespace

std::string ShellLink::TargetPath() const {
    if (!localBasePath.empty()) {
        if (commonPathSuffix.empty()) return localBasePath;
        return EndsWith(localBasePath, "\\") ? localBasePath + commonPathSuffix
                                              : localBasePath + "\\" + commonPathSuffix;
    }
    return idListPath;
}

std::optional<ShellLink> ParseShellLink(const std::string& content) {
    if (content.size() > kMaxShellLinkBytes) return std::nullopt;
    const Bytes bytes(content.data(), content.size());
    std::uint32_t headerSize = 0;
    if (!bytes.U32(0, headerSize) || headerSize != kHeaderSize || !bytes.Fits(0, kHeaderSize)) return std::nullopt;
    if (!bytes.Equals(4, kLinkClsid, sizeof kLinkClsid)) return std::nullopt;
    ShellLink link;
    bytes.U32(20, link.linkFlags);
    bytes.U32(24, link.fileAttributes);
    std::size_t at = kHeaderSize;

    if (link.linkFlags & link_flag::kHasLinkTargetIdList) {
        std::uint32_t listSize = 0;
        if (!bytes.U16(at, listSize)) return std::nullopt;
        const std::optional<Bytes> list = bytes.Part(at + 2, listSize);
        if (!list || !ReadIdList(*list, link.idListPath)) return std::nullopt;
        at += 2 + listSize;
    }

    if (link.linkFlags & link_flag::kHasLinkInfo) {
        std::uint32_t infoSize = 0;
        if (!bytes.U32(at, infoSize) || infoSize < 0x1C) return std::nullopt;
        const std::optional<Bytes> info = bytes.Part(at, infoSize);
        if (!info || !ReadLinkInfo(*info, link)) return std::nullopt;
        at += infoSize;
    }

    const bool unicode = (link.linkFlags & link_flag::kIsUnicode) != 0;
    const std::pair<std::uint32_t, std::string*> strings[] = {
        {link_flag::kHasName, &link.name},
        {link_flag::kHasRelativePath, &link.relativePath},
        {link_flag::kHasWorkingDir, &link.workingDir},
        {link_flag::kHasArguments, &link.arguments},
        {link_flag::kHasIconLocation, &link.iconLocation},
    };
    for (const auto& [flag, text] : strings) {
        if (!(link.linkFlags & flag)) continue;
        std::uint32_t count = 0;
        if (!bytes.U16(at, count)) return std::nullopt;
        at += 2;
        if (!(unicode ? bytes.Utf16Counted(at, count, *text) : bytes.AnsiCounted(at, count, *text))) {
            return std::nullopt;
        }
        at += unicode ? 2 * std::size_t{count} : count;
    }

    // Extra data blocks, up to the terminal block (a size below 4). A file
    // that ends right after its strings has none; one that starts them must
    // hold them whole.
    if (at == bytes.size()) return link;
    for (;;) {
        std::uint32_t blockSize = 0;
        if (!bytes.U32(at, blockSize)) return std::nullopt;
        if (blockSize < 4) break;
        if (blockSize < 8 || !bytes.Fits(at, blockSize)) return std::nullopt;
        at += blockSize;
    }
    return link;
}

}  // namespace kv
