#pragma once
// Shared state of the main program: the one programming image and what the
// main window, the files, the link and the users code keep about it.
#include "image/itens.h"

#include <QString>

#include <cstdint>

extern std::uint8_t* Imagem;          // the programming image, 6610 bytes
extern QString DiretorioPrograma;     // the executable's directory, no trailing separator
extern QString ArquivoAtual;          // full path of the current file, "" = none
extern bool SemProgramacao;           // no programming loaded yet
extern bool ImagemAlterada;           // differs from the last file loaded or saved
extern TFlagsItens ItensAlterados;    // changed since the last save
extern TFlagsItens ItensEditados;     // edited (the transfer's clock rule)
extern TFlagsItens ItensDisponiveis;  // the image holds data for the item
extern std::uint8_t ByteEstado;       // status byte sent with the clock block
extern std::uint16_t DireitosUsuario; // rights of the logged-in user
extern bool CfgGravar;                // write the transfer trace file
extern bool CfgIsolados;              // transfer items without their dependants
extern std::uint8_t CfgTentativas;    // attempts per block
extern std::uint8_t DirecaoTransferencia; // 0 receive, 1 transmit
extern QString ViaSelecionada;        // caption of the trunk button last clicked
extern QString RamalSelecionado;      // caption of the extension button last clicked

// The flag of item N (1..29) in one of the arrays.
inline bool ItemMarcado(const TFlagsItens& itens, int item)
{
    return item >= kPrimeiroItem && item <= kUltimoItem && itens[static_cast<size_t>(item - 1)] != 0;
}

// Sets the flag of item N (1..29) in one of the arrays; other numbers are
// ignored.
inline void MarcaItem(TFlagsItens& itens, int item)
{
    if (item >= kPrimeiroItem && item <= kUltimoItem)
        itens[static_cast<size_t>(item - 1)] = 1;
}

// An editing command ran over item N: edited, changed since the last save,
// and the image differs from its file.
void MarcaItemAlterado(int item);

// True when any of items 1 to 26 is set; items 27 to 29 do not count.
bool AlgumItemMarcado(const TFlagsItens& itens);

// A directory as DiretorioPrograma keeps it: one trailing separator removed,
// so that a program in the root gives "" and files such as "/PADRAO.PBX".
QString DiretorioSemSeparadorFinal(QString diretorio);
