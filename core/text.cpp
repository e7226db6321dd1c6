#include "core/text.h"

#include <cstdint>

namespace kv {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at text[i], advancing i. Returns U+FFFD for a
// malformed sequence and skips one byte.
char32_t DecodeUtf8(const std::string& text, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int length = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        ++i;
        return kReplacement;
    }
    if (i + length > text.size()) {
        ++i;
        return kReplacement;
    }
    for (int k = 1; k < length; ++k) {
        const unsigned char next = byte(i + k);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    static const char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    i += length;
    if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
    return cp;
}

void EncodeUtf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned bytes.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int Windows1252ByteFor(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int k = 0; k < 32; ++k) {
        if (kCp1252High[k] != 0 && kCp1252High[k] == cp) return 0x80 + k;
    }
    return -1;
}

// Simple upper-case map good enough for file and registry names: ASCII,
// Latin-1, Latin Extended-A pairs, Greek and Cyrillic.
char32_t SimpleUpper(char32_t cp) {
    if (cp >= 'a' && cp <= 'z') return cp - 32;
    if (cp < 0x80) return cp;
    if ((cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)) return cp - 32;
    if (cp == 0xFF) return 0x178;
    if (cp >= 0x100 && cp <= 0x17F) {
        const bool oddIsLower = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
        if (cp == 0x131 || cp == 0x138 || cp == 0x149 || cp == 0x17F) return cp;
        if (oddIsLower ? (cp % 2 == 0) : (cp % 2 == 1)) return cp - 1;
        return cp;
    }
    if (cp >= 0x3B1 && cp <= 0x3C9 && cp != 0x3C2) return cp - 32;
    if (cp >= 0x430 && cp <= 0x44F) return cp - 32;
    if (cp >= 0x450 && cp <= 0x45F) return cp - 80;
    if (cp >= 0xFF41 && cp <= 0xFF5A) return cp - 32;
    return cp;
}

}  // namespace

std::u16string Utf8ToUtf16(const std::string& utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = DecodeUtf8(utf8, i);
        if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            out += static_cast<char16_t>(0xD800 + (v >> 10));
            out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(const std::u16string& utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        EncodeUtf8(cp, out);
    }
    return out;
}

std::string Utf8ToWindows1252(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const int b = Windows1252ByteFor(DecodeUtf8(utf8, i));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

std::string Windows1252ToUtf8(const std::string& cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (const char c : cp1252) {
        const unsigned char b = static_cast<unsigned char>(c);
        char32_t cp = b;
        if (b >= 0x80 && b <= 0x9F) cp = kCp1252High[b - 0x80] ? kCp1252High[b - 0x80] : kReplacement;
        EncodeUtf8(cp, out);
    }
    return out;
}

std::string AsciiUpper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return text;
}

std::string FoldCase(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) EncodeUtf8(SimpleUpper(DecodeUtf8(text, i)), out);
    return out;
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return FoldCase(a) == FoldCase(b);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

namespace {
// Byte offsets of the start of each code point.
std::size_t ByteOffsetOfChar(const std::string& text, std::size_t charIndex) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < charIndex && i < text.size(); ++n) DecodeUtf8(text, i);
    return i;
}
}  // namespace

std::size_t CharCount(const std::string& text) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++n) DecodeUtf8(text, i);
    return n;
}

std::string DropLastChars(const std::string& text, std::size_t n) {
    const std::size_t count = CharCount(text);
    if (n >= count) return std::string();
    return text.substr(0, ByteOffsetOfChar(text, count - n));
}

std::string FirstChars(const std::string& text, std::size_t n) {
    return text.substr(0, ByteOffsetOfChar(text, n));
}

std::string LastChars(const std::string& text, std::size_t n) { return text.substr(DropLastChars(text, n).size()); }

std::string WithTrailingBackslash(std::string folder) {
    if (!EndsWith(folder, "\\")) folder += "\\";
    return folder;
}

std::string WithoutTrailingBackslash(std::string folder) {
    while (folder.size() > 3 && EndsWith(folder, "\\")) folder.pop_back();
    return folder;
}

}  // namespace kv
