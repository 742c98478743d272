#include "platform/FolderPicker.h"

namespace moravel::platform {

std::optional<QString> pickFolder(QWidget* owner, const QString& caption, const QString& start) {
    FolderPicker picker(owner, caption, start);
    if (picker.exec() != QDialog::Accepted || picker.chosen().isEmpty())
        return std::nullopt;
    return picker.chosen();
}

} // namespace moravel::platform
