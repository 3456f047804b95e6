#include "modules/teclasnti.h"

#include "image/padrao.h"
#include "modules/modulo.h"
#include "modules/seletores.h"

#include <algorithm>

namespace {

// The numbers the number column offers per type: from `menor` to `maior`;
// "Ramal" offers the extensions instead.
struct NumerosDoTipo {
    const char* tipo;
    int menor;
    int maior;
};
const NumerosDoTipo kNumerosDoTipo[] = {
    {"Linha", 1, 4},
    {"Grupo de ramal", 1, 4},
    {"Rota", 0, 4},
    {"Chefe secretária", 1, 1},
    {"Viva voz Ch-Secr", 1, 1},
    {"Porteiro", 1, 1},
    {"Atuação externa", 1, 1},
};

QStringList NumerosDaLista(const QString& tipo)
{
    QStringList itens;
    if (tipo == QStringLiteral("Ramal")) {
        for (int p = 1; p <= kPosicoesRamal; ++p)
            if (RamalValido(p))
                itens << TextoDaPosicao(p);
        return itens;
    }
    for (const NumerosDoTipo& numeros : kNumerosDoTipo)
        if (tipo == QString::fromUtf8(numeros.tipo))
            for (int n = numeros.menor; n <= numeros.maior; ++n)
                itens << QString::number(n);
    return itens;
}

bool Numero(const QString& texto, int& valor)
{
    if (texto.isEmpty() || !ApenasNumeros(texto))
        return false;
    bool ok = false;
    valor = texto.toInt(&ok);
    return ok;
}

// The item equal to the text; a number equal by value when none is.
int ItemDoTexto(const QStringList& itens, const QString& texto)
{
    const int igual = static_cast<int>(itens.indexOf(texto));
    int valor = 0;
    if (igual >= 0 || !Numero(texto, valor))
        return igual;
    for (int i = 0; i < itens.size(); ++i) {
        int item = 0;
        if (Numero(itens[i], item) && item == valor)
            return i;
    }
    return -1;
}

std::string Utf8(const QString& texto)
{
    return texto.toStdString();
}

} // namespace

std::vector<TerminalOferecido> TerminaisOferecidos()
{
    std::vector<TerminalOferecido> terminais;
    for (int k = 1; k <= kTerminaisTI; ++k) {
        const std::string ramal = RamalDoTerminal(ImagemAtual, k);
        if (!ramal.empty())
            terminais.push_back({k, QString::fromStdString(ramal)});
    }
    return terminais;
}

RegistroTeclas LeTeclasTerminal(int terminal)
{
    RegistroTeclas registro{};
    const std::uint8_t* teclas = ImagemAtual + OffsetTeclasTerminal(terminal);
    std::copy(teclas, teclas + kTeclasTerminal, registro.begin());
    return registro;
}

bool GuardaTeclasTerminal(int terminal, const RegistroTeclas& registro)
{
    if (terminal < 1 || terminal > kTerminaisTI)
        return false;
    std::copy(registro.begin(), registro.end(), ImagemAtual + OffsetTeclasTerminal(terminal));
    return true;
}

RegistroTeclas TeclasPadrao()
{
    RegistroTeclas registro{};
    const std::uint8_t* teclas = ImagemPadrao() + OffsetTeclasTerminal(1);
    std::copy(teclas, teclas + kTeclasTerminal, registro.begin());
    return registro;
}

LinhaTecla CodigoTeclaParaLinha(std::uint8_t codigo)
{
    const TextoTecla texto = CodigoTeclaParaTexto(ImagemAtual, codigo);
    return {QString::fromStdString(texto.tipo), QString::fromStdString(texto.numero)};
}

LinhasTeclas TeclasParaLinhas(const RegistroTeclas& registro)
{
    LinhasTeclas linhas;
    for (int t = 0; t < kTeclasTerminal; ++t)
        linhas[t] = CodigoTeclaParaLinha(registro[t]);
    return linhas;
}

std::optional<FalhaTecla> ValidaTeclasTerminal(const LinhasTeclas& linhas, RegistroTeclas& registro)
{
    RegistroTeclas novo;
    novo.fill(kTeclaSemFuncao);
    for (int t = 0; t < kTeclasTerminal; ++t) {
        const LinhaTecla& linha = linhas[t];
        if (linha == CodigoTeclaParaLinha(registro[t])) {
            novo[t] = registro[t];
            continue;
        }
        const CodigoTecla lido = TextoParaCodigoTecla(ImagemAtual, Utf8(linha.tipo), Utf8(linha.numero));
        if (lido.falha != TFalhaTecla::Nenhuma)
            return FalhaTecla{t + 1, lido.falha == TFalhaTecla::Tipo ? kColunaTipoTecla : kColunaNumeroTecla};
        novo[t] = lido.codigo;
    }
    registro = novo;
    return std::nullopt;
}

const QStringList& ListaTiposTecla()
{
    static const QStringList tipos = {
        QStringLiteral("Ramal"),          QStringLiteral("Linha"),          QStringLiteral("Rota"),
        QStringLiteral("Grupo de ramal"), QStringLiteral("Chefe secretária"), QStringLiteral("Porteiro"),
        QStringLiteral("Atuação externa"), QStringLiteral("Não perturbe"),  QStringLiteral("Cadeado"),
        QStringLiteral("Monitora"),       QStringLiteral("Busca pessoa"),   QStringLiteral("Toque geral"),
        QStringLiteral("Correio de voz"), QStringLiteral("Viva voz Ch-Secr"), QStringLiteral("Sem função"),
    };
    return tipos;
}

bool NumeroEditavel(const QString& tipo)
{
    const TipoTecla* encontrado = TipoTeclaDoTexto(Utf8(tipo));
    return encontrado && encontrado->numero != TNumeroTecla::Nenhum;
}

ListaCelula ListaDaCelula(int coluna, const QString& tipo, const QString& texto)
{
    ListaCelula lista{coluna == kColunaTipoTecla ? ListaTiposTecla() : NumerosDaLista(tipo), -1};
    lista.indice = ItemDoTexto(lista.itens, texto);
    if (lista.indice < 0) {
        lista.itens << texto;
        lista.indice = static_cast<int>(lista.itens.size()) - 1;
    }
    return lista;
}
