#include "shell/instancia.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QLoggingCategory>
#include <QPointer>
#include <QThread>
#include <QWidget>

#include <unistd.h>

#include <memory>

// Off unless enabled (QT_LOGGING_RULES="trivanto.instancia.info=true"): tells
// when the guard listens and when a later copy brought the window forward.
Q_LOGGING_CATEGORY(lcInstancia, "trivanto.instancia", QtWarningMsg)

TGuardaInstancia GuardaInstancia = &OutraInstanciaAtiva;

namespace {

const QByteArray kPedidoFrente = "frente\n";

struct EstadoGuarda {
    std::unique_ptr<QLockFile> trava;
    QPointer<QLocalServer> servidor;
    QPointer<QWidget> janela;
};

EstadoGuarda& Guarda()
{
    static EstadoGuarda guarda;
    return guarda;
}

void TrazParaFrente(QWidget* janela)
{
    if (!janela)
        return;
    if (janela->isMinimized()) {
        janela->showNormal();
    } else {
        janela->raise();
        janela->activateWindow();
    }
    qCInfo(lcInstancia) << "janela trazida para a frente por outra instância";
}

void AtendePedido(QLocalSocket* conexao)
{
    QObject::connect(conexao, &QLocalSocket::readyRead, conexao, [conexao] {
        if (conexao->readAll().contains(kPedidoFrente.trimmed()))
            TrazParaFrente(Guarda().janela);
    });
    QObject::connect(conexao, &QLocalSocket::disconnected, conexao, &QObject::deleteLater);
}

void Escuta(const QString& nome)
{
    // Only the holder of the lock listens, so a socket left by a copy that
    // crashed can be removed safely.
    QLocalServer::removeServer(nome);
    auto* servidor = new QLocalServer(QCoreApplication::instance());
    QObject::connect(servidor, &QLocalServer::newConnection, servidor, [servidor] {
        while (QLocalSocket* conexao = servidor->nextPendingConnection())
            AtendePedido(conexao);
    });
    if (servidor->listen(nome))
        qCInfo(lcInstancia) << "escutando em" << servidor->fullServerName();
    else
        qCWarning(lcInstancia) << "não foi possível escutar em" << nome << servidor->errorString();
    Guarda().servidor = servidor;
}

// Asks the running copy to come forward. It may hold the lock and not listen
// yet, for the moment between the two, so a refused connection is retried
// for a short while.
void PedeParaVirFrente(const QString& nome)
{
    QElapsedTimer tempo;
    tempo.start();
    while (tempo.elapsed() < 2000) {
        QLocalSocket socket;
        socket.connectToServer(nome);
        if (socket.waitForConnected(500)) {
            socket.write(kPedidoFrente);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState)
                socket.waitForDisconnected(1000);
            return;
        }
        QThread::msleep(50);
    }
}

} // namespace

QString NomeInstancia(const QString& titulo)
{
    // Tests run the program under a name of their own, so that a copy the
    // user is running neither fails them nor is disturbed by them.
    const QString proprio = qEnvironmentVariable("TRIVANTO_INSTANCIA");
    const QByteArray resumo = QCryptographicHash::hash((titulo + proprio).toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("trivanto-%1-%2").arg(getuid()).arg(QString::fromLatin1(resumo.left(16)));
}

bool OutraInstanciaAtiva(const QString& titulo, QWidget* janela)
{
    EstadoGuarda& guarda = Guarda();
    guarda.janela = janela;
    if (guarda.trava)
        return false; // this process is the first instance already
    const QString nome = NomeInstancia(titulo);
    auto trava = std::make_unique<QLockFile>(QDir::tempPath() + QLatin1Char('/') + nome + QStringLiteral(".lock"));
    // A lock is stale only when the process that took it is gone, however
    // long the first instance has been running.
    trava->setStaleLockTime(0);
    if (trava->tryLock(0)) {
        guarda.trava = std::move(trava);
        Escuta(nome);
        return false;
    }
    if (trava->error() != QLockFile::LockFailedError)
        return false; // no lock can be taken here: start as the only instance
    PedeParaVirFrente(nome);
    return true;
}
