#include "ui/qr_image.h"

#include <QPainter>

#include <qrencode.h>

QImage qrImage(const QByteArray& text, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QRcode* code = QRcode_encodeString(text.constData(), 2, QR_ECLEVEL_Q, QR_MODE_8, 1);
    if (!code)
        return image;
    if (code->width > 0) {
        QPainter painter(&image);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        const double sx = double(size.width()) / code->width;
        const double sy = double(size.height()) / code->width;
        for (int y = 0; y < code->width; ++y)
            for (int x = 0; x < code->width; ++x)
                if (code->data[y * code->width + x] & 1)
                    painter.drawRect(QRectF(x * sx, y * sy, sx, sy));
    }
    QRcode_free(code);
    return image;
}
