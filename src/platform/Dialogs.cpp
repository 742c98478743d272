#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>

namespace moravel::platform {

QString questionCaption() {
    return QStringLiteral("確認");
}
QString warningCaption() {
    return QStringLiteral("警告");
}

namespace {

// The texts carry the CR LF line breaks of the system's message boxes; a Qt box wants LF alone.
QString shown(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

Answer toAnswer(QMessageBox::StandardButton b) {
    switch (b) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

class RealDialogs final : public Dialogs {
public:
    void information(QWidget* owner, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), shown(text),
                        QMessageBox::Ok, owner);
        box.exec();
    }
    Answer askYesNo(QWidget* owner, const QString& text) override {
        return toAnswer(QMessageBox::question(owner, questionCaption(), shown(text),
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes));
    }
    Answer askYesNoCancel(QWidget* owner, const QString& text) override {
        return toAnswer(QMessageBox::question(owner, questionCaption(), shown(text),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                              QMessageBox::Yes));
    }
    void warning(QWidget* owner, const QString& text) override {
        QMessageBox::warning(owner, warningCaption(), shown(text), QMessageBox::Ok);
    }
    std::optional<QString> chooseDirectory(QWidget* owner, const QString& caption,
                                           const QString& start) override {
        const QString dir = QFileDialog::getExistingDirectory(owner, caption, start);
        if (dir.isEmpty())
            return std::nullopt;
        return dir;
    }
    void errorReport(const QString& text) override {
        QMessageBox::critical(QApplication::activeWindow(), QGuiApplication::applicationDisplayName(),
                              shown(text));
    }
    void printerSetup(QWidget* owner, QPrinter& printer) override {
        QPrintDialog dialog(&printer, owner);
        dialog.exec();
    }
    void progressStart(QWidget* owner, const QString& title, int total) override {
        m_progress = new QProgressDialog(owner);
        m_progress->setWindowTitle(title);
        m_progress->setCancelButton(nullptr);
        m_progress->setWindowModality(Qt::ApplicationModal);
        m_progress->setMinimumDuration(0);
        m_progress->setRange(0, total);
        m_progress->setMinimumWidth(360);
        m_total = total;
        m_progress->show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    void progressStep(const QString& text, int done) override {
        if (!m_progress)
            return;
        m_progress->setLabelText(QStringLiteral("%1\n%2 / %3").arg(text).arg(done).arg(m_total));
        m_progress->setValue(done);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    void progressFinish() override {
        delete m_progress.data();
        m_progress = nullptr;
    }

private:
    QPointer<QProgressDialog> m_progress;
    int m_total = 0;
};

RealDialogs& realDialogs() {
    static RealDialogs real;
    return real;
}

Dialogs* current = nullptr;

} // namespace

Dialogs& dialogs() {
    return current ? *current : realDialogs();
}

void setDialogs(Dialogs* replacement) {
    current = replacement;
}

} // namespace moravel::platform
