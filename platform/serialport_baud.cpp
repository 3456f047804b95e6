// Rates without a speed constant of their own (14400, 56000, 128000, ...)
// go through the kernel's second terminal interface, which takes the rate as
// a number. Kept apart: its header cannot share a unit with <termios.h>.
#include <asm/ioctls.h>
#include <asm/termbits.h>

#include <cstdint>

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept;

bool SetArbitraryBaudRate(int fd, std::uint32_t rate)
{
    if (rate == 0)
        return false;
    termios2 t{};
    if (ioctl(fd, TCGETS2, &t) != 0)
        return false;
    t.c_cflag &= ~CBAUD;
    t.c_cflag |= BOTHER;
    t.c_ispeed = rate;
    t.c_ospeed = rate;
    return ioctl(fd, TCSETS2, &t) == 0;
}
