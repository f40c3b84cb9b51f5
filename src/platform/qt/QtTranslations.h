// Qt's own texts in German (its file, print and colour dialogs, the edit fields' menus), whatever
// the user's locale, as the rest of the program speaks German.
#pragma once

class QCoreApplication;
class QTranslator;

// Loads Qt's German translations from where the system keeps them and installs them for as long
// as App lives: the translator, which App owns. Without them (nullptr) Qt's texts stay English.
QTranslator* InstallGermanQtTexts(QCoreApplication& App);
