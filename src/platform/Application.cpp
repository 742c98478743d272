#include "platform/Application.h"

#include "common/Errors.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/Icon.h"

#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QSettings>
#include <QStyleFactory>
#include <QTranslator>

namespace moravel::platform {

void reportEscapedError(const QString& text) {
    dialogs().errorReport(text);
}

void reportEscapedError(const std::exception& error) {
    reportEscapedError(QString::fromStdString(error.what()));
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, m_settings.path());
}

void prepareJapaneseEnvironment() {
    // The system locale decides how Qt's dialogs write dates; the time category alone is set, and a
    // locale forced on every category moves to the others.
    if (qEnvironmentVariableIsSet("LC_ALL")) {
        qputenv("LANG", qgetenv("LC_ALL"));
        qunsetenv("LC_ALL");
    }
    qputenv("LC_TIME", "ja_JP.UTF-8");
}

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
    // What Qt's translation lacks (the folder picker's "Folder").
    auto* missing = new QTranslator(&app);
    if (missing->load(QStringLiteral(":/translations/moravel_qt_ja.qm")))
        QCoreApplication::installTranslator(missing);
    else
        delete missing;
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    QFont font(uiFontFamily());
    font.setPixelSize(13);
    QApplication::setFont(font);
    // The desktop entry's name, and the icon for the windows' frames and the task bar.
    QGuiApplication::setDesktopFileName(applicationId());
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(applicationIconImage(size)));
    QApplication::setWindowIcon(icon);
}

} // namespace moravel::platform
