#include "modules/formprogind.h"

#include "image/conversao.h"
#include "image/layout.h"
#include "image/padrao.h"
#include "image/registro.h"
#include "modules/caixasbit.h"
#include "modules/formcopram.h"
#include "modules/seletores.h"

#include <cstring>

TFormProgInd* FormProgInd = nullptr;

namespace {

constexpr int kContextoAjuda = 2600;

// The work copy: the per-extension areas from the hot line to the private
// code passwords.
constexpr int kInicioCopia = ofsLinhaDireta;
constexpr int kTamanhoCopia = Area("SenhasCodigoParticular").fim() - kInicioCopia;
static_assert(kTamanhoCopia == 224);
std::uint8_t CopiaIndividual[kTamanhoCopia];

// The work copy's byte that stands for image byte ofs.
std::uint8_t& Copia(int ofs)
{
    return CopiaIndividual[ofs - kInicioCopia];
}

// The hot line's external destinations are the routes 0..6.
constexpr int kMaiorRota = 6;

// Numbers the window steps over: they are no extension to program.
const QStringList kPulados = {QStringLiteral("87"), QStringLiteral("81"), QStringLiteral("82"),
                              QStringLiteral("68"), QStringLiteral("69")};

// Combo tags: the field a change writes.
enum CampoCombo : int {
    kCampoDesvioNaoAtende = 2,
    kCampoDesvioOcupado = 3,
    kCampoToques = 4,
    kCampoFlash = 5,
    kCampoRechamadaTronco = 6,
    kCampoRetorno = 7,
    kCampoRechamadaRamal = 8,
};

int OffsetCampo(int campo, int posicao)
{
    switch (campo) {
    case kCampoDesvioNaoAtende: return OffsetDesvioNaoAtende(posicao);
    case kCampoDesvioOcupado: return OffsetDesvioOcupado(posicao);
    case kCampoToques: return OffsetToquesDesvioRamal(posicao);
    case kCampoFlash: return OffsetTempoFlash(posicao);
    case kCampoRetorno: return OffsetTempoRetornoEspera(posicao);
    default: return OffsetTemposRechamada(posicao);
    }
}

struct CaixaFacilidade {
    TCheckBox* TFormProgInd::*membro;
    const char* nome;
    const char* legenda;
    int tag;
    Lugar lugar;
};

const CaixaFacilidade kFacilidades[] = {
    {&TFormProgInd::CheckBox2, "CheckBox2", "Acessa secretária", TagMantemLiga(0xFE, 0x01), {320, 300, 300, 20}},
    {&TFormProgInd::CheckBox7, "CheckBox7", "Não recebe chamada externa", TagMantemLiga(0xFB, 0x04), {320, 324, 200, 20}},
    {&TFormProgInd::CheckBox6, "CheckBox6", "Marketing", TagMantemLiga(0xF7, 0x08), {320, 348, 300, 20}},
    {&TFormProgInd::CheckBox5, "CheckBox5", "Siga-me", TagMantemLiga(0xEF, 0x10), {320, 372, 300, 20}},
    {&TFormProgInd::CheckBox4, "CheckBox4", "Não perturbe", TagMantemLiga(0x7F, 0x80), {320, 396, 300, 20}},
};
const Lugar kLugarDireta{522, 324, 60, 20};

struct RadioCadeado {
    TRadioButton* TFormProgInd::*membro;
    const char* nome;
    const char* legenda;
    int tag;
    Lugar lugar;
};

const RadioCadeado kCadeados[] = {
    {&TFormProgInd::RadioButton1, "RadioButton1", "DDI e DDD", 243, {10, 8, 140, 20}},
    {&TFormProgInd::RadioButton2, "RadioButton2", "DDI", 247, {160, 8, 140, 20}},
    {&TFormProgInd::RadioButton3, "RadioButton3", "DDI, DDD e Regional", 227, {10, 32, 290, 20}},
    {&TFormProgInd::RadioButton4, "RadioButton4", "DDI, DDD, Regional e Local", 99, {10, 56, 290, 20}},
};

// The combos of numbers: tag, label, the values listed.
struct ComboNumero {
    TComboBox* TFormProgInd::*membro;
    const char* nome;
    int campo;
    const char* rotulo;
    int menor;
    int maior;
    int linha;
};

const ComboNumero kNumeros[] = {
    {&TFormProgInd::ComboBox3, "ComboBox3", kCampoToques, "Nº de toques para desvio se não atende", 3, 7, 0},
    {&TFormProgInd::ComboBox4, "ComboBox4", kCampoFlash, "Tempo de reconhecimento de flash (x100 ms)", 2, 9, 1},
    {&TFormProgInd::ComboBox6, "ComboBox6", kCampoRetorno, "Tempo de retorno de chamada retida (s)", 10, 90, 2},
};
Lugar LugarRotuloNumero(int linha) { return {320, 44 + 28 * linha, 276, 20}; }
Lugar LugarComboNumero(int linha) { return {602, 40 + 28 * linha, 60, 24}; }

const BotaoModulo<TFormProgInd> kBotoes[] = {
    {&TFormProgInd::HelpBitBtn, TPapelBotao::Ajuda, "HelpBitBtn", {8, 432}},
    {&TFormProgInd::Button1, TPapelBotao::Padrao, "Button1", {96, 432}},
    {&TFormProgInd::Button2, TPapelBotao::Copia, "Button2", {184, 432}},
    {&TFormProgInd::OKButton, TPapelBotao::OkModal, "OKButton", {494, 432}},
    {&TFormProgInd::Button3, TPapelBotao::Cancela, "Button3", {582, 432}},
};

QString TextoDesvio(std::uint8_t referencia)
{
    if (referencia == kReferencia87)
        return QStringLiteral("87");
    return QString::fromStdString(ReferenciaParaTexto(ImagemAtual, referencia));
}

QString TextoRechamada(int valor)
{
    if (valor == kSemRechamada)
        return QStringLiteral(" ");
    return QString::number(valor);
}

// The one-byte fields of a position (its password aside): a copy carries
// them, "Padrão" resets them.
int (*const kCamposDoRamal[])(int) = {
    OffsetLinhaDireta,       OffsetDesvioNaoAtende, OffsetDesvioOcupado,      OffsetSigaMe,
    OffsetToquesDesvioRamal, OffsetTempoFlash,      OffsetTempoRetornoEspera, OffsetTemposRechamada,
    OffsetCadeadoRamal,      OffsetFacilidadesRamal,
};

// The private code of a position, from the image (owners are not edited
// here).
int CodigoDaPosicao(int posicao)
{
    return CodigoParticularDoRamal(ImagemAtual, posicao);
}

// Copies the two bytes of a password.
void CopiaSenha(std::uint8_t* destino, const std::uint8_t* origem)
{
    std::memcpy(destino, origem, 2);
}

} // namespace

TFormProgInd::TFormProgInd(QWidget* owner)
    : TFormModulo(owner),
      caixas_(BitsDaTagMantemLiga, [this](int) -> std::uint8_t& { return Copia(OffsetFacilidadesRamal(Posicao())); })
{
    SetCaption(QStringLiteral("Programações individuais"));
    SetClientSize(670, 470);
    HelpContext = kContextoAjuda;

    Edit1 = Posiciona(new TMaskEdit(this), "Edit1", {60, 8, 64, 24});
    Label1 = Posiciona(new TLabel(QStringLiteral("&Ramal"), this), "Label1", {8, 12, 50, 20});
    Label1->SetFocusControl(Edit1);
    const auto navegacao = CriaBotoesNavegacao(this, 136, 8);
    SpeedButton1 = navegacao[0];
    SpeedButton2 = navegacao[1];
    SpeedButton3 = navegacao[2];
    SpeedButton4 = navegacao[3];
    navegacao_ = std::make_unique<TNavegacaoRamal>(Edit1, kPulados, [this](int p) { MostraProgRamal(p); });

    // Hot line.
    CheckBox11 = Posiciona(new TCheckBox(QStringLiteral("&Hot-line"), this), "CheckBox11", {8, 44, 120, 20});
    GroupBox1 = Posiciona(new TGroupBox(QString(), this), "GroupBox1", {8, 66, 300, 104});
    RadioButton5 = Posiciona(new TRadioButton(QStringLiteral("Externa"), GroupBox1), "RadioButton5", {10, 22, 80, 20});
    RadioButton6 = Posiciona(new TRadioButton(QStringLiteral("Interna"), GroupBox1), "RadioButton6", {10, 50, 80, 20});
    Label2 = Posiciona(new TLabel(QStringLiteral("Ramal"), GroupBox1), "Label2", {100, 24, 50, 20});
    ComboBox2 = Posiciona(new TComboBox(GroupBox1, csDropDownList), "ComboBox2", {156, 20, 80, 24});
    CheckBox3 = Posiciona(new TCheckBox(QStringLiteral("Emergência"), GroupBox1), "CheckBox3", {100, 52, 180, 20});
    CheckBox3->Tag = 1;
    CheckBox9 = Posiciona(new TCheckBox(QStringLiteral("Imediato"), GroupBox1), "CheckBox9", {100, 76, 180, 20});
    CheckBox9->Tag = 2;

    // Diversions and follow-me.
    GroupBox2 = Posiciona(new TGroupBox(QStringLiteral("Ramais de des&vio"), this), "GroupBox2", {8, 178, 300, 112});
    ComboBox8 = Posiciona(new TComboBox(GroupBox2, csDropDownList), "ComboBox8", {130, 20, 80, 24});
    ComboBox8->Tag = kCampoDesvioNaoAtende;
    ComboBox9 = Posiciona(new TComboBox(GroupBox2, csDropDownList), "ComboBox9", {130, 48, 80, 24});
    ComboBox9->Tag = kCampoDesvioOcupado;
    Posiciona(new TLabel(QStringLiteral("Se não atende"), GroupBox2), "Label8", {10, 24, 116, 20})
        ->SetFocusControl(ComboBox8);
    Posiciona(new TLabel(QStringLiteral("Se ocupado"), GroupBox2), "Label9", {10, 52, 116, 20})
        ->SetFocusControl(ComboBox9);
    ESiga = Posiciona(new TEdit(GroupBox2), "ESiga", {130, 76, 80, 24});
    ESiga->SetReadOnly(true);
    Label10 = Posiciona(new TLabel(QStringLiteral("Siga-me"), GroupBox2), "Label10", {10, 80, 116, 20});

    // Passwords.
    CheckBox1 = Posiciona(new TCheckBox(QStringLiteral("Senha programada"), this), "CheckBox1", {8, 300, 280, 20});
    CheckBox8 = Posiciona(new TCheckBox(QStringLiteral("Senha código particular"), this), "CheckBox8",
                          {8, 324, 280, 20});

    // Rings and times.
    for (const ComboNumero& dados : kNumeros) {
        auto* combo = Posiciona(new TComboBox(this, csDropDownList), dados.nome, LugarComboNumero(dados.linha));
        combo->Tag = dados.campo;
        CarregaComboNumeros(false, combo, dados.menor, QStringLiteral("0"), dados.maior);
        Posiciona(new TLabel(QString::fromUtf8(dados.rotulo), this), nullptr, LugarRotuloNumero(dados.linha))
            ->SetFocusControl(combo);
        this->*dados.membro = combo;
    }
    Posiciona(new TLabel(QStringLiteral("Tempo de rechamada (s) "), this), "Label6", {320, 128, 240, 20});
    ComboBox5 = Posiciona(new TComboBox(this, csDropDownList), "ComboBox5", {376, 150, 56, 24});
    ComboBox5->Tag = kCampoRechamadaTronco;
    ComboBox1 = Posiciona(new TComboBox(this, csDropDownList), "ComboBox1", {500, 150, 56, 24});
    ComboBox1->Tag = kCampoRechamadaRamal;
    Posiciona(new TLabel(QStringLiteral("Tronco"), this), "Label4", {320, 154, 54, 20})->SetFocusControl(ComboBox5);
    Posiciona(new TLabel(QStringLiteral("Ramal"), this), "Label5", {446, 154, 50, 20})->SetFocusControl(ComboBox1);
    for (TComboBox* combo : {ComboBox5, ComboBox1}) {
        combo->SetSorted(true);
        for (const char* item : {" ", "3", "4", "5", "6"})
            combo->Items().Add(QString::fromLatin1(item));
    }

    // Lock.
    CheckBox10 = Posiciona(new TCheckBox(QStringLiteral("Ramal ca&deado para"), this), "CheckBox10",
                           {320, 184, 240, 20});
    GroupBox3 = Posiciona(new TGroupBox(QString(), this), "GroupBox3", {320, 206, 332, 84});
    for (const RadioCadeado& dados : kCadeados) {
        auto* radio = Posiciona(new TRadioButton(QString::fromUtf8(dados.legenda), GroupBox3), dados.nome, dados.lugar);
        radio->Tag = dados.tag;
        radio->OnClick = [this, radio] { RadioButton4Click(radio); };
        this->*dados.membro = radio;
        cadeados_.push_back(radio);
    }

    // Facilities.
    for (const CaixaFacilidade& dados : kFacilidades) {
        auto* caixa = Posiciona(new TCheckBox(QString::fromUtf8(dados.legenda), this), dados.nome, dados.lugar);
        caixas_.Liga(caixa, dados.tag, [this](TCheckBox* c) { CheckBox6Click(c); });
        this->*dados.membro = caixa;
    }
    Label12 = Posiciona(new TLabel(QStringLiteral("direta"), this), "Label12", kLugarDireta);

    CriaBotoes(kBotoes);
    for (QWidget* filho : findChildren<QWidget*>())
        if (TControl* controle = TControl::Of(filho))
            controle->HelpContext = kContextoAjuda;

    Edit1->OnChange = [this] { navegacao_->EditChange(); };
    SpeedButton1->OnClick = [this] { SpeedButton1Click(); };
    SpeedButton2->OnClick = [this] { SpeedButton2Click(); };
    SpeedButton3->OnClick = [this] { SpeedButton3Click(); };
    SpeedButton4->OnClick = [this] { SpeedButton4Click(); };
    CheckBox11->OnClick = [this] { CheckBox11Click(); };
    RadioButton5->OnClick = [this] { RadioButton5Click(RadioButton5); };
    RadioButton6->OnClick = [this] { RadioButton5Click(RadioButton6); };
    ComboBox2->OnChange = [this] { ComboBox2Change(); };
    CheckBox3->OnClick = [this] { CheckBox3Click(); };
    CheckBox9->OnClick = [this] { CheckBox3Click(); };
    for (TComboBox* combo : {ComboBox8, ComboBox9, ComboBox3, ComboBox4, ComboBox5, ComboBox6, ComboBox1})
        combo->OnChange = [this, combo] { ComboBox7Change(combo); };
    Label12->OnMouseDown = [this](TMouseButton, TShiftState, int, int) { Label12Click(); };
    CheckBox10->OnClick = [this] { CheckBox10Click(); };
    CheckBox1->OnClick = [this] { CheckBox1Click(); };
    CheckBox8->OnClick = [this] { CheckBox8Click(); };
    Button2->OnClick = [this] { Button2Click(); };
}

// The window edits a copy of the per-extension areas, written back on Ok.
void TFormProgInd::PreparaModulo()
{
    caixas_.Preenche([this] { CheckBox10->SetChecked(false); });
    std::memcpy(CopiaIndividual, ImagemAtual + kInicioCopia, sizeof CopiaIndividual);
}

void TFormProgInd::ConfirmaModulo()
{
    std::memcpy(ImagemAtual + kInicioCopia, CopiaIndividual, sizeof CopiaIndividual);
}

// Every activation starts again at the first position.
void TFormProgInd::FormActivate()
{
    navegacao_->posicao = 1;
    TComboBox destinos;
    CarregaListaDestinos(false, false, destinos.Items());
    for (TComboBox* combo : {ComboBox8, ComboBox9}) {
        CarregaComboRamais(combo);
        // Each extension is listed once: of the destinations only the groups
        // are new.
        for (const QString& item : destinos.Items().ToStringList())
            if (combo->Items().IndexOf(item) < 0)
                combo->Items().Add(item);
    }
    // Item 0 is the blank entry, items 1..12 the positions, then the groups.
    referenciasDesvio_.assign(1, kSemReferencia);
    for (int item = 1; item < ComboBox8->Items().Count(); ++item) {
        const QString texto = ComboBox8->Items()[item];
        bool encontrado = false;
        referenciasDesvio_.push_back(texto == QLatin1String("87") ? kReferencia87
                                     : item <= kPosicoesRamal     ? static_cast<std::uint8_t>(item - 1)
                                        : TextoParaReferencia(ImagemAtual, texto.toStdString(), encontrado));
    }
    ComboBox2->SetItemIndex(-1);
    navegacao_->PoeNumero(1);
    Edit1->SetFocus();
    navegacao_->EditChange();
}

void TFormProgInd::MostraProgRamal(int posicao)
{
    navegacao_->posicao = std::clamp(posicao, 1, kPosicoesRamal);
    caixas_.Preenche([this] { MostraCampos(Posicao()); });
}

// Every control from position p of the work copy; what their handlers would
// store is not stored (the window is filling them).
void TFormProgInd::MostraCampos(int p)
{
    const std::uint8_t linha = Copia(OffsetLinhaDireta(p));
    CheckBox11->SetChecked(linha != kSemLinhaDireta);
    GroupBox1->SetEnabled(linha != kSemLinhaDireta);
    if (linha == kSemLinhaDireta) {
        ComboBox2->SetItemIndex(-1);
        RadioButton5->SetChecked(false);
        RadioButton6->SetChecked(false);
        CheckBox3->SetChecked(false);
        CheckBox9->SetChecked(false);
    } else {
        const int destino = linha & kDestinoLinhaDireta;
        if (linha & kLinhaDiretaExterna) {
            RadioButton5->SetChecked(true);
            ComboBox2->SetItemIndex(destino <= kMaiorRota ? destino : -1);
        } else {
            RadioButton6->SetChecked(true);
            ComboBox2->SetItemIndex(destino < kPosicoesRamal ? destino + 1 : -1);
        }
        CheckBox3->SetChecked(linha & kLinhaDiretaEmergencia);
        CheckBox9->SetChecked(linha & kLinhaDiretaImediata);
    }
    RegraDestino();

    for (TComboBox* combo : {ComboBox8, ComboBox9}) {
        const std::uint8_t referencia = Copia(OffsetCampo(combo->Tag, p));
        const auto item = std::find(referenciasDesvio_.begin(), referenciasDesvio_.end(), referencia);
        combo->SetItemIndex(item == referenciasDesvio_.end() ? -1
                                                             : static_cast<int>(item - referenciasDesvio_.begin()));
    }
    for (const ComboNumero& dados : kNumeros) {
        TComboBox* combo = this->*dados.membro;
        combo->SetItemIndex(combo->Items().IndexOf(QString::number(Copia(OffsetCampo(dados.campo, p)))));
    }
    const std::uint8_t rechamada = Copia(OffsetTemposRechamada(p));
    ComboBox5->SetItemIndex(ComboBox5->Items().IndexOf(TextoRechamada(RechamadaTronco(rechamada))));
    ComboBox1->SetItemIndex(ComboBox1->Items().IndexOf(TextoRechamada(RechamadaRamal(rechamada))));

    const std::uint8_t cadeado = Copia(OffsetCadeadoRamal(p));
    CheckBox10->SetChecked(cadeado != kSemCadeado);
    for (TRadioButton* radio : cadeados_) {
        radio->SetChecked(radio->Tag == cadeado);
        radio->SetEnabled(cadeado != kSemCadeado);
    }

    caixas_.Mostra();
    CheckBox5->SetEnabled(CheckBox5->Checked());
    CheckBox4->SetEnabled(CheckBox4->Checked());
    ESiga->SetText(TextoDesvio(Copia(OffsetSigaMe(p))));
    ESiga->SetEnabled(CheckBox5->Checked());
    Label10->SetEnabled(CheckBox5->Checked());

    CheckBox1->SetChecked(SenhaProgramada(&Copia(OffsetSenhaRamal(p))));
    CheckBox1->SetEnabled(CheckBox1->Checked());
    const int codigo = CodigoDaPosicao(p);
    CheckBox8->SetChecked(codigo != 0 && SenhaProgramada(&Copia(OffsetSenhaCodigo(codigo))));
    CheckBox8->SetEnabled(CheckBox8->Checked());
}

std::uint8_t TFormProgInd::LinhaDiretaMostrada() const
{
    if (!CheckBox11->Checked())
        return kSemLinhaDireta;
    int destino = -1;
    if (RadioButton5->Checked())
        destino = ComboBox2->ItemIndex();
    else if (RadioButton6->Checked())
        destino = ComboBox2->ItemIndex() - 1; // item 0 is the blank entry
    if (destino < 0)
        return kSemLinhaDireta;
    return static_cast<std::uint8_t>(destino | (RadioButton5->Checked() ? kLinhaDiretaExterna : 0)
                                     | (CheckBox3->Checked() ? kLinhaDiretaEmergencia : 0)
                                     | (CheckBox9->Checked() ? kLinhaDiretaImediata : 0));
}

void TFormProgInd::GravaLinhaDireta()
{
    if (caixas_.Editando())
        Copia(OffsetLinhaDireta(Posicao())) = LinhaDiretaMostrada();
}

void TFormProgInd::RegraDestino()
{
    const bool rota = RadioButton5->Checked();
    const bool escolhido = rota ? ComboBox2->ItemIndex() >= 0 : ComboBox2->ItemIndex() > 0;
    if (!escolhido) {
        CheckBox3->SetChecked(false);
        CheckBox9->SetChecked(false);
        CheckBox3->SetEnabled(false);
        CheckBox9->SetEnabled(false);
        return;
    }
    CheckBox9->SetEnabled(true);
    if (!rota)
        CheckBox3->SetEnabled(true);
}

void TFormProgInd::ComboBox2Change()
{
    RegraDestino();
    GravaLinhaDireta();
}

void TFormProgInd::RadioButton5Click(TRadioButton* Sender)
{
    if (Sender == RadioButton5) {
        ComboBox2->Items().Clear();
        for (int rota = 0; rota <= kMaiorRota; ++rota)
            ComboBox2->Items().Add(QString::number(rota));
        Label2->SetCaption(QStringLiteral("Rota"));
    } else {
        CarregaComboRamais(ComboBox2);
        Label2->SetCaption(QStringLiteral("Ramal"));
    }
    CheckBox3->SetEnabled(Sender == RadioButton6);
    CheckBox9->SetEnabled(true);
    GravaLinhaDireta();
}

void TFormProgInd::CheckBox3Click()
{
    GravaLinhaDireta();
}

void TFormProgInd::CheckBox11Click()
{
    const bool ligada = CheckBox11->Checked();
    GroupBox1->SetEnabled(ligada);
    if (!ligada) {
        RadioButton5->SetChecked(false);
        RadioButton6->SetChecked(false);
        CheckBox3->SetChecked(false);
        CheckBox9->SetChecked(false);
        ComboBox2->SetItemIndex(-1);
    }
    GravaLinhaDireta();
}

void TFormProgInd::ComboBox7Change(TComboBox* Sender)
{
    if (!caixas_.Editando())
        return;
    std::uint8_t& campo = Copia(OffsetCampo(Sender->Tag, Posicao()));
    switch (Sender->Tag) {
    case kCampoDesvioNaoAtende:
    case kCampoDesvioOcupado: {
        const int item = Sender->ItemIndex();
        campo = item >= 0 && item < static_cast<int>(referenciasDesvio_.size())
            ? referenciasDesvio_[static_cast<size_t>(item)]
            : kSemReferencia;
        break;
    }
    case kCampoToques:
    case kCampoFlash:
    case kCampoRetorno:
        campo = static_cast<std::uint8_t>(StrToInt(Sender->Text().toStdString()));
        break;
    default: {
        const QString texto = Sender->Text();
        int valor = kSemRechamada;
        if (!texto.isEmpty() && texto[0] >= QLatin1Char('3') && texto[0] <= QLatin1Char('6'))
            valor = texto[0].digitValue();
        GravaRechamada(campo, Sender->Tag == kCampoRechamadaTronco, valor);
        break;
    }
    }
}

void TFormProgInd::CheckBox6Click(TCheckBox* Sender)
{
    const bool marcada = Sender->Checked();
    if (!marcada && (Sender == CheckBox5 || Sender == CheckBox4))
        Sender->SetEnabled(false);
    if (!marcada && Sender == CheckBox5) {
        ESiga->Clear();
        ESiga->SetEnabled(false);
        Label10->SetEnabled(false);
    }
    caixas_.Grava(Sender);
    if (!marcada && Sender == CheckBox5 && caixas_.Editando())
        Copia(OffsetSigaMe(Posicao())) = kSemReferencia;
}

void TFormProgInd::Label12Click()
{
    if (CheckBox7->Enabled())
        CheckBox7->SetChecked(!CheckBox7->Checked());
}

void TFormProgInd::CheckBox10Click()
{
    const bool cadeado = CheckBox10->Checked();
    for (TRadioButton* radio : cadeados_) {
        radio->SetEnabled(cadeado);
        if (!cadeado)
            radio->SetChecked(false);
    }
    if (!cadeado && caixas_.Editando())
        Copia(OffsetCadeadoRamal(Posicao())) = kSemCadeado;
}

void TFormProgInd::RadioButton4Click(TRadioButton* Sender)
{
    if (caixas_.Editando())
        Copia(OffsetCadeadoRamal(Posicao())) = Sender->Checked() ? static_cast<std::uint8_t>(Sender->Tag) : kSemCadeado;
}

void TFormProgInd::CheckBox1Click()
{
    if (CheckBox1->Checked())
        return;
    CheckBox1->SetEnabled(false);
    if (caixas_.Editando())
        ApagaSenha(&Copia(OffsetSenhaRamal(Posicao())));
}

void TFormProgInd::CheckBox8Click()
{
    if (CheckBox8->Checked())
        return;
    CheckBox8->SetEnabled(false);
    const int codigo = CodigoDaPosicao(Posicao());
    if (codigo != 0 && caixas_.Editando())
        ApagaSenha(&Copia(OffsetSenhaCodigo(codigo)));
}

void TFormProgInd::SpeedButton1Click()
{
    SpeedButton2->SetEnabled(false);
    SpeedButton3->SetEnabled(true);
    navegacao_->Navega(1, false);
}

void TFormProgInd::SpeedButton2Click()
{
    SpeedButton3->SetEnabled(true);
    navegacao_->Navega(Posicao(), false);
}

void TFormProgInd::SpeedButton3Click()
{
    SpeedButton2->SetEnabled(true);
    navegacao_->Navega(Posicao(), true);
}

void TFormProgInd::SpeedButton4Click()
{
    SpeedButton2->SetEnabled(true);
    SpeedButton3->SetEnabled(false);
    navegacao_->Navega(kPosicoesRamal, true);
}

void TFormProgInd::PadraoDaPosicao(int posicao)
{
    for (auto campo : kCamposDoRamal)
        Copia(campo(posicao)) = BytePadrao(campo(posicao));
    CopiaSenha(&Copia(OffsetSenhaRamal(posicao)), ImagemPadrao() + OffsetSenhaRamal(posicao));
    if (const int codigo = CodigoDaPosicao(posicao))
        CopiaSenha(&Copia(OffsetSenhaCodigo(codigo)), ImagemPadrao() + OffsetSenhaCodigo(codigo));
}

void TFormProgInd::PadButtonClick()
{
    const int resposta = AplicaPadrao(TPadrao::ProgInd, 1, kPosicoesRamal, Posicao(),
                                      [this](int posicao) { PadraoDaPosicao(posicao); });
    if (resposta != IDYES && resposta != IDNO)
        return;
    MostraProgRamal(PosicaoDoTexto(Edit1->Text()));
}

// Copies the current position's settings to the positions picked; a code
// password goes along only between two positions that own a private code.
void TFormProgInd::Button2Click()
{
    const int origem = Posicao();
    const int codigoOrigem = CodigoDaPosicao(origem);
    if (FormCopRam->ShowModal() != mrOk)
        return;
    for (int k = 1; k <= kPosicoesRamal; ++k) {
        if (!FormCopRam->Selecao[static_cast<size_t>(k - 1)])
            continue;
        for (auto campo : kCamposDoRamal)
            Copia(campo(k)) = Copia(campo(origem));
        CopiaSenha(&Copia(OffsetSenhaRamal(k)), &Copia(OffsetSenhaRamal(origem)));
        // Only between two owners of a private code: a position without one
        // has no password to give.
        const int codigoDestino = CodigoDaPosicao(k);
        if (codigoOrigem != 0 && codigoDestino != 0)
            CopiaSenha(&Copia(OffsetSenhaCodigo(codigoDestino)), &Copia(OffsetSenhaCodigo(codigoOrigem)));
    }
}
