// Writes through to a file descriptor, keeping the reason of the first failure.
#include "descriptor_output.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace quarn::cli {

DescriptorOutput::DescriptorOutput(int descriptor) : fd(descriptor) {
    if (fcntl(fd, F_GETFD) == -1) failed = errno;
    setp(buffer.data(), buffer.data() + buffer.size());
}

DescriptorOutput::~DescriptorOutput() { drain(); }

bool DescriptorOutput::drain() {
    const char* at = pbase();
    const char* const end = pptr();
    // A closed descriptor fails only a command that has something to say.
    if (at == end) return true;
    // Once a write has failed nothing more goes out: the output is broken already, and
    // a later part must not land where the lost one should have been.
    while (failed == 0 && at < end) {
        const ssize_t written = ::write(fd, at, static_cast<std::size_t>(end - at));
        if (written > 0) {
            at += written;
        } else if (written == 0) {
            failed = EIO;  // no progress and no reason: a device that takes nothing
        } else if (errno != EINTR) {
            failed = errno;
        }
    }
    setp(buffer.data(), buffer.data() + buffer.size());
    return failed == 0;
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type c) {
    if (!drain()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int DescriptorOutput::sync() { return drain() ? 0 : -1; }

}  // namespace quarn::cli
