// Writing a finished report to a file: the user's copy through the save offer,
// and the automatic copies the disinfections keep in the data folders.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "core/session.h"

namespace kv {

// A report or copy that could not be written. It ends the running action;
// the front end shows the system's message.
class FileWriteError : public std::runtime_error {
public:
    FileWriteError(std::string path, std::string systemMessage)
        : std::runtime_error(systemMessage), path_(std::move(path)) {}
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The report file format: each line followed by CR LF, Windows-1252, no BOM.
std::string ReportFileBytes(const std::vector<std::string>& lines);

// Writes the report to path, replacing an existing file; throws FileWriteError.
void WriteReportFile(PlatformOps& os, const std::string& path, const std::vector<std::string>& lines);

// "07/12/2026" + "09:20:28" -> "07-12-2026-09-20-28": "/", ":" and "\" become "-".
std::string AutomaticCopyStamp(const DateTimeTexts& now);

// Prefixes of the automatic copies, relative to a special folder.
inline constexpr const char* kDeviceCopyPrefix = "\\zirozov\\kv-pen-";
inline constexpr const char* kComputerCopyPrefix = "\\zirozov\\kv-pc-";

// Writes the report under the roaming and then the local application-data
// folder, creating "zirozov" under each when missing. Throws FileWriteError.
void SaveAutomaticCopies(ActionContext& ctx, const std::string& prefix);

// The texts of one action's save offer.
struct SaveOfferTexts {
    std::string question;
    std::string questionTitle;
    std::string dialogTitle;
    std::string overwriteQuestion;
    std::string overwriteTitle;
};

// The save offer run as the last step of an action: asks, shows the save
// dialog, asks before replacing, writes. Does nothing when the option is off.
void OfferReportSave(ActionContext& ctx, bool optionTicked, const SaveOfferTexts& texts);

}  // namespace kv
