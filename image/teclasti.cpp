#include "image/teclasti.h"

#include "image/conversao.h"
#include "image/registro.h"

#include <algorithm>

namespace {

// A key's number: one to three digits.
bool NumeroDeTecla(std::string_view texto)
{
    return !texto.empty() && texto.size() <= 3 && SoDigitos(texto);
}

// The key's number for a type with numbers: 1-based (index + 1 for "Ramal"),
// 0 for "Rota" "0".
int NumeroDoCodigo(const TipoTecla& tipo, std::uint8_t codigo)
{
    if (tipo.numero == TNumeroTecla::Rota && codigo == kTeclaRota0)
        return 0;
    return codigo - tipo.codigo + 1;
}

// The code of an extension number: the index of the plan position that
// holds it; -1 when none does. A "6x" text would read as a group, which no
// key of type "Ramal" names.
int CodigoDoRamal(const std::uint8_t* imagem, std::string_view numero)
{
    if (numero.front() == '6')
        return -1;
    bool encontrado = false;
    const std::uint8_t referencia = TextoParaReferencia(imagem, numero, encontrado);
    return encontrado && referencia < kPosicoesRamal ? referencia : -1;
}

} // namespace

const TipoTecla* TipoTeclaDoTexto(std::string_view texto)
{
    for (const TipoTecla& tipo : kTiposTecla)
        if (tipo.texto == texto)
            return &tipo;
    return nullptr;
}

const TipoTecla* TipoTeclaDoCodigo(std::uint8_t codigo)
{
    for (const TipoTecla& tipo : kTiposTecla) {
        if (codigo >= tipo.codigo && codigo < tipo.codigo + tipo.quantos)
            return &tipo;
        if (tipo.numero == TNumeroTecla::Rota && codigo == kTeclaRota0)
            return &tipo;
    }
    return nullptr;
}

std::uint8_t CodigoTipoTecla(std::string_view tipo)
{
    const TipoTecla* encontrado = TipoTeclaDoTexto(tipo);
    return encontrado ? encontrado->codigo : kTeclaSemFuncao;
}

TextoTecla CodigoTeclaParaTexto(const std::uint8_t* imagem, std::uint8_t codigo)
{
    const TipoTecla* tipo = TipoTeclaDoCodigo(codigo);
    if (!tipo)
        return {};
    TextoTecla texto{std::string(tipo->texto), {}};
    const int numero = NumeroDoCodigo(*tipo, codigo);
    switch (tipo->numero) {
    case TNumeroTecla::Nenhum:
        break;
    case TNumeroTecla::Ramal:
        texto.numero = PalavraRamalParaTexto(LeU16(imagem + OffsetPalavraRamal(numero)));
        break;
    case TNumeroTecla::Simples:
    case TNumeroTecla::Rota:
        texto.numero = IntToStr(numero);
        break;
    case TNumeroTecla::DoisDigitos:
        texto.numero = FormatInt("00", numero);
        break;
    }
    return texto;
}

CodigoTecla TextoParaCodigoTecla(const std::uint8_t* imagem, std::string_view tipo, std::string_view numero)
{
    if (tipo.empty())
        return {TFalhaTecla::Tipo, kTeclaSemFuncao};
    const TipoTecla* encontrado = TipoTeclaDoTexto(tipo);
    if (!encontrado || encontrado->numero == TNumeroTecla::Nenhum)
        return {TFalhaTecla::Nenhuma, CodigoTipoTecla(tipo)};
    numero = Trim(numero);
    if (numero.empty())
        return {TFalhaTecla::Numero, kTeclaSemFuncao};
    if (encontrado->numero == TNumeroTecla::Ramal) {
        const int codigo = CodigoDoRamal(imagem, numero);
        if (codigo < 0)
            return {TFalhaTecla::Numero, kTeclaSemFuncao};
        return {TFalhaTecla::Nenhuma, static_cast<std::uint8_t>(codigo)};
    }
    if (!NumeroDeTecla(numero))
        return {TFalhaTecla::Numero, kTeclaSemFuncao};
    const int n = StrToInt(numero);
    if (encontrado->numero == TNumeroTecla::Rota && n == 0)
        return {TFalhaTecla::Nenhuma, kTeclaRota0};
    if (n < 1 || n > encontrado->quantos)
        return {TFalhaTecla::Numero, kTeclaSemFuncao};
    return {TFalhaTecla::Nenhuma, static_cast<std::uint8_t>(encontrado->codigo + n - 1)};
}

std::string RamalDoTerminal(const std::uint8_t* imagem, int terminal)
{
    const std::uint8_t referencia = imagem[OffsetRamalTerminal(terminal)];
    if (referencia == kSemReferencia)
        return {};
    const std::string ramal = ReferenciaParaTexto(imagem, referencia).substr(0, 4);
    return !ramal.empty() && (ramal.front() == '2' || ramal.front() == '3') ? ramal : std::string();
}
