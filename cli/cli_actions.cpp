#include "cli/cli_actions.h"

#include "computer/computer_check.h"
#include "computer/computer_disinfection.h"
#include "device/device_check.h"
#include "device/device_disinfection.h"

namespace kv::cli {
namespace {

bool RunDeviceCheck(ActionContext& ctx, const std::string& driveListText) {
    // An autorun.inf alone is a finding too: the verdict says so.
    return DeviceCheck(ctx, driveListText).FoundSomething();
}

bool RunDeviceDisinfection(ActionContext& ctx, const std::string& driveListText) {
    DeviceDisinfection(ctx, driveListText);
    return ctx.session.outcome.InfectionFlag;
}

bool RunComputerCheck(ActionContext& ctx, const std::string&) { return ComputerCheck(ctx); }

bool RunComputerDisinfection(ActionContext& ctx, const std::string&) {
    // The restart question is answered No by the transcript: the console
    // program never restarts the computer.
    ComputerDisinfection(ctx);
    return ctx.session.outcome.InfectionFlag;
}

const CliAction kActions[] = {
    {"check-device", DriveArgument::Required, RunDeviceCheck},
    {"disinfect-device", DriveArgument::Required, RunDeviceDisinfection},
    {"check-computer", DriveArgument::Refused, RunComputerCheck},
    {"disinfect-computer", DriveArgument::Refused, RunComputerDisinfection},
};

}  // namespace

const CliAction* FindCliAction(const std::string& name) {
    for (const CliAction& action : kActions) {
        if (name == action.name) return &action;
    }
    return nullptr;
}

}  // namespace kv::cli
