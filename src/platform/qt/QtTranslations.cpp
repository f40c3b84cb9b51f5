#include "platform/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QTranslator* InstallGermanQtTexts(QCoreApplication& App) {
    auto* Translator = new QTranslator(&App);
    if (!Translator->load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete Translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(Translator);
    return Translator;
}
