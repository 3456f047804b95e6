#pragma once
// The library's entries, as the main program and the tests call them.
#include "modules/modulo.h"

ENTRADA_MODULO void Temporizacoes(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void ProgramacoesDiversas(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void Calendario(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void PlanoDeNumeracao(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void SenhaGeral(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void ControleAtendedorDigital(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void CategoriaDosRamais(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void ProgramacaoIndividual(std::uint8_t* imagem, const char* textoInicial);
