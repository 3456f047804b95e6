#include "shell/registro.h"

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
