#include "modules/formcopram.h"

TFormCopRam* FormCopRam = nullptr;

namespace {

const FormatoCopiaRamais kFormato{
    {8, 8, 196, 166}, {12, 22, 56, 30}, 60, 35, 0xF1, 0xF2, 0xFC, 0xFF, "&Inverte seleção",
};

} // namespace

TFormCopRam::TFormCopRam(QWidget* owner) : TFormCopiaRamais(owner, kFormato)
{
    SetClientSize(312, 218);
}
