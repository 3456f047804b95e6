#pragma once
// The printed reports of the programming image: one print document holding
// every report selected, each report beginning on a new page.
#include <QDate>
#include <QString>

#include <array>
#include <cstdint>

class TPrinter;

// A flag per report number, index 1..20 (index 0 unused).
using TSelecaoRelatorios = std::array<bool, 21>;

// The report numbers the report dialog offers, in printing order.
inline constexpr int kNumerosRelatorios[] = {1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 14, 15, 17};

// Prints the selected reports of the image on the printer as one document;
// the header names the programming file and shows the date. A printer error
// (EPrinterError) drops the document and reaches the caller.
void ImprimeRelatorios(TPrinter& impressora, const std::uint8_t* imagem, const QString& arquivo,
                       const TSelecaoRelatorios& selecao, const QDate& data);
