#pragma once

#include "platform/Dialogs.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

namespace moravel::platform {

// Dialogs for tests and for runs without a person: every box is recorded in order, questions and
// folder pickers take their answers from queues. A box that finds no queued answer is recorded as
// unanswered and gets the cautious answer (No for a Yes/No question, Cancel for Yes/No/Cancel, no
// folder), so a forgotten answer shows up in unanswered() instead of hanging.
class ScriptedDialogs final : public Dialogs {
public:
    struct Box {
        QString kind;    // "information", "question", "warning", "folder", "error", "printer"
        QString caption; // as the person would see it
        QString text;
        QString buttons; // "OK", "Yes/No", "Yes/No/Cancel"
        bool operator==(const Box& o) const {
            return kind == o.kind && caption == o.caption && text == o.text && buttons == o.buttons;
        }
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Installs this object as the dialogs in use until it is destroyed.
    void install();

    void answer(Answer a) { m_answers.push_back(a); }
    void chooseFolder(const QString& dir) { m_folders.push_back(dir); }
    void cancelFolder() { m_folders.push_back(QString()); }

    const std::vector<Box>& boxes() const { return m_boxes; }
    // The texts of all boxes of a kind, in order.
    QStringList texts(const QString& kind = QString()) const;
    // The texts of every box, of any kind, in order.
    QStringList allTexts() const { return texts(); }
    void clear();
    // Boxes that found no answer waiting, and answers left over.
    const QStringList& unanswered() const { return m_unanswered; }
    size_t pendingAnswers() const { return m_answers.size() + m_folders.size(); }

    // Progress reports, each "text|done/total".
    const QStringList& progress() const { return m_progress; }

    void information(QWidget* owner, const QString& text) override;
    Answer askYesNo(QWidget* owner, const QString& text) override;
    Answer askYesNoCancel(QWidget* owner, const QString& text) override;
    void warning(QWidget* owner, const QString& text) override;
    std::optional<QString> chooseDirectory(QWidget* owner, const QString& caption,
                                           const QString& start) override;
    void errorReport(const QString& text) override;
    void printerSetup(QWidget* owner, QPrinter& printer) override;
    void progressStart(QWidget* owner, const QString& title, int total) override;
    void progressStep(const QString& text, int done) override;
    void progressFinish() override;

private:
    Answer nextAnswer(const QString& text, Answer fallback);

    std::vector<Box> m_boxes;
    std::deque<Answer> m_answers;
    std::deque<QString> m_folders; // a null text stands for a cancelled picker
    QStringList m_unanswered;
    QStringList m_progress;
    int m_progressTotal = 0;
    bool m_installed = false;
};

} // namespace moravel::platform
