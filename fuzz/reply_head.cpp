// A reply head fed line by line as the transport cuts it, then asked what the transport and
// the status bridge ask.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ReplyHead.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    audio::ReplyHead head;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::size_t length = end == std::string_view::npos ? rest.size() : end + 1;
        head.addLine(rest.substr(0, length));
        rest.remove_prefix(length);
        if (head.complete()) {
            head.statusCode();
            head.isSuccess();
            head.isInterim();
            head.hasIcy();
            head.value("icy-metaint");
            head.value("Location");
            head.block();
        }
    }
    head.size();
    head.value("icy-name");
    head.block();
    return 0;
}
