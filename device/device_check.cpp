#include "device/device_check.h"

#include "core/report_file.h"
#include "core/report_header.h"
#include "device/drive_list.h"
#include "routines/probes.h"
#include "routines/shortcut_payload.h"

namespace kv {
namespace {

// One test at the device root; the table below is walked in order.
struct RootProbe {
    enum Kind { Folder, File } kind;
    const char* name;
    const char* companionFile;  // must also exist at the root, or nullptr
    const char* foundLine;
    const char* notFoundLine;
    bool setsInfection;
};

// clang-format off
const RootProbe kRootProbes[] = {
    {RootProbe::Folder, ".Trashes", nullptr,
     "[KV] > Vírus Trashes encontrado!", "[KV] - Vírus Trashes não encontrado!", true},
    {RootProbe::Folder, "Drive", "Drive.bat",
     "[KV] > Vírus Drive encontrado!", "[KV] - Vírus Drive não encontrado!", true},
    {RootProbe::Folder, "Files", "Files.bat",
     "[KV] > Vírus Files encontrado!", "[KV] - Vírus Files não encontrado!", true},
    {RootProbe::Folder, "RECYCLE", nullptr,
     "[KV] > Pasta Recycle encontrada! (Pasta de Sistema)", "[KV] - Pasta Recycle não encontrada!", false},
    {RootProbe::Folder, "RECYCLE.BIN", nullptr,
     "[KV] > Pasta Recycle.bin encontrada! (Pasta de Sistema)", "[KV] - Pasta Recycle.bin não encontrada!", false},
    {RootProbe::Folder, "$RECYCLE.BIN", nullptr,
     "[KV] > Pasta $Recycle.bin encontrada! (Pasta de Sistema)", "[KV] - Pasta $Recycle.bin não encontrada!", false},
    {RootProbe::Folder, "RECYCLER", nullptr,
     "[KV] > Pasta Recycler encontrada! (Pasta de Sistema)", "[KV] - Pasta Recycler não encontrada!", false},
    {RootProbe::Folder, "RECYCLER.BIN", nullptr,
     "[KV] > Pasta Recycler.bin encontrada! (Pasta de Sistema)", "[KV] - Pasta Recycler.bin não encontrada!", false},
    {RootProbe::Folder, "$RECYCLER.BIN", nullptr,
     "[KV] > Pasta $Recycler.bin encontrada! (Pasta de Sistema)", "[KV] - Pasta $Recycler.bin não encontrada!", false},
    {RootProbe::Folder, "System Volume Information", nullptr,
     "[KV] > Pasta System Volume Information encontrada! (Pasta de Sistema)",
     "[KV] - Pasta System Volume Information não encontrada!", false},
    {RootProbe::File, "dw.dll", nullptr,
     "[KV] > Vírus dw.dll encontrado!", "[KV] - Vírus dw.dll não encontrado!", true},
};
// clang-format on

bool RootProbeFinds(ActionContext& ctx, const std::string& root, const RootProbe& probe) {
    const std::string path = root + probe.name;
    const bool present = probe.kind == RootProbe::Folder ? ctx.os.FolderExists(path) : ctx.os.FileExists(path);
    return present && (!probe.companionFile || ctx.os.FileExists(root + probe.companionFile));
}

void RunRootProbes(ActionContext& ctx, const std::string& root) {
    for (const RootProbe& probe : kRootProbes) {
        if (RootProbeFinds(ctx, root, probe)) {
            if (probe.setsInfection) ctx.flags().InfectionFlag = true;
            ctx.Line(probe.foundLine);
        } else {
            ctx.Line(probe.notFoundLine);
        }
    }
}

// Root shortcuts that start hidden files of the device: the shortcut and
// each of its files, one line each.
void ReportShortcutPayloads(ActionContext& ctx, const std::string& root) {
    for (const ShortcutPayload& found : FindShortcutPayloads(ctx.os, root)) {
        ctx.flags().InfectionFlag = true;
        WriteShortcutWithPayloadLine(ctx, found.shortcut);
        for (const std::string& file : found.files) WritePayloadFileLine(ctx, file);
    }
}

// Scripts, documents, shortcuts and disguised executables at the root, then
// scripts one level down.
void RunOtherProbes(ActionContext& ctx, const std::string& root) {
    ctx.Line("[KV] - Verificando Tipo VBS...");
    ProbeFileAndRunValue(ctx, root, "*.vbs");
    ctx.Line("[KV] - Verificando Tipo WSF...");
    ProbeFileAndRunValue(ctx, root, "Microsoft Excel.wsf");
    ctx.Line("[KV] - Verificando Tipo Manuel.doc...");
    ProbeFileAndRunValue(ctx, root, "Manuel.doc");
    ctx.Line("[KV] - Verificando Tipo VBE...");
    ProbeFileAndRunValue(ctx, root, "*.vbe");

    // The shortcut probe tells the executable probe's size test whether the
    // device holds shortcuts.
    ctx.flags().ShortcutSeenFlag = false;
    ctx.Line("[KV] - Verificando Atalhos...");
    ProbeFileAndRunValue(ctx, root, "*.lnk");
    // Before the executable probe makes the root's programs visible.
    ReportShortcutPayloads(ctx, root);
    ProbeExecutableDisguise(ctx, root, "*.exe");
    ctx.flags().ShortcutSeenFlag = false;

    ctx.Line("[KV] - Verificando Tipo JS...");
    ProbeFileAndRunValue(ctx, root, "*.js");
    ctx.Line("[KV] - Verificando Tipo JS1...");
    for (const DirEntry& entry : FindByLongName(ctx.os, root, "*.*")) {
        if (entry.IsDotOrDotDot()) continue;
        ProbeFileAndRunValue(ctx, root + entry.name + "\\", "*.js");
    }
}

bool CheckAutorun(ActionContext& ctx, const std::string& root) {
    if (ctx.os.FileExists(root + "autorun.inf")) {
        ctx.Line("[KV] > Arquivo Autorun.inf encontrado!");
        return true;
    }
    ctx.Line("[KV] - Arquivo Autorun.inf não encontrado!");
    return false;
}

void WriteVerdict(ActionContext& ctx, const std::string& root, bool autorunSeen) {
    const bool infected = ctx.flags().InfectionFlag;
    if (!infected && !autorunSeen) {
        if (ctx.IsPortuguese()) {
            const std::string text = "Não foram Encontrados Vírus no Drive " + root + "!";
            ctx.dialogs.ShowMessage(BoxKind::Information, "Resultado", text);
            ctx.Line("[KV] *** " + text);
        } else {
            ctx.dialogs.ShowMessage(BoxKind::Information, "Outcome", "Viruses were not found in Drive " + root + "!");
        }
        return;
    }
    if (!ctx.IsPortuguese()) {
        ctx.dialogs.ShowMessage(BoxKind::Warning, "Heads up", "The device (" + root + ") can be Infected!");
        return;
    }
    if (!infected) {
        ctx.Line("[KV] *** O Dispositivo (" + root + ") pode estar Infectado!");
        ctx.dialogs.ShowMessage(BoxKind::Warning, "Atenção", "O Dispositivo (" + root + ") pode estar Infectado!");
        return;
    }
    const std::string advice = "Para remover use o botão \"Desinfectar Dispositivo\"";
    ctx.Line("[KV] *** O Dispositivo (" + root + ") está Infectado! " + advice);
    ctx.dialogs.ShowMessage(BoxKind::Warning, "Atenção", "O Dispositivo (" + root + ") está Infectado!\r" + advice);
}

// The device check's save texts exist in Portuguese only.
const SaveOfferTexts kCheckSaveTexts = {
    "Deseja salvar o Relatório de Verificação de Mídia Externa?",
    "Aviso",
    "Salvar Log de Verificação de Mídia Externa",
    "Arquivo já exite deseja substituir?",
    "Aviso",
};

}  // namespace

void ListFileLine(ActionContext& ctx, const std::string& path) { ctx.Line("[KV] - " + path); }

bool ListFolderTree(ActionContext& ctx, const std::string& folder) {
    const std::string base = folder.empty() || folder.back() != '\\' ? folder + "\\" : folder;
    if (!ctx.os.FolderExists(base)) return false;
    for (const DirEntry& entry : FindByLongName(ctx.os, base, "*.*")) {
        if (entry.IsDotOrDotDot()) continue;
        ctx.NextEntry(base);
        // Only plain folders are descended: a hidden, system or linked
        // folder is written as one line.
        if (entry.attributes == attr::kDirectory) {
            ListFolderTree(ctx, base + entry.name);
        } else {
            ListFileLine(ctx, base + entry.name);
        }
    }
    return true;
}

DeviceCheckResult DeviceCheck(ActionContext& ctx, const std::string& driveListText) {
    DeviceCheckResult result;
    ctx.flags().InfectionFlag = false;
    ctx.flags().RestartNeededFlag = false;

    if (!driveListText.empty()) {
        result.driveSelected = true;
        const std::string root = DriveRootFromListText(driveListText);
        WriteReportHeader(ctx, ActionKind::DeviceCheck, root);

        ctx.NextStep("Listando as pastas do dispositivo", "Listing the device's folders");
        ctx.Line("[KV] - Listando estrutura de Diretórios...");
        ListFolderTree(ctx, root);
        ctx.Line("[KV] - Fim da listagem da estrutura de Diretórios...");

        ctx.NextStep("Procurando vírus", "Looking for viruses");
        ctx.Line("[KV] - >>> Verificando Vírus ...");
        RunRootProbes(ctx, root);
        ctx.Line("[KV] - >>> Verificando outros Vírus ...");
        RunOtherProbes(ctx, root);
        result.autorunSeen = CheckAutorun(ctx, root);
        result.infectionFound = ctx.flags().InfectionFlag;
        WriteVerdict(ctx, root, result.autorunSeen);
    }

    OfferReportSave(ctx, ctx.session.options.afterChecks, kCheckSaveTexts);
    return result;
}

}  // namespace kv
