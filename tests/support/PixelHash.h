// A short fingerprint of a picture's pixels, for pictures that must stay pixel for pixel what
// the program showed before.
#pragma once

#include <QCryptographicHash>
#include <QImage>
#include <QPixmap>

#include <string>

inline std::string PixelHash(const QPixmap& Pixmap) {
    const QImage Image = Pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QCryptographicHash Hash(QCryptographicHash::Sha1);
    for (int Y = 0; Y < Image.height(); ++Y)
        Hash.addData(QByteArrayView(reinterpret_cast<const char*>(Image.constScanLine(Y)),
                                    static_cast<qsizetype>(Image.width()) * 4));
    return Hash.result().toHex().toStdString();
}
