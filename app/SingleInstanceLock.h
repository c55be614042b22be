#pragma once

#include <string>

namespace app {

// A system-wide named lock held for the life of the process: an abstract-namespace Unix socket.
// The kernel releases it when the process ends, however it ends.
class SingleInstanceLock {
public:
    enum class Result { Created, AlreadyExists, Failed };

    // The executable's file name with a trailing ".exe" removed when present.
    static std::string NameFor(const std::string& executablePath);

    Result acquire(const std::string& name);

private:
    int fd_ = -1;  // never closed: the lock lives until the process exits
};

}  // namespace app
