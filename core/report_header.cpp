#include "core/report_header.h"

namespace kv {
namespace {

std::string ActionLine(ActionContext& ctx, ActionKind action, const std::string& root) {
    switch (action) {
    case ActionKind::DeviceCheck:
        return ctx.Pick("[KV] - Verificando Dispositivo Externo - Unidade: ", "[KV] - Checking External Device - Drive: ") +
               root;
    case ActionKind::DeviceDisinfection:
        return ctx.Pick("[KV] - Verificando Mídia Externa ", "[KV] - Checking External Media ") + root;
    case ActionKind::ComputerCheck:
    case ActionKind::ComputerDisinfection:
        break;
    }
    return ctx.Pick("[KV] - Verificando Computador", "[KV] - Checking Computer");
}

}  // namespace

void WriteReportHeader(ActionContext& ctx, ActionKind action, const std::string& driveRoot) {
    ctx.session.report.Clear();
    ctx.Pair(std::string("[KV] - KV Vuduv - Versão: ") + kProductVersion + " - " + kReleaseDate,
             std::string("[KV] - KV Vuduv - Version: ") + kProductVersion + " - " + kReleaseDate);
    const DateTimeTexts now = ctx.os.CurrentDateTimeTexts();
    ctx.Pair("[KV] - Início da Verificação - " + now.shortDate + " - " + now.longTime,
             "[KV] - Top of Verification - " + now.shortDate + " - " + now.longTime);
    ctx.Line(ActionLine(ctx, action, driveRoot));
}

}  // namespace kv
