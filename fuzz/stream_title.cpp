// A metadata text as PostPlayerStatus reads it, and a header value as the bit-rate label reads
// it, both through the code page the labels show.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>

#include "Codepage.h"
#include "StatusText.h"
#include "StreamTitle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The engine hands the text on NUL-terminated.
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto title = player::ExtractStreamTitle(text.c_str())) {
        app::FromCp1254(*title);
    }
    player::BitRateLabel(app::FromCp1254("BitRate: " + text));
    return 0;
}
