#pragma once

#include <QApplication>
#include <QString>
#include <QTemporaryDir>
#include <exception>

namespace moravel::platform {

// The general error report: an error that no operation caught ends the running event handler, its
// text is shown in a message box, and the application keeps running.
void reportEscapedError(const std::exception& error);
void reportEscapedError(const QString& text);

// Runs a user-triggered handler so that what it lets escape reaches the general error report
// instead of unwinding through Qt's event dispatch.
template <class F> void guarded(F&& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        reportEscapedError(e);
    } catch (...) {
        reportEscapedError(QStringLiteral("予期しないエラーが発生しました。"));
    }
}

// The application object. Its notify is the last line of the general error report. The program keeps
// no settings between runs: what Qt's own dialogs would remember (the folder picker's history) goes
// to a directory of this run that is removed when it ends.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    QTemporaryDir m_settings;
};

// Dates and times in Qt's own dialogs in the Japanese format, whatever the machine's locale. Call
// before the application object exists.
void prepareJapaneseEnvironment();

// Everything a user sees in Japanese, Qt's own buttons included, whatever the machine's locale;
// a font with Japanese glyphs; one style on every machine. Call once after the application object.
void setUpJapaneseDesktop(QApplication& app);

} // namespace moravel::platform
