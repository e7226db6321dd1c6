// Helpers of the platform tests. They set up and inspect the machine with
// plain Windows calls, independent of the Win32Platform under test.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kv::test {

// Drive T:, which the ctest fixture maps to the build tree, and the scratch
// folder it makes there.
constexpr char kTestDrive[] = "T:\\";
constexpr char kScratch[] = "T:\\win32-scratch\\";

// A folder of the running test's own (T:\win32-scratch\Suite.Test\), made
// empty at the start and removed at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, ending with a backslash, and paths inside it.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// Creates a file with the content and then sets the attributes (0 leaves them).
void MakeFile(const std::string& path, const std::string& content = std::string(), DWORD attributes = 0);
void MakeFolder(const std::string& path, DWORD attributes = 0);
// GetFileAttributesW, INVALID_FILE_ATTRIBUTES when missing.
DWORD AttributesOf(const std::string& path);
std::string ContentOf(const std::string& path);
// Deletes a file or folder tree, clearing attributes that would stop it.
void RemoveTree(const std::string& path);

// A file next to kv_win32_tests.exe (the sleeper, the probe DLL).
std::string BesideTestProgram(const std::string& fileName);

// Polls condition until it holds or the deadline passes (a wait for another
// process, never a measurement).
bool WaitUntil(const std::function<bool()>& condition, DWORD deadlineMs = 30000);

// A name no other test run uses at the same time.
std::string UniqueName(const std::string& stem);

}  // namespace kv::test
