#pragma once
// The link wired as the transfer window wires it (the port's received bytes
// into the link layer, a timer ticking the reply time-out down), against a
// simulated exchange. The tick is faster than the window's 50 ms so that a
// time-out of 100 ticks costs a fraction of a second.
#include "link/comunica.h"
#include "link/serialportdriver.h"
#include "shell/registro.h"
#include "tests/link/centralsimulada.h"

#include <QString>
#include <QTimer>

#include <functional>

struct LinhaDeTeste {
    explicit LinhaDeTeste(int msPorTick = 2, std::uint16_t msPolling = 5)
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
        QObject::connect(&tick, &QTimer::timeout, [this] {
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
