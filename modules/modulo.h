#pragma once
// The frame that every editing window of the library shares: the image under
// edit, the entry that opens a window, help, error and "Padrão" boxes.
#include "platform/application.h"
#include "platform/forms.h"

#include <QString>

#include <cstdint>
#include <memory>

// Marks a library entry: a C name, visible outside the library. Everything
// else in the library is hidden.
#define ENTRADA_MODULO extern "C" __attribute__((visibility("default")))

// The form of every entry: the caller's image (6610 bytes, valid for the call)
// and a start text owned by the caller, or null.
using TEntradaModulo = void (*)(std::uint8_t* imagem, const char* textoInicial);

// The image of the entry that is running; set by each window's MostraModulo
// before the window is shown, stale between calls.
extern std::uint8_t* ImagemAtual;

// Message box flags and answers the windows use.
constexpr int kCaixaErro = MB_OK | MB_ICONERROR;                     // 16
constexpr int kCaixaAviso = MB_OK | MB_ICONWARNING;                  // 48
constexpr int kCaixaInformacao = MB_OK | MB_ICONINFORMATION;         // 64
constexpr int kCaixaSimNaoCancela = MB_YESNOCANCEL | MB_ICONQUESTION; // 35
constexpr int kCaixaSimNao = MB_YESNO | MB_ICONQUESTION;             // 36

// A refused value: the error box with the caption "Erro".
void MostraErro(const QString& texto);

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

constexpr const char* kArquivoAjuda = "TRIVANTO.HLP";
constexpr const char* kArquivoAjudaDigital = "DIGITAL.HLP";

// The help button of a window: names the help file on the library's
// application first (it holds none of its own), then opens the topic.
void AbreAjuda(int contexto, const char* arquivo = kArquivoAjuda);

// Base of the editing windows: fixed border, no title-bar buttons, F1 opens
// the window's (or the focused control's) topic in the window's help file.
class TFormModulo : public TForm {
    Q_OBJECT
public:
    explicit TFormModulo(QWidget* owner, const char* arquivoAjuda = kArquivoAjuda);

protected:
    void ShowHelp(int context) override;
    // The help button's handler: the window's own context.
    void AbreAjudaJanela();

private:
    const char* arquivoAjuda_;
};

// Where a control stands in its parent: left, top, width, height.
struct Lugar {
    int x;
    int y;
    int largura;
    int altura;
};

// Names a control (its Qt objectName too, so it can be found by name) and
// puts it in its place.
template <typename T>
T* Posiciona(T* controle, const char* nome, Lugar lugar)
{
    controle->setObjectName(QString::fromLatin1(nome));
    controle->setGeometry(lugar.x, lugar.y, lugar.largura, lugar.altura);
    return controle;
}

// A push button of a window: name, caption, place, the modal result it gives
// and whether it answers Esc.
struct DadosBotao {
    const char* nome;
    const char* legenda;
    Lugar lugar;
    int resultado = mrNone;
    bool cancela = false;
};

TButton* CriaBotao(QWidget* pai, const DadosBotao& dados, int contextoAjuda);

// An entry: creates the window with no owner (the variable is null) into its
// global variable, runs its MostraModulo, frees it and nulls the variable.
// An error that escapes the window ends in the error box, never in the
// caller.
template <typename TJanela, typename... Argumentos>
void ExecutaModulo(TJanela*& janela, std::uint8_t* imagem, Argumentos... argumentos)
{
    if (!imagem)
        return;
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
