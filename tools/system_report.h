// The system report: the operating system, the processor and the running
// processes, written under a dated name in both data folders.
#pragma once

#include <string>
#include <vector>

#include "core/platform_ops.h"

namespace kv {

struct SystemReport {
    std::string path;  // the roaming copy, which the window opens
    std::vector<std::string> lines;
};

// "64 Bits", "32 Bits", or "" when the system could not say.
std::string BitnessText(WindowsBitness bitness);

// The report's lines (Portuguese in both languages), the process list as
// the tools tab shows it.
std::vector<std::string> SystemReportLines(PlatformOps& os, const DateTimeTexts& now,
                                           const std::vector<std::string>& processList);

// Writes both copies; throws FileWriteError.
SystemReport WriteSystemReport(PlatformOps& os, const std::vector<std::string>& processList);

}  // namespace kv
