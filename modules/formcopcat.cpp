#include "modules/formcopcat.h"

TFormCopCat* FormCopCat = nullptr;

namespace {

const FormatoCopiaRamais kFormato{
    {8, 8, 212, 190}, {12, 22, 60, 36}, 66, 41, 0xF1, 0xF4, 0xFC, 0xFF, "&Inverter seleção",
};

struct CaixaParte {
    TCheckBox* TFormCopCat::*membro;
    const char* nome;
    const char* legenda;
    Lugar lugar;
};

const CaixaParte kPartes[] = {
    {&TFormCopCat::CheckBox1, "CheckBox1", "Acesso 1", {12, 40, 110, 20}},
    {&TFormCopCat::CheckBox2, "CheckBox2", "Acesso 2", {12, 64, 110, 20}},
    {&TFormCopCat::CheckBox3, "CheckBox3", "Facilidades", {12, 88, 110, 20}},
    {&TFormCopCat::CheckBox4, "CheckBox4", "Sub-Rota", {12, 112, 110, 20}},
    {&TFormCopCat::CheckBox5, "CheckBox5", "Acesso 1", {130, 40, 110, 20}},
    {&TFormCopCat::CheckBox6, "CheckBox6", "Acesso 2", {130, 64, 110, 20}},
    {&TFormCopCat::CheckBox7, "CheckBox7", "Facilidades", {130, 88, 110, 20}},
    {&TFormCopCat::CheckBox8, "CheckBox8", "Sub-Rota", {130, 112, 110, 20}},
    {&TFormCopCat::CheckBox9, "CheckBox9", "Características gerais", {12, 146, 220, 20}},
};

} // namespace

TFormCopCat::TFormCopCat(QWidget* owner) : TFormCopiaRamais(owner, kFormato)
{
    SetClientSize(484, 242);
    GroupBox2 = Posiciona(new TGroupBox(QStringLiteral("Selecione o que copiar"), this), "GroupBox2", {228, 8, 248, 190});
    for (const CaixaParte& parte : kPartes)
        this->*parte.membro = Posiciona(new TCheckBox(QString::fromUtf8(parte.legenda), GroupBox2), parte.nome, parte.lugar);
    Label1 = Posiciona(new TLabel(QStringLiteral("&Diurno"), GroupBox2), "Label1", {12, 18, 100, 20});
    Label1->SetFocusControl(CheckBox1);
    Label2 = Posiciona(new TLabel(QStringLiteral("&Noturno"), GroupBox2), "Label2", {130, 18, 100, 20});
    Label2->SetFocusControl(CheckBox5);
}
