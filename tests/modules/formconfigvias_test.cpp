// Trunk configuration: what the user does in the window reaches the trunk
// records and mode bytes of the image only on Ok, with the window's rules.
#include "image/conversao.h"
#include "image/vias.h"
#include "modules/entradas.h"
#include "modules/formconfigvias.h"
#include "modules/formcopiavia.h"
#include "platform/controls.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/support/input.h"
#include "tests/support/casenames.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

// An image with known trunks: trunk t's record holds t in every byte's low
// bits so each trunk reads differently, route t - 1, outgoing and incoming.
std::vector<std::uint8_t> ImagemVias()
{
    auto imagem = ImagemDeTeste();
    const std::uint8_t registros[4][8] = {
        {0x02, 0x00, 0x01, 0x02, 35, 7, 7, 0x80},
        {0x04, 0x03, 0x70, 0xBB, 40, 8, 0, 0x21},
        {0x01, 0xDD, 0x05, 0x04, 10, 20, 30, 0x22},
        {0xFA, 0x0B, 0x0A, 0x09, 80, 90, 45, 0x00},
    };
    const std::uint8_t modos[4] = {0x68, 0x61, 0x2A, 0x40};
    for (int t = 1; t <= 4; ++t) {
        std::copy(std::begin(registros[t - 1]), std::end(registros[t - 1]), imagem.begin() + OffsetVia(t));
        imagem[static_cast<size_t>(OffsetModoVia(t))] = modos[t - 1];
    }
    // Group 1 programmed, 2 to 4 not.
    imagem[static_cast<size_t>(OffsetGrupo(1))] = 0x00;
    for (int g = 2; g <= 4; ++g)
        imagem[static_cast<size_t>(OffsetGrupo(g))] = 0x40;
    return imagem;
}

using Atos = std::function<void(TFormConfigVias*)>;

// Opens the window through its entry with a start text (or none) and acts
// in it as the user.
void AbreVias(std::vector<std::uint8_t>& imagem, const char* textoInicial, const Atos& atos)
{
    ModalScript modal;
    modal.Then([&](QWidget* janela) {
        auto* form = qobject_cast<TFormConfigVias*>(janela);
        ASSERT_NE(form, nullptr);
        atos(form);
        QTimer::singleShot(0, form, [form] {
            if (form->isVisible())
                static_cast<QDialog*>(form)->done(mrCancel);
        });
    });
    ConfiguracaoDasVias(imagem.data(), textoInicial);
}

QWidget* Controle(QWidget* janela, const char* nome)
{
    auto* controle = Find<QWidget>(janela, nome);
    EXPECT_NE(controle, nullptr) << nome;
    return controle;
}

// A click where the user clicks: buttons and boxes as the kit clicks them,
// the continuation labels and the picker's cells in their middle.
void Clica(QWidget* janela, const char* nome)
{
    if (Find<QAbstractButton>(janela, nome))
        Click(janela, nome);
    else
        input::Click(Controle(janela, nome));
}

// An item of a radio group, on its round mark.
void ClicaItem(TRadioGroup* grupo, int item)
{
    QRadioButton* botao = grupo->Button(item);
    input::Click(botao, QPoint(6, botao->height() / 2));
}

// Clicks into a combo's edit, types the text over what it shows.
void Escreve(QWidget* janela, const char* nome, const QString& texto)
{
    auto* combo = Find<QComboBox>(janela, nome);
    ASSERT_NE(combo, nullptr) << nome;
    input::Click(combo->lineEdit());
    combo->lineEdit()->selectAll();
    input::Type(texto);
}

void Tecla(int tecla)
{
    input::Key(tecla);
    input::Settle();
}

void Tab()
{
    Tecla(Qt::Key_Tab);
}

// The copy button; the picker's acts are queued beforehand. The window
// system gives the activation back to the trunk window when the picker
// closes.
void Copia(TFormConfigVias* w)
{
    Clica(w, "CopiaButton");
    ASSERT_TRUE(input::Activate(w));
}

// Acts in the trunk picker once it is shown and active; a picker the acts
// leave open is cancelled, so that a test never hangs.
std::function<void(QWidget*)> NoSeletor(const std::function<void(TFormCopiaVia*)>& atos)
{
    return [atos](QWidget* janela) {
        auto* seletor = qobject_cast<TFormCopiaVia*>(janela);
        ASSERT_NE(seletor, nullptr);
        atos(seletor);
        QTimer::singleShot(0, seletor, [seletor] {
            if (seletor->isVisible())
                static_cast<QDialog*>(seletor)->done(mrCancel);
        });
    };
}

// ---------------------------------------------------------------- start text

struct CasoInicio {
    const char* texto; // null: none
    int via;
};

void PrintTo(const CasoInicio& caso, std::ostream* os)
{
    *os << (caso.texto ? (*caso.texto ? caso.texto : "vazio") : "nenhum");
}

class ViasInicio : public ::testing::TestWithParam<CasoInicio> {};

// The trunk shown is the one a click then edits.
TEST_P(ViasInicio, AbreNaViaDoTexto)
{
    const CasoInicio& caso = GetParam();
    auto imagem = ImagemVias();
    auto esperado = imagem;
    esperado[static_cast<size_t>(OffsetVia(caso.via))] ^= 0x08; // "Limite de cifras"
    AbreVias(imagem, caso.texto, [&](TFormConfigVias* w) {
        EXPECT_EQ(w->Edit1->Text(), QString::fromStdString(FormatInt("00", caso.via)));
        EXPECT_EQ(w->ViaAtual(), caso.via);
        EXPECT_TRUE(w->Edit1->hasFocus());
        Clica(w, "CheckBox2");
        Clica(w, "OkButton");
    });
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Textos, ViasInicio, ::testing::Values(
    CasoInicio{nullptr, 1}, CasoInicio{"01", 1}, CasoInicio{"02", 2}, CasoInicio{"03", 3}, CasoInicio{"04", 4},
    CasoInicio{"00", 1}, CasoInicio{"05", 1}, CasoInicio{"99", 1}, CasoInicio{"", 1}, CasoInicio{"ab", 1},
    CasoInicio{"-1", 1}), PrintedName{});


// ---------------------------------------------------------------- editing

constexpr int R1 = OffsetVia(1);
constexpr int R2 = OffsetVia(2);
constexpr int R3 = OffsetVia(3);
constexpr int R4 = OffsetVia(4);
constexpr int M1 = OffsetModoVia(1);
constexpr int M2 = OffsetModoVia(2);
constexpr int M4 = OffsetModoVia(4);

struct Byte {
    int ofs;
    std::uint8_t valor;
};

struct CasoEdicao {
    const char* caso;
    const char* inicio;
    Atos atos;
    std::vector<Byte> bytes;       // what Ok leaves changed
    std::vector<const char*> caixas; // the messages shown, in order
    bool fecha = true;               // Ok closed the window
};

void PrintTo(const CasoEdicao& caso, std::ostream* os)
{
    *os << caso.caso;
}

const char* const kCurto = "O ramal deve ter no mínimo 2 dígitos";
const char* const kGrupo = "O grupo deve estar programado";
const char* const kFaixa = "Valor fora da faixa permitida.";
const char* const kEnlace = "Quando via for enlace a mesma deverá ser decádica";

class ViasEdicao : public ::testing::TestWithParam<CasoEdicao> {};

TEST_P(ViasEdicao, OkGravaOQueAJanelaMostra)
{
    const CasoEdicao& caso = GetParam();
    auto imagem = ImagemVias();
    auto esperado = imagem;
    for (const Byte& b : caso.bytes)
        esperado[static_cast<size_t>(b.ofs)] = b.valor;
    ScriptedBoxes caixas;
    bool aberta = true;
    AbreVias(imagem, caso.inicio, [&](TFormConfigVias* w) {
        caso.atos(w);
        Clica(w, "OkButton");
        aberta = w->isVisible();
    });
    QStringList textos;
    for (const char* texto : caso.caixas)
        textos << QString::fromUtf8(texto);
    EXPECT_EQ(caixas.Texts(), textos);
    // Refusals are errors; the link rule only informs. (A text that is no
    // number ends in the application's own error box.)
    for (const MessageBoxCall& caixa : caixas.calls) {
        if (caixa.text.startsWith(QLatin1Char('\'')))
            continue;
        const bool enlace = caixa.text == QString::fromUtf8(kEnlace);
        EXPECT_EQ(caixa.caption, enlace ? QString::fromUtf8("Informação") : QStringLiteral("Erro")) << caixa.text.toStdString();
        EXPECT_EQ(caixa.flags, enlace ? 48 : 16) << caixa.text.toStdString();
    }
    EXPECT_EQ(!aberta, caso.fecha);
    for (int ofs : Diferencas(esperado, imagem))
        ADD_FAILURE() << "byte " << ofs << " is 0x" << std::hex << int(imagem[ofs]) << ", expected 0x"
                      << int(esperado[ofs]);
}


// Types into a combo and leaves it with Tab.
Atos Digita(const char* combo, const char* texto)
{
    return [=](TFormConfigVias* w) {
        Escreve(w, combo, QString::fromUtf8(texto));
        Tab();
    };
}

Atos Cliques(std::vector<const char*> nomes)
{
    return [=](TFormConfigVias* w) {
        for (const char* nome : nomes)
            Clica(w, nome);
    };
}

Atos Item(TRadioGroup* TFormConfigVias::*grupo, int item)
{
    return [=](TFormConfigVias* w) { ClicaItem(w->*grupo, item); };
}

INSTANTIATE_TEST_SUITE_P(Casos, ViasEdicao, ::testing::Values(
    CasoEdicao{"NadaMudado", nullptr, [](TFormConfigVias*) {}, {}, {}},
    CasoEdicao{"CaixasGravamSeusBits", nullptr, Cliques({"CheckBox3", "CheckBox6", "CheckBox14"}),
               {{R1, 0x92}, {M1, 0xE8}}, {}},
    CasoEdicao{"CaixaDesmarcadaLimpaSeuBit", "04", Cliques({"CheckBox2"}), {{R4, 0xF2}}, {}},
    CasoEdicao{"SemSaidaNemEntradaEEnlaceDecadico", nullptr, Cliques({"CheckBox12", "CheckBox13"}),
               {{M1, 0x00}}, {}},
    CasoEdicao{"MultiFrequencialEmEnlaceFicaDecadica", nullptr,
               [](TFormConfigVias* w) {
                   Cliques({"CheckBox12", "CheckBox13"})(w);
                   ClicaItem(w->RadioGroup1, 1);
                   EXPECT_EQ(w->RadioGroup1->ItemIndex(), 0);
                   EXPECT_TRUE(w->CheckBox15->Checked());
               },
               {{M1, 0x00}}, {kEnlace}},
    CasoEdicao{"MultiFrequencialForaDeEnlace", "04", Item(&TFormConfigVias::RadioGroup1, 1), {{M4, 0x48}}, {}},
    CasoEdicao{"VoltaADecadica", "03", Item(&TFormConfigVias::RadioGroup1, 0), {{OffsetModoVia(3), 0x22}}, {}},
    CasoEdicao{"Rota", nullptr, Item(&TFormConfigVias::RadioGroup3, 3), {{M1, 0x6B}}, {}},
    CasoEdicao{"NoveCifras", nullptr, Item(&TFormConfigVias::RadioGroup2, 2), {{R1, 0x04}}, {}},
    CasoEdicao{"SeteCifrasMantemOsOutrosBits", "04", Item(&TFormConfigVias::RadioGroup2, 0), {{R4, 0xF9}}, {}},
    CasoEdicao{"InversaoMarcadaPoeZero", nullptr,
               [](TFormConfigVias* w) {
                   Clica(w, "CheckBox1");
                   EXPECT_EQ(w->ComboBox6->Text(), "00");
               },
               {{R1 + 6, 0}}, {}},
    CasoEdicao{"InversaoDesmarcadaPoeSete", "02",
               [](TFormConfigVias* w) {
                   Clica(w, "CheckBox1");
                   EXPECT_EQ(w->ComboBox6->Text(), "07");
               },
               {{R2 + 6, 7}}, {}},
    CasoEdicao{"RotuloDePolaridadeMarcaInversao", nullptr, Cliques({"Label3"}), {{R1 + 6, 0}}, {}},
    CasoEdicao{"RotuloAutomaticoMarcaDerruba", nullptr, Cliques({"Label4"}), {{R1 + 7, 0x90}}, {}},
    CasoEdicao{"OutraCaixaMantemFsk", "02", Cliques({"CheckBox7"}), {{R2 + 7, 0x29}}, {}},
    CasoEdicao{"IdentificadorDeNovoEscolheDtmf", "02",
               [](TFormConfigVias* w) {
                   Clica(w, "CheckBox8");
                   EXPECT_FALSE(w->RadioButton2->isEnabled());
                   Clica(w, "CheckBox8");
                   EXPECT_TRUE(w->RadioButton1->Checked());
               },
               {{R2 + 7, 0x20}}, {}},
    CasoEdicao{"Fsk", "03", Cliques({"RadioButton2"}), {{R3 + 7, 0x23}}, {}},
    CasoEdicao{"AtendenteDigitado", nullptr, Digita("ComboBox1", "25"), {{R1 + 1, 5}}, {}},
    CasoEdicao{"AtendenteNove", nullptr, Digita("ComboBox1", "9"), {{R1 + 1, 0xDD}}, {}},
    CasoEdicao{"TransbordoGrupoProgramado", nullptr, Digita("ComboBox2", "61"), {{R1 + 2, 0x71}}, {}},
    CasoEdicao{"TransbordoSessenta", nullptr, Digita("ComboBox2", "60"), {{R1 + 2, 0x70}}, {}},
    CasoEdicao{"NoturnoApagado", nullptr, Digita("ComboBox3", "\b"), {{R1 + 3, 0xBB}}, {}},
    CasoEdicao{"AtendenteCurto", nullptr,
               [](TFormConfigVias* w) {
                   Digita("ComboBox1", "2")(w);
                   EXPECT_EQ(Focado(w), "ComboBox1");
               },
               {}, {kCurto, kCurto}, false},
    CasoEdicao{"AtendenteGrupoNaoProgramado", nullptr, Digita("ComboBox1", "62"), {}, {kGrupo, kGrupo}, false},
    CasoEdicao{"SessentaSoNoTransbordo", nullptr, Digita("ComboBox1", "60"), {}, {kGrupo, kGrupo}, false},
    CasoEdicao{"NoveSoNoPrincipal", nullptr, Digita("ComboBox3", "9"), {},
               {"O ramal não pode ser iniciado por '9' .", "O ramal não pode ser iniciado por '9' ."}, false},
    CasoEdicao{"RamalInexistente", nullptr, Digita("ComboBox2", "39"), {},
               {"Este ramal não é um ramal válido", "Este ramal não é um ramal válido"}, false},
    CasoEdicao{"RamalLongoAvisaAoDigitar", nullptr, Digita("ComboBox2", "20000"), {},
               {"O ramal deve possuir no máximo 4 dígitos", "O ramal deve ter no máximo 4 dígitos",
                "O ramal deve ter no máximo 4 dígitos"}, false},
    CasoEdicao{"AceleradorConfereAtendente", nullptr,
               [](TFormConfigVias* w) {
                   Escreve(w, "ComboBox3", QStringLiteral("62"));
                   input::Accelerator('k');
                   EXPECT_EQ(Focado(w), "ComboBox3");
               },
               {}, {kGrupo, kGrupo}, false},
    CasoEdicao{"AceleradorGravaAtendente", nullptr,
               [](TFormConfigVias* w) {
                   Escreve(w, "ComboBox3", QStringLiteral("31"));
                   input::Accelerator('k');
               },
               {{R1 + 3, 11}}, {}},
    CasoEdicao{"TempoDeTransbordo", nullptr, Digita("ComboBox4", "50"), {{R1 + 4, 50}}, {}},
    CasoEdicao{"TempoDeTransbordoForaDaFaixa", nullptr, Digita("ComboBox4", "03"), {}, {kFaixa, kFaixa}, false},
    CasoEdicao{"TomDeDisco", nullptr, Digita("ComboBox5", "90"), {{R1 + 5, 90}}, {}},
    CasoEdicao{"TomDeDiscoForaDaFaixa", nullptr, Digita("ComboBox5", "5"), {}, {kFaixa, kFaixa}, false},
    CasoEdicao{"BilhetagemZeroMarcaInversao", nullptr,
               [](TFormConfigVias* w) {
                   Digita("ComboBox6", "0")(w);
                   EXPECT_TRUE(w->CheckBox1->Checked());
               },
               {{R1 + 6, 0}}, {}},
    CasoEdicao{"BilhetagemDesmarcaInversao", "02",
               [](TFormConfigVias* w) {
                   Digita("ComboBox6", "15")(w);
                   EXPECT_FALSE(w->CheckBox1->Checked());
                   EXPECT_EQ(w->ComboBox6->Text(), "15");
               },
               {{R2 + 6, 15}}, {}},
    CasoEdicao{"UmToque", nullptr, Digita("ComboBox7", "1"), {{R1 + 7, 0x82}}, {}},
    CasoEdicao{"DoisToquesForaDaFaixa", nullptr, Digita("ComboBox7", "2"), {}, {kFaixa, kFaixa}, false},
    CasoEdicao{"TempoQueNaoENumero", nullptr, Digita("ComboBox4", "x"), {},
               {"'x' is not a valid integer value", kFaixa, kFaixa}, false},
    CasoEdicao{"AceleradorConfereTempo", nullptr,
               [](TFormConfigVias* w) {
                   Escreve(w, "ComboBox5", QStringLiteral("95"));
                   input::Accelerator('k');
               },
               {}, {kFaixa, kFaixa}, false},
    CasoEdicao{"Navegacao", nullptr,
               [](TFormConfigVias* w) {
                   Clica(w, "SpeedButton3");
                   EXPECT_EQ(w->Edit1->Text(), "02");
                   Clica(w, "CheckBox2");
                   Clica(w, "SpeedButton4");
                   EXPECT_FALSE(w->SpeedButton3->isEnabled());
                   Clica(w, "SpeedButton2");
                   EXPECT_EQ(w->ViaAtual(), 3);
                   Clica(w, "CheckBox2");
                   Clica(w, "SpeedButton1");
                   EXPECT_FALSE(w->SpeedButton2->isEnabled());
                   EXPECT_EQ(w->ViaAtual(), 1);
               },
               {{R2, 0x0C}, {R3, 0x09}}, {}},
    CasoEdicao{"AnteriorDaPrimeiraSeDesabilita", "01",
               [](TFormConfigVias* w) {
                   Clica(w, "SpeedButton2");
                   EXPECT_FALSE(w->SpeedButton2->isEnabled());
                   EXPECT_EQ(w->ViaAtual(), 1);
                   Clica(w, "SpeedButton3");
                   EXPECT_TRUE(w->SpeedButton2->isEnabled());
                   Clica(w, "SpeedButton3");
                   Clica(w, "SpeedButton3");
                   Clica(w, "SpeedButton3");
                   EXPECT_FALSE(w->SpeedButton3->isEnabled());
                   EXPECT_EQ(w->ViaAtual(), 4);
               },
               {}, {}},
    CasoEdicao{"ViaDigitada", nullptr,
               [](TFormConfigVias* w) {
                   input::Accelerator('v');
                   input::Type(QStringLiteral("3"));
                   Clica(w, "CheckBox2");
               },
               {{R3, 0x09}}, {}},
    CasoEdicao{"ViaDigitadaForaDaFaixaFicaNaAtual", "02",
               [](TFormConfigVias* w) {
                   input::Accelerator('v');
                   input::Type(QStringLiteral("07"));
                   EXPECT_EQ(w->Edit1->Text(), "07");
                   EXPECT_EQ(w->ViaAtual(), 2);
                   Clica(w, "CheckBox2");
                   EXPECT_EQ(w->Edit1->Text(), "02");
               },
               {{R2, 0x0C}}, {}},
    CasoEdicao{"ValorRecusadoSegurANavegacao", nullptr,
               [](TFormConfigVias* w) {
                   Escreve(w, "ComboBox4", QStringLiteral("03"));
                   Clica(w, "SpeedButton3");
                   EXPECT_EQ(w->ViaAtual(), 1);
                   EXPECT_EQ(Focado(w), "ComboBox4");
                   Escreve(w, "ComboBox4", QStringLiteral("05"));
                   Clica(w, "SpeedButton3");
                   EXPECT_EQ(w->ViaAtual(), 2);
               },
               {{R1 + 4, 5}}, {kFaixa}}), PrintedName{});

// ---------------------------------------------------------------- defaults

struct CasoPadrao {
    int resposta;
    std::vector<int> vias; // the trunks that get the factory configuration
};

void PrintTo(const CasoPadrao& caso, std::ostream* os)
{
    *os << (caso.resposta == IDYES ? "Sim" : caso.resposta == IDNO ? "Nao" : "Cancela");
}

class ViasPadrao : public ::testing::TestWithParam<CasoPadrao> {};

// Shown at trunk 3: Yes defaults every trunk, No trunk 3 only; each record
// and mode byte as the template has them.
TEST_P(ViasPadrao, PadraoPorResposta)
{
    const CasoPadrao& caso = GetParam();
    auto imagem = ImagemVias();
    auto esperado = imagem;
    const std::uint8_t* modelo = ImagemPadrao();
    for (int via : caso.vias) {
        std::copy(modelo + OffsetVia(via), modelo + OffsetVia(via) + 8, esperado.begin() + OffsetVia(via));
        esperado[static_cast<size_t>(OffsetModoVia(via))] = modelo[OffsetModoVia(via)];
    }
    ScriptedBoxes caixas({caso.resposta});
    AbreVias(imagem, "03", [&](TFormConfigVias* w) {
        Clica(w, "DefButton");
        if (caso.resposta != IDCANCEL) {
            // The window shows trunk 3's defaults at once.
            EXPECT_EQ(w->ComboBox4->Text(), "35");
            EXPECT_EQ(w->RadioGroup1->ItemIndex(), 1);
        }
        Clica(w, "OkButton");
    });
    ASSERT_EQ(caixas.calls.size(), 1u);
    EXPECT_EQ(caixas.calls[0].text, QString::fromUtf8("Usar padrão para todas as vias ?"));
    EXPECT_EQ(caixas.calls[0].caption, "Confirma");
    EXPECT_EQ(caixas.calls[0].flags, 35);
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Respostas, ViasPadrao, ::testing::Values(
    CasoPadrao{IDYES, {1, 2, 3, 4}}, CasoPadrao{IDNO, {3}}, CasoPadrao{IDCANCEL, {}}), PrintedName{});

// ---------------------------------------------------------------- copy

struct CasoCopia {
    const char* inicio;
    std::vector<const char*> celulas; // clicked in the picker
    bool confirma;
    std::vector<int> destinos;        // trunks that end up as the current one
};

void PrintTo(const CasoCopia& caso, std::ostream* os)
{
    *os << caso.inicio << "_para";
    for (const char* celula : caso.celulas)
        *os << '_' << celula;
    *os << (caso.confirma ? "_Ok" : "_Cancela");
}

class ViasCopia : public ::testing::TestWithParam<CasoCopia> {};

TEST_P(ViasCopia, CopiaAViaAtualParaAsEscolhidas)
{
    const CasoCopia& caso = GetParam();
    auto imagem = ImagemVias();
    auto esperado = imagem;
    const int origem = std::stoi(caso.inicio);
    for (int via : caso.destinos) {
        std::copy(imagem.begin() + OffsetVia(origem), imagem.begin() + OffsetVia(origem) + 8,
                  esperado.begin() + OffsetVia(via));
        esperado[static_cast<size_t>(OffsetModoVia(via))] = imagem[static_cast<size_t>(OffsetModoVia(origem))];
    }
    AbreVias(imagem, caso.inicio, [&](TFormConfigVias* w) {
        ModalScript seletor;
        seletor.Then(NoSeletor([&](TFormCopiaVia* picker) {
            EXPECT_EQ(picker->windowTitle(), "Copia via atual");
            for (const char* celula : caso.celulas)
                Clica(picker, celula);
            Clica(picker, caso.confirma ? "OkButton" : "CancelButton");
        }));
        Copia(w);
        EXPECT_EQ(seletor.shown.size(), 1u);
        // Back in the window, the lists are built again and the trunk edit
        // has the focus.
        EXPECT_TRUE(w->Edit1->hasFocus());
        EXPECT_GT(w->ComboBox1->count(), 1);
        Clica(w, "OkButton");
    });
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Escolhas, ViasCopia, ::testing::Values(
    CasoCopia{"02", {"Panel1", "Panel4"}, true, {1, 4}},
    CasoCopia{"03", {"Panel1", "Panel2", "Panel4"}, true, {1, 2, 4}},
    CasoCopia{"01", {"Panel2", "Panel3", "Panel3"}, true, {2}},   // a second press unselects
    CasoCopia{"04", {"Panel4"}, true, {}},                       // onto itself: nothing changes
    CasoCopia{"02", {"Panel1", "Panel4"}, false, {}}), PrintedName{});

// Each showing of the picker starts with no trunk chosen, and a chosen cell
// looks pressed in.
TEST(ViasCopiaSeletor, CadaAberturaComecaSemEscolha)
{
    auto imagem = ImagemVias();
    AbreVias(imagem, "01", [&](TFormConfigVias* w) {
        ModalScript seletor;
        seletor.Then(NoSeletor([&](TFormCopiaVia* picker) {
            Clica(picker, "Panel3");
            EXPECT_EQ(picker->Panel1->BevelOuter(), bvRaised);
            EXPECT_EQ(Find<TPanel>(picker, "Panel3")->BevelOuter(), bvLowered);
            EXPECT_EQ(Find<TPanel>(picker, "Panel3")->Color(), clTeal);
            Clica(picker, "CancelButton");
        }));
        seletor.Then(NoSeletor([&](TFormCopiaVia* picker) {
            EXPECT_EQ(picker->Selecao, (std::array<std::uint8_t, 4>{}));
            EXPECT_EQ(Find<TPanel>(picker, "Panel3")->BevelOuter(), bvRaised);
            Tecla(Qt::Key_Escape);
            EXPECT_FALSE(picker->isVisible());
        }));
        Copia(w);
        Copia(w);
        EXPECT_EQ(seletor.shown.size(), 2u);
    });
}

// ---------------------------------------------------------------- cancel

// Whatever was edited, defaulted or copied, Cancel (or Esc) leaves the
// whole trunk slice as it was.
TEST(ViasCancela, CancelaDescartaTudo)
{
    for (const bool porEsc : {false, true}) {
        SCOPED_TRACE(porEsc ? "Esc" : "Cancela");
        auto imagem = ImagemVias();
        const auto antes = imagem;
        ScriptedBoxes caixas({IDYES});
        AbreVias(imagem, "02", [&](TFormConfigVias* w) {
            Clica(w, "CheckBox12");
            Digita("ComboBox1", "25")(w);
            ClicaItem(w->RadioGroup3, 4);
            ModalScript seletor;
            seletor.Then(NoSeletor([&](TFormCopiaVia* picker) {
                Clica(picker, "Panel1");
                Clica(picker, "OkButton");
            }));
            Copia(w);
            Clica(w, "DefButton");
            Clica(w, "CheckBox3");
            if (porEsc)
                Tecla(Qt::Key_Escape);
            else
                Clica(w, "BtnCancela");
            EXPECT_FALSE(w->isVisible());
        });
        EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
    }
}

// The reserved bytes of the slice travel unchanged through Ok.
TEST(ViasReserva, OkDevolveAReservaComoEstava)
{
    auto imagem = ImagemVias();
    ScriptedBoxes caixas({IDYES});
    auto esperado = imagem;
    AbreVias(imagem, nullptr, [&](TFormConfigVias* w) {
        Clica(w, "DefButton");
        Clica(w, "OkButton");
    });
    for (int via = 1; via <= kVias; ++via) {
        std::copy(ImagemPadrao() + OffsetVia(via), ImagemPadrao() + OffsetVia(via) + 8, esperado.begin() + OffsetVia(via));
        esperado[static_cast<size_t>(OffsetModoVia(via))] = 0x68;
    }
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
    EXPECT_TRUE(std::equal(imagem.begin() + ofsReservaVias, imagem.begin() + ofsModoVias,
                           ImagemVias().begin() + ofsReservaVias));
}

// ---------------------------------------------------------------- pictures

// The window over the template, and its picker with two trunks chosen.
TEST(ViasCapturas, JanelaESeletor)
{
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    const QString janela = QStringLiteral(TRIVANTO_TEST_OUT "/modulo_ConfiguracaoDasVias.png");
    const QString seletor = QStringLiteral(TRIVANTO_TEST_OUT "/modulo_ConfiguracaoDasVias_CopiaVia.png");
    auto imagem = ImagemDoModelo();
    AbreVias(imagem, "02", [&](TFormConfigVias* w) {
        EXPECT_TRUE(w->grab().save(janela));
        ModalScript modal;
        modal.Then(NoSeletor([&](TFormCopiaVia* picker) {
            Clica(picker, "Panel1");
            Clica(picker, "Panel3");
            EXPECT_TRUE(picker->grab().save(seletor));
        }));
        Copia(w);
    });
    EXPECT_TRUE(QFile::exists(janela));
    EXPECT_TRUE(QFile::exists(seletor));
}

// ---------------------------------------------------------------- life

// The picker lives while the entry runs, and both windows are gone when it
// returns.
TEST(ViasEntrada, SeletorViveComAJanela)
{
    auto imagem = ImagemVias();
    AbreVias(imagem, nullptr, [&](TFormConfigVias* w) {
        EXPECT_EQ(FormConfigVias, w);
        ASSERT_NE(FormCopiaVia, nullptr);
        EXPECT_EQ(FormCopiaVia->parentWidget(), nullptr);
        EXPECT_FALSE(FormCopiaVia->isVisible());
    });
    EXPECT_EQ(FormConfigVias, nullptr);
    EXPECT_EQ(FormCopiaVia, nullptr);
}

// Ok checks only what the user typed: a value the exchange holds outside
// a combo's list, or an attendant reference the lists do not offer, goes
// back as it was when its combo was not touched.
TEST(ViasOk, ValoresGuardadosNaoTocadosVoltamComoEstavam)
{
    auto imagem = ImagemVias();
    imagem[static_cast<size_t>(R1 + 4)] = 3;    // "03": below the list
    imagem[static_cast<size_t>(R1 + 5)] = 200;  // above it
    imagem[static_cast<size_t>(R1 + 1)] = 0x75; // "65": no such group
    imagem[static_cast<size_t>(R1 + 2)] = 0xC5; // names nothing: blanks
    const auto antes = imagem;
    ScriptedBoxes caixas;
    bool aberta = true;
    AbreVias(imagem, nullptr, [&](TFormConfigVias* w) {
        EXPECT_EQ(w->ComboBox1->Text(), "65");
        EXPECT_EQ(w->ComboBox4->Text(), "03");
        Clica(w, "CheckBox2");
        Clica(w, "OkButton");
        aberta = w->isVisible();
    });
    EXPECT_FALSE(aberta);
    EXPECT_TRUE(caixas.calls.empty());
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{R1});
}

} // namespace
