#pragma once
// The programming image: 6610 bytes, one fixed area after another. The table
// below is the one description of where each area lies; every offset the
// program uses comes from it.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

constexpr int kTamanhoImagem = 6610;

// Item column: the programming item (TItemProgramacao) that carries the area,
// or kSemItem. Block column: the transfer block that carries it, kSemBloco
// when nothing carries it, kSomenteArquivo when it lives only in the image
// and in files and never travels to or from the exchange.
constexpr int kSemItem = 0;
constexpr int kSemBloco = -1;
constexpr int kSomenteArquivo = -2;

struct AreaImagem {
    std::string_view nome;
    int inicio;          // first offset
    int tamanho;         // bytes
    int tamanhoRegistro; // bytes per record; a single field is one record
    int registros;       // record count; tamanhoRegistro * registros == tamanho
    int item;            // TItemProgramacao or kSemItem
    int bloco;           // transfer block, kSemBloco or kSomenteArquivo
    bool reservada;      // opaque bytes that no editor changes

    constexpr int fim() const { return inicio + tamanho; } // one past the last byte
};

// Every area and reserved range, in offset order. Unnamed reserved ranges are
// named after their first offset.
inline constexpr AreaImagem kAreasImagem[] = {
    // name                      start  size rec  n   item  block
    {"EstadoCentral",                0,    1,   1,  1,  1,   0,               false},
    {"Assinatura",                   1,   10,  10,  1,  kSemItem, kSomenteArquivo, false},
    {"DataHoraCentral",             11,    7,   7,  1,  1,   0,               false},
    {"AcessoDiurno",                18,   13,   1, 13,  2,   1,               false},
    {"AcessoNoturno",               31,   13,   1, 13,  2,   1,               false},
    {"RotasDiurnas",                44,   13,   1, 13,  2,   1,               false},
    {"RotasNoturnas",               57,   13,   1, 13,  2,   1,               false},
    {"FacilidadesDiurnas",          70,   13,   1, 13,  2,   1,               false},
    {"FacilidadesNoturnas",         83,   13,   1, 13,  2,   1,               false},
    {"SubRotaDiurna",               96,   13,   1, 13,  2,   1,               false},
    {"SubRotaNoturna",             109,   13,   1, 13,  2,   1,               false},
    {"FlagsRamal",                 122,   13,   1, 13,  2,   1,               false},
    {"Reservado135",               135,    1,   1,  1,  kSemItem, kSemBloco,  true},
    {"ConfiguracaoVias",           136,   32,   8,  4,  4,   3,               false},
    {"ReservaVias",                168,  224,   8, 28,  kSemItem, kSemBloco,  true},
    {"Reservado392",               392,    2,   2,  1,  kSemItem, kSemBloco,  true},
    {"ModoVias",                   394,    4,   1,  4,  4,   2,               false},
    {"ReservaModoVias",            398,   28,   1, 28,  kSemItem, kSemBloco,  true},
    {"PlanoNumeracao",             426,   24,   2, 12,  3,   4,               false},
    {"NomesRamais",                450,  252,  21, 12,  3,   kSomenteArquivo, false},
    {"ControleAtendedor",          702,    2,   2,  1,  6,   5,               false},
    {"AgendaGeral",                704,  960,  12, 80,  5,   6,               false},
    {"NomesAgendaGeral",          1664, 1680,  21, 80,  5,   kSomenteArquivo, false},
    {"ToquesDesvioGrupo",         3344,    4,   1,  4,  8,   7,               false},
    {"GruposRamais",              3348,   32,   8,  4,  8,   7,               false},
    {"ChefesGrupo",               3380,    8,   2,  4,  9,   8,               false},
    {"SecretariasGrupo",          3388,    8,   2,  4,  9,   8,               false},
    {"ValoresTemporizacao",       3396,    7,   1,  7, 10,  10,               false},
    {"DestinosEmergencia",        3403,   40,  40,  1, 11,  26,               false},
    {"AtendedorPorteiro",         3443,   30,  30,  1, 12,  12,               false},
    {"BilhetagemDiversas",        3473,    1,   1,  1, 13,  22,               false},
    {"Reservado3474",             3474,    1,   1,  1,  kSemItem, kSemBloco,  true},
    {"FacilidadesDiversas",       3475,    1,   1,  1, 13,  13,               false},
    {"DigitosSenhaRamal",         3476,    1,   1,  1, 13,  13,               false},
    {"Reservado3477",             3477,    1,   1,  1,  kSemItem, kSemBloco,  true},
    {"CodigoDdd",                 3478,    2,   2,  1, 14,  24,               false},
    {"PrefixosRaiz",              3480,  100,   1,100, 14,  14,               false},
    {"PrefixosNos",               3580,  250,  10, 25, 14,  14,               false},
    {"SenhaCentral",              3830,    2,   2,  1,  7,  15,               false},
    {"Reservado3832",             3832,    1,   1,  1,  kSemItem, kSemBloco,  true},
    {"DatasFeriados",             3833,   32,   2, 16, 15,  19,               false},
    {"InicioFeriadoSabado",       3865,    2,   2,  1, 15,  19,               false},
    {"HorariosAtuacao",           3867,   24,   2, 12, 16,  20,               false},
    {"AtivacaoAtuacao",           3891,    1,   1,  1, 16,  20,               false},
    {"HorariosNoturno",           3892,   48,   4, 12, 16,  18,               false},
    {"AtivacaoNoturno",           3940,    1,   1,  1, 16,  18,               false},
    {"ListasAgendaIndividual",    3941, 1320, 110, 12, 24,  16,               false},
    {"DonosCodigoParticular",     5261,   40,   1, 40, 19,  17,               false},
    {"NomesCodigoParticular",     5301,  840,  21, 40, 19,  kSomenteArquivo, false},
    {"Despertadores",             6141,   48,   4, 12, 21,  27,               false},
    {"TotalDespertadores",        6189,    1,   1,  1, 21,  27,               false},
    {"LinhaDireta",               6190,   12,   1, 12, 23, 128,               false},
    {"DesvioNaoAtende",           6202,   12,   1, 12, 23, 129,               false},
    {"DesvioOcupado",             6214,   12,   1, 12, 23, 130,               false},
    {"SigaMe",                    6226,   12,   1, 12, 23, 131,               false},
    {"SenhasRamais",              6238,   24,   2, 12, 23, 132,               false},
    {"ToquesDesvioRamal",         6262,   12,   1, 12, 23, 133,               false},
    {"TempoFlash",                6274,   12,   1, 12, 23, 134,               false},
    {"TempoRetornoEspera",        6286,   12,   1, 12, 23, 135,               false},
    {"TemposRechamada",           6298,   12,   1, 12, 23, 136,               false},
    {"CadeadoRamal",              6310,   12,   1, 12, 23, 137,               false},
    {"FacilidadesRamal",          6322,   12,   1, 12, 23, 138,               false},
    {"SenhasCodigoParticular",    6334,   80,   2, 40, 23, 139,               false},
    {"RamaisTerminaisTI",         6414,    4,   1,  4, 29, 141,               false},
    {"Reservado6418",             6418,   17,  17,  1, 29, 141,               true},
    {"TeclasTI",                  6435,  100,  25,  4, 29, 141,               false},
    {"LimiteOriginadaEco",        6535,   12,   1, 12, 27,  30,               false},
    {"LimiteRecebidaEco",         6547,   12,   1, 12, 27,  30,               false},
    {"OperadorasTabela1",         6559,   24,   1, 24, 28,  33,               false},
    {"OperadorasTabela2",         6583,   24,   1, 24, 28,  33,               false},
    {"Reservado6607",             6607,    1,   1,  1,  kSemItem, kSemBloco,  true},
    {"RamalPosicaoExtra",         6608,    2,   2,  1,  3,   4,               false},
};

// True when the areas follow one another from byte 0 to the last byte of the
// image with no gap or overlap and every record shape matches its size.
constexpr bool AreasCobremImagem()
{
    int proximo = 0;
    for (const AreaImagem& area : kAreasImagem) {
        if (area.inicio != proximo || area.tamanho <= 0)
            return false;
        if (area.tamanhoRegistro * area.registros != area.tamanho)
            return false;
        proximo = area.fim();
    }
    return proximo == kTamanhoImagem;
}
static_assert(AreasCobremImagem(), "the image areas must tile bytes 0..6609");

// The area of that name; an unknown name does not compile where used as a
// constant and throws at run time.
constexpr const AreaImagem& Area(std::string_view nome)
{
    for (const AreaImagem& area : kAreasImagem)
        if (area.nome == nome)
            return area;
    throw std::invalid_argument("unknown image area");
}

// The area holding byte ofs, or nullptr outside the image.
constexpr const AreaImagem* AreaDoByte(int ofs)
{
    for (const AreaImagem& area : kAreasImagem)
        if (ofs >= area.inicio && ofs < area.fim())
            return &area;
    return nullptr;
}

// First offset of each area.
inline constexpr int ofsEstadoCentral = Area("EstadoCentral").inicio;
inline constexpr int ofsAssinatura = Area("Assinatura").inicio;
inline constexpr int ofsDataHoraCentral = Area("DataHoraCentral").inicio;
inline constexpr int ofsAcessoDiurno = Area("AcessoDiurno").inicio;
inline constexpr int ofsAcessoNoturno = Area("AcessoNoturno").inicio;
inline constexpr int ofsRotasDiurnas = Area("RotasDiurnas").inicio;
inline constexpr int ofsRotasNoturnas = Area("RotasNoturnas").inicio;
inline constexpr int ofsFacilidadesDiurnas = Area("FacilidadesDiurnas").inicio;
inline constexpr int ofsFacilidadesNoturnas = Area("FacilidadesNoturnas").inicio;
inline constexpr int ofsSubRotaDiurna = Area("SubRotaDiurna").inicio;
inline constexpr int ofsSubRotaNoturna = Area("SubRotaNoturna").inicio;
inline constexpr int ofsFlagsRamal = Area("FlagsRamal").inicio;
inline constexpr int ofsConfiguracaoVias = Area("ConfiguracaoVias").inicio;
inline constexpr int ofsReservaVias = Area("ReservaVias").inicio;
inline constexpr int ofsModoVias = Area("ModoVias").inicio;
inline constexpr int ofsReservaModoVias = Area("ReservaModoVias").inicio;
inline constexpr int ofsPlanoNumeracao = Area("PlanoNumeracao").inicio;
inline constexpr int ofsNomesRamais = Area("NomesRamais").inicio;
inline constexpr int ofsControleAtendedor = Area("ControleAtendedor").inicio;
inline constexpr int ofsAgendaGeral = Area("AgendaGeral").inicio;
inline constexpr int ofsNomesAgendaGeral = Area("NomesAgendaGeral").inicio;
inline constexpr int ofsToquesDesvioGrupo = Area("ToquesDesvioGrupo").inicio;
inline constexpr int ofsGruposRamais = Area("GruposRamais").inicio;
inline constexpr int ofsChefesGrupo = Area("ChefesGrupo").inicio;
inline constexpr int ofsSecretariasGrupo = Area("SecretariasGrupo").inicio;
inline constexpr int ofsValoresTemporizacao = Area("ValoresTemporizacao").inicio;
inline constexpr int ofsDestinosEmergencia = Area("DestinosEmergencia").inicio;
inline constexpr int ofsAtendedorPorteiro = Area("AtendedorPorteiro").inicio;
inline constexpr int ofsBilhetagemDiversas = Area("BilhetagemDiversas").inicio;
inline constexpr int ofsFacilidadesDiversas = Area("FacilidadesDiversas").inicio;
inline constexpr int ofsDigitosSenhaRamal = Area("DigitosSenhaRamal").inicio;
inline constexpr int ofsCodigoDdd = Area("CodigoDdd").inicio;
inline constexpr int ofsPrefixosRaiz = Area("PrefixosRaiz").inicio;
inline constexpr int ofsPrefixosNos = Area("PrefixosNos").inicio;
inline constexpr int ofsSenhaCentral = Area("SenhaCentral").inicio;
inline constexpr int ofsDatasFeriados = Area("DatasFeriados").inicio;
inline constexpr int ofsInicioFeriadoSabado = Area("InicioFeriadoSabado").inicio;
inline constexpr int ofsHorariosAtuacao = Area("HorariosAtuacao").inicio;
inline constexpr int ofsAtivacaoAtuacao = Area("AtivacaoAtuacao").inicio;
inline constexpr int ofsHorariosNoturno = Area("HorariosNoturno").inicio;
inline constexpr int ofsAtivacaoNoturno = Area("AtivacaoNoturno").inicio;
inline constexpr int ofsListasAgendaIndividual = Area("ListasAgendaIndividual").inicio;
inline constexpr int ofsDonosCodigoParticular = Area("DonosCodigoParticular").inicio;
inline constexpr int ofsNomesCodigoParticular = Area("NomesCodigoParticular").inicio;
inline constexpr int ofsDespertadores = Area("Despertadores").inicio;
inline constexpr int ofsTotalDespertadores = Area("TotalDespertadores").inicio;
inline constexpr int ofsLinhaDireta = Area("LinhaDireta").inicio;
inline constexpr int ofsDesvioNaoAtende = Area("DesvioNaoAtende").inicio;
inline constexpr int ofsDesvioOcupado = Area("DesvioOcupado").inicio;
inline constexpr int ofsSigaMe = Area("SigaMe").inicio;
inline constexpr int ofsSenhasRamais = Area("SenhasRamais").inicio;
inline constexpr int ofsToquesDesvioRamal = Area("ToquesDesvioRamal").inicio;
inline constexpr int ofsTempoFlash = Area("TempoFlash").inicio;
inline constexpr int ofsTempoRetornoEspera = Area("TempoRetornoEspera").inicio;
inline constexpr int ofsTemposRechamada = Area("TemposRechamada").inicio;
inline constexpr int ofsCadeadoRamal = Area("CadeadoRamal").inicio;
inline constexpr int ofsFacilidadesRamal = Area("FacilidadesRamal").inicio;
inline constexpr int ofsSenhasCodigoParticular = Area("SenhasCodigoParticular").inicio;
inline constexpr int ofsRamaisTerminaisTI = Area("RamaisTerminaisTI").inicio;
inline constexpr int ofsTeclasTI = Area("TeclasTI").inicio;
inline constexpr int ofsLimiteOriginadaEco = Area("LimiteOriginadaEco").inicio;
inline constexpr int ofsLimiteRecebidaEco = Area("LimiteRecebidaEco").inicio;
inline constexpr int ofsOperadorasTabela1 = Area("OperadorasTabela1").inicio;
inline constexpr int ofsOperadorasTabela2 = Area("OperadorasTabela2").inicio;
inline constexpr int ofsRamalPosicaoExtra = Area("RamalPosicaoExtra").inicio;

// The bytes of the exchange clock: the weekday (1 = Sunday .. 7 = Saturday),
// the date (day, month, year mod 100) and the time (hour, minute, second).
inline constexpr int ofsDiaSemanaCentral = ofsDataHoraCentral;
inline constexpr int ofsDiaCentral = ofsDataHoraCentral + 1;
inline constexpr int ofsMesCentral = ofsDataHoraCentral + 2;
inline constexpr int ofsAnoCentral = ofsDataHoraCentral + 3;
inline constexpr int ofsHoraCentral = ofsDataHoraCentral + 4;
inline constexpr int ofsMinutoCentral = ofsDataHoraCentral + 5;
inline constexpr int ofsSegundoCentral = ofsDataHoraCentral + 6;
static_assert(ofsSegundoCentral + 1 == Area("DataHoraCentral").fim());

// Landmarks the exchange and the files rely on.
static_assert(ofsPlanoNumeracao == 426 && ofsNomesRamais == 450);
static_assert(Area("OperadorasTabela2").fim() == 6607 && ofsRamalPosicaoExtra == 6608);

constexpr int kPosicoesRamal = 12;     // extension positions 1..12
constexpr int kTamanhoNome = 21;       // name slot: length byte + 20 characters
constexpr int kMaximoNome = 20;
constexpr int kTamanhoNumero = 12;     // dial record with its flags byte
constexpr int kTamanhoNumeroCurto = 11; // dial record without it
constexpr int kEntradasAgendaIndividual = 10;

// Offset of record n (1-based) of an area; a record outside the area throws,
// so no caller can address a byte outside it.
constexpr int OffsetRegistro(const AreaImagem& area, int n)
{
    if (n < 1 || n > area.registros)
        throw std::out_of_range("record outside its image area");
    return area.inicio + area.tamanhoRegistro * (n - 1);
}

// Per-position, per-record helpers (positions p 1..12, or the record counts
// of their areas).
constexpr int OffsetPalavraRamal(int p) { return OffsetRegistro(Area("PlanoNumeracao"), p); }
constexpr int OffsetNomeRamal(int p) { return OffsetRegistro(Area("NomesRamais"), p); }
// The extension-category arrays have a 13th entry that belongs to no position.
constexpr int OffsetCategoria(const AreaImagem& area, int p) { return OffsetRegistro(area, p); }
constexpr int OffsetVia(int t) { return OffsetRegistro(Area("ConfiguracaoVias"), t); }
constexpr int OffsetModoVia(int t) { return OffsetRegistro(Area("ModoVias"), t); }
constexpr int OffsetAgendaGeral(int i) { return OffsetRegistro(Area("AgendaGeral"), i); }
constexpr int OffsetNomeAgendaGeral(int i) { return OffsetRegistro(Area("NomesAgendaGeral"), i); }
constexpr int OffsetToquesDesvioGrupo(int g) { return OffsetRegistro(Area("ToquesDesvioGrupo"), g); }
constexpr int OffsetGrupo(int g) { return OffsetRegistro(Area("GruposRamais"), g); }
constexpr int OffsetChefeGrupo(int g) { return OffsetRegistro(Area("ChefesGrupo"), g); }
constexpr int OffsetSecretariaGrupo(int g) { return OffsetRegistro(Area("SecretariasGrupo"), g); }
constexpr int OffsetPrefixoNo(int n) { return OffsetRegistro(Area("PrefixosNos"), n + 1); } // nodes 0..24
constexpr int OffsetFeriado(int f) { return OffsetRegistro(Area("DatasFeriados"), f); }
constexpr int OffsetHorarioAtuacao(int h) { return OffsetRegistro(Area("HorariosAtuacao"), h); }
constexpr int OffsetHorarioNoturno(int h) { return OffsetRegistro(Area("HorariosNoturno"), h); }
constexpr int OffsetAgendaIndividual(int p) { return OffsetRegistro(Area("ListasAgendaIndividual"), p); }
// Entry e (1..10) of the speed-dial list of position p.
constexpr int OffsetEntradaAgendaIndividual(int p, int e)
{
    if (e < 1 || e > kEntradasAgendaIndividual)
        throw std::out_of_range("speed-dial entry outside its list");
    return OffsetAgendaIndividual(p) + kTamanhoNumeroCurto * (e - 1);
}
constexpr int OffsetDonoCodigo(int j) { return OffsetRegistro(Area("DonosCodigoParticular"), j); }
constexpr int OffsetNomeCodigo(int j) { return OffsetRegistro(Area("NomesCodigoParticular"), j); }
constexpr int OffsetDespertador(int p) { return OffsetRegistro(Area("Despertadores"), p); }
constexpr int OffsetLinhaDireta(int p) { return OffsetRegistro(Area("LinhaDireta"), p); }
constexpr int OffsetDesvioNaoAtende(int p) { return OffsetRegistro(Area("DesvioNaoAtende"), p); }
constexpr int OffsetDesvioOcupado(int p) { return OffsetRegistro(Area("DesvioOcupado"), p); }
constexpr int OffsetSigaMe(int p) { return OffsetRegistro(Area("SigaMe"), p); }
constexpr int OffsetSenhaRamal(int p) { return OffsetRegistro(Area("SenhasRamais"), p); }
constexpr int OffsetToquesDesvioRamal(int p) { return OffsetRegistro(Area("ToquesDesvioRamal"), p); }
constexpr int OffsetTempoFlash(int p) { return OffsetRegistro(Area("TempoFlash"), p); }
constexpr int OffsetTempoRetornoEspera(int p) { return OffsetRegistro(Area("TempoRetornoEspera"), p); }
constexpr int OffsetTemposRechamada(int p) { return OffsetRegistro(Area("TemposRechamada"), p); }
constexpr int OffsetCadeadoRamal(int p) { return OffsetRegistro(Area("CadeadoRamal"), p); }
constexpr int OffsetFacilidadesRamal(int p) { return OffsetRegistro(Area("FacilidadesRamal"), p); }
constexpr int OffsetSenhaCodigo(int j) { return OffsetRegistro(Area("SenhasCodigoParticular"), j); }
constexpr int OffsetRamalTerminal(int k) { return OffsetRegistro(Area("RamaisTerminaisTI"), k); }
constexpr int OffsetTeclasTerminal(int k) { return OffsetRegistro(Area("TeclasTI"), k); }
constexpr int OffsetLimiteOriginadaEco(int p) { return OffsetRegistro(Area("LimiteOriginadaEco"), p); }
constexpr int OffsetLimiteRecebidaEco(int p) { return OffsetRegistro(Area("LimiteRecebidaEco"), p); }
constexpr int OffsetOperadoraTabela1(int h) { return OffsetRegistro(Area("OperadorasTabela1"), h + 1); } // hours 0..23
constexpr int OffsetOperadoraTabela2(int h) { return OffsetRegistro(Area("OperadorasTabela2"), h + 1); }

// The timing bytes (the fifth, 3400, has no use the program knows of).
inline constexpr int ofsTempoGeracaoFlash = OffsetRegistro(Area("ValoresTemporizacao"), 1); // x 100 ms
inline constexpr int ofsToquesDespertador = OffsetRegistro(Area("ValoresTemporizacao"), 2);
inline constexpr int ofsToquesRechamada = OffsetRegistro(Area("ValoresTemporizacao"), 3);
inline constexpr int ofsTempoAtuacao = OffsetRegistro(Area("ValoresTemporizacao"), 4); // seconds
inline constexpr int ofsTentativasRechamada = OffsetRegistro(Area("ValoresTemporizacao"), 6);
inline constexpr int ofsIntervaloRechamada = OffsetRegistro(Area("ValoresTemporizacao"), 7); // minutes

// The door-phone answering fields (the first 15 bytes of its area; the rest
// has no use the program knows of): the answering extension or group (a
// reference byte), the external number (a dial record with its flags byte,
// the route in the count byte), the command time in ticks of 20 ms and the
// wait for an answer in seconds.
inline constexpr int ofsAtendentePorteiro = ofsAtendedorPorteiro;
inline constexpr int ofsNumeroExternoPorteiro = ofsAtendedorPorteiro + 1;
inline constexpr int ofsTempoComandoPorteiro = ofsAtendedorPorteiro + 13;
inline constexpr int ofsTempoEsperaPorteiro = ofsAtendedorPorteiro + 14;
inline constexpr int kTiquesPorSegundo = 50;
static_assert(ofsNumeroExternoPorteiro + kTamanhoNumero == ofsTempoComandoPorteiro);
static_assert(ofsTempoEsperaPorteiro < Area("AtendedorPorteiro").fim());
// The timed services. Times are [hour, minute] (0x60 in both: no time)
// unless said otherwise.
// A night-service record r (1..12): the exit time, then the entry time.
constexpr int OffsetSaidaNoturno(int r) { return OffsetHorarioNoturno(r); }
constexpr int OffsetEntradaNoturno(int r) { return OffsetHorarioNoturno(r) + 2; }
// How a service is activated: the bits of its activation byte that hold it,
// and their values for working days only and for every day (all clear: not
// active). The byte's other bits belong to other settings.
struct AtivacaoServico {
    std::uint8_t bits;
    std::uint8_t diasUteis;
    std::uint8_t todosOsDias;
};
inline constexpr AtivacaoServico kAtivacaoNoturno{0x30, 0x30, 0x20}; // byte ofsAtivacaoNoturno
inline constexpr AtivacaoServico kAtivacaoAtuacao{0x0C, 0x0C, 0x08}; // byte ofsAtivacaoAtuacao
// Holiday f (1..16): [day, month], plain numbers; [0, 0] is no holiday.
constexpr int OffsetDiaFeriado(int f) { return OffsetFeriado(f); }
constexpr int OffsetMesFeriado(int f) { return OffsetFeriado(f) + 1; }
// From when Saturday counts as a holiday: hour, then minute, plain numbers.
inline constexpr int ofsHoraFeriadoSabado = ofsInicioFeriadoSabado;
inline constexpr int ofsMinutoFeriadoSabado = ofsInicioFeriadoSabado + 1;
// Wake-up record of position p: [minute, hour | mode, 0x60, 0x60]; a minute
// of 0x60 is no wake-up. The mode is in the top two bits of the hour byte.
constexpr int OffsetMinutoDespertador(int p) { return OffsetDespertador(p); }
constexpr int OffsetHoraDespertador(int p) { return OffsetDespertador(p) + 1; }
constexpr int OffsetFimDespertador(int p) { return OffsetDespertador(p) + 2; } // the two 0x60 bytes
inline constexpr std::uint8_t kBitsModoDespertador = 0xC0;
inline constexpr std::uint8_t kBitsHoraDespertador = 0x3F;
enum TModoDespertador : std::uint8_t {
    mdUmaVez = 0x00,
    mdTodoDia = 0x80,
    mdDiaUtil = 0x40,
    mdRepetido = 0xC0,
};
static_assert(OffsetEntradaNoturno(12) + 2 == ofsAtivacaoNoturno && ofsMinutoFeriadoSabado + 1 == ofsHorariosAtuacao);
static_assert(OffsetFimDespertador(12) + 2 == ofsTotalDespertadores);

static_assert(OffsetPalavraRamal(1) == 426 && OffsetPalavraRamal(12) == 448);
static_assert(OffsetNomeRamal(1) == 450 && OffsetNomeRamal(12) == 429 + 21 * 12);
static_assert(OffsetEntradaAgendaIndividual(12, 10) + kTamanhoNumeroCurto == ofsDonosCodigoParticular);

// 16-bit words are little-endian in the image (and in the users file).
inline std::uint16_t LeU16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline void GravaU16(std::uint8_t* p, std::uint16_t valor)
{
    p[0] = static_cast<std::uint8_t>(valor & 0xFF);
    p[1] = static_cast<std::uint8_t>(valor >> 8);
}

// Names: a 21-byte slot holding a length byte and up to 20 cp1252
// characters. Reading takes at most 20 characters whatever the length byte
// says; writing stores at most the first 20 characters, leaves the bytes
// after them as they were, and refuses (false, slot untouched) a text that
// cp1252 cannot hold.
std::string LeNome(const std::uint8_t* slot);
bool GravaNome(std::uint8_t* slot, std::string_view texto);
