#pragma once
// Holidays: sixteen day-and-month dates and the time from which Saturday
// counts as a holiday.
#include "modules/modulo.h"
#include "platform/controls.h"
#include "platform/maskedit.h"

#include <array>
#include <cstdint>
#include <optional>

class TFormFeria : public TFormModulo {
    Q_OBJECT
public:
    explicit TFormFeria(QWidget* owner);

    static constexpr int kFeriados = 16;

    TGroupBox* GroupBox1;
    std::array<TMaskEdit*, kFeriados> MaskEdit{}; // MaskEdit1 .. MaskEdit16
    TMaskEdit* MaskEdit17;
    TButton* HelpBitBtn;
    TButton* CancButton;
    TButton* OkButton;

    // A holiday as stored: [day, month], [0, 0] for none.
    struct DataFeriado {
        std::uint8_t dia = 0;
        std::uint8_t mes = 0;
        bool Vazia() const { return dia == 0 && mes == 0; }
        bool operator==(const DataFeriado&) const = default;
    };

protected:
    void FormActivate() override;

private:
    // Field n (1..16): the date, or nullopt when it is no date; limpo gets
    // the text without blanks and "_".
    std::optional<DataFeriado> TextoParaDataFeriado(int n, QString& limpo) const;
    // Whether date n equals one of dates 1..n - 1.
    bool FeriadoRepetido(const std::array<DataFeriado, kFeriados>& datas, int n) const;
    // The Saturday time [hour, minute]; a bad part is told and gives false.
    bool TextoParaHoraSabado(std::uint8_t& hora, std::uint8_t& minuto);
    // The Saturday time as shown: while the field still shows it, Ok keeps
    // the stored bytes, whatever they hold.
    QString horaSabadoMostrada_;
    void OkButtonClick() override;
};

extern TFormFeria* FormFeria;
