// The slider's stored settings read into a live slider, which then lays itself out.
#include <QApplication>
#include <QByteArray>
#include <QDataStream>
#include <cstddef>
#include <cstdint>

#include "slider.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QDataStream in(bytes);
    TSlider slider;
    slider.resize(120, 20);
    slider.readSettings(in);
    return 0;
}
