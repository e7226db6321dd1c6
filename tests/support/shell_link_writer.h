// Writes shell-link (.lnk) bytes for tests: the header, a target ID list
// (My Computer, the volume, one file-entry item per path component), LinkInfo
// with the local base path, the string data and the extra-data terminal.
#pragma once

#include <string>

namespace kv::test {

struct LinkShape {
    std::string target;              // absolute path ("C:\Windows\System32\cmd.exe"), "" for none
    bool idList = true;              // write the target ID list for target
    bool linkInfo = true;            // write LinkInfo for target
    bool linkInfoUnicode = false;    // LinkInfo with the Unicode base path and suffix as well
    std::string commonPathSuffix;    // when set, LinkInfo holds target minus this, and this as the suffix
    int extensionVersion = 9;        // version of the file entries' extension blocks, 0 for none
    bool unicode = true;             // string data in UTF-16 (else Windows-1252)
    std::string name, relativePath, workingDir, arguments, iconLocation;  // written when not empty
    bool extraBlock = true;          // one extra-data block before the terminal block
    bool terminalBlock = true;
};

std::string WriteShellLink(const LinkShape& shape);

}  // namespace kv::test
