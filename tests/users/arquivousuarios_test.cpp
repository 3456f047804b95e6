#include "tests/support/filemode.h"
#include "tests/support/scripted.h"
#include "tests/users/pastausuarios.h"

#include <QFile>

#include <gtest/gtest.h>

#include <ostream>

namespace {

std::string Bytes(std::initializer_list<int> codigos)
{
    std::string texto;
    for (int c : codigos)
        texto.push_back(static_cast<char>(c));
    return texto;
}

TEST(ChavesCifra, ReadKeyIsTheInverseOfTheWriteKeyModulo236)
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            long long soma = 0;
            for (int t = 0; t < 4; ++t)
                soma += static_cast<long long>(ChaveGravacao[i][t]) * ChaveLeitura[t][j];
            EXPECT_EQ(soma % 236, i == j ? 1 : 0) << i << "," << j;
            EXPECT_GE(ChaveGravacao[i][j], 0);
        }
}

TEST(CifraTexto, EveryCode20To255ComesBackInEachPositionOfABlock)
{
    for (int posicao = 0; posicao < 4; ++posicao)
        for (int codigo = 20; codigo <= 255; ++codigo)
            for (int outro : {20, 128, 255}) {
                std::string texto(4, static_cast<char>(outro));
                texto[static_cast<size_t>(posicao)] = static_cast<char>(codigo);
                ASSERT_EQ(CifraTexto(kDecifra, CifraTexto(kCifra, texto)), texto)
                    << "code " << codigo << " at " << posicao << " beside " << outro;
            }
}

TEST(CifraTexto, TextsOf1To30CharactersComeBack)
{
    for (size_t tamanho = 1; tamanho <= 30; ++tamanho) {
        std::string texto;
        for (size_t i = 0; i < tamanho; ++i)
            texto.push_back(static_cast<char>(20 + (i * 37 + tamanho * 11) % 236));
        const std::string cifrado = CifraTexto(kCifra, texto);
        EXPECT_EQ(cifrado.size(), tamanho);
        if (tamanho >= 4) {
            EXPECT_NE(cifrado.substr(0, 4), texto.substr(0, 4));
        }
        EXPECT_EQ(CifraTexto(kDecifra, cifrado), texto) << tamanho;
    }
}

TEST(CifraTexto, AShortLastPieceIsOnlyShiftedBy19)
{
    const std::string cifrado = CifraTexto(kCifra, "ABCDE");
    ASSERT_EQ(cifrado.size(), 5u);
    EXPECT_EQ(cifrado[4], 'E' - 19);
    EXPECT_EQ(CifraTexto(kCifra, "AB"), Bytes({'A' - 19, 'B' - 19}));
}

// A record as hex runs at offsets; every other byte is zero.
struct Trecho {
    size_t offset;
    const char* hex;
};

struct CasoArquivo {
    const char* nome;
    std::vector<UsuarioTeste> usuarios;
    std::vector<Trecho> bytes;
};

void PrintTo(const CasoArquivo& caso, std::ostream* os)
{
    *os << caso.nome;
}

QByteArray Esperado(const std::vector<Trecho>& trechos)
{
    QByteArray dados(422, '\0');
    for (const Trecho& t : trechos) {
        const QByteArray run = QByteArray::fromHex(t.hex);
        dados.replace(static_cast<qsizetype>(t.offset), run.size(), run);
    }
    return dados;
}

const CasoArquivo kCasosArquivo[] = {
    {"NoUsers", {}, {}},
    {"OneManager",
     {{1, "ADMIN", "senha1", 0x000F}},
     {{0, "05 8a 25 81 9c 3b"}, {310, "06 46 bc 51 b7 4e 1e"}, {400, "0f"}, {420, "c3 03"}}},
    {"GapLongNameAndHighRights",
     {{1, "Jo\xE9", "AB", 0x0001}, {3, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", "12345678", 0x0103}},
     {{0, "03 37 5c d6"},
      {62, "1e c6 c0 29 b2 8a 34 15 32 4e 94 01 9e 12 08 d9 1e c2 68 c5 8a 86 c8 b1 0a a8 48 66 db 1f 20"},
      {310, "02 2e 2f"},
      {328, "08 ca 2c 79 da 8e 8c 65 5a"},
      {400, "01"},
      {404, "03 01"},
      {420, "9e 0c"}}},
};

class ArquivoUsuarios : public PastaUsuarios, public ::testing::WithParamInterface<CasoArquivo> {};

TEST_P(ArquivoUsuarios, IsWrittenByteForByteAndReadBack)
{
    const CasoArquivo& caso = GetParam();
    GravaUsuarios(caso.usuarios);
    EXPECT_EQ(Arquivo().toHex(' '), Esperado(caso.bytes).toHex(' '));

    EXPECT_EQ(LeArquivoUsuarios(), 0);
    for (const UsuarioTeste& u : caso.usuarios) {
        EXPECT_EQ(NomeUsuario(RegistroUsuarios, u.numero), u.nome);
        EXPECT_EQ(SenhaUsuario(RegistroUsuarios, u.numero), u.senha);
        EXPECT_EQ(DireitosDoUsuario(RegistroUsuarios, u.numero), u.direitos);
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ArquivoUsuarios, ::testing::ValuesIn(kCasosArquivo),
                         [](const auto& caso) { return std::string(caso.param.nome); });

using GravacaoUsuarios = PastaUsuarios;

TEST_F(GravacaoUsuarios, TheRecordInMemoryStaysPlainSoASecondWriteIsTheSame)
{
    PoeNomeUsuario(RegistroUsuarios, 1, "ADMIN");
    PoeSenhaUsuario(RegistroUsuarios, 1, "senha1");
    PoeDireitosDoUsuario(RegistroUsuarios, 1, 0x000F);
    ASSERT_TRUE(GravaRegistroUsuarios());
    const QByteArray primeiro = Arquivo();
    EXPECT_EQ(NomeUsuario(RegistroUsuarios, 1), "ADMIN");
    EXPECT_EQ(SenhaUsuario(RegistroUsuarios, 1), "senha1");
    ASSERT_TRUE(GravaRegistroUsuarios());
    EXPECT_EQ(Arquivo(), primeiro);
}

TEST_F(GravacaoUsuarios, OldTailsAfterALengthNeverReachTheDisk)
{
    // A file from which the length bytes of a longer password and name were
    // cut but whose old characters stayed behind, in plain text.
    QByteArray antigo(422, '\0');
    antigo.replace(0, 11, QByteArray("\x02" "ABgredo123", 11));
    antigo.replace(310, 9, QByteArray("\x02" "XYsegre1", 9));
    PoeArquivo(antigo);
    LeArquivoUsuarios();
    ASSERT_TRUE(GravaRegistroUsuarios());
    const QByteArray gravado = Arquivo();
    EXPECT_FALSE(gravado.contains("gredo123"));
    EXPECT_FALSE(gravado.contains("segre1"));
    EXPECT_EQ(gravado.mid(3, 29), QByteArray(29, '\0'));
    EXPECT_EQ(gravado.mid(313, 6), QByteArray(6, '\0'));
    EXPECT_EQ(LeArquivoUsuarios(), 0);
}

TEST_F(GravacaoUsuarios, AFailedWriteShowsAnErrorBoxAndReturnsFalse)
{
    DiretorioPrograma = pasta.filePath("missing/dir");
    ScriptedBoxes boxes;
    EXPECT_FALSE(GravaRegistroUsuarios());
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].caption, "Erro");
    EXPECT_EQ(boxes.calls[0].flags, MB_ICONSTOP);
    EXPECT_TRUE(boxes.calls[0].text.endsWith(QString::fromUtf8("(arquivo ou pasta não encontrado)."))) << boxes.calls[0].text.toStdString();
}

// The file holds the passwords: a new one is the owner's alone, one that
// exists keeps the mode it has.
TEST_F(GravacaoUsuarios, ANewUsersFileIsTheOwnersAlone)
{
    UsualUmask umask;
    PoeNomeUsuario(RegistroUsuarios, 1, "ADMIN");
    PoeSenhaUsuario(RegistroUsuarios, 1, "senha1");
    ASSERT_TRUE(GravaRegistroUsuarios());
    EXPECT_EQ(FileMode(CaminhoArquivoUsuarios()), 0600);
    SetFileMode(CaminhoArquivoUsuarios(), 0640);
    LeArquivoUsuarios();
    ASSERT_TRUE(GravaRegistroUsuarios());
    EXPECT_EQ(FileMode(CaminhoArquivoUsuarios()), 0640);
}

struct CasoLeitura {
    const char* nome;
    QByteArray (*dados)();
    int resultado;
    bool guardaUsuario1; // user 1 "ADMIN" / "senha1" is still in the file
};

void PrintTo(const CasoLeitura& caso, std::ostream* os)
{
    *os << caso.nome;
}

QByteArray Valido()
{
    // "ADMIN" / "senha1" with every right to the users list.
    return Esperado(kCasosArquivo[1].bytes);
}

const CasoLeitura kCasosLeitura[] = {
    {"Good", Valido, 0, true},
    {"Empty", [] { return QByteArray(); }, 1, false},
    {"CutInsideAPassword", [] { return Valido().left(314); }, 1, false},
    {"OneByteShort", [] { return Valido().left(421); }, 1, true},
    {"Longer", [] { return Valido() + QByteArray(100, 'x'); }, 0, true},
    {"AlteredChecksum", [] { QByteArray d = Valido(); d[420] = char(d[420] ^ 0x55); return d; }, 1, true},
    {"AllFF", [] { return QByteArray(422, '\xFF'); }, 1, false},
};

class LeituraUsuarios : public PastaUsuarios, public ::testing::WithParamInterface<CasoLeitura> {};

TEST_P(LeituraUsuarios, ReadsAsFarAsTheFileAllowsWithinTheRecord)
{
    PoeArquivo(GetParam().dados());
    EXPECT_EQ(LeArquivoUsuarios(), GetParam().resultado);
    for (int k = 1; k <= kMaxUsuarios; ++k) {
        EXPECT_LE(RegistroUsuarios[kCampoNomes.Slot(k)], 30);
        EXPECT_LE(RegistroUsuarios[kCampoSenhas.Slot(k)], 8);
        EXPECT_LE(NomeUsuario(RegistroUsuarios, k).size(), 30u);
        EXPECT_LE(SenhaUsuario(RegistroUsuarios, k).size(), 8u);
    }
    if (GetParam().guardaUsuario1) {
        EXPECT_EQ(NomeUsuario(RegistroUsuarios, 1), "ADMIN");
        EXPECT_EQ(SenhaUsuario(RegistroUsuarios, 1), "senha1");
        EXPECT_EQ(DireitosDoUsuario(RegistroUsuarios, 1), 0x000F);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, LeituraUsuarios, ::testing::ValuesIn(kCasosLeitura),
                         [](const auto& caso) { return std::string(caso.param.nome); });

using LeituraSemArquivo = PastaUsuarios;

TEST_F(LeituraSemArquivo, AMissingFileLeavesTheRecordAsItWas)
{
    PoeNomeUsuario(RegistroUsuarios, 2, "Maria");
    EXPECT_EQ(LeArquivoUsuarios(), 2);
    EXPECT_EQ(NomeUsuario(RegistroUsuarios, 2), "Maria");
}

} // namespace
