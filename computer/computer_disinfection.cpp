#include "computer/computer_disinfection.h"

#include "computer/removal_catalogue.h"
#include "core/report_header.h"

namespace kv {
namespace {

// The closing line(s) and box; the failure flag counts only when something
// was found.
void WriteOutcome(ActionContext& ctx) {
    const ScanOutcome& flags = ctx.flags();
    if (!flags.InfectionFlag) {
        ctx.Pair("[KV] - Nenhum Vírus Encontrado!", "[KV] - No Viruses Found!");
        ctx.dialogs.ShowMessage(BoxKind::Information, ctx.Pick("Aviso", "Warning"),
                                ctx.Pick("Nenhum Vírus Encontrado neste Computador!", "No Virus Found this computer!"));
        return;
    }
    const std::string title = ctx.Pick("Atenção", "Heads up");
    if (flags.UndeletedFileFlag) {
        ctx.Pair("[KV] > Alguns arquivos não puderam ser Desinfectados! Verifique o relatório!",
                 "[KV] > Some files could not be Disinfected! Check the report!");
        ctx.Pair("[KV] > Tente executar o programa como Administrador!", "[KV] > Run the program as Administrator!");
        ctx.dialogs.ShowMessage(BoxKind::Warning, title,
                                ctx.Pick("Alguns arquivos não puderam ser Desinfectados! Verifique o relatório!\r"
                                         "Tente executar o programa como Administrador!",
                                         "Some files could not be Disinfected! Check report!\r"
                                         "Run the program as Administrator!"));
        return;
    }
    ctx.Pair("[KV] > Vírus Encontrados e eliminados do Computador! Verifique o relatório!",
             "[KV] > Virus Found and Deleted this computer!");
    ctx.dialogs.ShowMessage(BoxKind::Warning, title,
                            ctx.Pick("Vírus Encontrados e eliminados do Computador! Verifique o relatório!",
                                     "Virus Found and Deleted this computer!"));
}

// Some removals take effect only once Windows starts again. Only Yes
// restarts; the restart is not forced, so other programs may still refuse it.
void AskForRestart(ActionContext& ctx) {
    const bool restart = ctx.dialogs.AskYesNoWarning(ctx.Pick("Opções", "Options"),
                                                     ctx.Pick("É necessário reiniciar o Computador! Reiniciar agora?",
                                                              "You must restart your computer! Restart now?"));
    if (restart) ctx.os.ExitWindowsWithPrivilege(kRestartNotForced);
}

}  // namespace

SaveOfferTexts ComputerDisinfectionSaveTexts(UiLanguage language) {
    if (language == UiLanguage::Portuguese) {
        return {"Deseja salvar o Relatório?", "Aviso", "Salvar Log de Verificação de Computador",
                "Arquivo já exite deseja substituir?", "Aviso"};
    }
    return {"Want to save the report?", "Warning", "Save Log Verification Computer",
            "File hesitate longer wish to replace?", "Warning"};
}

void ComputerDisinfection(ActionContext& ctx) {
    ctx.flags().UndeletedFileFlag = false;
    ctx.flags().InfectionFlag = false;
    ctx.flags().RestartNeededFlag = false;
    WriteReportHeader(ctx, ActionKind::ComputerDisinfection);
    try {
        RunRemovalCatalogue(ctx);
        ctx.NextStep("Reparando funções de sistema", "Repairing system functions");
        RepairSystemFunctions(ctx);
    } catch (const ActionStopped&) {
        // Stopped between two groups: what was done so far is still on record.
        WriteStoppedLine(ctx);
        SaveAutomaticCopies(ctx, kComputerCopyPrefix);
        throw ActionStopped{true};
    }
    WriteOutcome(ctx);
    // The copies end before the completion line; the user's copy, saved
    // afterwards, has it.
    SaveAutomaticCopies(ctx, kComputerCopyPrefix);
    ctx.Pair("[KV] - Processo Concluído com Sucesso!", "[KV] - Process Completed Successfully!");
    if (ctx.flags().RestartNeededFlag) AskForRestart(ctx);
    OfferReportSave(ctx, ctx.session.options.afterDisinfections, ComputerDisinfectionSaveTexts(ctx.session.language));
}

}  // namespace kv
