// The serial-port component: its properties and their rules, opening real
// and missing devices, polling delivery and sending, on a pseudo-terminal.
#include "link/serialportdriver.h"
#include "platform/serialport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

// The far end of a pseudo-terminal, driven directly by the test.
struct Pseudoterminal {
    Pseudoterminal()
    {
        char nome[128] = {};
        openpty(&mestre, &escravo, nome, nullptr, nullptr);
        caminho = QString::fromLocal8Bit(nome);
    }
    ~Pseudoterminal()
    {
        ::close(mestre);
        ::close(escravo);
    }
    std::vector<std::uint8_t> Le(std::size_t quantos, int msLimite = 2000)
    {
        std::vector<std::uint8_t> lidos;
        while (lidos.size() < quantos) {
            pollfd p{mestre, POLLIN, 0};
            if (::poll(&p, 1, msLimite) <= 0)
                break;
            std::uint8_t pedaco[4096];
            const ssize_t n = ::read(mestre, pedaco, sizeof pedaco);
            if (n <= 0)
                break;
            lidos.insert(lidos.end(), pedaco, pedaco + n);
        }
        return lidos;
    }
    int mestre = -1;
    int escravo = -1;
    QString caminho;
};

// Runs the event loop until the condition holds (or ten seconds pass, far
// beyond what a loaded machine needs).
bool ProcessaAte(const std::function<bool()>& condicao)
{
    QElapsedTimer relogio;
    relogio.start();
    while (!condicao() && relogio.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return condicao();
}

// Bytes waiting to be read on a terminal.
int Enfileirados(int fd)
{
    int n = 0;
    return ::ioctl(fd, FIONREAD, &n) == 0 ? n : -1;
}

} // namespace

TEST(SerialPortDriver, Defaults)
{
    TSerialPortDriver com;
    EXPECT_EQ(com.Port(), pnCOM2);
    EXPECT_EQ(com.PortName(), QStringLiteral("\\\\.\\COM2"));
    EXPECT_EQ(com.BaudRate(), br9600);
    EXPECT_EQ(com.BaudRateValue(), 9600u);
    EXPECT_EQ(com.DataBits(), db8BITS);
    EXPECT_EQ(com.StopBits(), sb1BITS);
    EXPECT_EQ(com.Parity(), ptNONE);
    EXPECT_EQ(com.HwFlow(), hfNONERTSON);
    EXPECT_EQ(com.SwFlow(), sfNONE);
    EXPECT_EQ(com.InBufSize(), 2048u);
    EXPECT_EQ(com.OutBufSize(), 2048u);
    EXPECT_EQ(com.PacketSize(), -1);
    EXPECT_EQ(com.PacketTimeout(), -1);
    EXPECT_EQ(com.PacketMode(), pmDiscard);
    EXPECT_EQ(com.PollingDelay(), 50);
    EXPECT_TRUE(com.EnableDTROnOpen());
    EXPECT_EQ(com.OutputTimeout(), 500);
    EXPECT_EQ(com.InputTimeout(), 200u);
    EXPECT_FALSE(com.CheckLineStatus());
    EXPECT_FALSE(com.IsOpen());
}

TEST(SerialPortDriver, SettersClampAndLink)
{
    TSerialPortDriver com;
    struct {
        std::uint32_t dado, guardado;
    } buffers[] = {{100, 128}, {128, 128}, {4000, 4000}, {8192, 8192}, {10000, 8192}};
    for (const auto& caso : buffers) {
        com.SetInBufSize(caso.dado);
        com.SetOutBufSize(caso.dado);
        EXPECT_EQ(com.InBufSize(), caso.guardado) << caso.dado;
        EXPECT_EQ(com.OutBufSize(), caso.guardado) << caso.dado;
    }
    struct {
        std::uint16_t dado, guardado;
    } atrasos[] = {{0, 5}, {4, 5}, {5, 5}, {50, 50}};
    for (const auto& caso : atrasos) {
        com.SetPollingDelay(caso.dado);
        EXPECT_EQ(com.PollingDelay(), caso.guardado) << caso.dado;
    }
    com.SetPacketSize(0);
    EXPECT_EQ(com.PacketSize(), -1);
    com.SetPacketTimeout(-7);
    EXPECT_EQ(com.PacketTimeout(), -1);

    com.SetPort(pnCOM3);
    EXPECT_EQ(com.PortName(), QStringLiteral("\\\\.\\COM3"));
    com.SetPortName(QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(com.Port(), pnCustom);
    com.SetBaudRate(br57600);
    EXPECT_EQ(com.BaudRateValue(), 57600u);
    com.SetBaudRateValue(31250);
    EXPECT_EQ(com.BaudRate(), brCustom);
    EXPECT_EQ(TSerialPortDriver::BaudRateToValue(brCustom), 0u);
    EXPECT_EQ(TSerialPortDriver::BaudRateToValue(br256000), 256000u);
    EXPECT_EQ(TSerialPortDriver::PacketTransmitTime(9600, 8), 8u); // 8.33 ms
    EXPECT_EQ(TSerialPortDriver::PacketTransmitTime(9600, 1437), 1497u);
}

TEST(SerialPortDriver, PortNamesMapToDevices)
{
    qunsetenv("TRIVANTO_COM4");
    qputenv("TRIVANTO_COM16", "/dev/ttyUSB0");
    qputenv("TRIVANTO_COM17", "/dev/ttyUSB9");
    struct {
        const char* nome;
        const char* dispositivo;
    } casos[] = {
        {"\\\\.\\COM1", "/dev/ttyS0"},
        {"\\\\.\\COM4", "/dev/ttyS3"},
        {"\\\\.\\com2", "/dev/ttyS1"},
        {"\\\\.\\COM16", "/dev/ttyUSB0"},
        {"\\\\.\\COM17", "/dev/ttyS16"}, // the variables stop at 16
        {"/dev/pts/3", "/dev/pts/3"},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(SerialDevicePath(QString::fromLatin1(caso.nome)), QString::fromLatin1(caso.dispositivo))
            << caso.nome;
    qunsetenv("TRIVANTO_COM16");
    qunsetenv("TRIVANTO_COM17");
}

TEST(SerialPortDriver, OpenFailsQuietlyOnMissingBusyOrNonSerialDevices)
{
    Pseudoterminal pty;
    TSerialPortDriver com;
    for (const char* caminho : {"/dev/nonexistent-serial", "/dev/null"}) {
        com.SetPortName(QString::fromLatin1(caminho));
        EXPECT_FALSE(com.OpenPort()) << caminho;
        EXPECT_FALSE(com.IsOpen()) << caminho;
    }
    com.SetPortName(pty.caminho);
    ASSERT_TRUE(com.OpenPort());
    EXPECT_TRUE(com.OpenPort()); // already open

    TSerialPortDriver outro;
    outro.SetPortName(pty.caminho);
    EXPECT_FALSE(outro.OpenPort()); // busy
    com.ClosePort();
    EXPECT_TRUE(outro.OpenPort());
}

TEST(SerialPortDriver, PortComesFromTheEnvironment)
{
    Pseudoterminal pty;
    qputenv("TRIVANTO_COM3", pty.caminho.toLocal8Bit());
    TSerialPortDriver com;
    com.SetPort(pnCOM3);
    EXPECT_TRUE(com.OpenPort());
    qunsetenv("TRIVANTO_COM3");
}

TEST(SerialPortDriver, SettingsIgnoredOrAppliedWhileOpen)
{
    Pseudoterminal pty;
    TSerialPortDriver com;
    com.SetPortName(pty.caminho);
    ASSERT_TRUE(com.OpenPort());
    com.SetInBufSize(4096);
    com.SetPort(pnCOM1);
    com.SetPortName(QStringLiteral("/dev/other"));
    EXPECT_EQ(com.InBufSize(), 2048u);
    EXPECT_EQ(com.PortName(), pty.caminho);
    for (TBaudRate rate : {br1200, br14400, br115200}) {
        com.SetBaudRate(rate);
        EXPECT_TRUE(com.ApplySettings()) << rate;
    }
    // A pseudo-terminal keeps 8 data bits and no parity; stop bits and
    // software flow control it takes.
    com.SetStopBits(sb2BITS);
    com.SetSwFlow(sfXONXOFF);
    EXPECT_TRUE(com.ApplySettings());
    termios t{};
    ASSERT_EQ(tcgetattr(pty.escravo, &t), 0);
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_TRUE(t.c_iflag & IXON);
    EXPECT_TRUE(t.c_iflag & IXOFF);
    EXPECT_EQ(t.c_cc[VSTART], 0x11);
    EXPECT_EQ(t.c_cc[VSTOP], 0x13);
    EXPECT_FALSE(t.c_lflag & ECHO); // raw bytes
    EXPECT_EQ(com.GetModemLines(), 0u); // a pseudo-terminal has none
    EXPECT_EQ(com.OutputFreeSpace(), 2048);
    com.ClosePort();
    EXPECT_EQ(com.OutputFreeSpace(), 0xFFFF);
    EXPECT_EQ(com.GetModemLines(), 0u);
}

TEST(SerialPortDriver, SendsAndReceives)
{
    Pseudoterminal pty;
    TSerialPortDriver com;
    const std::uint8_t dados[] = {0xFF, 0x02, 0x00, 0x08, 0x24, 0xBD, 0xAA};
    EXPECT_EQ(com.SendData(dados, sizeof dados), 0u); // closed
    com.SetPortName(pty.caminho);
    ASSERT_TRUE(com.OpenPort());
    EXPECT_EQ(com.SendData(dados, sizeof dados), sizeof dados);
    EXPECT_EQ(pty.Le(sizeof dados), std::vector<std::uint8_t>(dados, dados + sizeof dados));

    std::vector<std::uint8_t> recebidos;
    com.OnReceiveData = [&](QObject* sender, const void* p, std::uint32_t n) {
        EXPECT_EQ(sender, &com);
        const auto* bytes = static_cast<const std::uint8_t*>(p);
        recebidos.insert(recebidos.end(), bytes, bytes + n);
    };
    ASSERT_EQ(::write(pty.mestre, dados, sizeof dados), static_cast<ssize_t>(sizeof dados));
    EXPECT_TRUE(ProcessaAte([&] { return recebidos.size() == sizeof dados; }));
}

// Each tick reads at most InBufSize bytes; the rest waits for the next one.
TEST(SerialPortDriver, ATickDeliversAtMostInBufSize)
{
    Pseudoterminal pty;
    TSerialPortDriver com;
    com.SetPortName(pty.caminho);
    com.SetPollingDelay(60000); // no tick until all 3000 bytes are queued
    std::vector<std::uint32_t> entregas;
    com.OnReceiveData = [&](QObject*, const void*, std::uint32_t n) { entregas.push_back(n); };
    ASSERT_TRUE(com.OpenPort());
    std::vector<std::uint8_t> muitos(3000, 0x41);
    ASSERT_EQ(::write(pty.mestre, muitos.data(), muitos.size()), 3000);
    ASSERT_TRUE(ProcessaAte([&] { return Enfileirados(pty.escravo) == 3000; }));
    com.SetPollingDelay(5);
    EXPECT_TRUE(ProcessaAte([&] { return entregas.size() >= 2; }));
    EXPECT_EQ(entregas, (std::vector<std::uint32_t>{2048, 952}));
}

// What waits in the input queue is delivered at once, however much, without
// waiting for a tick; the port counts what it sent and delivered.
TEST(SerialPortDriver, PendingInputIsDeliveredAtOnceAndCounted)
{
    Pseudoterminal pty;
    TSerialPortDriver com;
    com.SetPortName(pty.caminho);
    com.SetPollingDelay(60000);
    std::vector<std::uint32_t> entregas;
    com.OnReceiveData = [&](QObject*, const void*, std::uint32_t n) { entregas.push_back(n); };
    com.DeliverPendingInput(); // closed: nothing
    ASSERT_TRUE(com.OpenPort());
    com.DeliverPendingInput(); // nothing queued
    EXPECT_TRUE(entregas.empty());
    std::vector<std::uint8_t> muitos(3000, 0x41);
    ASSERT_EQ(::write(pty.mestre, muitos.data(), muitos.size()), 3000);
    ASSERT_TRUE(ProcessaAte([&] { return Enfileirados(pty.escravo) == 3000; }));
    com.DeliverPendingInput();
    EXPECT_EQ(entregas, (std::vector<std::uint32_t>{2048, 952}));
    EXPECT_EQ(com.BytesReceived(), 3000u);
    const std::uint8_t dados[] = {1, 2, 3, 4, 5};
    ASSERT_EQ(com.SendData(dados, sizeof dados), sizeof dados);
    EXPECT_EQ(com.BytesSent(), sizeof dados);
}

TEST(SerialPortDriver, SendingStopsAfterTheOutputTimeout)
{
    Pseudoterminal pty; // nobody reads the far end: the line backs up
    TSerialPortDriver com;
    com.SetPortName(pty.caminho);
    ASSERT_TRUE(com.OpenPort());
    std::vector<std::uint8_t> muitos(1 << 20, 0x55);
    QElapsedTimer relogio;
    relogio.start();
    const std::uint32_t enviados = com.SendDataTimed(muitos.data(), static_cast<std::uint32_t>(muitos.size()), 60);
    EXPECT_GT(enviados, 0u);
    EXPECT_LT(enviados, muitos.size());
    EXPECT_GE(relogio.elapsed(), 60);
}
