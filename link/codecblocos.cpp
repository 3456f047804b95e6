#include "link/codecblocos.h"

#include "image/itens.h"
#include "image/layout.h"
#include "image/registro.h"
#include "link/comunica.h"
#include "state/registro.h"

#include <algorithm>
#include <chrono>
#include <cstring>

QDate DataInicioTransmissao;
QTime HoraInicioTransmissao;

namespace {

// A run of data bytes that maps straight onto a run of image bytes.
struct TrechoBloco {
    std::uint16_t dado;
    int imagem;
    std::uint16_t tamanho;
};

struct MapaBloco {
    std::uint8_t bloco;
    TrechoBloco trechos[2];
    int quantidade;
};

// The straight part of every block that carries image bytes. The clock block
// (0) is all rule; blocks 6, 17, 18, 20, 27 and 141 add rules around their
// runs. Block 24 carries the area code high byte first.
constexpr MapaBloco kMapaBlocos[] = {
    {1, {{0, ofsAcessoDiurno, 117}}, 1},
    {2, {{0, ofsModoVias, 4}}, 1},
    {3, {{0, ofsConfiguracaoVias, 32}}, 1},
    {4, {{0, ofsPlanoNumeracao, 24}, {24, ofsRamalPosicaoExtra, 2}}, 2},
    {5, {{0, ofsControleAtendedor, 2}}, 1},
    {6, {{0, ofsAgendaGeral, 960}}, 1},
    {7, {{0, ofsToquesDesvioGrupo, 36}}, 1},
    {8, {{0, ofsChefesGrupo, 16}}, 1},
    {10, {{0, ofsValoresTemporizacao, 7}}, 1},
    {12, {{0, ofsAtendedorPorteiro, 30}}, 1},
    {13, {{0, ofsFacilidadesDiversas, 1}, {1, ofsDigitosSenhaRamal, 1}}, 2},
    {14, {{0, ofsPrefixosRaiz, 350}}, 1},
    {15, {{0, ofsSenhaCentral, 2}}, 1},
    {16, {{0, ofsListasAgendaIndividual, 1320}}, 1},
    {17, {{0, ofsDonosCodigoParticular, 40}}, 1},
    {18, {{0, ofsHorariosNoturno, 49}}, 1},
    {19, {{0, ofsDatasFeriados, 34}}, 1},
    {20, {{0, ofsHorariosAtuacao, 25}}, 1},
    {22, {{0, ofsBilhetagemDiversas, 1}}, 1},
    {24, {{0, ofsCodigoDdd + 1, 1}, {1, ofsCodigoDdd, 1}}, 2},
    {26, {{0, ofsDestinosEmergencia, 40}}, 1},
    {27, {{0, ofsDespertadores, 48}, {52, ofsTotalDespertadores, 1}}, 2},
    {30, {{0, ofsLimiteOriginadaEco, 24}}, 1},
    {33, {{0, ofsOperadorasTabela1, 48}}, 1},
    {128, {{0, ofsLinhaDireta, 12}}, 1},
    {129, {{0, ofsDesvioNaoAtende, 12}}, 1},
    {130, {{0, ofsDesvioOcupado, 12}}, 1},
    {131, {{0, ofsSigaMe, 12}}, 1},
    {132, {{0, ofsSenhasRamais, 24}}, 1},
    {133, {{0, ofsToquesDesvioRamal, 12}}, 1},
    {134, {{0, ofsTempoFlash, 12}}, 1},
    {135, {{0, ofsTempoRetornoEspera, 12}}, 1},
    {136, {{0, ofsTemposRechamada, 12}}, 1},
    {137, {{0, ofsCadeadoRamal, 12}}, 1},
    {138, {{0, ofsFacilidadesRamal, 12}}, 1},
    {139, {{0, ofsSenhasCodigoParticular, 80}}, 1},
    {141, {{0, ofsRamaisTerminaisTI, 120}}, 1},
};

// Every run lies inside its block's data and inside the image.
constexpr bool MapaDentroDosLimites()
{
    for (const MapaBloco& mapa : kMapaBlocos)
        for (int i = 0; i < mapa.quantidade; ++i) {
            const TrechoBloco& t = mapa.trechos[i];
            if (t.dado + t.tamanho > TamanhoBloco(mapa.bloco) || t.imagem + t.tamanho > kTamanhoImagem)
                return false;
        }
    return true;
}
static_assert(MapaDentroDosLimites(), "every block run must fit its block and the image");

struct BlocosItem {
    int item;
    std::vector<std::uint8_t> conjunto;
    FaixaBlocos faixa;
};

const std::vector<BlocosItem>& TabelaItens()
{
    static const std::vector<BlocosItem> tabela = {
        {ipCalendario, {0}, {0, 0}},
        {ipCategoriaRamais, {1}, {1, 1}},
        {ipPlanoNumeracao, {4}, {4, 4}},
        {ipConfiguracaoVias, {2, 3}, {2, 3}},
        {ipAgendaGeral, {6}, {6, 6}},
        {ipAtendedorDigital, {5}, {5, 5}},
        {ipSenhaGeral, {15}, {15, 15}},
        {ipGruposRamais, {7}, {7, 7}},
        {ipChefeSecretaria, {8}, {8, 8}},
        {ipTemporizacoes, {10}, {10, 10}},
        {ipEmergenciaExterna, {26}, {26, 26}},
        {ipAtendedoresPorteiros, {12}, {12, 12}},
        {ipProgramacoesDiversas, {13, 22}, {13, 22}},
        {ipBloqueioPrefixos, {14, 24}, {14, 24}},
        {ipFeriados, {19}, {19, 19}},
        {ipServicosAutomaticos, {18, 20}, {18, 20}},
        // Block 139 belongs to this item's set but moves with item 23.
        {ipCodigoParticular, {17, 139}, {17, 17}},
        {ipDespertador, {27}, {27, 27}},
        {ipProgramacoesIndividuais,
         {128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139}, {128, 139}},
        {ipAgendaIndividual, {16}, {16, 16}},
        {ipRamalEconomico, {30}, {30, 30}},
        {ipHorariosOperadoras, {33}, {33, 33}},
        {ipTeclasTerminais, {141}, {141, 141}},
    };
    return tabela;
}

const BlocosItem* ProcuraItem(int item)
{
    for (const BlocosItem& entrada : TabelaItens())
        if (entrada.item == item)
            return &entrada;
    return nullptr;
}

const MapaBloco* ProcuraMapa(std::uint8_t bloco)
{
    for (const MapaBloco& mapa : kMapaBlocos)
        if (mapa.bloco == bloco)
            return &mapa;
    return nullptr;
}

// Clock block: data byte -> image byte.
constexpr int kSegundoImagem = ofsSegundoCentral;
constexpr int kMinutoImagem = ofsMinutoCentral;
constexpr int kHoraImagem = ofsHoraCentral;
constexpr int kDiaImagem = ofsDiaCentral;
constexpr int kMesImagem = ofsMesCentral;
constexpr int kAnoImagem = ofsAnoCentral;
constexpr int kDiaSemanaImagem = ofsDiaSemanaCentral;

constexpr std::uint8_t kModoRelativo = 0xC0;
constexpr std::uint8_t kBitsAtivacaoNoturno = 0x0C;  // taken from the actuation byte
constexpr std::uint8_t kBitsAtivacaoAtuacao = 0x30;  // taken from the night byte
constexpr int kUltimaTeclaTI = ofsTeclasTI + 99;     // travels in no block
constexpr int kEntradasAgendaGeral = 80;
constexpr int kCodigosParticulares = 40;
constexpr int kDespertadores = 12;
constexpr int kBytesDespertador = 4;

// 1 = Sunday .. 7 = Saturday.
std::uint8_t DiaDaSemana(const QDate& data)
{
    return static_cast<std::uint8_t>(data.dayOfWeek() % 7 + 1);
}

void GravaData(std::uint8_t* imagem, const QDate& data)
{
    DataParaBytes(imagem + kDiaImagem,
                  std::chrono::year_month_day{std::chrono::year{data.year()},
                                              std::chrono::month{static_cast<unsigned>(data.month())},
                                              std::chrono::day{static_cast<unsigned>(data.day())}});
    imagem[kDiaSemanaImagem] = DiaDaSemana(data);
}

void GravaHora(std::uint8_t* bytes3, const QTime& hora)
{
    HoraParaBytes(bytes3, std::chrono::milliseconds{hora.msecsSinceStartOfDay()});
}

// The transmission start, or now when no transmission set it.
QDate DataDoEnvio()
{
    return DataInicioTransmissao.isValid() ? DataInicioTransmissao : QDate::currentDate();
}

QTime HoraDoEnvio()
{
    return HoraInicioTransmissao.isValid() ? HoraInicioTransmissao : QTime::currentTime();
}

void CopiaTrechos(const MapaBloco& mapa, bool recebendo, std::uint8_t* dados)
{
    for (int i = 0; i < mapa.quantidade; ++i) {
        const TrechoBloco& t = mapa.trechos[i];
        if (recebendo)
            std::memcpy(Imagem + t.imagem, dados + t.dado, t.tamanho);
        else
            std::memcpy(dados + t.dado, Imagem + t.imagem, t.tamanho);
    }
}

void GuardaRelogio(const std::uint8_t* dados)
{
    const std::uint8_t dia = BcdParaByte(dados[4]);
    const std::uint8_t mes = BcdParaByte(dados[5]);
    const std::uint8_t ano = BcdParaByte(dados[6]);
    if (dia >= 1 && dia <= 31 && mes >= 1 && mes <= 12 && ano < 100) {
        Imagem[kDiaImagem] = dia;
        Imagem[kMesImagem] = mes;
        Imagem[kAnoImagem] = ano;
        Imagem[kDiaSemanaImagem] = dados[7];
    } else {
        GravaData(Imagem, QDate::currentDate());
    }
    const std::uint8_t hora = BcdParaByte(dados[3]);
    const std::uint8_t minuto = BcdParaByte(dados[2]);
    const std::uint8_t segundo = BcdParaByte(dados[1]);
    if (hora < 24 && minuto < 60 && segundo < 60) {
        Imagem[kHoraImagem] = hora;
        Imagem[kMinutoImagem] = minuto;
        Imagem[kSegundoImagem] = segundo;
    } else {
        GravaHora(Imagem + kHoraImagem, QTime::currentTime());
    }
    Imagem[ofsEstadoCentral] = dados[0];
    ByteEstado = dados[0];
}

void MontaRelogio(std::uint8_t* dados, bool regraRelogio)
{
    const int calendario = ipCalendario - 1;
    if (regraRelogio && (ItensDisponiveis[calendario] == 0 || ItensEditados[calendario] == 0)) {
        // The weekday is that of the date sent, so the two always agree.
        GravaData(Imagem, DataDoEnvio());
        GravaHora(Imagem + kHoraImagem, HoraDoEnvio());
    }
    dados[4] = ByteParaBcd(Imagem[kDiaImagem]);
    dados[5] = ByteParaBcd(Imagem[kMesImagem]);
    dados[6] = ByteParaBcd(Imagem[kAnoImagem] % 100);
    dados[3] = ByteParaBcd(Imagem[kHoraImagem]);
    dados[2] = ByteParaBcd(Imagem[kMinutoImagem]);
    dados[1] = ByteParaBcd(Imagem[kSegundoImagem]);
    dados[7] = Imagem[kDiaSemanaImagem];
    dados[0] = ByteEstado;
}

// Names live only on the PC: a general speed-dial entry that arrives empty
// or with another number loses its name.
void LimpaNomesAgendaGeral(const std::uint8_t* dados)
{
    for (int i = 1; i <= kEntradasAgendaGeral; ++i) {
        const std::uint8_t* nova = dados + kTamanhoNumero * (i - 1);
        if (nova[1] == 0 || !MesmaEntradaAgenda(nova, Imagem + OffsetAgendaGeral(i)))
            Imagem[OffsetNomeAgendaGeral(i)] = 0;
    }
}

// A private code that arrives without an owner loses its name.
void LimpaNomesCodigos(const std::uint8_t* dados)
{
    for (int k = 1; k <= kCodigosParticulares; ++k)
        if (dados[k - 1] == kSemReferencia)
            Imagem[OffsetNomeCodigo(k)] = 0;
}

void GuardaDespertadores(const std::uint8_t* dados)
{
    for (int k = 0; k < kDespertadores; ++k) {
        const std::uint8_t* fio = dados + kBytesDespertador * k;
        std::uint8_t* entrada = Imagem + ofsDespertadores + kBytesDespertador * k;
        if ((fio[1] & kModoRelativo) == kModoRelativo) {
            entrada[0] = fio[2];
            entrada[1] = fio[3] | kModoRelativo;
            entrada[2] = kSemHorario;
            entrada[3] = kSemHorario;
        }
    }
}

void MontaDespertadores(std::uint8_t* dados)
{
    for (int k = 0; k < kDespertadores; ++k) {
        std::uint8_t* fio = dados + kBytesDespertador * k;
        if ((fio[1] & kModoRelativo) != kModoRelativo)
            continue;
        fio[2] = fio[0];
        fio[3] = fio[1] & ~kModoRelativo;
        std::uint8_t horario[2] = {fio[2], fio[3]};
        SomaHoraTransmissao(horario);
        fio[0] = horario[0];
        fio[1] = horario[1];
    }
}

// The night-service and external-actuation bytes share activation bits:
// before either block goes out, the other block's bits are taken over.
void CombinaAtivacao(int destino, int origem, std::uint8_t mascara)
{
    Imagem[destino] = static_cast<std::uint8_t>((Imagem[destino] & ~mascara) | (Imagem[origem] & mascara));
}

} // namespace

void GuardaBlocoRecebido(std::uint8_t bloco)
{
    if (!Imagem)
        return;
    std::uint8_t* dados = BufferDados + 1;
    if (bloco == 0) {
        GuardaRelogio(dados);
        return;
    }
    const MapaBloco* mapa = ProcuraMapa(bloco);
    if (!mapa)
        return;
    if (bloco == 6)
        LimpaNomesAgendaGeral(dados);
    else if (bloco == 17)
        LimpaNomesCodigos(dados);
    CopiaTrechos(*mapa, true, dados);
    if (bloco == 27)
        GuardaDespertadores(dados);
    else if (bloco == 141)
        Imagem[kUltimaTeclaTI] = 0;
}

void MontaBlocoEnvio(std::uint8_t bloco, bool regraRelogio)
{
    std::memset(BufferDados, 0, sizeof BufferDados);
    if (!Imagem)
        return;
    if (bloco == 0) {
        MontaRelogio(BufferDados, regraRelogio);
        return;
    }
    const MapaBloco* mapa = ProcuraMapa(bloco);
    if (!mapa)
        return;
    if (bloco == 18)
        CombinaAtivacao(ofsAtivacaoNoturno, ofsAtivacaoAtuacao, kBitsAtivacaoNoturno);
    else if (bloco == 20)
        CombinaAtivacao(ofsAtivacaoAtuacao, ofsAtivacaoNoturno, kBitsAtivacaoAtuacao);
    CopiaTrechos(*mapa, false, BufferDados);
    if (bloco == 27)
        MontaDespertadores(BufferDados);
}

bool MesmaEntradaAgenda(const std::uint8_t* a, const std::uint8_t* b)
{
    return std::memcmp(a + 1, b + 1, 8) == 0;
}

std::uint8_t ByteParaBcd(std::uint8_t valor)
{
    return static_cast<std::uint8_t>((valor / 10) * 16 + valor % 10);
}

void SomaHoraTransmissao(std::uint8_t* minutoHora)
{
    // The start time is worked out apart: the image's clock stays as it is.
    std::uint8_t inicio[3];
    GravaHora(inicio, HoraDoEnvio());
    int minuto = minutoHora[0] + inicio[1];
    int vaiUm = 0;
    if (minuto >= 60) {
        minuto -= 60;
        vaiUm = 1;
    }
    int hora = (minutoHora[1] & ~kModoRelativo) + vaiUm + inicio[0];
    if (hora >= 24)
        hora -= 24;
    minutoHora[0] = static_cast<std::uint8_t>(minuto);
    minutoHora[1] = static_cast<std::uint8_t>(hora | kModoRelativo);
}

TConjuntoBlocos BlocosDoItem(int item)
{
    TConjuntoBlocos conjunto;
    if (const BlocosItem* entrada = ProcuraItem(item))
        for (std::uint8_t bloco : entrada->conjunto)
            conjunto.set(bloco);
    return conjunto;
}

FaixaBlocos FaixaDoItem(int item)
{
    const BlocosItem* entrada = ProcuraItem(item);
    return entrada ? entrada->faixa : FaixaBlocos{1, 0};
}

std::vector<std::uint8_t> BlocosDaTransferencia(int item, bool transmitir)
{
    const TConjuntoBlocos conjunto = BlocosDoItem(item);
    const FaixaBlocos faixa = FaixaDoItem(item);
    std::vector<std::uint8_t> blocos;
    for (int b = faixa.primeiro; b <= faixa.ultimo; ++b)
        if (conjunto.test(static_cast<std::size_t>(b)))
            blocos.push_back(static_cast<std::uint8_t>(b));
    // Item 4 goes out trunk records (block 3) first, then the modes (block 2).
    if (transmitir && item == ipConfiguracaoVias)
        std::reverse(blocos.begin(), blocos.end());
    return blocos;
}
