#pragma once
// The calling thread's last engine error, as ErrorGetCode() reports it.

namespace audio {

void setLastError(int code);
int lastError();

// Sets the error and returns the failure value, for one-line failure paths.
template <typename T>
T fail(int code, T value) {
    setLastError(code);
    return value;
}

}  // namespace audio
