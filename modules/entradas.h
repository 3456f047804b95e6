#pragma once
// The library's entries, as the main program and the tests call them.
#include "modules/modulo.h"

ENTRADA_MODULO void Temporizacoes(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void ProgramacoesDiversas(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void Calendario(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void PlanoDeNumeracao(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void SenhaGeral(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void ControleAtendedorDigital(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void RamaisEconomicos(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void HorariosOperadoras(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void AtendedoresDePorteiros(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void ConfiguracaoDasVias(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void BloqueioDePrefixos(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void EmergenciaExterna(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void GruposDeRamais(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void GruposChefeSecretaria(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void CodigosParticulares(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void AgendaColetiva(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void AgendasIndividuais(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void CategoriaDosRamais(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void ProgramacaoIndividual(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void NoturnoAutomatico(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void AtuacaoExterna(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void Feriados(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void CfgDoDespertador(std::uint8_t* imagem, const char* textoInicial);
ENTRADA_MODULO void TeclasTerminais(std::uint8_t* imagem, const char* textoInicial);
