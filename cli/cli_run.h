// The console program without its Windows shell: parses the command line,
// refuses what the window would never do, runs the action with the
// transcript attached and decides the exit status.
#pragma once

#include <string>
#include <vector>

#include "cli/transcript.h"
#include "core/platform_ops.h"

namespace kv::cli {

constexpr int kExitNothingFound = 0;
constexpr int kExitFound = 1;
constexpr int kExitFailure = 2;  // usage error, refused drive, report not written

// args excludes the program name. out receives the transcript (or the usage
// for --help), err the reason of a failure.
int RunCli(const std::vector<std::string>& args, PlatformOps& os, OutputSink& out, OutputSink& err);

}  // namespace kv::cli
