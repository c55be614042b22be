#pragma once
// One stream download over libcurl, on a thread of its own that ends by itself.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "ReplyHead.h"
#include "ThreadCount.h"

namespace audio {

struct TransferRequest {
    std::string url;
    std::string userAgent;
    std::chrono::milliseconds connectTimeout{10000};
};

// Every method is called on the transfer thread, with no engine lock held.
class TransferListener {
public:
    virtual ~TransferListener() = default;
    // The final reply head (redirects already followed); false stops the transfer.
    virtual bool onHead(const ReplyHead& head) = 0;
    // Body bytes as they come; false stops the transfer.
    virtual bool onBody(const std::uint8_t* data, std::size_t length) = 0;
    // Asked at least once a second; false stops the transfer.
    virtual bool keepGoing(std::chrono::steady_clock::duration sinceLastData) = 0;
    // The transfer is over, for whatever reason. Called exactly once.
    virtual void onEnd() = 0;
};

// Starts the download thread; it keeps the listener alive until onEnd() has returned.
void startTransfer(TransferRequest request, std::shared_ptr<TransferListener> listener,
                   ThreadCount::Token token);

}  // namespace audio
