#include "platform/qt/QtFormatSettings.h"

#include <QLocale>

TFormatSettings SystemFormatSettings() {
    const QString Point = QLocale::system().decimalPoint();
    // Separators outside ASCII cannot be one char; the point is the safe reading then.
    const QChar C = Point.isEmpty() ? QLatin1Char('.') : Point.front();
    TFormatSettings Settings;
    Settings.DecimalSeparator = C.unicode() < 128 ? static_cast<char>(C.unicode()) : '.';
    return Settings;
}
