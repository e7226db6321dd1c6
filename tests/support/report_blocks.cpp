#include "tests/support/report_blocks.h"

namespace kv::test {

Lines Join(std::initializer_list<Lines> blocks) {
    Lines all;
    for (const Lines& block : blocks) all.insert(all.end(), block.begin(), block.end());
    return all;
}

const Lines& FileItemOnly() {
    static const Lines lines = {
        "[KV] > Item <Infecções 10> encontrado!",
        "[KV] - Item <Infecções 10.1> não encontrado!",
        "[KV] - Item <Infecções 10.2> não encontrado!",
    };
    return lines;
}

const Lines& DeviceCheckRootNothing() {
    static const Lines lines = {
        "[KV] - Vírus Trashes não encontrado!",       "[KV] - Vírus Drive não encontrado!",
        "[KV] - Vírus Files não encontrado!",         "[KV] - Pasta Recycle não encontrada!",
        "[KV] - Pasta Recycle.bin não encontrada!",   "[KV] - Pasta $Recycle.bin não encontrada!",
        "[KV] - Pasta Recycler não encontrada!",      "[KV] - Pasta Recycler.bin não encontrada!",
        "[KV] - Pasta $Recycler.bin não encontrada!", "[KV] - Pasta System Volume Information não encontrada!",
        "[KV] - Vírus dw.dll não encontrado!",
    };
    return lines;
}

const Lines& DeviceDisinfectionStartPt() {
    static const Lines lines = {
        "[KV] - KV Vuduv - Versão: 2.7.3 - Dezembro/2018",
        "[KV] - Início da Verificação - 07/12/2026 - 09:20:28",
        "[KV] - Verificando Mídia Externa E:\\",
        "[KV] - Processo [kv001] não está em execução neste computador!",
        "[KV] - Processo [kv002] não está em execução neste computador!",
        "[KV] - Processo [kv003] não está em execução neste computador!",
        "[KV] - Pastas e arquivos do Drive E:\\ colocados em modo visível",
    };
    return lines;
}

const Lines& DeviceRecycleFoldersNotFoundPt() {
    static const Lines lines = {
        "[KV] - Pasta E:\\RECYCLE\\ não Encontrada!",
        "[KV] - Pasta E:\\RECYCLE.BIN\\ não Encontrada!",
        "[KV] - Pasta E:\\$RECYCLE.BIN\\ não Encontrada!",
        "[KV] - Pasta E:\\RECYCLER\\ não Encontrada!",
        "[KV] - Pasta E:\\RECYCLER.BIN\\ não Encontrada!",
        "[KV] - Pasta E:\\$RECYCLER.BIN\\ não Encontrada!",
        "[KV] - Pasta E:\\System Volume Information\\ não Encontrada!",
    };
    return lines;
}

}  // namespace kv::test
