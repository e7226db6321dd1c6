// The report of the running action: ordered lines, appended one at a time and
// cleared as a whole. Front ends watch it through ReportObserver so each line
// reaches the screen the moment it is appended.
#pragma once

#include "core/version.h"

#include <string>
#include <vector>

namespace kv {

// 1 is Portuguese (the start-up language); everything else reads as English.
enum class UiLanguage { Portuguese = 1, English = 2 };

// A Portuguese text and its English counterpart.
struct MessagePair {
    std::string pt;
    std::string en;
    std::string For(UiLanguage language) const { return language == UiLanguage::Portuguese ? pt : en; }
};

class ReportObserver {
public:
    virtual ~ReportObserver() = default;
    virtual void OnLineAppended(const std::string& line) = 0;
    virtual void OnReportCleared() = 0;
};

class ReportLog {
public:
    void AppendLine(const std::string& line);
    void Clear();
    const std::vector<std::string>& Lines() const { return lines_; }
    // One observer at a time (the window or the console); nullptr detaches.
    void SetObserver(ReportObserver* observer) { observer_ = observer; }

private:
    std::vector<std::string> lines_;
    ReportObserver* observer_ = nullptr;
};

// The outcome flags shared by an action and the routines it calls.
struct ScanOutcome {
    bool InfectionFlag = false;
    bool ShortcutSeenFlag = false;
    bool FolderFoundFlag = false;
    bool UndeletedFileFlag = false;
    bool RestartNeededFlag = false;
};

// Release constants shown in the report header; the version comes from the
// project's version in CMake (core/version.h).
inline constexpr const char* kProductVersion = KV_VERSION_TEXT;
inline constexpr const char* kReleaseDate = "Dezembro/2018";

}  // namespace kv
