#pragma once

#include <QDialog>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QToolButton;

namespace moravel::platform {

// The folder picker. It reads folders on threads of their own and never waits for them: a folder
// that does not answer (a stalled network or FUSE volume beside the card) leaves its list empty with
// a word to say so, and the picker still closes at once. It returns the folder the person typed into
// its path field or selected, exactly: a typed path is taken as typed (relative to the folder shown),
// never the folder shown above it.
class FolderPicker final : public QDialog {
    Q_OBJECT
public:
    FolderPicker(QWidget* owner, const QString& caption, const QString& start);
    ~FolderPicker() override;

    // The folder chosen, without a closing separator (the root stays "/"); empty until accepted.
    QString chosen() const { return m_chosen; }
    // The folder whose subfolders are shown.
    QString shownFolder() const { return m_folder; }
    // Shows the subfolders of a folder.
    void showFolder(const QString& folder);

    void accept() override;

    struct Mailbox;

signals:
    // A listing arrived and is shown (for tests and for the person's eye: "読み込み中…" goes).
    void folderListed();

private:
    void listed(quint64 request, const QStringList& folders, const QString& error);
    void added(quint64 request, const QString& name);
    void checked(quint64 request, const QString& path, bool folder);
    QString target() const;
    void setStatus(const QString& text);

    std::shared_ptr<Mailbox> m_mailbox;
    quint64 m_request = 0; // the listing shown
    quint64 m_check = 0;   // the check before closing
    QString m_folder;
    QString m_chosen;
    QString m_checking; // the path being checked before the picker closes
    QLineEdit* m_path = nullptr;
    QToolButton* m_up = nullptr;
    QListWidget* m_places = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_choose = nullptr;
    QTimer m_slow;      // a listing that takes long is said
    QTimer m_slowCheck; // a check that takes long is given up
};

// Asks for a folder with the system's own folder dialog where the system has one that Qt offers
// (Windows: the shell's dialog, in the system's language), and with the picker above elsewhere.
// Nothing when the person cancels.
std::optional<QString> pickFolder(QWidget* owner, const QString& caption, const QString& start);

} // namespace moravel::platform
