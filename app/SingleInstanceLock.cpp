#include "SingleInstanceLock.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>

namespace app {

std::string SingleInstanceLock::NameFor(const std::string& executablePath) {
    const auto slash = executablePath.find_last_of('/');
    std::string name =
        slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    constexpr std::string_view kExe = ".exe";
    if (name.size() > kExe.size() && name.ends_with(kExe)) {
        name.resize(name.size() - kExe.size());
    }
    return name;
}

SingleInstanceLock::Result SingleInstanceLock::acquire(const std::string& name) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return Result::Failed;
    }
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    // sun_path[0] == 0 selects the abstract namespace: nothing on disk to clean up.
    const std::size_t length = std::min(name.size(), sizeof addr.sun_path - 1);
    std::memcpy(addr.sun_path + 1, name.data(), length);
    const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), size) == 0) {
        fd_ = fd;
        return Result::Created;
    }
    const int error = errno;
    ::close(fd);
    return error == EADDRINUSE ? Result::AlreadyExists : Result::Failed;
}

}  // namespace app
