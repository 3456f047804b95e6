// The entry frame: windows created with no owner into their variables, the
// main window shown, both freed in their order and the variables nulled.
#include "modules/modulo.h"
#include "tests/support/casenames.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> eventos;
std::function<void(const TForm*)> aoMostrar; // checks made while a window is shown

template <char Nome>
class Sonda : public TForm {
public:
    explicit Sonda(QWidget* owner) : TForm(owner)
    {
        eventos.push_back(std::string("cria ") + Nome);
        semDono = owner == nullptr;
    }
    ~Sonda() override { eventos.push_back(std::string("libera ") + Nome); }
    void MostraModulo(std::uint8_t* imagem, const char* texto = nullptr)
    {
        eventos.push_back(std::string("mostra ") + Nome + (texto ? std::string(" ") + texto : std::string()));
        if (aoMostrar)
            aoMostrar(this);
        imagem[0] = 1;
    }
    bool semDono = false;
};

using Principal = Sonda<'P'>;
using Companheira = Sonda<'C'>;
Principal* principal = nullptr;
Companheira* companheira = nullptr;

struct CasoOrdem {
    TOrdem criacao;
    TOrdem liberacao;
    std::vector<std::string> esperados;
};

void PrintTo(const CasoOrdem& caso, std::ostream* os)
{
    const auto primeira = [](TOrdem ordem) { return ordem == TOrdem::PrincipalPrimeiro ? "main" : "companion"; };
    *os << "created " << primeira(caso.criacao) << " first, freed " << primeira(caso.liberacao) << " first";
}

class Ordem : public ::testing::TestWithParam<CasoOrdem> {};

TEST_P(Ordem, CriaMostraELiberaNaOrdemDaEntrada)
{
    eventos.clear();
    std::uint8_t imagem[1] = {0};
    ExecutaModuloComCompanheira(principal, companheira, GetParam().criacao, GetParam().liberacao, imagem, "21");
    EXPECT_EQ(eventos, GetParam().esperados);
    EXPECT_EQ(principal, nullptr);
    EXPECT_EQ(companheira, nullptr);
    EXPECT_EQ(imagem[0], 1);
}

INSTANTIATE_TEST_SUITE_P(Casos, Ordem, ::testing::Values(
    // prefixes: main then companion, freed the same way
    CasoOrdem{TOrdem::PrincipalPrimeiro, TOrdem::PrincipalPrimeiro,
              {"cria P", "cria C", "mostra P 21", "libera P", "libera C"}},
    // extension categories: freed companion first
    CasoOrdem{TOrdem::PrincipalPrimeiro, TOrdem::CompanheiraPrimeiro,
              {"cria P", "cria C", "mostra P 21", "libera C", "libera P"}},
    // trunks and individual programming: companion created first
    CasoOrdem{TOrdem::CompanheiraPrimeiro, TOrdem::PrincipalPrimeiro,
              {"cria C", "cria P", "mostra P 21", "libera P", "libera C"}}), PrintedName{});

TEST(Entrada, UmaJanelaSemDonoNaVariavelSomenteDuranteAChamada)
{
    eventos.clear();
    std::uint8_t imagem[1] = {0};
    int vezes = 0;
    aoMostrar = [&](const TForm* janela) {
        ++vezes;
        EXPECT_EQ(janela, principal);
        EXPECT_EQ(janela->parentWidget(), nullptr);
        EXPECT_TRUE(static_cast<const Principal*>(janela)->semDono);
    };
    ExecutaModulo(principal, imagem);
    ExecutaModulo(principal, imagem); // a second call makes a fresh window
    aoMostrar = nullptr;
    EXPECT_EQ(vezes, 2);
    EXPECT_EQ(eventos, (std::vector<std::string>{"cria P", "mostra P", "libera P", "cria P", "mostra P", "libera P"}));
    EXPECT_EQ(principal, nullptr);
    EXPECT_EQ(imagem[0], 1);
}

} // namespace
