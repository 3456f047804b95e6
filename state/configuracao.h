#pragma once
// The settings file TRIVANTO.INI in the program directory: the serial port
// and the three transfer settings.
#include <QString>

// DiretorioPrograma + "/TRIVANTO.INI".
QString ArquivoConfiguracao();
// [Serial] Port (default 2), as its low 8 bits.
int LePortaSerial();
// Writes [Serial] Port; other sections, keys and comments stay as they are.
void GravaPortaSerial(int porta);
// CfgGravar := [Comunica] Gravar, CfgIsolados := [Blocos] Isolados,
// CfgTentativas := low 8 bits of [Blocos] Tentativas (defaults off, off, 3).
void LeConfiguracaoTransferencia();
