// The reference bytes of the emergency and door-phone areas as their windows
// and the reports show them: the area's own "none" codes blank, every other
// byte the extension or group it names.
#include "image/emergencia.h"
#include "image/grupos.h"
#include "image/padrao.h"
#include "image/porteiro.h"
#include "tests/support/casenames.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>

namespace {

// The factory plan (20..31) with group 1 programmed and group 2 switched off.
std::array<std::uint8_t, kTamanhoImagem> Imagem()
{
    std::array<std::uint8_t, kTamanhoImagem> imagem{};
    PreencheImagemPadrao(imagem.data());
    imagem[OffsetTipoGrupo(1)] = kGrupoHierarquico;
    imagem[OffsetTipoGrupo(2)] = kGrupoDesativado;
    return imagem;
}

struct CasoReferencia {
    const char* nome;
    std::uint8_t byte;
    const char* emergencia;       // any byte of the area but the one below
    const char* internoDoRamal;   // the emergency extension's internal destination
    const char* atendedor;        // the door-phone answerer
};

void PrintTo(const CasoReferencia& caso, std::ostream* os)
{
    *os << caso.nome;
}

class ReferenciasDasAreas : public ::testing::TestWithParam<CasoReferencia> {};

TEST_P(ReferenciasDasAreas, ByteParaTexto)
{
    const auto imagem = Imagem();
    const CasoReferencia& c = GetParam();
    EXPECT_EQ(ReferenciaEmergenciaParaTexto(imagem.data(), c.byte, false), c.emergencia);
    EXPECT_EQ(ReferenciaEmergenciaParaTexto(imagem.data(), c.byte, true), c.internoDoRamal);
    EXPECT_EQ(ReferenciaAtendedorParaTexto(imagem.data(), c.byte), c.atendedor);
}

const char* const kQuatro = "    ";
const char* const kCinco = "     ";

INSTANTIATE_TEST_SUITE_P(
    Registro, ReferenciasDasAreas,
    ::testing::Values(CasoReferencia{"Extension", 0x03, "23", "23", "23"},
                      CasoReferencia{"LastExtension", 0x0B, "31", "31", "31"},
                      CasoReferencia{"NoReference", 0xBB, kQuatro, kQuatro, kQuatro},
                      CasoReferencia{"NoReferenceToo", 0xBC, kCinco, kCinco, kCinco},
                      CasoReferencia{"Group0", 0x70, "60", "60", "60"},
                      CasoReferencia{"ProgrammedGroup", 0x71, "61", "61", "61"},
                      CasoReferencia{"SwitchedOffGroup", 0x72, "62", "62", kQuatro},
                      CasoReferencia{"Code79", 0x79, "69", "69", kQuatro},
                      CasoReferencia{"ExternalNumber7A", 0x7A, kQuatro, kQuatro, kQuatro},
                      CasoReferencia{"Code7B", 0x7B, kQuatro, kQuatro, "71"},
                      CasoReferencia{"NoInternalBF", 0xBF, kCinco, kQuatro, kCinco},
                      CasoReferencia{"CodeFF", 0xFF, kQuatro, kQuatro, "75"},
                      CasoReferencia{"BeyondThePlan", 0x0C, kCinco, kCinco, kCinco}),
    PrintedName{});

} // namespace
