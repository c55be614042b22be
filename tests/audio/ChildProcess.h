#pragma once
// A program a test starts and always stops again (SIGTERM, then SIGKILL) when it goes away.

#include <sys/types.h>

#include <string>
#include <vector>

namespace testproc {

class ChildProcess {
public:
    // Output goes to /dev/null.
    explicit ChildProcess(const std::vector<std::string>& argv);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    bool running();

private:
    pid_t pid_ = -1;
};

// A TCP port on 127.0.0.1 that was free a moment ago.
int freeLoopbackPort();

}  // namespace testproc
