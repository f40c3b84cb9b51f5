#include "ui/ActionIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The icons live in the static GUI library: its resources need registering once. Outside any
// namespace, where the registration function is declared.
static void EnsureIconResources() {
    static const bool Registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)Registered;
}

QIcon ActionIcon(const QString& ActionName, std::initializer_list<int> Sizes) {
    EnsureIconResources();
    QSvgRenderer Renderer(QStringLiteral(":/actions/%1.svg").arg(ActionName));
    QIcon Icon;
    if (!Renderer.isValid())
        return Icon;
    for (int Size : Sizes) {
        QPixmap Pixmap(Size, Size);
        Pixmap.fill(Qt::transparent);
        QPainter Painter(&Pixmap);
        Painter.setRenderHint(QPainter::Antialiasing);
        Renderer.render(&Painter);
        Painter.end();
        Icon.addPixmap(Pixmap);
    }
    return Icon;
}
