#pragma once
// The link wired as the transfer window wires it (the port's received bytes
// into the link layer, a timer ticking the reply time-out down), against a
// simulated exchange. The tick is faster than the window's 50 ms so that a
// time-out of 100 ticks costs a fraction of a second. The exchange counts
// its time in these ticks, and a tick is held back while the exchange still
// has something to do at the present one: a reply due at tick n reaches the
// link before its tick n + 1 is counted, however busy the machine is.
#include "link/comunica.h"
#include "link/serialportdriver.h"
#include "state/registro.h"
#include "tests/link/centralsimulada.h"

#include <QString>
#include <QTimer>

#include <functional>

struct LinhaDeTeste {
    explicit LinhaDeTeste(int msPorTick = 1, std::uint16_t msPolling = 5)
    {
        porta.SetPortName(QString::fromStdString(central.CaminhoPorta()));
        porta.SetPollingDelay(msPolling);
        porta.OnReceiveData = [](QObject*, const void* dados, std::uint32_t tamanho) {
            AcrescentaRecepcao(dados, tamanho);
        };
        PortaComunicacao = &porta;
        ComunicacaoAbortada = false;
        CfgTentativas = 3;
        CfgGravar = false;
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(msPorTick);
        central.UsaTicks(true);
        QObject::connect(&tick, &QTimer::timeout, [this] {
            if (central.Ocupada(porta.BytesSent(), porta.BytesReceived()))
                return;
            central.AvancaTick();
            ContaTickEspera();
            ++ticks;
            if (aCadaTick)
                aCadaTick();
        });
        aberta = AbrePorta();
        tick.start();
    }
    ~LinhaDeTeste()
    {
        tick.stop();
        FechaPorta();
        PortaComunicacao = nullptr;
        ComunicacaoAbortada = false;
        CfgTentativas = 3;
        CfgGravar = false;
    }

    CentralSimulada central;
    TSerialPortDriver porta;
    QTimer tick;
    int ticks = 0;
    std::function<void()> aCadaTick;
    bool aberta = false;
};
