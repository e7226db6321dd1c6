// What a shortcut at a device's root really starts. Today's shortcut worms put
// one shortcut per hidden folder (or per drive label) at the root whose
// command line starts the worm: "cmd /c start wscript //B sysvolume\u12.vbs",
// "cmd /c start "" "USB Driver.exe"", "rundll32 x.dll,Entry". The payload
// of a shortcut is the hidden files of the same device that its target and
// its command line name, as the command interpreter or script host would take
// them, with the files beside each one that share its base name. A shortcut
// to a document, a folder, a visible program or anything off the device has
// no payload.
#pragma once

#include <string>
#include <vector>

#include "core/platform_ops.h"
#include "core/session.h"
#include "routines/shell_link.h"

namespace kv {

// A file a command names. anyType: the host runs it whatever its extension
// (the script of wscript, the module of rundll32); otherwise it counts only
// as a program or script by its extension (or with one added, the way the
// command interpreter tries them).
struct NamedFile {
    std::string name;  // as written: absolute, root-relative ("\x") or relative
    bool anyType = false;
    bool operator==(const NamedFile& other) const { return name == other.name && anyType == other.anyType; }
};

// The files the program with these arguments would start: the program
// itself, and what cmd (/c, /k; start, call, "&" chains), wscript and cscript
// (the first argument that is not an option) and rundll32 (file,entry) go on
// to start. explorer and every other program start nothing more.
std::vector<NamedFile> FilesNamedByCommand(const std::string& program, const std::string& arguments);

// The payload files of a parsed shortcut at root (e.g. "E:\"): full paths
// with the names as the device spells them, in the order found, each once.
// Only files of this device reached without passing a link, and only hidden
// ones: the file or a folder on its path has the hidden or system attribute.
std::vector<std::string> PayloadOfShortcut(PlatformOps& os, const std::string& root, const ShellLink& link);

// A root shortcut and its payload.
struct ShortcutPayload {
    std::string shortcut;            // root + name of the .lnk
    std::vector<std::string> files;  // never empty
};

// Every shortcut at root with a payload, in search order. Reads the device
// and changes nothing, so callers judge the attributes before they unhide.
// A shortcut that cannot be read (too big, damaged) has no payload.
std::vector<ShortcutPayload> FindShortcutPayloads(PlatformOps& os, const std::string& root);

// The same in two halves, for a caller that reads the shortcuts itself: which
// root entries are read (files named *.lnk, no links, no bigger than a shell
// link may be; their first kMaxShellLinkBytes + 1 bytes go to ParseShellLink),
// and the payloads of the shortcuts read, in the order given, judged against
// rootEntries, the root's listing taken before anything at the root changed
// (the folders below are read as they are).
bool IsShortcutToRead(const DirEntry& entry);
struct ReadShortcut {
    std::string name;  // at the root
    ShellLink link;
};
std::vector<ShortcutPayload> PayloadsOfShortcuts(PlatformOps& os, const std::string& root,
                                                 const std::vector<DirEntry>& rootEntries,
                                                 const std::vector<ReadShortcut>& shortcuts);

// True when a name shows nothing on screen: it is not empty and holds only
// blanks, no-break spaces, zero-width and other invisible characters.
bool IsInvisibleName(const std::string& name);

// Report lines shared by the device check and the device disinfection.
void WriteShortcutWithPayloadLine(ActionContext& ctx, const std::string& shortcut);
void WritePayloadFileLine(ActionContext& ctx, const std::string& file);

}  // namespace kv
