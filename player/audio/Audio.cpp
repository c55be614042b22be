#include "Audio.h"

#include <algorithm>

#include "Engine.h"
#include "LastError.h"

namespace audio {

namespace {
constexpr int kKeepVolume = -1;
constexpr int kKeepPan = -101;

bool succeed() {
    setLastError(ERROR_OK);
    return true;
}
}  // namespace

bool Init(int device, std::uint32_t, std::uint32_t, void*) {
    const int rc = Engine::instance().init(device);
    setLastError(rc);
    return rc == ERROR_OK;
}

bool SetConfig(std::uint32_t option, std::uint32_t value) {
    const int rc = Engine::instance().setConfig(option, value);
    setLastError(rc);
    return rc == ERROR_OK;
}

bool SetConfigPtr(std::uint32_t option, const void* value) {
    if (option != CONFIG_NET_AGENT) {
        return fail(ERROR_ILLTYPE, false);
    }
    const int rc = Engine::instance().setAgent(static_cast<const char*>(value));
    setLastError(rc);
    return rc == ERROR_OK;
}

int ErrorGetCode() {
    return lastError();
}

HSTREAM StreamCreateURL(const char* url, std::uint32_t, std::uint32_t flags, DownloadProc proc,
                        void* user) {
    return Engine::instance().create(url, flags, proc, user, false);
}

HSTREAM AacStreamCreateURL(const char* url, std::uint32_t, std::uint32_t flags, DownloadProc proc,
                           void* user) {
    return Engine::instance().create(url, flags, proc, user, true);
}

bool StreamFree(HSTREAM handle) {
    return Engine::instance().free(handle);
}

std::uint32_t StreamGetFilePosition(HSTREAM handle, std::uint32_t mode) {
    const auto stream = Engine::instance().find(handle);
    if (!stream) {
        return POS_FAILURE32;
    }
    setLastError(ERROR_OK);
    return stream->filePosition(mode);
}

const char* ChannelGetTags(HCHANNEL handle, std::uint32_t tags) {
    const auto stream = Engine::instance().find(handle);
    if (!stream) {
        return nullptr;
    }
    setLastError(ERROR_OK);
    return stream->tags(tags);
}

HSYNC ChannelSetSync(HCHANNEL handle, std::uint32_t type, std::uint64_t, SyncProc proc,
                     void* user) {
    const auto stream = Engine::instance().find(handle);
    if (!stream) {
        return 0;
    }
    if (type != SYNC_META && type != SYNC_DOWNLOAD) {
        return fail(ERROR_ILLTYPE, HSYNC{0});
    }
    if (proc == nullptr) {
        return fail(ERROR_ILLPARAM, HSYNC{0});
    }
    const HSYNC id = Engine::instance().newSyncId();
    stream->addSync(id, type, proc, user);
    setLastError(ERROR_OK);
    return id;
}

bool ChannelPlay(HCHANNEL handle, bool) {
    // A stream from an address cannot go back, so restarting plays on from where it is.
    return Engine::instance().play(handle);
}

bool ChannelStop(HCHANNEL handle) {
    return Engine::instance().stop(handle);
}

bool ChannelSetAttributes(HCHANNEL handle, int, int volume, int pan) {
    const auto stream = Engine::instance().find(handle);
    if (!stream) {
        return false;
    }
    if (volume != kKeepVolume) {
        stream->setVolume(std::clamp(volume, 0, 100));
    }
    if (pan != kKeepPan) {
        stream->setPan(std::clamp(pan, -100, 100));
    }
    return succeed();
}

bool ChannelGetInfo(HCHANNEL handle, ChannelInfo* info) {
    if (info == nullptr) {
        return fail(ERROR_ILLPARAM, false);
    }
    const auto stream = Engine::instance().find(handle);
    if (!stream) {
        return false;
    }
    *info = stream->info();
    return succeed();
}

std::uint64_t ChannelGetLength(HCHANNEL handle) {
    const auto stream = Engine::instance().find(handle);
    if (!stream) {
        return POS_FAILURE64;
    }
    setLastError(ERROR_OK);
    return stream->length();
}

std::uint64_t ChannelGetPosition(HCHANNEL handle) {
    const auto stream = Engine::instance().find(handle);
    if (!stream) {
        return POS_FAILURE64;
    }
    setLastError(ERROR_OK);
    return stream->position();
}

}  // namespace audio
