#pragma once

#include <QString>
#include <memory>
#include <optional>

class QDialog;
class QMessageBox;
class QWidget;
class QPrinter;

namespace moravel::platform {

class FolderPicker;

enum class Answer { Yes, No, Cancel };

// Every box the program puts in front of a person goes through this seam, so that tests can answer
// them. The real one shows Qt's boxes; ScriptedDialogs records them and answers from a queue.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A modal box with a text and an OK button and no caption of its own.
    virtual void information(QWidget* owner, const QString& text) = 0;
    // Questions captioned "確認".
    virtual Answer askYesNo(QWidget* owner, const QString& text) = 0;
    virtual Answer askYesNoCancel(QWidget* owner, const QString& text) = 0;
    // A warning captioned "警告" with an OK button.
    virtual void warning(QWidget* owner, const QString& text) = 0;
    // The folder picker; nothing when the person cancels.
    virtual std::optional<QString> chooseDirectory(QWidget* owner, const QString& caption,
                                                   const QString& start) = 0;
    // The general error report: what a handler let escape.
    virtual void errorReport(const QString& text) = 0;
    // The printer set-up dialog; its result is not examined by the program.
    virtual void printerSetup(QWidget* owner, QPrinter& printer) = 0;

    // A progress box for long work on the user-interface thread, without a cancel button.
    virtual void progressStart(QWidget* owner, const QString& title, int total) = 0;
    virtual void progressStep(const QString& text, int done) = 0;
    virtual void progressFinish() = 0;
};

// The seam in use. The real dialogs unless a test has put others in place.
Dialogs& dialogs();
// Puts other dialogs in place (nullptr puts the real ones back). The caller keeps ownership.
void setDialogs(Dialogs* replacement);

// The caption of every question box.
QString questionCaption();
// The caption of warnings.
QString warningCaption();
// The caption of information boxes and of the general error report: the application's name.
QString applicationCaption();
// The question before a file is replaced: the file's name or path, then
// "はすでに存在します。上書きしますか？" on a line of its own.
QString overwriteQuestion(const QString& name);

// The real boxes, built as the real dialogs show them but not yet shown, so that they can be looked
// at: a box of each kind, the folder picker, the printer set-up.
enum class BoxKind { Information, YesNo, YesNoCancel, Warning, Error };
std::unique_ptr<QMessageBox> makeMessageBox(BoxKind kind, QWidget* owner, const QString& text);
std::unique_ptr<FolderPicker> makeFolderPicker(QWidget* owner, const QString& caption, const QString& start);
// The printer set-up: the printer (or a PDF file) and the paper; OK applies them to the printer.
std::unique_ptr<QDialog> makePrinterSetup(QWidget* owner, QPrinter& printer);

} // namespace moravel::platform
