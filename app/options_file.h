// The program options file "parametros.ini" in the data folder: two lines,
// "1" or "0", for offering to save the report after checks and after
// disinfections. Windows-1252 text with CR LF line ends, no section header.
#pragma once

#include <stdexcept>
#include <string>

#include "core/platform_ops.h"
#include "core/session.h"

namespace kv {

// The options file could not be read or written. The window shows it in an
// error box; systemMessage is empty when the platform gives no reason.
class OptionsFileError : public std::runtime_error {
public:
    OptionsFileError(std::string path, bool whileWriting, std::string systemMessage)
        : std::runtime_error(systemMessage),
          path_(std::move(path)),
          whileWriting_(whileWriting),
          systemMessage_(std::move(systemMessage)) {}
    const std::string& path() const { return path_; }
    bool whileWriting() const { return whileWriting_; }
    const std::string& systemMessage() const { return systemMessage_; }

private:
    std::string path_;
    bool whileWriting_;
    std::string systemMessage_;
};

// "zirozov" under the roaming application-data folder.
std::string DataFolderPath(PlatformOps& os);
std::string OptionsFilePath(PlatformOps& os);

// An option is on exactly when its line is "1"; a missing line is off.
SaveOptions ParseOptionsFile(const std::string& bytes);
std::string OptionsFileBytes(const SaveOptions& options);

// Start-up: reads the file, or creates it with both options on when it is
// missing. Throws OptionsFileError.
SaveOptions LoadOrCreateOptionsFile(PlatformOps& os);

// The save button: writes the options as the user left them, whether or not
// the file still exists. Throws OptionsFileError.
void SaveOptionsFile(PlatformOps& os, const SaveOptions& options);

}  // namespace kv
