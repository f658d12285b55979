// Reading from a named pipe under a time limit: a reader left waiting on the pipe is
// released by opening its other end, so a program that hangs on a pipe fails its test
// instead of stopping the whole run.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <optional>
#include <string>

namespace quarn::test {

// Runs `read` on a thread of its own; its result when it was done within two seconds,
// else nullopt once the pipe at `pipe` has let it go.
template <class Read>
auto doneWithinTwoSeconds(const std::string& pipe, Read read) -> std::optional<decltype(read())> {
    auto done = std::async(std::launch::async, read);
    if (done.wait_for(std::chrono::seconds(2)) == std::future_status::ready) return done.get();
    while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) ::close(fd);  // the reader sees the end of the pipe
    }
    done.get();
    return std::nullopt;
}

}  // namespace quarn::test
