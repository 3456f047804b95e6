#include "modules/formnti.h"

#include "grid/extgrid.h"

#include <QApplication>

TFormNTI* FormNTI = nullptr;

namespace {

constexpr int kContextoAjuda = 2700;
const QString kMensagemCampoVazio = QStringLiteral("Campo deve ser preenchido");

const Lugar kLugarRotulo{8, 12, 112, 20};
const Lugar kLugarCombo{124, 8, 72, 24};

// The keys grid: a fixed column with the keys' letters, the type and the
// number of each key, one key per row.
struct DadosGradeTeclas {
    Lugar lugar;
    int colunas;
    int linhas;
    int larguraPadrao;
    int alturaPadrao;
    std::vector<int> larguras;
    TColor corLinhas;
    TFont fonteFixa;
    QStringList cabecalhos;
    QStringList teclas; // row 0's head, then the 25 keys
};

const DadosGradeTeclas kGrade{
    {8, 40, 251, 482},
    3,
    1 + kTeclasTerminal,
    48,
    18,
    {49, 130, 49},
    clSilver,
    {QStringLiteral("Times New Roman"), 10, clWindowText, fsBold},
    {QStringLiteral(" Tecla"), QStringLiteral("    Tipo de função"), QStringLiteral("Config.")},
    {QStringLiteral("Teclas"), QStringLiteral("    A"), QStringLiteral("    B"), QStringLiteral("    C"),
     QStringLiteral("    D"),  QStringLiteral("    E"), QStringLiteral("    F"), QStringLiteral("    G"),
     QStringLiteral("    H"),  QStringLiteral("     I"), QStringLiteral("    J"), QStringLiteral("    K"),
     QStringLiteral("    L"),  QStringLiteral("    M"), QStringLiteral("    N"), QStringLiteral("    O"),
     QStringLiteral("    P"),  QStringLiteral("    Q"), QStringLiteral("    R"), QStringLiteral("    S"),
     QStringLiteral("    T"),  QStringLiteral("    U"), QStringLiteral("  V/W"), QStringLiteral("    X"),
     QStringLiteral("    Y"),  QStringLiteral("    Z")},
};

const BotaoModulo<TFormNTI> kBotoes[] = {
    {&TFormNTI::Button1, TPapelBotao::Ok, "Button1", {271, 40}},
    {&TFormNTI::Button4, TPapelBotao::Cancela, "Button4", {271, 76}},
    {&TFormNTI::Button30, TPapelBotao::Padrao, "Button30", {271, 112}},
    {&TFormNTI::BitBtn1, TPapelBotao::Ajuda, "BitBtn1", {271, 148}},
};

} // namespace

TFormNTI::TFormNTI(QWidget* owner) : TFormModulo(owner)
{
    SetCaption(QStringLiteral("Programação das teclas de TI"));
    SetClientSize(359, 530);
    HelpContext = kContextoAjuda;

    ComboBox1 = Posiciona(new TComboBox(this, csDropDownList), "ComboBox1", kLugarCombo);
    ComboBox1->HelpContext = kContextoAjuda;
    Label1 = Posiciona(new TLabel(QStringLiteral("Número do &ramal"), this), "Label1", kLugarRotulo);
    Label1->SetFocusControl(ComboBox1);
    CriaGrade();
    CriaBotoes(kBotoes);

    ComboBox1->OnChange = [this] { ComboBox1Change(); };
    FormCreate();
}

void TFormNTI::CriaGrade()
{
    ExtGrid1 = new TExtStringGrid(this);
    ExtGrid1->setObjectName(QStringLiteral("ExtGrid1"));
    ExtGrid1->HelpContext = kContextoAjuda;
    ExtGrid1->SetColCount(kGrade.colunas);
    ExtGrid1->SetRowCount(kGrade.linhas);
    ExtGrid1->SetFixedCols(1);
    ExtGrid1->SetFixedRows(1);
    ExtGrid1->SetDefaultColWidth(kGrade.larguraPadrao);
    ExtGrid1->SetDefaultRowHeight(kGrade.alturaPadrao);
    for (int c = 0; c < kGrade.colunas; ++c)
        ExtGrid1->SetColWidths(c, kGrade.larguras[c]);
    ExtGrid1->SetFixedColWidth(kGrade.larguras[0]);
    ExtGrid1->SetFixedRowHeight(kGrade.alturaPadrao);
    ExtGrid1->SetDefaultDrawing(false);
    // Lines only: the cells are edited by the list editors the grid opens
    // where OnCanEditCell allows.
    ExtGrid1->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine);
    ExtGrid1->SetGridLineColor(kGrade.corLinhas);
    ExtGrid1->SetFixedFont(kGrade.fonteFixa);
    ExtGrid1->SetActiveCellShow(false);
    ExtGrid1->EnableHTML = true;
    ExtGrid1->Navigation()->AdvanceOnEnter = true;
    ExtGrid1->Navigation()->AdvanceDirection = adLeftRight;
    ExtGrid1->MouseActions()->DirectEdit = true;
    ExtGrid1->ColumnSize()->SetStretch(true);
    ExtGrid1->SetColumnHeaders(kGrade.cabecalhos);
    ExtGrid1->SetRowHeaders(kGrade.teclas);
    ExtGrid1->SetBounds(kGrade.lugar.x, kGrade.lugar.y, kGrade.lugar.largura, kGrade.lugar.altura);
    ExtGrid1->Loaded();

    ExtGrid1->OnGetAlignment = [this](QObject*, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign) {
        ExtGrid1GetAlignment(ARow, ACol, HAlign, VAlign);
    };
    ExtGrid1->OnCanEditCell = [this](QObject*, int ARow, int ACol, bool& CanEdit) {
        ExtGrid1CanEditCell(ARow, ACol, CanEdit);
    };
    ExtGrid1->OnGetEditorType = [this](QObject*, int ACol, int ARow, TEditorType& AEditor) {
        ExtGrid1GetEditorType(ACol, ARow, AEditor);
    };
    ExtGrid1->OnComboChange = [this](QObject*, int ACol, int ARow, int, const QString& ASelection) {
        ExtGrid1ComboChange(ACol, ARow, ASelection);
    };
    ExtGrid1->OnClick = [this] { ExtGrid1Click(); };
    ExtGrid1->OnExit = [this] { ExtGrid1Exit(); };
}

void TFormNTI::FormCreate()
{
    colunaClicada_ = -1;
    linhaClicada_ = -1;
}

void TFormNTI::FormShow()
{
    ExtGrid1->ClearComboItems();
    for (const QString& tipo : ListaTiposTecla())
        ExtGrid1->AddComboItem(tipo);
    terminais_ = TerminaisOferecidos();
    ComboBox1->Items().Clear();
    for (const TerminalOferecido& terminal : terminais_)
        ComboBox1->Items().Add(terminal.ramal);
    for (int k = 1; k <= kTerminaisTI; ++k)
        registros_[k - 1] = LeTeclasTerminal(k);
    terminalAtual_ = 0;
    registro_.fill(kTeclaSemFuncao);
    if (!terminais_.empty()) {
        ComboBox1->SetItemIndex(0);
        terminalAtual_ = terminais_.front().terminal;
        registro_ = registros_[terminalAtual_ - 1];
    }
    PreencheGrade();
}

// With no terminal offered the grid stays empty and nothing can be edited.
void TFormNTI::PreencheGrade()
{
    const LinhasTeclas linhas = TeclasParaLinhas(registro_);
    for (int t = 1; t <= kTeclasTerminal; ++t) {
        const LinhaTecla vazia;
        const LinhaTecla& linha = terminalAtual_ ? linhas[t - 1] : vazia;
        ExtGrid1->SetCells(kColunaTipoTecla, t, linha.tipo);
        ExtGrid1->SetCells(kColunaNumeroTecla, t, linha.numero);
    }
}

LinhasTeclas TFormNTI::LinhasDaGrade() const
{
    LinhasTeclas linhas;
    for (int t = 1; t <= kTeclasTerminal; ++t)
        linhas[t - 1] = {ExtGrid1->Cells(kColunaTipoTecla, t), ExtGrid1->Cells(kColunaNumeroTecla, t)};
    return linhas;
}

// Every text stands in the middle of its row's height, so the descenders of
// the heads and the keys' letters are drawn whole.
void TFormNTI::ExtGrid1GetAlignment(int, int ACol, TAlignment& HAlign, TVAlignment& VAlign)
{
    HAlign = ACol == kColunaNumeroTecla ? taCenter : taLeftJustify;
    VAlign = vtaCenter;
}

void TFormNTI::ExtGrid1CanEditCell(int ARow, int ACol, bool& CanEdit)
{
    if (!terminalAtual_)
        CanEdit = false;
    else if (ACol == kColunaNumeroTecla)
        CanEdit = NumeroEditavel(ExtGrid1->Cells(kColunaTipoTecla, ARow));
    else
        CanEdit = true;
}

// Every cell is edited with a drop-down list, prepared here each time its
// editor opens, by the mouse or the keys. The list opens on the cell's own
// value: a number equal by value to an item opens on that item (the key is
// the same), a value no item holds is kept as an item of its own.
void TFormNTI::ExtGrid1GetEditorType(int ACol, int ARow, TEditorType& AEditor)
{
    AEditor = edComboList;
    tipoAoAbrir_ = ExtGrid1->Cells(kColunaTipoTecla, ARow);
    const ListaCelula lista = ListaDaCelula(ACol, tipoAoAbrir_, ExtGrid1->Cells(ACol, ARow));
    ExtGrid1->ClearComboItems();
    for (const QString& item : lista.itens)
        ExtGrid1->AddComboItem(item);
    ExtGrid1->SetComboDefaultIndex(lista.indice);
}

// Another type chosen for a key clears its number.
void TFormNTI::ExtGrid1ComboChange(int ACol, int ARow, const QString& ASelection)
{
    if (ACol == kColunaTipoTecla && ASelection != tipoAoAbrir_)
        ExtGrid1->SetCells(kColunaNumeroTecla, ARow, QString());
}

void TFormNTI::ExtGrid1Click()
{
    colunaClicada_ = ExtGrid1->Col();
    linhaClicada_ = ExtGrid1->Row();
}

// Leaving the grid takes the shown keys into the work record; a key left
// without its type or number keeps the user in the grid. Going to Cancel
// checks nothing: the keys are dropped anyway, and a check would stop the
// click on it.
void TFormNTI::ExtGrid1Exit()
{
    if (terminalAtual_ && QApplication::focusWidget() != Button4)
        ValidaGrade();
}

bool TFormNTI::ValidaGrade()
{
    if (ExtGrid1->EditorShown())
        ExtGrid1->EndCellEditing();
    const std::optional<FalhaTecla> falha = ValidaTeclasTerminal(LinhasDaGrade(), registro_);
    if (!falha)
        return true;
    ExtGrid1->FocusCell(falha->coluna, falha->tecla);
    Application->MessageBox(kMensagemCampoVazio, QStringLiteral("Informação"), kCaixaInformacao);
    ExtGrid1->SetFocus();
    return false;
}

// The work record is kept for its terminal before the chosen terminal is
// shown; keys that fail the check keep the current terminal. The image
// changes only on Ok.
void TFormNTI::ComboBox1Change()
{
    const int indice = ComboBox1->ItemIndex();
    if (indice < 0 || !terminalAtual_ || terminais_[indice].terminal == terminalAtual_)
        return;
    if (!ValidaGrade()) {
        for (std::size_t i = 0; i < terminais_.size(); ++i)
            if (terminais_[i].terminal == terminalAtual_)
                ComboBox1->SetItemIndex(static_cast<int>(i));
        return;
    }
    registros_[terminalAtual_ - 1] = registro_;
    terminalAtual_ = terminais_[indice].terminal;
    registro_ = registros_[terminalAtual_ - 1];
    PreencheGrade();
}

// The factory keys, without asking; the image changes on Ok.
void TFormNTI::Button30Click()
{
    if (!terminalAtual_)
        return;
    if (ExtGrid1->EditorShown())
        ExtGrid1->EndCellEditing();
    registro_ = TeclasPadrao();
    PreencheGrade();
}

// Ok takes what the grid shows, even when it was pressed by its key without
// leaving the grid, and stores every offered terminal's keys only when the
// shown ones pass. With no terminal there is nothing to store.
void TFormNTI::Button1Click()
{
    if (terminalAtual_) {
        if (!ValidaGrade())
            return;
        registros_[terminalAtual_ - 1] = registro_;
        for (const TerminalOferecido& terminal : terminais_)
            GuardaTeclasTerminal(terminal.terminal, registros_[terminal.terminal - 1]);
    }
    SetModalResult(mrOk);
}
