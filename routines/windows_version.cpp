#include "routines/windows_version.h"

#include "core/text.h"

namespace kv {

bool IsWindowsXp(PlatformOps& os) {
    const std::string productName =
        os.RegReadString(RegRoot::LocalMachine, "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\", "ProductName");
    return LastChars(productName, 2) == "XP";
}

}  // namespace kv
