#include "platform/Application.h"

#include "common/Errors.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/Icon.h"

#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QSettings>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTranslator>
#include <QWidget>

namespace moravel::platform {

namespace {

// Fusion, with a keyboard focus frame that can be seen on every surface (two pixels in the control's
// own text colour, which reads against the control's background as its text does), and lists that
// drop down below their combo box with a bounded number of rows rather than over the whole screen.
class ApplicationStyle final : public QProxyStyle {
public:
    explicit ApplicationStyle(QStyle* base) : QProxyStyle(base) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_FrameFocusRect) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        // As Fusion: a frame once the keyboard has moved the focus, none after a click.
        if (!(option->state & State_KeyboardFocusChange))
            return;
        const QColor colour = option->palette.color(widget ? widget->foregroundRole() : QPalette::WindowText);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(QPen(colour, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option->rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }
};

} // namespace

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
        QApplication::setStyle(new ApplicationStyle(style));
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
