#include "tools/icon_repair.h"

namespace kv {

IconRepairOutcome RepairIcons(ActionContext& ctx) {
    const std::string title = ctx.Pick("Aviso", "Warning");
    if (!ctx.os.RegKeyExists(RegRoot::CurrentUser, kFileExtsKey)) {
        ctx.dialogs.ShowMessage(BoxKind::Information, title,
                                ctx.Pick("Não foi possível reparar!", "Unable to repair!"));
        return IconRepairOutcome::NothingToRepair;
    }
    const bool moved = ctx.os.RegMoveKey(RegRoot::CurrentUser, kFileExtsKey, kFileExtsAsideKey, true);
    ctx.dialogs.ShowMessage(BoxKind::Information, title,
                            ctx.Pick("Para concluir procedimento é necessário reiniciar o computador!",
                                     "To complete procedure is to restart the computer!"));
    return moved ? IconRepairOutcome::Moved : IconRepairOutcome::TargetExists;
}

std::string ProgramFolder(PlatformOps& os) {
    const std::string exe = os.ExecutablePath();
    const std::size_t slash = exe.find_last_of('\\');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

bool CopyProgramToDesktop(ActionContext& ctx) {
    const std::string source = ctx.os.ExecutablePath();
    const std::string desktop = ctx.os.GetSpecialFolder(csidl::kDesktopDirectory);
    if (!desktop.empty() && !ctx.os.FolderExists(desktop)) ctx.os.CreateFolder(desktop);
    const std::size_t slash = source.find_last_of('\\');
    const std::string target = desktop + "\\" + (slash == std::string::npos ? source : source.substr(slash + 1));
    std::string error;
    if (!ctx.os.CopyFileOverReporting(source, target, error)) {
        ctx.dialogs.ShowMessage(
            BoxKind::Error, ctx.Pick("Erro", "Error"),
            ctx.Pick("Não foi possível copiar o programa para a Área de Trabalho (" + target + "):\r\n" + error,
                     "The program could not be copied to the desktop (" + target + "):\r\n" + error));
        return false;
    }
    ctx.dialogs.ShowMessage(BoxKind::Information, ctx.Pick("Aviso", "Warnig"),
                            ctx.Pick("Arquivo copiado com sucesso!", "File copied successfully!"));
    return true;
}

}  // namespace kv
