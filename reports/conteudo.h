#pragma once
// The contents of each report and the small text rules they share.
#include "reports/pagina.h"

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// Each report draws its pages from the page's current state; every one
// starts with its own header.
void ImprimeCategoriaRamais(TPagina& p);
void ImprimePlanoNumeracao(TPagina& p);
void ImprimeConfiguracaoVias(TPagina& p);
void ImprimeAgendaGeral(TPagina& p, int pagina); // pagina 1 or 2
void ImprimeGruposRamais(TPagina& p);
void ImprimeChefeSecretaria(TPagina& p);
void ImprimeTemporizacoes(TPagina& p);
void ImprimeEmergenciaExterna(TPagina& p);
void ImprimeAtendedorPorteiro(TPagina& p);
void ImprimeProgramacoesDiversas(TPagina& p);
void ImprimeBloqueioPrefixos(TPagina& p);
void ImprimeNoturnoAutomatico(TPagina& p);
void ImprimeAtuacaoExterna(TPagina& p);
void ImprimeCodigosParticulares(TPagina& p);
void ImprimeAgendaIndividual(TPagina& p);

// An abbreviation of a table and what it means, as the legends print them.
struct TLegenda {
    const char* sigla;
    const char* descricao;
};

// One line of a legend: the abbreviation at xSigla, shrunk to end half a
// column unit before its description at xDescricao.
void ImprimeLegenda(TPagina& p, int xSigla, int xDescricao, const TLegenda& legenda);

// Shared text rules. A value prints as its window shows it (image/), without
// the blanks around it.
// The extension or group a reference byte names; empty for no reference and
// for a byte that names nothing.
QString TextoReferencia(const std::uint8_t* imagem, std::uint8_t referencia);
// A window's text of a reference, or "----" where the window shows blanks.
QString OuTracos(const std::string& texto);
// The extension number of numbering-plan position p (1..12).
QString TextoRamal(const std::uint8_t* imagem, int posicao);
QString SimNao(bool valor);
QString TextoNumero(const std::uint8_t* registro12);
QString TextoNumeroCurto(const std::uint8_t* registro11);
QString TextoNome(const std::uint8_t* slot);

// The page's first lines: the header, then the font-15 advance of k lines.
void IniciaRelatorio(TPagina& p, int titulo, int subtitulo, double linhas);
// A ruled table: rows of height `altura` from y `topo`, horizontal rules at
// every row border from the first to the last x, vertical rules at each x.
void TracaGrade(TPagina& p, const std::vector<int>& xs, int topo, int altura, int linhas, int caneta = 4);
// Rules of one table whose column borders are given in CU.
void TracaGradeCu(TPagina& p, std::initializer_list<double> xsCu, int topo, int altura, int linhas, int caneta = 4);
