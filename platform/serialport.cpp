#include "platform/serialport.h"

#include <QRegularExpression>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

// Sets a rate that has no speed constant of its own (serialport_baud.cpp).
bool SetArbitraryBaudRate(int fd, std::uint32_t rate);

namespace {

// The one place where the system's error numbers become ours.
SerialError MapSystemError(int error)
{
    switch (error) {
    case 0: return SerialError::None;
    case ENOENT:
    case ENODEV:
    case ENXIO: return SerialError::NotFound;
    case EBUSY:
    case EWOULDBLOCK: return SerialError::Busy;
    case EACCES:
    case EPERM:
    case EROFS: return SerialError::AccessDenied;
    case ENOTTY: return SerialError::NotATerminal;
    case EINVAL: return SerialError::Unsupported;
    default: return SerialError::Other;
    }
}

struct SpeedEntry {
    std::uint32_t rate;
    speed_t code;
};

const SpeedEntry kSpeeds[] = {
    {50, B50}, {75, B75}, {110, B110}, {134, B134}, {150, B150}, {200, B200},
    {300, B300}, {600, B600}, {1200, B1200}, {1800, B1800}, {2400, B2400},
    {4800, B4800}, {9600, B9600}, {19200, B19200}, {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400},
};

bool SpeedCode(std::uint32_t rate, speed_t& code)
{
    for (const SpeedEntry& entry : kSpeeds)
        if (entry.rate == rate) {
            code = entry.code;
            return true;
        }
    return false;
}

tcflag_t CharacterSize(int dataBits)
{
    switch (dataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

void SetParity(termios& t, int parity)
{
    t.c_cflag &= ~(PARENB | PARODD | CMSPAR);
    switch (parity) {
    case 1: t.c_cflag |= PARENB | PARODD; break;
    case 2: t.c_cflag |= PARENB; break;
    case 3: t.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case 4: t.c_cflag |= PARENB | CMSPAR; break;
    default: break;
    }
}

// Raises or drops one modem control line; devices without them (pseudo-
// terminals) refuse, which is of no consequence.
void SetControlLine(int fd, int line, bool on)
{
    ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

} // namespace

SerialDevice::~SerialDevice()
{
    Close();
}

bool SerialDevice::Open(const QString& path)
{
    if (IsOpen())
        return true;
    const QByteArray name = path.toLocal8Bit();
    const int fd = ::open(name.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error_ = MapSystemError(errno);
        return false;
    }
    // Exclusive use: a second open, from this program or another, fails.
    if (!isatty(fd) || flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0) {
        error_ = isatty(fd) ? MapSystemError(errno) : SerialError::NotATerminal;
        ::close(fd);
        return false;
    }
    fd_ = fd;
    error_ = SerialError::None;
    return true;
}

void SerialDevice::Close()
{
    if (!IsOpen())
        return;
    ioctl(fd_, TIOCNXCL);
    flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

bool SerialDevice::Configure(const SerialLineSettings& settings)
{
    if (!IsOpen())
        return false;
    termios t{};
    if (tcgetattr(fd_, &t) != 0) {
        error_ = MapSystemError(errno);
        return false;
    }
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~(CSIZE | CSTOPB | CRTSCTS);
    t.c_cflag |= CharacterSize(settings.dataBits);
    if (settings.stopBits != 0)
        t.c_cflag |= CSTOPB;
    SetParity(t, settings.parity);
    if (settings.handshake == SerialHandshake::RtsCts)
        t.c_cflag |= CRTSCTS;
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (settings.xonXoff)
        t.c_iflag |= IXON | IXOFF;
    t.c_cc[VSTART] = settings.xonChar;
    t.c_cc[VSTOP] = settings.xoffChar;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;

    speed_t code = B9600;
    const bool standardRate = SpeedCode(settings.baudRate, code);
    if (standardRate) {
        cfsetispeed(&t, code);
        cfsetospeed(&t, code);
    }
    if (tcsetattr(fd_, TCSANOW, &t) != 0 ||
        (!standardRate && !SetArbitraryBaudRate(fd_, settings.baudRate))) {
        error_ = standardRate ? MapSystemError(errno) : SerialError::Unsupported;
        return false;
    }
    SetControlLine(fd_, TIOCM_DTR, settings.dtrOn);
    // Without handshake RTS is raised only when asked for, and dropped
    // otherwise; under RTS/CTS the driver drives it.
    if (settings.handshake != SerialHandshake::RtsCts)
        SetControlLine(fd_, TIOCM_RTS, settings.handshake == SerialHandshake::RtsOn);
    return true;
}

bool SerialDevice::Purge(bool input, bool output)
{
    if (!IsOpen())
        return false;
    if (!input && !output)
        return true;
    const int which = input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH;
    return tcflush(fd_, which) == 0;
}

int SerialDevice::InputQueued() const
{
    int count = 0;
    if (!IsOpen() || ioctl(fd_, TIOCINQ, &count) != 0)
        return -1;
    return count;
}

int SerialDevice::OutputQueued() const
{
    int count = 0;
    if (!IsOpen() || ioctl(fd_, TIOCOUTQ, &count) != 0)
        return -1;
    return count;
}

int SerialDevice::Read(std::uint8_t* buffer, std::size_t max)
{
    if (!IsOpen())
        return -1;
    const ssize_t got = ::read(fd_, buffer, max);
    if (got >= 0)
        return static_cast<int>(got);
    if (errno == EAGAIN || errno == EINTR)
        return 0;
    error_ = MapSystemError(errno);
    return -1;
}

int SerialDevice::Write(const std::uint8_t* data, std::size_t size)
{
    if (!IsOpen())
        return -1;
    const ssize_t put = ::write(fd_, data, size);
    if (put >= 0)
        return static_cast<int>(put);
    if (errno == EAGAIN || errno == EINTR)
        return 0;
    error_ = MapSystemError(errno);
    return -1;
}

bool SerialDevice::WaitWritable(int timeoutMs)
{
    if (!IsOpen())
        return false;
    pollfd p{fd_, POLLOUT, 0};
    return ::poll(&p, 1, timeoutMs < 0 ? 0 : timeoutMs) > 0 && (p.revents & POLLOUT);
}

unsigned SerialDevice::ModemLines() const
{
    int status = 0;
    if (!IsOpen() || ioctl(fd_, TIOCMGET, &status) != 0)
        return 0;
    unsigned lines = 0;
    if (status & TIOCM_CTS)
        lines |= SerialLineCts;
    if (status & TIOCM_DSR)
        lines |= SerialLineDsr;
    if (status & TIOCM_RNG)
        lines |= SerialLineRing;
    if (status & TIOCM_CAR)
        lines |= SerialLineRlsd;
    return lines;
}

QString SerialDevicePath(const QString& portName)
{
    static const QRegularExpression comPort(QStringLiteral("^\\\\\\\\\\.\\\\COM(\\d+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comPort.match(portName);
    if (!match.hasMatch())
        return portName;
    const int number = match.captured(1).toInt();
    if (number >= 1 && number <= 16) {
        const QString other = qEnvironmentVariable(qPrintable(QStringLiteral("TRIVANTO_COM%1").arg(number)));
        if (!other.isEmpty())
            return other;
    }
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
}
