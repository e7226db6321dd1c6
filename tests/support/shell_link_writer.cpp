#include "tests/support/shell_link_writer.h"

#include <cstdint>
#include <vector>

#include "core/text.h"

namespace kv::test {
namespace {

void Put16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}
void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}
void PutBytes(std::string& out, std::initializer_list<unsigned> bytes) {
    for (unsigned b : bytes) out.push_back(static_cast<char>(b));
}
void PutUtf16(std::string& out, const std::string& utf8, bool terminated) {
    for (char16_t unit : Utf8ToUtf16(utf8)) Put16(out, unit);
    if (terminated) Put16(out, 0);
}
void PutAnsiZ(std::string& out, const std::string& utf8) {
    out += Utf8ToWindows1252(utf8);
    out.push_back('\0');
}

std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

// An 8.3 stand-in for a long name, as the primary name of an item whose
// extension block carries the long one.
std::string ShortName(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    std::string stem = name.substr(0, dot), ext = dot == std::string::npos ? "" : name.substr(dot + 1);
    if (stem.size() <= 8 && ext.size() <= 3 && stem.find(' ') == std::string::npos) return AsciiUpper(name);
    std::string shortStem;
    for (char c : stem) {
        if (c != ' ' && static_cast<unsigned char>(c) < 0x80 && shortStem.size() < 6) shortStem += c;
    }
    return AsciiUpper(shortStem + "~1" + (ext.empty() ? "" : "." + ext.substr(0, 3)));
}

std::string FileEntryItem(const std::string& name, bool isFolder, int version) {
    std::string body;
    PutBytes(body, {isFolder ? 0x31u : 0x32u, 0});
    Put32(body, 1234);        // file size
    Put32(body, 0x5A3C4B21);  // modification date and time
    Put16(body, isFolder ? 0x10 : 0x20);
    PutAnsiZ(body, version > 0 ? ShortName(name) : name);
    if (body.size() % 2 != 0) body.push_back('\0');  // the item's size field comes first: even offsets
    if (version > 0) {
        const std::size_t extensionAt = body.size() + 2;
        std::string ext;
        Put16(ext, static_cast<std::uint32_t>(version));
        Put32(ext, 0xBEEF0004);
        Put32(ext, 0x5A3C4B21);  // creation
        Put32(ext, 0x5A3C4B21);  // last access
        Put16(ext, 0x2E);        // identifier
        if (version >= 7) ext.append(2 + 8 + 8, '\0');
        Put16(ext, 0);  // long string size
        if (version >= 9) Put32(ext, 0);
        if (version >= 8) Put32(ext, 0);
        PutUtf16(ext, name, true);
        Put16(ext, static_cast<std::uint32_t>(extensionAt));
        Put16(body, static_cast<std::uint32_t>(ext.size() + 2));
        body += ext;
    }
    std::string item;
    Put16(item, static_cast<std::uint32_t>(body.size() + 2));
    return item + body;
}

std::string IdList(const std::string& target, int version) {
    const std::vector<std::string> parts = Components(target);
    std::string items;
    // My Computer.
    Put16(items, 20);
    PutBytes(items, {0x1F, 0x50, 0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10, 0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30,
                     0x30, 0x9D});
    // The volume, "C:\" padded as Windows pads it.
    std::string volume;
    volume.push_back(0x2F);
    volume += parts.empty() ? std::string() : parts[0] + "\\";
    volume.resize(23, '\0');
    Put16(items, static_cast<std::uint32_t>(volume.size() + 2));
    items += volume;
    for (std::size_t i = 1; i < parts.size(); ++i) items += FileEntryItem(parts[i], i + 1 < parts.size(), version);
    Put16(items, 0);
    std::string list;
    Put16(list, static_cast<std::uint32_t>(items.size()));
    return list + items;
}

std::string LinkInfo(const LinkShape& shape) {
    std::string base = shape.target;
    if (!shape.commonPathSuffix.empty() && EndsWith(base, shape.commonPathSuffix)) {
        base.resize(base.size() - shape.commonPathSuffix.size());
    }
    const std::uint32_t headerSize = shape.linkInfoUnicode ? 0x24 : 0x1C;
    std::string volumeId;
    Put32(volumeId, 0x11);
    Put32(volumeId, 2);           // removable
    Put32(volumeId, 0x1234ABCD);  // serial number
    Put32(volumeId, 0x10);        // label offset
    volumeId.push_back('\0');
    std::string baseAnsi, suffixAnsi, baseUnicode, suffixUnicode;
    PutAnsiZ(baseAnsi, base);
    PutAnsiZ(suffixAnsi, shape.commonPathSuffix);
    PutUtf16(baseUnicode, base, true);
    PutUtf16(suffixUnicode, shape.commonPathSuffix, true);

    const std::uint32_t volumeAt = headerSize;
    const std::uint32_t baseAt = volumeAt + static_cast<std::uint32_t>(volumeId.size());
    const std::uint32_t suffixAt = baseAt + static_cast<std::uint32_t>(baseAnsi.size());
    std::uint32_t end = suffixAt + static_cast<std::uint32_t>(suffixAnsi.size());
    std::uint32_t baseUnicodeAt = 0, suffixUnicodeAt = 0;
    if (shape.linkInfoUnicode) {
        if (end % 2) ++end;
        baseUnicodeAt = end;
        suffixUnicodeAt = baseUnicodeAt + static_cast<std::uint32_t>(baseUnicode.size());
        end = suffixUnicodeAt + static_cast<std::uint32_t>(suffixUnicode.size());
    }
    std::string info;
    Put32(info, end);
    Put32(info, headerSize);
    Put32(info, 1);  // volume ID and local base path
    Put32(info, volumeAt);
    Put32(info, baseAt);
    Put32(info, 0);  // no network link
    Put32(info, suffixAt);
    if (shape.linkInfoUnicode) {
        Put32(info, baseUnicodeAt);
        Put32(info, suffixUnicodeAt);
    }
    info += volumeId + baseAnsi + suffixAnsi;
    if (shape.linkInfoUnicode) {
        info.resize(baseUnicodeAt, '\0');
        info += baseUnicode + suffixUnicode;
    }
    return info;
}

}  // namespace

std::string WriteShellLink(const LinkShape& shape) {
    const bool idList = shape.idList && !shape.target.empty();
    const bool linkInfo = shape.linkInfo && !shape.target.empty();
    std::uint32_t flags = 0;
    if (idList) flags |= 0x1;
    if (linkInfo) flags |= 0x2;
    if (!shape.name.empty()) flags |= 0x4;
    if (!shape.relativePath.empty()) flags |= 0x8;
    if (!shape.workingDir.empty()) flags |= 0x10;
    if (!shape.arguments.empty()) flags |= 0x20;
    if (!shape.iconLocation.empty()) flags |= 0x40;
    if (shape.unicode) flags |= 0x80;

    std::string out;
    Put32(out, 0x4C);
    PutBytes(out, {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46});
    Put32(out, flags);
    Put32(out, 0x20);         // target attributes
    out.append(24, '\0');     // creation, access and write times
    Put32(out, 1234);         // target size
    Put32(out, 0);            // icon index
    Put32(out, 1);            // show normal
    out.append(2 + 2 + 4 + 4, '\0');  // hot key and reserved fields

    if (idList) out += IdList(shape.target, shape.extensionVersion);
    if (linkInfo) out += LinkInfo(shape);
    for (const std::string* text :
         {&shape.name, &shape.relativePath, &shape.workingDir, &shape.arguments, &shape.iconLocation}) {
        if (text->empty()) continue;
        if (shape.unicode) {
            Put16(out, static_cast<std::uint32_t>(Utf8ToUtf16(*text).size()));
            PutUtf16(out, *text, false);
        } else {
            const std::string ansi = Utf8ToWindows1252(*text);
            Put16(out, static_cast<std::uint32_t>(ansi.size()));
            out += ansi;
        }
    }
    if (shape.extraBlock) {  // a special-folder block: size, signature, folder id, offset
        Put32(out, 0x10);
        Put32(out, 0xA0000005);
        Put32(out, 0x25);
        Put32(out, 0xDD);
    }
    if (shape.terminalBlock) Put32(out, 0);
    return out;
}

}  // namespace kv::test
