#include "modules/modulo.h"

#include "platform/help.h"

std::uint8_t* ImagemAtual = nullptr;

namespace {

struct PerguntaPadrao {
    TPadrao janela;
    const char* texto;
    const char* legenda;
    int tipo;
};

const PerguntaPadrao kPerguntasPadrao[] = {
    {TPadrao::CatRam, "Usar padrão para todos os ramais ?", "Confirma", kCaixaSimNaoCancela},
    {TPadrao::ProgInd, "Usar padrão para todos os ramais ?", "Confirma", kCaixaSimNaoCancela},
    {TPadrao::ConfigVias, "Usar padrão para todas as vias ?", "Confirma", kCaixaSimNaoCancela},
    {TPadrao::CancProg, "Confirma o padrão ? ", "Confirma", kCaixaSimNao},
    {TPadrao::Tempor, "Deseja mesmo aplicar o padrão ?", "Confirma", kCaixaSimNao},
    {TPadrao::Emergenc, "Deseja mesmo aplicar o padrão ?", "Confirma", kCaixaSimNao},
    {TPadrao::AtdPort, "Deseja mesmo aplicar o padrão ?", "Confirma", kCaixaSimNao},
    {TPadrao::ProgDiv, "Deseja mesmo aplicar o padrão ?", "Confirma", kCaixaSimNao},
    {TPadrao::Pref, "Confirma aplicação do padrão ?", "Confirmação", kCaixaSimNao},
    {TPadrao::PlanoNum, "Aplicar padrão a todas as posições ?", "Atenção", kCaixaSimNaoCancela},
    {TPadrao::RamalEco, "Aplicar o padrão a todos os ramais ?", "Atenção", kCaixaSimNaoCancela},
    {TPadrao::HoraOper, "Aplicar o padrão a todos os horários ?", "Atenção", kCaixaSimNaoCancela},
};

// The caption of each role's button.
struct LegendaPapel {
    TPapelBotao papel;
    const char* legenda;
};

const LegendaPapel kLegendasPapel[] = {
    {TPapelBotao::Ok, "O&k"},         {TPapelBotao::OkModal, "O&k"},   {TPapelBotao::Cancela, "&Cancela"},
    {TPapelBotao::Padrao, "&Padrão"}, {TPapelBotao::Ajuda, "&Ajuda"}, {TPapelBotao::Copia, "C&opia"},
};

const char* LegendaDoPapel(TPapelBotao papel)
{
    for (const LegendaPapel& linha : kLegendasPapel)
        if (linha.papel == papel)
            return linha.legenda;
    return "";
}

} // namespace

int ConfirmaPadrao(TPadrao janela)
{
    for (const PerguntaPadrao& pergunta : kPerguntasPadrao)
        if (pergunta.janela == janela)
            return Application->MessageBox(QString::fromUtf8(pergunta.texto),
                                           QString::fromUtf8(pergunta.legenda), pergunta.tipo);
    return IDCANCEL;
}

int AplicaPadrao(TPadrao janela, int primeiro, int ultimo, int atual, const std::function<void(int)>& padraoDe)
{
    const int resposta = ConfirmaPadrao(janela);
    if (resposta == IDYES)
        for (int item = primeiro; item <= ultimo; ++item)
            padraoDe(item);
    else if (resposta == IDNO)
        padraoDe(atual);
    return resposta;
}

void AbreAjuda(int contexto, const char* arquivo)
{
    Application->HelpFile = QString::fromLatin1(arquivo);
    ShowHelpContext(Application->HelpFile, contexto);
}

TFormModulo::TFormModulo(QWidget* owner, const char* arquivoAjuda)
    : TForm(owner), arquivoAjuda_(arquivoAjuda)
{
    BordaDeDialogo(this);
}

void TFormModulo::MostraModulo(std::uint8_t* imagem)
{
    ImagemAtual = imagem;
    PreparaModulo();
    if (ShowModal() == mrOk)
        ConfirmaModulo();
}

void TFormModulo::ShowHelp(int context)
{
    AbreAjuda(context, arquivoAjuda_);
}

void TFormModulo::AbreAjudaJanela()
{
    AbreAjuda(HelpContext, arquivoAjuda_);
}

TButton* TFormModulo::CriaBotaoModulo(TPapelBotao papel, const char* nome, CantoBotao canto, const char* legenda)
{
    const DadosBotao dados{nome, legenda && papel == TPapelBotao::Outro ? legenda : LegendaDoPapel(papel),
                           {canto.x, canto.y, kLarguraBotao, kAlturaBotao}};
    TButton* botao = CriaBotao(this, dados, HelpContext);
    switch (papel) {
    case TPapelBotao::Ok:
        botao->OnClick = [this] { OkButtonClick(); };
        break;
    case TPapelBotao::OkModal:
        botao->ModalResult = mrOk;
        botao->OnClick = [this] { OkButtonClick(); };
        break;
    case TPapelBotao::Cancela:
        botao->ModalResult = mrCancel;
        botao->Cancel = true;
        break;
    case TPapelBotao::Padrao:
        botao->OnClick = [this] { PadButtonClick(); };
        break;
    case TPapelBotao::Ajuda:
        botao->OnClick = [this] { AbreAjudaJanela(); };
        break;
    case TPapelBotao::Copia:
    case TPapelBotao::Outro:
        break;
    }
    return botao;
}
