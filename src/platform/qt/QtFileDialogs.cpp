#include "platform/qt/QtFileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace {

QString QtPatterns(const QString& Patterns) {
    QStringList Result;
    for (const QString& Part : Patterns.split(u';', Qt::SkipEmptyParts)) {
        QString Pattern = Part.trimmed();
        if (Pattern == u"*.*")
            Pattern = QStringLiteral("*");
        if (!Pattern.isEmpty() && !Result.contains(Pattern))
            Result << Pattern;
    }
    return Result.join(u' ');
}

// Qt reads the patterns from the name's last parentheses, so the shown patterns are written anew
// from the real ones.
QString NameWithoutPatterns(const QString& Name) {
    QString Result = Name.trimmed();
    const qsizetype Open = Result.lastIndexOf(u'(');
    if (Result.endsWith(u')') && Open >= 0)
        Result = Result.left(Open).trimmed();
    return Result;
}

// "kxw", ".kxw" and "*.kxw" all name the same extension.
QString Suffix(const std::string& DefaultExt) {
    QString Result = QString::fromStdString(DefaultExt);
    while (Result.startsWith(u'*') || Result.startsWith(u'.'))
        Result.remove(0, 1);
    return Result;
}

std::optional<std::string> Run(QFileDialog& Dialog, const TFileDialogRequest& Request) {
    Dialog.setOption(QFileDialog::DontUseNativeDialog);
    Dialog.setWindowTitle(QString::fromStdString(Request.Title));
    const QStringList Filters = QtNameFilters(Request.Filter);
    if (!Filters.isEmpty())
        Dialog.setNameFilters(Filters);
    if (!Request.InitialDir.empty())
        Dialog.setDirectory(QString::fromStdString(Request.InitialDir));
    if (!Request.FileName.empty())
        Dialog.selectFile(QString::fromStdString(Request.FileName));
    if (Dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList Chosen = Dialog.selectedFiles();
    if (Chosen.isEmpty())
        return std::nullopt;
    return QFileInfo(Chosen.front()).absoluteFilePath().toStdString();
}

} // namespace

QStringList QtNameFilters(const std::string& Filter) {
    const QStringList Parts = QString::fromStdString(Filter).split(u'|');
    QStringList Result;
    for (qsizetype I = 0; I + 1 < Parts.size(); I += 2) {
        const QString Patterns = QtPatterns(Parts[I + 1]);
        if (Patterns.isEmpty())
            continue;
        const QString Name = NameWithoutPatterns(Parts[I]);
        Result << (Name.isEmpty() ? Patterns : QStringLiteral("%1 (%2)").arg(Name, Patterns));
    }
    return Result;
}

std::optional<std::string> TQtFileDialogs::OpenFile(const TFileDialogRequest& Request) {
    QFileDialog Dialog(QApplication::activeWindow());
    Dialog.setAcceptMode(QFileDialog::AcceptOpen);
    Dialog.setFileMode(QFileDialog::ExistingFile);
    // No default suffix: Qt would add it to an existing name without an extension as well.
    return Run(Dialog, Request);
}

std::optional<std::string> TQtFileDialogs::SaveFile(const TFileDialogRequest& Request) {
    QFileDialog Dialog(QApplication::activeWindow());
    Dialog.setAcceptMode(QFileDialog::AcceptSave);
    Dialog.setFileMode(QFileDialog::AnyFile);
    Dialog.setOption(QFileDialog::DontConfirmOverwrite);
    Dialog.setDefaultSuffix(Suffix(Request.DefaultExt));
    return Run(Dialog, Request);
}
