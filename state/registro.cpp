#include "state/registro.h"

std::uint8_t* Imagem = nullptr;
QString DiretorioPrograma;
QString ArquivoAtual;
bool SemProgramacao = true;
bool ImagemAlterada = false;
TFlagsItens ItensAlterados{};
TFlagsItens ItensEditados{};
TFlagsItens ItensDisponiveis{};
std::uint8_t ByteEstado = 9;
std::uint16_t DireitosUsuario = 0;
bool CfgGravar = false;
bool CfgIsolados = false;
std::uint8_t CfgTentativas = 3;
std::uint8_t DirecaoTransferencia = 0;
QString ViaSelecionada;
QString RamalSelecionado;

void MarcaItemAlterado(int item)
{
    if (item < kPrimeiroItem || item > kUltimoItem)
        return;
    MarcaItem(ItensEditados, item);
    MarcaItem(ItensAlterados, item);
    ImagemAlterada = true;
}

bool AlgumItemMarcado(const TFlagsItens& itens)
{
    for (int item = kPrimeiroItem; item <= 26; ++item)
        if (ItemMarcado(itens, item))
            return true;
    return false;
}

QString DiretorioSemSeparadorFinal(QString diretorio)
{
    if (diretorio.endsWith(QLatin1Char('/')))
        diretorio.chop(1);
    return diretorio;
}
