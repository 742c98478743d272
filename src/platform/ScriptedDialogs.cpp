#include "platform/ScriptedDialogs.h"

#include <QGuiApplication>

namespace moravel::platform {

ScriptedDialogs::ScriptedDialogs() = default;

ScriptedDialogs::~ScriptedDialogs() {
    if (m_installed)
        setDialogs(nullptr);
}

void ScriptedDialogs::install() {
    setDialogs(this);
    m_installed = true;
}

QStringList ScriptedDialogs::texts(const QString& kind) const {
    QStringList out;
    for (const Box& b : m_boxes)
        if (kind.isEmpty() || b.kind == kind)
            out.append(b.text);
    return out;
}

void ScriptedDialogs::clear() {
    m_boxes.clear();
    m_unanswered.clear();
    m_progress.clear();
}

Answer ScriptedDialogs::nextAnswer(const QString& text, Answer fallback) {
    if (m_answers.empty()) {
        m_unanswered.append(text);
        return fallback;
    }
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

void ScriptedDialogs::information(QWidget*, const QString& text) {
    m_boxes.push_back({QStringLiteral("information"), applicationCaption(), text, QStringLiteral("OK")});
}

Answer ScriptedDialogs::askYesNo(QWidget*, const QString& text) {
    m_boxes.push_back({QStringLiteral("question"), questionCaption(), text, QStringLiteral("Yes/No")});
    return nextAnswer(text, Answer::No);
}

Answer ScriptedDialogs::askYesNoCancel(QWidget*, const QString& text) {
    m_boxes.push_back({QStringLiteral("question"), questionCaption(), text, QStringLiteral("Yes/No/Cancel")});
    return nextAnswer(text, Answer::Cancel);
}

void ScriptedDialogs::warning(QWidget*, const QString& text) {
    m_boxes.push_back({QStringLiteral("warning"), warningCaption(), text, QStringLiteral("OK")});
}

std::optional<QString> ScriptedDialogs::chooseDirectory(QWidget*, const QString& caption,
                                                        const QString& start) {
    m_boxes.push_back({QStringLiteral("folder"), caption, start, QString()});
    if (m_folders.empty()) {
        m_unanswered.append(caption);
        return std::nullopt;
    }
    const QString f = m_folders.front();
    m_folders.pop_front();
    if (f.isNull())
        return std::nullopt;
    return f;
}

void ScriptedDialogs::errorReport(const QString& text) {
    m_boxes.push_back({QStringLiteral("error"), applicationCaption(), text, QStringLiteral("OK")});
}

void ScriptedDialogs::printerSetup(QWidget*, QPrinter&) {
    m_boxes.push_back({QStringLiteral("printer"), QString(), QString(), QString()});
}

void ScriptedDialogs::progressStart(QWidget*, const QString& title, int total) {
    m_progressTotal = total;
    m_progress.append(QStringLiteral("start|%1|%2").arg(title).arg(total));
}

void ScriptedDialogs::progressStep(const QString& text, int done) {
    m_progress.append(QStringLiteral("%1|%2/%3").arg(text).arg(done).arg(m_progressTotal));
}

void ScriptedDialogs::progressFinish() {
    m_progress.append(QStringLiteral("finish"));
}

} // namespace moravel::platform
