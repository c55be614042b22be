#pragma once
// JPEG decoding through libjpeg, for the skin's strip picture and downloaded cover pictures.
// Safe on any input: corrupt or truncated data and pictures larger than the bound give a null
// image (a truncated scan is padded grey by libjpeg and still counts as a picture).

#include <QByteArray>
#include <QImage>

// Largest width and height accepted; a bigger header is refused before any pixel is allocated.
inline constexpr int kMaxJpegSide = 8192;
// Largest picture accepted in bytes of 24-bit pixels, also checked on the header: a downloaded
// cover may declare any size.
inline constexpr qint64 kMaxJpegPixelBytes = 64 * 1024 * 1024;

// Largest working memory of the decoder (the progressive coefficient buffers above all).
inline constexpr long kMaxJpegDecoderBytes = 64L * 1024 * 1024;
// Most scans a progressive picture may have; ordinary ones have about ten.
inline constexpr int kMaxJpegScans = 100;

// True when the bytes start with the JPEG start-of-image marker.
bool isJpeg(const QByteArray& bytes);

// Decodes to an opaque RGB picture; grey and CMYK/YCCK pictures are converted. Null on failure.
QImage decodeJpeg(const QByteArray& bytes);
