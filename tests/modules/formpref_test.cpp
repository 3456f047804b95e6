// Prefix blocking window: opened through its entry, used with the mouse and
// the keyboard, and judged by the bytes Ok leaves in the image.
#include "image/padrao.h"
#include "image/prefixos.h"
#include "modules/entradas.h"
#include "modules/formpref.h"
#include "modules/formtodpref.h"
#include "platform/controls.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"

#include <QDir>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <ostream>

namespace {

using Lista = std::vector<std::string>;

// The image holding the tree of a list and an area code, as Ok writes them.
std::vector<std::uint8_t> ImagemCom(const Lista& lista, const char* ddd)
{
    auto imagem = ImagemDeTeste();
    EXPECT_EQ(ConstroiArvorePrefixos(lista, ddd, imagem.data()), TResultadoPrefixos::Gravado);
    return imagem;
}

// The list with the entry of `prefixo` given another decision.
Lista Com(Lista lista, const std::string& prefixo, const std::string& decisao)
{
    for (std::string& entrada : lista)
        if (PrefixoDaEntrada(entrada) == prefixo)
            entrada = prefixo + "-" + decisao;
    return lista;
}

// The list with `prefixo` split into its ten children, some of them with
// decisions of their own.
Lista Divide(Lista lista, const std::string& prefixo, const std::map<std::string, std::string>& mudancas = {})
{
    std::string decisao;
    for (auto it = lista.begin(); it != lista.end(); ++it)
        if (PrefixoDaEntrada(*it) == prefixo) {
            decisao = it->substr(it->find('-') + 1);
            lista.erase(it);
            break;
        }
    for (char d = '0'; d <= '9'; ++d) {
        const std::string filho = prefixo + d;
        const auto mudanca = mudancas.find(filho);
        lista.push_back(filho + "-" + (mudanca == mudancas.end() ? decisao : mudanca->second));
    }
    std::sort(lista.begin(), lista.end());
    return lista;
}

const Lista& Padrao() { return ListaPrefixosPadrao(); }

// What a person does in the window.
void Digita(TMaskEdit* edit, const QString& texto, bool enter)
{
    input::Click(edit, QPoint(edit->width() - 4, edit->height() / 2));
    input::Key(Qt::Key_End);
    for (int i = 0; i < 8; ++i)
        input::Key(Qt::Key_Backspace);
    input::Type(texto);
    if (enter)
        input::Key(Qt::Key_Return);
}
void DigitaPrefixo(TFormPref* j, const QString& digitos, bool enter = true) { Digita(j->Edit1, digitos, enter); }
void DigitaDdd(TFormPref* j, const QString& digitos) { Digita(j->MaskEdit1, digitos, false); }

void ClicaItem(TFormPref* j, const QString& prefixo)
{
    const auto itens = j->ListBox1->findItems(prefixo, Qt::MatchExactly);
    ASSERT_EQ(itens.size(), 1) << prefixo.toStdString();
    j->ListBox1->scrollToItem(itens[0]);
    input::Click(j->ListBox1->viewport(), j->ListBox1->visualItemRect(itens[0]).center());
}

// A click on the mark of a radio button or check box, where a person
// clicks (the rest of a wide control is no target).
void Marca(QWidget* botao) { input::Click(botao, QPoint(8, botao->height() / 2)); }

void ClicaCategoria(TFormPref* j, int item) { Marca(j->RadioGroup1->Button(item)); }

QString Selecionado(TFormPref* j)
{
    const int item = j->ListBox1->ItemIndex();
    return item < 0 ? QString() : j->ListBox1->Items()[item];
}

QStringList ItensDaLista(TFormPref* j) { return j->ListBox1->Items().ToStringList(); }

// Opens the window over the image, runs the acts, and answers the message
// boxes from the queue.
struct Resultado {
    std::vector<MessageBoxCall> caixas;
    bool aberta = false; // still open after the acts
};

Resultado Abre(std::vector<std::uint8_t>& imagem, const std::function<void(TFormPref*)>& atos,
               std::deque<int> respostas = {})
{
    Resultado resultado;
    ScriptedBoxes boxes(std::move(respostas));
    AbreEntrada(&BloqueioDePrefixos, imagem, [&](TForm* w) {
        auto* janela = qobject_cast<TFormPref*>(w);
        ASSERT_NE(janela, nullptr);
        atos(janela);
        QCoreApplication::processEvents();
        resultado.aberta = w->isVisible();
    });
    resultado.caixas = boxes.calls;
    return resultado;
}

void Ok(TFormPref* j) { input::Click(j->OkButton); }

// A dialog opened from the window gets the keyboard, as on the screen.
void Ativa(QWidget* dialogo)
{
    dialogo->activateWindow();
    QCoreApplication::processEvents();
}

// One use of the window: the list and area code it opens on, what the user
// does, the answers to the questions, and the list that Ok must then have
// written (the same list when empty) with the questions asked.
struct CasoJanela {
    const char* caso;
    Lista inicial;
    std::function<void(TFormPref*)> atos;
    std::deque<int> respostas;
    Lista final;
    std::vector<const char*> perguntas;
    const char* ddd = " 011";
    const char* dddFinal = nullptr;
};

void PrintTo(const CasoJanela& caso, std::ostream* os) { *os << caso.caso; }

class Prefixos : public ::testing::TestWithParam<CasoJanela> {};

TEST_P(Prefixos, OkWritesTheListAsEdited)
{
    const CasoJanela& caso = GetParam();
    auto imagem = ImagemCom(caso.inicial, caso.ddd);
    const auto esperada =
        ImagemCom(caso.final.empty() ? caso.inicial : caso.final, caso.dddFinal ? caso.dddFinal : caso.ddd);
    const Resultado r = Abre(imagem, [&](TFormPref* j) {
        caso.atos(j);
        Ok(j);
    }, caso.respostas);
    EXPECT_FALSE(r.aberta) << "Ok must close the window";
    ASSERT_EQ(r.caixas.size(), caso.perguntas.size());
    for (size_t i = 0; i < r.caixas.size(); ++i) {
        EXPECT_EQ(r.caixas[i].text, QString::fromUtf8(caso.perguntas[i]));
        EXPECT_EQ(r.caixas[i].caption, QString::fromUtf8("Confirmação"));
        EXPECT_EQ(r.caixas[i].flags, 36);
    }
    EXPECT_EQ(Diferencas(esperada, imagem), std::vector<int>{});
}

const Lista kPadraoCom05Tabelas = Com(Padrao(), "05", "2-6");
const Lista k000a009 = Divide(Padrao(), "00", {{"000", "4-0"}});

INSTANTIATE_TEST_SUITE_P(Casos, Prefixos, ::testing::Values(
    CasoJanela{"SemMudancaOsMesmosBytes", Padrao(), [](TFormPref*) {}, {}, {}, {}},
    // Opening puts the first prefix in the edit while the access and
    // carrier controls keep their first state; leaving the edit for a
    // category shows the prefix first, so the click keeps its carrier.
    CasoJanela{"AberturaMostraOPrimeiro", Com(Padrao(), "00", "1-2"),
               [](TFormPref* j) {
                   EXPECT_EQ(j->Edit1->Text().trimmed(), "00");
                   EXPECT_TRUE(j->Edit1->hasFocus());
                   EXPECT_EQ(j->RadioGroup1->ItemIndex(), 4);
                   EXPECT_TRUE(j->RadioButton1->Checked());
                   EXPECT_FALSE(j->CheckBox1->Checked() || j->CheckBox1->isEnabled());
                   EXPECT_FALSE(j->CheckBox2->Checked() || j->CheckBox2->isEnabled());
                   ClicaCategoria(j, 2);
                   EXPECT_EQ(Selecionado(j), "00");
               },
               {}, Com(Padrao(), "00", "2-2"), {}},
    CasoJanela{"Digitar0NaoMudaNada", Padrao(),
               [](TFormPref* j) {
                   DigitaPrefixo(j, "0");
                   EXPECT_EQ(Selecionado(j), "00");
                   EXPECT_TRUE(j->ListBox1->hasFocus());
               },
               {}, {}, {}},
    CasoJanela{"PrefixoListadoSoSeleciona", Padrao(),
               [](TFormPref* j) {
                   DigitaPrefixo(j, "05");
                   EXPECT_EQ(Selecionado(j), "05");
                   EXPECT_EQ(j->RadioGroup1->ItemIndex(), 2);
                   EXPECT_EQ(j->ListBox1->count(), 19);
               },
               {}, {}, {}},
    CasoJanela{"Digitar00JuntaOs000a009", k000a009,
               [](TFormPref* j) {
                   EXPECT_EQ(j->Edit1->Text().trimmed(), "000");
                   DigitaPrefixo(j, "00");
                   EXPECT_EQ(Selecionado(j), "00");
                   EXPECT_EQ(j->RadioGroup1->ItemIndex(), 4);
                   EXPECT_EQ(j->ListBox1->count(), 19);
               },
               {IDYES}, Com(Padrao(), "00", "4-0"), {"Reduzir o número de cifras ?"}},
    CasoJanela{"JuntarRecusadoSelecionaOPrimeiro", k000a009,
               [](TFormPref* j) {
                   ClicaItem(j, "003");
                   DigitaPrefixo(j, "00");
                   EXPECT_EQ(Selecionado(j), "000");
                   EXPECT_EQ(j->ListBox1->count(), 28);
               },
               {IDNO}, {}, {"Reduzir o número de cifras ?"}},
    // "1" local without carrier: 123 ends up listed with its siblings.
    CasoJanela{"Digitar123Divide", Padrao(),
               [](TFormPref* j) {
                   DigitaPrefixo(j, "123");
                   EXPECT_EQ(Selecionado(j), "123");
                   EXPECT_EQ(j->ListBox1->TopIndex(), j->ListBox1->ItemIndex());
                   EXPECT_EQ(j->RadioGroup1->ItemIndex(), 0);
                   EXPECT_FALSE(ItensDaLista(j).contains("1"));
                   EXPECT_FALSE(ItensDaLista(j).contains("12"));
                   ClicaCategoria(j, 3);
               },
               {}, Divide(Divide(Padrao(), "1"), "12", {{"123", "3-0"}}), {}},
    // Leaving the edit applies the prefix too, and the click goes on.
    CasoJanela{"SairDoPrefixoDivide", Padrao(),
               [](TFormPref* j) {
                   DigitaPrefixo(j, "0801", false);
                   ClicaCategoria(j, 4);
               },
               {}, Divide(Divide(Padrao(), "08"), "080", {{"0801", "4-0"}}), {}},
    // From the list with the keyboard: Enter takes the chosen prefix back to
    // the edit, selected, so that the next digits replace it.
    CasoJanela{"TecladoDaListaAoPrefixo", Padrao(),
               [](TFormPref* j) {
                   ClicaItem(j, "05");
                   input::Key(Qt::Key_Down);
                   EXPECT_EQ(Selecionado(j), "06");
                   input::Key(Qt::Key_Return);
                   EXPECT_EQ(Focado(j), "Edit1");
                   EXPECT_EQ(j->Edit1->Text().trimmed(), "06");
                   input::Type("061\r");
                   EXPECT_EQ(Selecionado(j), "061");
                   ClicaCategoria(j, 4);
               },
               {}, Divide(Padrao(), "06", {{"061", "4-0"}}), {}},
    CasoJanela{"Tabela1LimpaTabela2", Padrao(),
               [](TFormPref* j) {
                   ClicaItem(j, "05");
                   EXPECT_FALSE(j->CheckBox1->isEnabled());
                   Marca(j->RadioButton2);
                   EXPECT_TRUE(j->CheckBox1->isEnabled() && j->CheckBox2->isEnabled());
                   Marca(j->CheckBox2);
                   Marca(j->CheckBox1);
                   EXPECT_TRUE(j->CheckBox1->Checked());
                   EXPECT_FALSE(j->CheckBox2->Checked());
               },
               {}, Com(Padrao(), "05", "2-2"), {}},
    CasoJanela{"NaoNecessitaZeraEDesabilita", kPadraoCom05Tabelas,
               [](TFormPref* j) {
                   ClicaItem(j, "05");
                   Marca(j->RadioButton1);
                   EXPECT_FALSE(j->CheckBox1->Checked() || j->CheckBox2->Checked());
                   EXPECT_FALSE(j->CheckBox1->isEnabled() || j->CheckBox2->isEnabled());
               },
               {}, Com(Padrao(), "05", "2-0"), {}},
    CasoJanela{"AmbasAsTabelasMostradasEMantidas", kPadraoCom05Tabelas,
               [](TFormPref* j) {
                   ClicaItem(j, "05");
                   EXPECT_TRUE(j->RadioButton2->Checked());
                   EXPECT_TRUE(j->CheckBox1->Checked() && j->CheckBox2->Checked());
                   ClicaItem(j, "04");
                   EXPECT_FALSE(j->CheckBox1->Checked() || j->CheckBox2->Checked());
                   ClicaItem(j, "05");
               },
               {}, {}, {}},
    CasoJanela{"CategoriaDeOutroPrefixo", Padrao(),
               [](TFormPref* j) {
                   ClicaItem(j, "7");
                   ClicaCategoria(j, 1);
                   ClicaItem(j, "3");
                   ClicaCategoria(j, 4);
               },
               {}, Com(Com(Padrao(), "7", "1-0"), "3", "4-0"), {}},
    CasoJanela{"PadraoSimKeepsTheAreaCode", Com(Com(Divide(Padrao(), "9"), "3", "4-6"), "00", "0-2"),
               [](TFormPref* j) {
                   input::Click(j->Button2);
                   EXPECT_EQ(j->ListBox1->count(), 19);
                   EXPECT_EQ(Selecionado(j), "00");
                   EXPECT_EQ(j->RadioGroup1->ItemIndex(), 3);
                   EXPECT_TRUE(j->RadioButton1->Checked());
                   EXPECT_EQ(j->MaskEdit1->Text(), " 0123");
               },
               {IDYES}, Padrao(), {"Confirma aplicação do padrão ?"}, " 0123"},
    CasoJanela{"PadraoNao", Com(Padrao(), "3", "4-6"), [](TFormPref* j) { input::Click(j->Button2); }, {IDNO}, {},
               {"Confirma aplicação do padrão ?"}},
    CasoJanela{"CodigoDeDoisDigitos", Padrao(), [](TFormPref* j) { DigitaDdd(j, "21"); }, {}, {}, {}, " 0123",
               " 021"},
    CasoJanela{"CodigoDeTresDigitosComZero", Padrao(), [](TFormPref* j) { DigitaDdd(j, "100"); }, {}, {}, {}, " 0",
               " 0100"},
    CasoJanela{"SemCodigo", Padrao(), [](TFormPref* j) { DigitaDdd(j, ""); }, {}, {}, {}, " 0123", " 0"}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// The stored area code as the window shows it.
TEST(PrefixosJanela, ShowsTheStoredAreaCode)
{
    const std::pair<std::uint16_t, const char*> casos[] = {
        {0xFFFF, " 0___"}, {0x11FF, " 011_"}, {0x1AFF, " 010_"}, {0x123F, " 0123"},
    };
    for (const auto& [palavra, mostrado] : casos) {
        auto imagem = ImagemCom(Padrao(), " 0");
        GravaU16(imagem.data() + ofsCodigoDdd, palavra);
        Abre(imagem, [&](TFormPref* j) { EXPECT_EQ(j->MaskEdit1->EditText(), mostrado); });
    }
}

// "Todos": the dialog's choice for every prefix, carriers kept; its last
// choice stays for the next use.
struct CasoTodos {
    const char* caso;
    const char* opcao; // null: none clicked
    const char* botao;
    const char* categoria; // null: nothing changes
};

class PrefixosTodos : public ::testing::TestWithParam<CasoTodos> {};

TEST_P(PrefixosTodos, AppliesOneCategoryToAll)
{
    const CasoTodos& caso = GetParam();
    const Lista inicial = Com(Com(Padrao(), "05", "2-6"), "3", "1-2");
    Lista final = inicial;
    if (caso.categoria)
        for (std::string& entrada : final)
            entrada[entrada.find('-') + 1] = caso.categoria[0];
    auto imagem = ImagemCom(inicial, " 011");
    const auto esperada = ImagemCom(final, " 011");
    QStringList janelas;
    Abre(imagem, [&](TFormPref* j) {
        ModalScript dialogo;
        dialogo.Then([&](QWidget* d) {
            janelas << d->windowTitle();
            EXPECT_EQ(d, FormTodPref);
            if (caso.opcao)
                Marca(Find<TRadioButton>(d, caso.opcao));
            input::Click(Find<TButton>(d, caso.botao));
        });
        input::Click(j->Button1);
        QCoreApplication::processEvents();
        EXPECT_EQ(Focado(j), "Edit1");
        Ok(j);
    });
    EXPECT_EQ(janelas, QStringList{"Aplicar a todos os prefixos"});
    EXPECT_EQ(Diferencas(esperada, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, PrefixosTodos, ::testing::Values(
    CasoTodos{"SemEscolhaBloqueiaTudo", nullptr, "Button1", "4"},
    CasoTodos{"Local", "RadioButton1", "Button1", "0"},
    CasoTodos{"Regional", "RadioButton2", "Button1", "1"},
    CasoTodos{"Ddd", "RadioButton3", "Button1", "2"},
    CasoTodos{"Ddi", "RadioButton4", "Button1", "3"},
    CasoTodos{"Bloqueado", "RadioButton5", "Button1", "4"},
    CasoTodos{"Cancela", "RadioButton1", "Button2", nullptr}),
    [](const auto& linha) { return std::string(linha.param.caso); });

TEST(PrefixosTodos, TheDialogKeepsItsLastChoiceWhileTheWindowIsOpen)
{
    auto imagem = ImagemCom(Padrao(), " 011");
    Abre(imagem, [&](TFormPref* j) {
        ModalScript dialogo;
        dialogo.Then([](QWidget* d) {
            Marca(Find<TRadioButton>(d, "RadioButton3"));
            input::Click(Find<TButton>(d, "Button2"));
        });
        dialogo.Then([](QWidget* d) {
            Ativa(d);
            EXPECT_TRUE(Find<TRadioButton>(d, "RadioButton3")->Checked());
            input::Key(Qt::Key_Escape);
        });
        input::Click(j->Button1);
        input::Click(j->Button1);
        EXPECT_EQ(dialogo.shown.size(), 2u);
        EXPECT_TRUE(dialogo.actions.empty());
    });
}

// Refused Oks: the message, the window still open with its list, the image
// as it was; Cancel then writes nothing.
struct CasoRecusa {
    const char* caso;
    Lista inicial;
    std::function<void(TFormPref*)> atos;
    const char* texto;
    const char* legenda;
    const char* focado;
};

void PrintTo(const CasoRecusa& caso, std::ostream* os) { *os << caso.caso; }

class PrefixosRecusa : public ::testing::TestWithParam<CasoRecusa> {};

// A list that needs all 22 free nodes.
Lista Cheia()
{
    Lista lista = Divide(Divide(Divide(Padrao(), "1"), "2"), "3");
    for (int i = 10; i < 32; ++i)
        lista = Divide(lista, std::to_string(i), {{std::to_string(i) + "5", "4-0"}});
    return lista;
}

TEST_P(PrefixosRecusa, OkRefusedWindowStaysImageUnchanged)
{
    const CasoRecusa& caso = GetParam();
    auto imagem = ImagemCom(caso.inicial, " 011");
    const auto antes = imagem;
    QString focado;
    QStringList itens;
    const Resultado r = Abre(imagem, [&](TFormPref* j) {
        caso.atos(j);
        itens = ItensDaLista(j);
        Ok(j);
        focado = Focado(j);
        EXPECT_EQ(ItensDaLista(j), itens);
        EXPECT_TRUE(j->isVisible());
        input::Click(j->CancButton);
    });
    EXPECT_FALSE(r.aberta);
    ASSERT_EQ(r.caixas.size(), 1u);
    EXPECT_EQ(r.caixas[0].text, QString::fromUtf8(caso.texto));
    EXPECT_EQ(r.caixas[0].caption, QString::fromUtf8(caso.legenda));
    EXPECT_EQ(r.caixas[0].flags & MB_ICONERROR, MB_ICONERROR);
    if (caso.focado) {
        EXPECT_EQ(focado, caso.focado);
    }
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, PrefixosRecusa, ::testing::Values(
    CasoRecusa{"NosEsgotados", Cheia(), [](TFormPref* j) { DigitaPrefixo(j, "335"); ClicaCategoria(j, 4); },
               "Excesso de prefixos expandidos, será necessário reduzir alguns prefixos.", "Erro", nullptr},
    CasoRecusa{"CodigoDeUmDigito", Padrao(), [](TFormPref* j) { DigitaDdd(j, "1"); }, "Código DDD está incorreto.",
               "Erro", "MaskEdit1"},
    CasoRecusa{"BrancoEntreOsDigitos", Padrao(), [](TFormPref* j) { DigitaDdd(j, "1 3"); },
               "' ' is not a valid integer value", "Erro", nullptr}),
    [](const auto& linha) { return std::string(linha.param.caso); });

TEST(PrefixosJanela, CancelAfterEveryKindOfChangeWritesNothing)
{
    auto imagem = ImagemCom(Padrao(), " 011");
    const auto antes = imagem;
    Abre(imagem, [&](TFormPref* j) {
        DigitaDdd(j, "47");
        DigitaPrefixo(j, "1234");
        ClicaCategoria(j, 1);
        Marca(j->RadioButton2);
        Marca(j->CheckBox1);
        DigitaPrefixo(j, "12");
        input::Click(j->Button2);
        input::Click(j->CancButton);
    }, {IDYES, IDNO});
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

// The main window's picture is taken with the others'.
TEST(PrefixosJanela, ScreenshotOfTheTodosDialog)
{
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    auto imagem = ImagemDoModelo();
    const QString todos = QStringLiteral(TRIVANTO_TEST_OUT "/modulo_BloqueioDePrefixos_Todos.png");
    Abre(imagem, [&](TFormPref* j) {
        ModalScript dialogo;
        dialogo.Then([&](QWidget* d) {
            Ativa(d);
            EXPECT_TRUE(d->grab().save(todos));
            input::Key(Qt::Key_Escape);
        });
        input::Click(j->Button1);
    });
    EXPECT_TRUE(QFile::exists(todos));
}

// A node that two entries of the root share (as the exchange may store it)
// shows its prefixes under both, and Ok writes both ranges back with their
// decisions, the window left as it opened.
TEST(Prefixos, NoCompartilhadoChegaInteiroAoOk)
{
    auto imagem = ImagemCom(Padrao(), " 011");
    ArvorePrefixos arvore = LeArvorePrefixos(imagem.data());
    arvore.raiz[55] = 131;
    arvore.raiz[57] = 131;
    std::fill_n(arvore.nos.data() + 30, 10, static_cast<std::uint8_t>(0x02));
    arvore.nos[34] = 0x04;
    GravaArvorePrefixos(imagem.data(), arvore);
    const Lista antes = CarregaArvorePrefixos(imagem.data());
    const Resultado r = Abre(imagem, [&](TFormPref* j) {
        EXPECT_TRUE(ItensDaLista(j).contains("553"));
        EXPECT_TRUE(ItensDaLista(j).contains("573"));
        Ok(j);
    });
    EXPECT_FALSE(r.aberta);
    EXPECT_TRUE(r.caixas.empty());
    EXPECT_EQ(CarregaArvorePrefixos(imagem.data()), antes);
}

} // namespace
