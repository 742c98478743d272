#include "platform/FolderPicker.h"

#include <QDir>
#include <QFileDialog>

namespace moravel::platform {

// The shell's folder dialog: Windows reads its folders itself (a network drive that does not answer
// is Windows' to wait for, as in Explorer) and speaks the system's language.
std::optional<QString> pickFolder(QWidget* owner, const QString& caption, const QString& start) {
    const QString chosen =
        QFileDialog::getExistingDirectory(owner, caption, start, QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::fromNativeSeparators(chosen);
}

} // namespace moravel::platform
