#include "Engine.h"

#include <curl/curl.h>
extern "C" {
#include <libavutil/log.h>
}

#include <utility>
#include <vector>

#include "LastError.h"

namespace audio {

namespace {
const char* const kDefaultAgent = "zelkor-engine/1.0";
constexpr auto kTeardownWait = std::chrono::seconds(3);
}  // namespace

Engine& Engine::instance() {
    static Engine engine;
    return engine;
}

Engine::Engine() : agent_(kDefaultAgent) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    // Damaged frames are expected on the radio; they must not flood the player's stderr.
    av_log_set_level(AV_LOG_QUIET);
}

Engine::~Engine() {
    // Only reached when a process ends normally (the player itself leaves with _exit): let the
    // streams' threads finish before their memory goes.
    std::map<HSTREAM, std::shared_ptr<Stream>> streams;
    std::unique_ptr<Mixer> mixer;
    {
        std::lock_guard lock(mutex_);
        streams.swap(streams_);
        mixer = std::move(mixer_);
    }
    mixer.reset();
    for (auto& [handle, stream] : streams) {
        stream->release();
    }
    streams.clear();
    threads_.waitIdle(kTeardownWait);
}

int Engine::init(int device) {
    std::lock_guard lock(mutex_);
    if (mixer_) {
        return ERROR_ALREADY;
    }
    if (device != -1 && device != 0) {
        return ERROR_DEVICE;
    }
    auto output = openOutput(device);
    if (!output) {
        return ERROR_DRIVER;
    }
    mixer_ = std::make_unique<Mixer>(std::move(output), [device] { return openOutput(device); });
    return ERROR_OK;
}

bool Engine::initialised() const {
    std::lock_guard lock(mutex_);
    return mixer_ != nullptr;
}

int Engine::setConfig(std::uint32_t option, std::uint32_t value) {
    std::lock_guard lock(mutex_);
    switch (option) {
        case CONFIG_NET_BUFFER:
            bufferMs_ = value;
            return ERROR_OK;
        case CONFIG_NET_TIMEOUT:
            timeoutMs_ = value;
            return ERROR_OK;
        case CONFIG_NET_PREBUF:
            // Playback starts when ChannelPlay is called; the callers wait for the buffer
            // themselves, so there is nothing to set.
            return ERROR_OK;
        default:
            return ERROR_ILLTYPE;
    }
}

int Engine::setAgent(const char* text) {
    std::lock_guard lock(mutex_);
    agent_ = text != nullptr ? text : kDefaultAgent;
    return ERROR_OK;
}

HSTREAM Engine::create(const char* url, std::uint32_t flags, DownloadProc proc, void* user,
                       bool aacOnly) {
    if (url == nullptr || *url == '\0') {
        return fail(ERROR_FILEOPEN, HSTREAM{0});
    }
    StreamOptions options;
    options.request.url = url;
    options.aacOnly = aacOnly;
    {
        std::lock_guard lock(mutex_);
        if (!mixer_) {
            return fail(ERROR_INIT, HSTREAM{0});
        }
        options.request.userAgent = agent_;
        options.request.connectTimeout = std::chrono::milliseconds(timeoutMs_);
        options.timeout = std::chrono::milliseconds(timeoutMs_);
        options.bufferMs = bufferMs_;
    }
    auto stream = std::make_shared<Stream>(std::move(options), tags_);
    const int rc = stream->open(threads_, flags, proc, user);
    if (rc != ERROR_OK) {
        return fail(rc, HSTREAM{0});
    }
    HSTREAM handle = 0;
    {
        std::lock_guard lock(mutex_);
        handle = nextHandle_++;
        streams_.emplace(handle, stream);
    }
    stream->start(handle, threads_.acquire());
    setLastError(ERROR_OK);
    return handle;
}

std::shared_ptr<Stream> Engine::find(HSTREAM handle) const {
    std::lock_guard lock(mutex_);
    const auto it = streams_.find(handle);
    if (it == streams_.end()) {
        setLastError(mixer_ ? ERROR_HANDLE : ERROR_INIT);
        return nullptr;
    }
    return it->second;
}

bool Engine::free(HSTREAM handle) {
    std::shared_ptr<Stream> stream;
    {
        std::lock_guard lock(mutex_);
        const auto it = streams_.find(handle);
        if (it == streams_.end()) {
            return fail(ERROR_HANDLE, false);
        }
        stream = std::move(it->second);
        streams_.erase(it);
        mixer_->remove(stream.get());
    }
    stream->release();
    setLastError(ERROR_OK);
    return true;
}

bool Engine::play(HSTREAM handle) {
    // Under the lock, so a concurrent free cannot leave a released stream in the mixer.
    std::lock_guard lock(mutex_);
    const auto it = streams_.find(handle);
    if (it == streams_.end()) {
        return fail(mixer_ ? ERROR_HANDLE : ERROR_INIT, false);
    }
    if (!it->second->setPlaying(true)) {
        return fail(ERROR_NOTAVAIL, false);
    }
    mixer_->add(it->second);
    setLastError(ERROR_OK);
    return true;
}

bool Engine::stop(HSTREAM handle) {
    std::lock_guard lock(mutex_);
    const auto it = streams_.find(handle);
    if (it == streams_.end()) {
        return fail(mixer_ ? ERROR_HANDLE : ERROR_INIT, false);
    }
    it->second->setPlaying(false);
    mixer_->remove(it->second.get());
    setLastError(ERROR_OK);
    return true;
}

}  // namespace audio
