// Removal routines shared by the device and the computer disinfections: files
// matching a mask (with their process and start-up values) and whole folders.
#pragma once

#include <cstdint>
#include <string>

#include "core/session.h"
#include "routines/known_facts.h"

namespace kv {

// Removes every file of folder (ending with a backslash) that matches mask,
// ending the process of the same name and deleting the Run values named after
// the file. Writes five lines per file, or one line when nothing matched.
// Returns true when none of the files it matched is still there.
bool RemoveMatchingFiles(ActionContext& ctx, const std::string& folder, const std::string& mask);

// Computer disinfection: removes one file that a caller picked itself, with
// the five lines RemoveMatchingFiles writes for each file it matches under
// mask (the mask decides the Run values' base name).
void RemoveMatchedFile(ActionContext& ctx, const std::string& folder, const std::string& name, const std::string& mask);

// Who calls DeleteFolderTree: an action (TopLevel) or the routine itself on a
// subfolder (Nested, which counts the folder as an infection).
enum class FolderTreeLevel { TopLevel, Nested };

// Deletes folder (with or without a trailing backslash) and everything in it,
// ending any process named like a file met on the way. Only plain folders are
// descended: a junction, symbolic link or mount point is never entered, so the
// routine cannot reach past it; a link passed in itself is removed as a link.
// Returns true when the folder itself was removed.
bool DeleteFolderTree(ActionContext& ctx, std::string folder, FolderTreeLevel level);

// DeleteFolderTree on path, then, when the folder was there, one line saying
// whether it is gone: deleted or notDeleted. Returns true when the folder was
// there and is still there.
bool DeleteFolderTreeAndReport(ActionContext& ctx, const std::string& path, FolderTreeLevel level,
                               const MessagePair& deleted, const MessagePair& notDeleted);

// Deletes a file and answers whether it is gone: a delete that answers
// success and leaves the file (a write-protected stick under some drivers)
// counts as failed.
bool RemoveFileAndVerify(PlatformOps& os, const std::string& path);

// Deletes a registry value and answers whether it is gone: without
// administrator rights a local-machine value can be read but not deleted.
bool RemoveRegistryValueAndVerify(PlatformOps& os, RegRoot root, const std::string& key, const std::string& name);

// True for an entry carrying the reparse-point bit (junction, symbolic link,
// mount point): walks never descend into one.
bool IsReparsePoint(std::uint32_t attributes);

}  // namespace kv
