#include "link/serialportdriver.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace {

// Bits per second of each TBaudRate, in the enumeration's order.
constexpr std::uint32_t kBaudRates[] = {
    0, 110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000,
    57600, 115200, 128000, 256000,
};

constexpr std::uint32_t kMinBufSize = 128;
constexpr std::uint32_t kMaxBufSize = 8192;
constexpr std::uint16_t kMinPollingDelay = 5;

std::uint32_t ClampBufSize(std::uint32_t size)
{
    return std::clamp(size, kMinBufSize, kMaxBufSize);
}

SerialHandshake HandshakeOf(THwFlowControl flow)
{
    switch (flow) {
    case hfNONERTSON: return SerialHandshake::RtsOn;
    case hfRTSCTS: return SerialHandshake::RtsCts;
    default: return SerialHandshake::None;
    }
}

} // namespace

TSerialPortDriver::TSerialPortDriver(QObject* owner)
    : QObject(owner), device_(std::make_unique<SerialDevice>()), inBuffer_(2048, 0)
{
    pollingTimer_ = new QTimer(this);
    pollingTimer_->setTimerType(Qt::PreciseTimer);
    connect(pollingTimer_, &QTimer::timeout, this, [this] { PollingTick(); });
}

TSerialPortDriver::~TSerialPortDriver()
{
    ClosePort();
}

void TSerialPortDriver::SetPort(TPortNumber port)
{
    if (IsOpen())
        return;
    port_ = port;
    if (port != pnCustom)
        portName_ = QStringLiteral("\\\\.\\COM%1").arg(static_cast<int>(port));
}

void TSerialPortDriver::SetPortName(const QString& name)
{
    if (IsOpen())
        return;
    portName_ = name;
    port_ = pnCustom;
}

void TSerialPortDriver::SetBaudRate(TBaudRate rate)
{
    baudRate_ = rate;
    if (rate != brCustom)
        baudRateValue_ = BaudRateToValue(rate);
    ReapplyIfOpen();
}

void TSerialPortDriver::SetBaudRateValue(std::uint32_t value)
{
    baudRateValue_ = value;
    baudRate_ = brCustom;
    ReapplyIfOpen();
}

void TSerialPortDriver::SetDataBits(TDataBits bits)
{
    dataBits_ = bits;
    ReapplyIfOpen();
}

void TSerialPortDriver::SetStopBits(TStopBits bits)
{
    stopBits_ = bits;
    ReapplyIfOpen();
}

void TSerialPortDriver::SetParity(TParity parity)
{
    parity_ = parity;
    ReapplyIfOpen();
}

void TSerialPortDriver::SetHwFlow(THwFlowControl flow)
{
    hwFlow_ = flow;
    ReapplyIfOpen();
}

void TSerialPortDriver::SetSwFlow(TSwFlowControl flow)
{
    swFlow_ = flow;
    ReapplyIfOpen();
}

void TSerialPortDriver::SetInBufSize(std::uint32_t size)
{
    if (IsOpen())
        return;
    inBufSize_ = ClampBufSize(size);
    inBuffer_.assign(inBufSize_, 0);
}

void TSerialPortDriver::SetOutBufSize(std::uint32_t size)
{
    if (IsOpen())
        return;
    outBufSize_ = ClampBufSize(size);
}

void TSerialPortDriver::SetPollingDelay(std::uint16_t ms)
{
    pollingDelay_ = std::max(ms, kMinPollingDelay);
    if (IsOpen())
        pollingTimer_->start(pollingDelay_);
}

bool TSerialPortDriver::IsOpen() const
{
    return device_->IsOpen();
}

bool TSerialPortDriver::OpenPort()
{
    if (IsOpen())
        return true;
    if (!device_->Open(SerialDevicePath(portName_)))
        return false;
    if (!ApplySettings()) {
        device_->Close();
        return false;
    }
    pollingTimer_->start(pollingDelay_);
    return true;
}

void TSerialPortDriver::ClosePort()
{
    if (!IsOpen())
        return;
    pollingTimer_->stop();
    device_->Close();
}

SerialLineSettings TSerialPortDriver::LineSettings() const
{
    SerialLineSettings s;
    s.baudRate = baudRateValue_;
    s.dataBits = static_cast<int>(dataBits_) + 5;
    s.parity = static_cast<int>(parity_);
    s.stopBits = static_cast<int>(stopBits_);
    s.dtrOn = enableDtrOnOpen_;
    s.handshake = HandshakeOf(hwFlow_);
    s.xonXoff = swFlow_ == sfXONXOFF;
    return s;
}

bool TSerialPortDriver::ApplySettings()
{
    if (!IsOpen())
        return false;
    // The system sizes its own queues; the component keeps its sizes for
    // the input buffer and the free-space count.
    return device_->Configure(LineSettings()) && PurgeBuffers(true, true);
}

void TSerialPortDriver::ReapplyIfOpen()
{
    if (IsOpen())
        ApplySettings();
}

bool TSerialPortDriver::PurgeBuffers(bool input, bool output)
{
    if (!device_->Purge(input, output))
        return false;
    packetStart_ = -1;
    return true;
}

std::uint16_t TSerialPortDriver::OutputFreeSpace() const
{
    if (!IsOpen())
        return 0xFFFF;
    const int queued = std::max(device_->OutputQueued(), 0);
    const std::uint32_t used = std::min<std::uint32_t>(static_cast<std::uint32_t>(queued), outBufSize_);
    return static_cast<std::uint16_t>(outBufSize_ - used);
}

std::uint32_t TSerialPortDriver::SendDataTimed(const void* data, std::uint32_t size, std::uint32_t timeoutMs)
{
    if (!IsOpen())
        return 0;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::uint32_t written = 0;
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    while (written < size) {
        if (checkLineStatus_ && GetModemLines() == 0)
            break;
        const std::uint32_t room = std::min<std::uint32_t>(OutputFreeSpace(), size - written);
        const int put = room > 0 ? device_->Write(bytes + written, room) : 0;
        if (put < 0)
            break;
        if (put > 0) {
            written += static_cast<std::uint32_t>(put);
            bytesSent_ += static_cast<std::uint32_t>(put);
            sinceProgress.restart();
            continue;
        }
        const qint64 waited = sinceProgress.elapsed();
        if (waited > static_cast<qint64>(timeoutMs))
            break;
        // Sleep until the line takes more instead of retrying at once.
        device_->WaitWritable(static_cast<int>(timeoutMs - waited) + 1);
    }
    return written;
}

std::uint32_t TSerialPortDriver::SendData(const void* data, std::uint32_t size)
{
    return SendDataTimed(data, size, outputTimeout_);
}

unsigned TSerialPortDriver::GetModemLines() const
{
    return IsOpen() ? device_->ModemLines() : 0;
}

QString TSerialPortDriver::GetWindowsPlatformName()
{
    return QStringLiteral("??");
}

std::uint32_t TSerialPortDriver::GetWindowsVersion()
{
    return 0;
}

std::uint32_t TSerialPortDriver::BaudRateToValue(TBaudRate rate)
{
    const auto index = static_cast<std::size_t>(rate);
    return index < std::size(kBaudRates) ? kBaudRates[index] : 0;
}

std::uint32_t TSerialPortDriver::PacketTransmitTime(std::uint32_t rate, std::uint32_t size)
{
    if (rate == 0)
        return 0;
    // Ten bits a byte: start, eight data bits, stop.
    const std::uint64_t bits = std::uint64_t(size) * 10 * 1000;
    return static_cast<std::uint32_t>((bits + rate / 2) / rate);
}

void TSerialPortDriver::PollingTick()
{
    if (!IsOpen() || packetSize_ > 0)
        return;
    // What waits beyond the buffer stays queued for the next tick.
    const int got = device_->Read(inBuffer_.data(), inBuffer_.size());
    if (got > 0)
        Deliver(static_cast<std::uint32_t>(got));
}

void TSerialPortDriver::Deliver(std::uint32_t size)
{
    bytesReceived_ += size;
    if (OnReceiveData)
        OnReceiveData(this, inBuffer_.data(), size);
}

void TSerialPortDriver::DeliverPendingInput()
{
    if (!IsOpen() || packetSize_ > 0)
        return;
    // A full buffer may leave more queued behind it.
    int got = 0;
    do {
        got = device_->Read(inBuffer_.data(), inBuffer_.size());
        if (got > 0)
            Deliver(static_cast<std::uint32_t>(got));
    } while (got > 0 && static_cast<std::size_t>(got) == inBuffer_.size());
}
