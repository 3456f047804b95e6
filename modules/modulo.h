#pragma once
// The frame that every editing window of the library shares: the image under
// edit, the entry that opens a window, help, error and "Padrão" boxes, and
// the window's buttons built from their roles:
//
//   const BotaoModulo<TFormX> kBotoes[] = {
//       {&TFormX::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 252}},
//       {&TFormX::OkButton, TPapelBotao::Ok, "OkButton", {312, 252}},
//   };
//   CriaBotoes(kBotoes);   // in the constructor, after HelpContext is set
//
// The other shared pieces: modules/recusa.h (refusing a value),
// modules/grade.h (a grid built from data), modules/caixasbit.h (bit check
// boxes), modules/seletores.h (extension lists and checks).
#include "modules/recusa.h"
#include "platform/application.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/lugar.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

// Marks a library entry: a C name, visible outside the library. Everything
// else in the library is hidden.
#define ENTRADA_MODULO extern "C" __attribute__((visibility("default")))

// The form of every entry: the caller's image (6610 bytes, valid for the call)
// and a start text owned by the caller, or null.
using TEntradaModulo = void (*)(std::uint8_t* imagem, const char* textoInicial);

// The image of the entry that is running; set by MostraModulo before the
// window is shown, stale between calls.
extern std::uint8_t* ImagemAtual;

// Message box flags and answers the windows use.
constexpr int kCaixaAviso = MB_OK | MB_ICONWARNING;                  // 48
constexpr int kCaixaInformacao = MB_OK | MB_ICONINFORMATION;         // 64
constexpr int kCaixaSimNaoCancela = MB_YESNOCANCEL | MB_ICONQUESTION; // 35
constexpr int kCaixaSimNao = MB_YESNO | MB_ICONQUESTION;             // 36

// The windows that ask before applying their defaults.
enum class TPadrao {
    CatRam,
    ProgInd,
    ConfigVias,
    CancProg,
    Tempor,
    Emergenc,
    AtdPort,
    ProgDiv,
    Pref,
    PlanoNum,
    RamalEco,
    HoraOper,
};

// Asks the window's defaults question; returns IDYES, IDNO or IDCANCEL.
int ConfirmaPadrao(TPadrao janela);

// Asks the window's defaults question and applies its defaults through
// `padraoDe`: Yes to every item from `primeiro` to `ultimo`, No to the item
// `atual` only, Cancel to none. Returns the answer.
int AplicaPadrao(TPadrao janela, int primeiro, int ultimo, int atual, const std::function<void(int)>& padraoDe);

constexpr const char* kArquivoAjuda = "TRIVANTO.HLP";
constexpr const char* kArquivoAjudaDigital = "DIGITAL.HLP";

// The help button of a window: names the help file on the library's
// application first (it holds none of its own), then opens the topic.
void AbreAjuda(int contexto, const char* arquivo = kArquivoAjuda);

// What a button of an editing window does; the role gives its caption too.
enum class TPapelBotao {
    Ok,      // "O&k": the window's OkButtonClick
    OkModal, // "O&k": ends the window with Ok (work-copy windows), after OkButtonClick
    Cancela, // "&Cancela": closes with Cancel; answers Esc too
    Padrao,  // "&Padrão": the window's PadButtonClick
    Ajuda,   // "&Ajuda": opens the window's help topic
    Copia,   // "C&opia": wired by the window itself
    Outro,   // caption given in the row, wired by the window itself
};

// Every button of an editing window has the same size.
constexpr int kLarguraBotao = 80;
constexpr int kAlturaBotao = 28;

// Where a button's top left corner stands in the window.
struct CantoBotao {
    int x;
    int y;
};

// A row of a window's table of buttons: the member that holds the button,
// its role, name and place; a caption only for the role Outro.
template <typename TJanela>
struct BotaoModulo {
    TButton* TJanela::*membro;
    TPapelBotao papel;
    const char* nome;
    CantoBotao canto;
    const char* legenda = nullptr;
};

// A row of a window's table of group boxes: the member that holds the box,
// its name, caption and place.
template <typename TJanela>
struct GrupoModulo {
    TGroupBox* TJanela::*membro;
    const char* nome;
    const char* legenda;
    Lugar lugar;
};

// Base of the editing windows: fixed border, no title-bar buttons, F1 opens
// the window's (or the focused control's) topic in the window's help file.
class TFormModulo : public TForm {
    Q_OBJECT
public:
    explicit TFormModulo(QWidget* owner, const char* arquivoAjuda = kArquivoAjuda);

    // The entry method: points ImagemAtual at the image, prepares the window,
    // shows it modally and, when it ends with Ok, commits. A window that
    // takes a start text keeps it and then calls this.
    void MostraModulo(std::uint8_t* imagem);

protected:
    void ShowHelp(int context) override;
    // The help button's handler: the window's own context.
    void AbreAjudaJanela();

    // Before the window is shown: a work copy taken from the image, controls
    // loaded ahead of the window's show handler.
    virtual void PreparaModulo() {}
    // After the window ended with Ok: a work copy written back.
    virtual void ConfirmaModulo() {}
    // The clicks of the Ok and "Padrão" buttons.
    virtual void OkButtonClick() {}
    virtual void PadButtonClick() {}

    // Creates the window's buttons in the table's order (their tab order)
    // into their members, each with the window's help context (set it
    // first), and wires them by what they do.
    template <typename TJanela, std::size_t N>
    void CriaBotoes(const BotaoModulo<TJanela> (&botoes)[N])
    {
        auto* janela = static_cast<TJanela*>(this);
        for (const BotaoModulo<TJanela>& botao : botoes)
            janela->*botao.membro = CriaBotaoModulo(botao.papel, botao.nome, botao.canto, botao.legenda);
    }

    // Creates the window's group boxes in the table's order into their
    // members, each with the window's help context.
    template <typename TJanela, std::size_t N>
    void CriaGrupos(const GrupoModulo<TJanela> (&grupos)[N])
    {
        auto* janela = static_cast<TJanela*>(this);
        for (const GrupoModulo<TJanela>& grupo : grupos) {
            auto* caixa = Posiciona(new TGroupBox(QString::fromUtf8(grupo.legenda), this), grupo.nome, grupo.lugar);
            caixa->HelpContext = HelpContext;
            janela->*grupo.membro = caixa;
        }
    }

private:
    TButton* CriaBotaoModulo(TPapelBotao papel, const char* nome, CantoBotao canto, const char* legenda);

    const char* arquivoAjuda_;
};

// An entry: creates the window with no owner (the variable is null) into its
// global variable, runs its MostraModulo, frees it and nulls the variable.
// An error that escapes the window ends in the error box, never in the
// caller.
template <typename TJanela, typename... Argumentos>
void ExecutaModulo(TJanela*& janela, std::uint8_t* imagem, Argumentos... argumentos)
{
    if (!imagem)
        return;
    Application->LoadTranslations();
    Application->Guard([&] {
        struct Anula {
            TJanela*& janela;
            ~Anula() { janela = nullptr; }
        } anula{janela};
        std::unique_ptr<TJanela> dono(new TJanela(janela));
        janela = dono.get();
        janela->MostraModulo(imagem, argumentos...);
    });
}

// The order in which an entry with a companion window creates and frees the
// two windows.
enum class TOrdem { PrincipalPrimeiro, CompanheiraPrimeiro };

// An entry whose window has a companion (a copy picker, a dialog it opens):
// both are created with no owner in the order given, the main window's
// MostraModulo runs, both are freed in the order given and their variables
// nulled.
template <typename TPrincipal, typename TCompanheira, typename... Argumentos>
void ExecutaModuloComCompanheira(TPrincipal*& principal, TCompanheira*& companheira, TOrdem criacao,
                                 TOrdem liberacao, std::uint8_t* imagem, Argumentos... argumentos)
{
    if (!imagem)
        return;
    Application->LoadTranslations();
    Application->Guard([&] {
        std::unique_ptr<TPrincipal> donoPrincipal;
        std::unique_ptr<TCompanheira> donoCompanheira;
        struct Libera {
            std::unique_ptr<TPrincipal>& principal;
            std::unique_ptr<TCompanheira>& companheira;
            TPrincipal*& variavelPrincipal;
            TCompanheira*& variavelCompanheira;
            TOrdem ordem;
            ~Libera()
            {
                if (ordem == TOrdem::PrincipalPrimeiro) {
                    principal.reset();
                    companheira.reset();
                } else {
                    companheira.reset();
                    principal.reset();
                }
                variavelPrincipal = nullptr;
                variavelCompanheira = nullptr;
            }
        } libera{donoPrincipal, donoCompanheira, principal, companheira, liberacao};
        const auto criaPrincipal = [&] {
            donoPrincipal.reset(new TPrincipal(principal));
            principal = donoPrincipal.get();
        };
        const auto criaCompanheira = [&] {
            donoCompanheira.reset(new TCompanheira(companheira));
            companheira = donoCompanheira.get();
        };
        if (criacao == TOrdem::PrincipalPrimeiro) {
            criaPrincipal();
            criaCompanheira();
        } else {
            criaCompanheira();
            criaPrincipal();
        }
        principal->MostraModulo(imagem, argumentos...);
    });
}
