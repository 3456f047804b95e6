#pragma once
// The operating system's serial line under the serial-port component: open a
// device for exclusive use, set the line, read and write without blocking,
// query the queues and the modem lines. POSIX terminals (real ports, USB
// adapters and pseudo-terminals alike). Errors are reduced to SerialError;
// nothing here throws.
#include <QString>

#include <cstddef>
#include <cstdint>

enum class SerialError {
    None,
    NotFound,     // no such device
    Busy,         // in use by another program
    AccessDenied, // no permission
    NotATerminal, // the path names something that is not a serial line
    Unsupported,  // a line setting the device refuses
    Other,
};

enum class SerialHandshake {
    None,     // RTS dropped, no flow control
    RtsOn,    // RTS raised, no flow control
    RtsCts,   // hardware flow control
};

struct SerialLineSettings {
    std::uint32_t baudRate = 9600;
    int dataBits = 8;    // 5..8
    int parity = 0;      // 0 none, 1 odd, 2 even, 3 mark, 4 space
    int stopBits = 0;    // 0 one, 1 one and a half, 2 two
    bool dtrOn = true;
    SerialHandshake handshake = SerialHandshake::RtsOn;
    bool xonXoff = false;
    std::uint8_t xonChar = 0x11;
    std::uint8_t xoffChar = 0x13;
};

// Modem status lines, as bits.
enum : unsigned {
    SerialLineCts = 1,
    SerialLineDsr = 2,
    SerialLineRing = 4,
    SerialLineRlsd = 8,
};

class SerialDevice {
public:
    SerialDevice() = default;
    ~SerialDevice();
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    // Opens the device for reading and writing, refusing it when another
    // program holds it. False (with LastError) on failure.
    bool Open(const QString& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    SerialError LastError() const { return error_; }

    bool Configure(const SerialLineSettings& settings);
    // Throws away what waits in the receive and/or transmit queue.
    bool Purge(bool input, bool output);

    // Bytes waiting in the receive / transmit queue; -1 when unknown.
    int InputQueued() const;
    int OutputQueued() const;

    // Reads what is queued, at most max bytes: the count read, 0 when
    // nothing waits, -1 on failure.
    int Read(std::uint8_t* buffer, std::size_t max);
    // Writes what the driver takes now: the count written (0 when its queue
    // is full), -1 on failure.
    int Write(const std::uint8_t* data, std::size_t size);
    // Blocks up to timeoutMs until the device takes more output.
    bool WaitWritable(int timeoutMs);

    // The modem status lines that are on; 0 when the device cannot tell
    // (pseudo-terminals have none).
    unsigned ModemLines() const;

private:
    int fd_ = -1;
    SerialError error_ = SerialError::None;
};

// The device behind a port name: "\\.\COMn" is the n-th serial port
// (/dev/ttyS(n-1)), unless the environment variable TRIVANTO_COMn (n 1..16)
// names another device; any other name is a device path already.
QString SerialDevicePath(const QString& portName);
