#include "ui/AppWindows.h"

#include "ui/fmMain.h"

#include <filesystem>
#include <system_error>
#include <utility>

TAppWindows::TAppWindows(TQtApplication& App, const QStringList& Arguments)
    : FApp(App), FFormMain(std::make_unique<TFormMain>(FSeams)) {
    FFormMain->SetCommandLineFile(CommandLineFile(Arguments));
    FFormerReporter = std::exchange(FApp.OnException, [this](const std::string& Message) {
        FFormMain->ApplicationException(Message);
    });
}

TAppWindows::~TAppWindows() {
    FApp.OnException = std::move(FFormerReporter);
}

std::string CommandLineFile(const QStringList& Arguments) {
    if (Arguments.size() < 2 || Arguments[1].isEmpty())
        return {};
    const std::filesystem::path Given(Arguments[1].toStdString());
    std::error_code Error;
    const std::filesystem::path Absolute = std::filesystem::absolute(Given, Error);
    return (Error ? Given : Absolute).lexically_normal().string();
}
