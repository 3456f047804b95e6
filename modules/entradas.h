#pragma once
// The library's entries, as the main program and the tests call them.
#include "modules/modulo.h"

ENTRADA_MODULO void Temporizacoes(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void ProgramacoesDiversas(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void Calendario(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void PlanoDeNumeracao(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void SenhaGeral(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void ControleAtendedorDigital(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void NoturnoAutomatico(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void AtuacaoExterna(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void Feriados(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void CfgDoDespertador(std::uint8_t* imagem, const char* textoInicial);
