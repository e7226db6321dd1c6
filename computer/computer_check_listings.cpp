#include "computer/computer_check_listings.h"

namespace kv {

std::vector<DirEntry> CachedListings::FindEntries(const std::string& pattern) {
    auto known = listings_.find(pattern);
    if (known == listings_.end()) known = listings_.emplace(pattern, os_.FindEntries(pattern)).first;
    return known->second;
}

bool CachedListings::TerminateProcessById(std::uint32_t processId) {
    listings_.clear();
    return os_.TerminateProcessById(processId);
}

bool CachedListings::ClearAttributes(const std::string& path) {
    listings_.clear();
    return os_.ClearAttributes(path);
}

bool CachedListings::RemoveFile(const std::string& path) {
    listings_.clear();
    return os_.RemoveFile(path);
}

bool CachedListings::RemoveFolder(const std::string& path) {
    listings_.clear();
    return os_.RemoveFolder(path);
}

bool CachedListings::CreateFolder(const std::string& path) {
    listings_.clear();
    return os_.CreateFolder(path);
}

bool CachedListings::Rename(const std::string& oldPath, const std::string& newPath) {
    listings_.clear();
    return os_.Rename(oldPath, newPath);
}

bool CachedListings::CopyFileOver(const std::string& source, const std::string& target) {
    listings_.clear();
    return os_.CopyFileOver(source, target);
}

bool CachedListings::WriteWholeFile(const std::string& path, const std::string& bytes, std::string& error) {
    listings_.clear();
    return os_.WriteWholeFile(path, bytes, error);
}

void CachedListings::ShellOpen(const std::string& target, bool explore) {
    listings_.clear();
    os_.ShellOpen(target, explore);
}

void CachedListings::RunCommandLine(const std::string& commandLine) {
    listings_.clear();
    os_.RunCommandLine(commandLine);
}

void CachedListings::ExitWindowsWithPrivilege(unsigned flags) {
    listings_.clear();
    os_.ExitWindowsWithPrivilege(flags);
}

}  // namespace kv
