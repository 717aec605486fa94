// The machine identity as a QR code image, widget-free.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// `text` encoded with libqrencode (version 2 at least, error correction Q, 8-bit mode,
// case-sensitive) and drawn into a white 32-bit RGB image of exactly `size`: every set
// module a black rectangle of size/width, placed in floating point, so the code fills the
// whole image whatever its module count. A text that cannot be encoded gives a white image.
QImage qrImage(const QByteArray& text, QSize size);
