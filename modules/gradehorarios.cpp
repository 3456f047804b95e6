#include "modules/gradehorarios.h"

#include "image/conversao.h"
#include "modules/modulo.h"
#include "modules/recusa.h"

namespace {

const QString kVazio = QString::fromUtf8(kTextoSemHorario.data(), kTextoSemHorario.size());

QString Margem(int margem)
{
    return QString(margem, QLatin1Char(' '));
}

} // namespace

QString MascaraHorario(int margem)
{
    return Margem(margem) + QStringLiteral("99:99;1;_");
}

QString TextoCelulaHorario(Horario horario, int margem)
{
    const std::uint8_t bytes[2] = {horario.hora, horario.minuto};
    return Margem(margem) + QString::fromStdString(HorarioParaTexto(bytes));
}

std::optional<Horario> LeCelulaHorario(const QString& texto)
{
    const QString limpo = texto.trimmed();
    if (limpo.isEmpty())
        return Horario{};
    std::uint8_t bytes[2];
    try {
        if (!TextoParaHoraMinuto(limpo.toStdString(), bytes))
            return std::nullopt;
    } catch (const EConvertError&) {
        return std::nullopt; // a digit and a blank in one part
    }
    return Horario::De(bytes);
}

bool RestauraHorarioApagado(TStringGrid* grade, int coluna, int linha, int margem)
{
    if (grade->Cells(coluna, linha).trimmed() != QStringLiteral(":"))
        return false;
    grade->SetCells(coluna, linha, Margem(margem) + kVazio);
    return true;
}

bool LeHorarios(TStringGrid* grade, std::span<const TGridCoord> celulas, std::vector<Horario>& lidos,
                const std::function<QString(TGridCoord)>& mensagem)
{
    lidos.clear();
    for (const TGridCoord celula : celulas) {
        const std::optional<Horario> horario = LeCelulaHorario(grade->Cells(celula.X, celula.Y));
        if (horario) {
            lidos.push_back(*horario);
            continue;
        }
        RecusaCelula(mensagem(celula), grade, celula.X, celula.Y, TVoltaCursor::PorOutraLinha);
        return false;
    }
    return true;
}
