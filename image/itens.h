#pragma once
// The programming items: the units of transfer and of editing.
#include <array>
#include <cstdint>
#include <string_view>

enum TItemProgramacao : int {
    ipCalendario = 1,
    ipCategoriaRamais = 2,
    ipPlanoNumeracao = 3,
    ipConfiguracaoVias = 4,
    ipAgendaGeral = 5,
    ipAtendedorDigital = 6,
    ipSenhaGeral = 7,
    ipGruposRamais = 8,
    ipChefeSecretaria = 9,
    ipTemporizacoes = 10,
    ipEmergenciaExterna = 11,
    ipAtendedoresPorteiros = 12,
    ipProgramacoesDiversas = 13,
    ipBloqueioPrefixos = 14,
    ipFeriados = 15,
    ipServicosAutomaticos = 16,
    ipItem17 = 17,
    ipItem18 = 18,
    ipCodigoParticular = 19,
    ipItem20 = 20,
    ipDespertador = 21,
    ipItem22 = 22,
    ipProgramacoesIndividuais = 23,
    ipAgendaIndividual = 24,
    ipItem25 = 25,
    ipItem26 = 26,
    ipRamalEconomico = 27,
    ipHorariosOperadoras = 28,
    ipTeclasTerminais = 29,
};

constexpr int kPrimeiroItem = 1;
constexpr int kUltimoItem = 29;

// A flag per item, item N at index N - 1; room for 30.
using TFlagsItens = std::array<std::uint8_t, 30>;

struct LegendaItem {
    TItemProgramacao item;
    std::string_view legenda; // UTF-8
};

// The items the transfer window offers, with their captions.
inline constexpr LegendaItem kLegendasItens[] = {
    {ipCalendario, "Calendário"},
    {ipCategoriaRamais, "Categoria dos ramais"},
    {ipPlanoNumeracao, "Plano de numeração"},
    {ipConfiguracaoVias, "Configuração das vias"},
    {ipAgendaGeral, "Agenda geral"},
    {ipAtendedorDigital, "Controles do atendedor digital"},
    {ipSenhaGeral, "Senha geral"},
    {ipGruposRamais, "Grupos de ramais"},
    {ipChefeSecretaria, "Grupos chefe-secretária"},
    {ipTemporizacoes, "Temporizações"},
    {ipEmergenciaExterna, "Emergência externa"},
    {ipAtendedoresPorteiros, "Atendedores dos porteiros"},
    {ipProgramacoesDiversas, "Programações diversas"},
    {ipBloqueioPrefixos, "Bloqueio de prefixos"},
    {ipFeriados, "Feriados"},
    {ipServicosAutomaticos, "Serviços automáticos"},
    {ipCodigoParticular, "Código particular"},
    {ipDespertador, "Programação de despertador"},
    {ipProgramacoesIndividuais, "Programações individuais ramais"},
    {ipAgendaIndividual, "Agenda individual dos ramais"},
    {ipRamalEconomico, "Programações de ramal econômico"},
    {ipHorariosOperadoras, "Horários p/ operadoras telefônicas"},
    {ipTeclasTerminais, "Teclas dos Terminais Inteligentes"},
};
