#include "computer/computer_check.h"

#include "computer/check_catalogue.h"
#include "computer/computer_check_listings.h"
#include "core/report_file.h"
#include "core/report_header.h"

namespace kv {
namespace {

const std::string kAdvice = "Para remover use o botão \"Desinfectar Computador\"";

// The closing lines exist in Portuguese only and are written only in
// Portuguese; in English the box alone tells the outcome.
void WriteOutcome(ActionContext& ctx) {
    if (!ctx.flags().InfectionFlag) {
        if (ctx.IsPortuguese()) {
            ctx.dialogs.ShowMessage(BoxKind::Information, "Resultado", "Nenhum Vírus Encontrado neste Computador!");
            ctx.Line("[KV] *** Nenhum Vírus Encontrado neste Computador!");
        } else {
            ctx.dialogs.ShowMessage(BoxKind::Information, "Outcome", "No Virus Found this computer");
        }
        return;
    }
    if (ctx.IsPortuguese()) {
        ctx.dialogs.ShowMessage(BoxKind::Warning, "Atenção", "Vírus Encontrados neste Computador!\r" + kAdvice);
        ctx.Line("[KV] *** Vírus Encontrados neste Computador! " + kAdvice);
    } else {
        ctx.dialogs.ShowMessage(BoxKind::Warning, "Heads up", "Computer virus found in this!");
    }
}

// The save texts exist in Portuguese only.
const SaveOfferTexts kCheckSaveTexts = {
    "Deseja salvar o Relatório de Verificação?", "Aviso", "Salvar Log de Verificação de Computador",
    "Arquivo já exite deseja substituir?",       "Aviso",
};

}  // namespace

bool ComputerCheck(ActionContext& ctx) {
    ctx.flags().InfectionFlag = false;
    ctx.flags().RestartNeededFlag = false;
    WriteReportHeader(ctx, ActionKind::ComputerCheck);

    {
        // The catalogue lists some folders more than once (every entry of the
        // roaming application data is searched for scripts twice): within
        // this run each listing is taken once.
        CachedListings listings(ctx.os);
        ActionContext probing(listings, ctx.dialogs, ctx.session);
        probing.monitor = ctx.monitor;
        probing.NextStep("Verificando processos", "Checking processes");
        RunProcessProbes(probing);
        probing.NextStep("Procurando vírus no computador", "Looking for viruses on the computer");
        RunInfectionCatalogue(probing);
    }

    const bool found = ctx.flags().InfectionFlag;
    WriteOutcome(ctx);
    OfferReportSave(ctx, ctx.session.options.afterChecks, kCheckSaveTexts);
    return found;
}

}  // namespace kv
