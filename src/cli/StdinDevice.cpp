#include "cli/StdinDevice.h"

#include <cerrno>
#include <unistd.h>

qint64 StdinDevice::readData(char *data, qint64 maxSize)
{
    for (;;) {
        const ssize_t count = ::read(STDIN_FILENO, data, std::size_t(maxSize));
        if (count >= 0 || errno != EINTR)
            return count;
    }
}
