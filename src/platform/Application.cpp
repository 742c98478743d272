#include "platform/Application.h"

#include "common/Errors.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"

#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

namespace moravel::platform {

void reportEscapedError(const QString& text) {
    dialogs().errorReport(text);
}

void reportEscapedError(const std::exception& error) {
    reportEscapedError(QString::fromStdString(error.what()));
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportEscapedError(e);
    } catch (...) {
        reportEscapedError(QStringLiteral("予期しないエラーが発生しました。"));
    }
    return false;
}

void setUpJapaneseDesktop(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    QFont font(uiFontFamily());
    font.setPixelSize(13);
    QApplication::setFont(font);
    QGuiApplication::setApplicationDisplayName(QStringLiteral("もらべる"));
}

} // namespace moravel::platform
