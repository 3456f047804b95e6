#pragma once
// The serial-port component: opens a port, applies the line settings, sends
// a buffer with an output time-out and delivers received bytes through
// OnReceiveData, polling the input queue from a timer of its own. Everything
// runs on the user-interface thread.
#include "platform/serialport.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QTimer;

enum TPortNumber : int {
    pnCustom, pnCOM1, pnCOM2, pnCOM3, pnCOM4, pnCOM5, pnCOM6, pnCOM7, pnCOM8,
    pnCOM9, pnCOM10, pnCOM11, pnCOM12, pnCOM13, pnCOM14, pnCOM15, pnCOM16,
};

enum TBaudRate : int {
    brCustom, br110, br300, br600, br1200, br2400, br4800, br9600, br14400,
    br19200, br38400, br56000, br57600, br115200, br128000, br256000,
};

enum TDataBits : int { db5BITS, db6BITS, db7BITS, db8BITS };
enum TStopBits : int { sb1BITS, sb1HALFBITS, sb2BITS };
enum TParity : int { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
enum THwFlowControl : int { hfNONE, hfNONERTSON, hfRTSCTS };
enum TSwFlowControl : int { sfNONE, sfXONXOFF };
enum TPacketMode : int { pmDiscard, pmPass };

// Modem lines reported by GetModemLines.
enum TModemLine : unsigned {
    mlCTS = SerialLineCts,
    mlDSR = SerialLineDsr,
    mlRING = SerialLineRing,
    mlRLSD = SerialLineRlsd,
};

using TReceiveDataEvent = std::function<void(QObject* sender, const void* dataPtr, std::uint32_t dataSize)>;
using TReceivePacketEvent = std::function<void(QObject* sender, const void* packet, std::uint32_t dataSize)>;

class TSerialPortDriver : public QObject {
public:
    explicit TSerialPortDriver(QObject* owner = nullptr);
    ~TSerialPortDriver() override;

    // Port and line settings. Port, PortName and the buffer sizes are
    // ignored while the port is open; the line settings are applied at once.
    TPortNumber Port() const { return port_; }
    void SetPort(TPortNumber port);
    QString PortName() const { return portName_; }
    void SetPortName(const QString& name);
    TBaudRate BaudRate() const { return baudRate_; }
    void SetBaudRate(TBaudRate rate);
    std::uint32_t BaudRateValue() const { return baudRateValue_; }
    void SetBaudRateValue(std::uint32_t value);
    TDataBits DataBits() const { return dataBits_; }
    void SetDataBits(TDataBits bits);
    TStopBits StopBits() const { return stopBits_; }
    void SetStopBits(TStopBits bits);
    TParity Parity() const { return parity_; }
    void SetParity(TParity parity);
    THwFlowControl HwFlow() const { return hwFlow_; }
    void SetHwFlow(THwFlowControl flow);
    TSwFlowControl SwFlow() const { return swFlow_; }
    void SetSwFlow(TSwFlowControl flow);
    std::uint32_t InBufSize() const { return inBufSize_; }
    void SetInBufSize(std::uint32_t size);
    std::uint32_t OutBufSize() const { return outBufSize_; }
    void SetOutBufSize(std::uint32_t size);
    std::int16_t PacketSize() const { return packetSize_; }
    void SetPacketSize(std::int16_t size) { packetSize_ = size <= 0 ? -1 : size; }
    std::int32_t PacketTimeout() const { return packetTimeout_; }
    void SetPacketTimeout(std::int32_t ms) { packetTimeout_ = ms <= 0 ? -1 : ms; }
    TPacketMode PacketMode() const { return packetMode_; }
    void SetPacketMode(TPacketMode mode) { packetMode_ = mode; }
    std::uint16_t PollingDelay() const { return pollingDelay_; }
    void SetPollingDelay(std::uint16_t ms);
    bool EnableDTROnOpen() const { return enableDtrOnOpen_; }
    void SetEnableDTROnOpen(bool on) { enableDtrOnOpen_ = on; }
    std::uint16_t OutputTimeout() const { return outputTimeout_; }
    void SetOutputTimeout(std::uint16_t ms) { outputTimeout_ = ms; }
    std::uint32_t InputTimeout() const { return inputTimeout_; }
    void SetInputTimeout(std::uint32_t ms) { inputTimeout_ = ms; }
    bool CheckLineStatus() const { return checkLineStatus_; }
    void SetCheckLineStatus(bool on) { checkLineStatus_ = on; }

    TReceiveDataEvent OnReceiveData;
    // Packet delivery is never enabled by the program; kept for completeness.
    TReceivePacketEvent OnReceivePacket;

    bool IsOpen() const;
    // Opens the port and starts polling; false (port closed) when the device
    // is missing, in use or refuses the settings. Never throws.
    bool OpenPort();
    void ClosePort();
    bool ApplySettings();
    bool PurgeBuffers(bool input, bool output);
    std::uint16_t OutputFreeSpace() const;
    std::uint32_t SendDataTimed(const void* data, std::uint32_t size, std::uint32_t timeoutMs);
    std::uint32_t SendData(const void* data, std::uint32_t size);
    unsigned GetModemLines() const;
    // Delivers at once, through OnReceiveData, whatever the input queue
    // holds, without waiting for the next polling tick; nothing when closed.
    void DeliverPendingInput();
    // Bytes the port has taken for output, and bytes it has delivered through
    // OnReceiveData, since the component was created.
    std::uint64_t BytesSent() const { return bytesSent_; }
    std::uint64_t BytesReceived() const { return bytesReceived_; }

    // No Windows version to report here: "??" and 0, as when the query fails.
    static QString GetWindowsPlatformName();
    static std::uint32_t GetWindowsVersion();
    static std::uint32_t BaudRateToValue(TBaudRate rate);
    static std::uint32_t PacketTransmitTime(std::uint32_t rate, std::uint32_t size);

private:
    void PollingTick();
    void Deliver(std::uint32_t size);
    SerialLineSettings LineSettings() const;
    void ReapplyIfOpen();

    TPortNumber port_ = pnCOM2;
    QString portName_ = QStringLiteral("\\\\.\\COM2");
    TBaudRate baudRate_ = br9600;
    std::uint32_t baudRateValue_ = 9600;
    TDataBits dataBits_ = db8BITS;
    TStopBits stopBits_ = sb1BITS;
    TParity parity_ = ptNONE;
    THwFlowControl hwFlow_ = hfNONERTSON;
    TSwFlowControl swFlow_ = sfNONE;
    std::uint32_t inBufSize_ = 2048;
    std::uint32_t outBufSize_ = 2048;
    std::int16_t packetSize_ = -1;
    std::int32_t packetTimeout_ = -1;
    TPacketMode packetMode_ = pmDiscard;
    std::uint16_t pollingDelay_ = 50;
    bool enableDtrOnOpen_ = true;
    std::uint16_t outputTimeout_ = 500;
    std::uint32_t inputTimeout_ = 200;
    bool checkLineStatus_ = false;

    std::unique_ptr<SerialDevice> device_;
    std::vector<std::uint8_t> inBuffer_;
    QTimer* pollingTimer_ = nullptr;
    std::int64_t packetStart_ = -1; // start of an incomplete packet, -1 none
    std::uint64_t bytesSent_ = 0;
    std::uint64_t bytesReceived_ = 0;
};
