#include "core/report_log.h"

namespace kv {

void ReportLog::AppendLine(const std::string& line) {
    lines_.push_back(line);
    if (observer_) observer_->OnLineAppended(lines_.back());
}

void ReportLog::Clear() {
    lines_.clear();
    if (observer_) observer_->OnReportCleared();
}

}  // namespace kv
