#include "LastError.h"

namespace audio {

namespace {
thread_local int tlsLastError = 0;
}

void setLastError(int code) {
    tlsLastError = code;
}

int lastError() {
    return tlsLastError;
}

}  // namespace audio
