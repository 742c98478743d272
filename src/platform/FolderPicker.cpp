#include "platform/FolderPicker.h"

#include "platform/Folders.h"
#include "platform/Volume.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <mutex>
#include <thread>

namespace moravel::platform {

// What the reading threads hand their results to. A thread may outlive the picker (it waits on a
// volume that does not answer); the picker takes its name off the mailbox as it goes, and what
// arrives later is dropped.
struct FolderPicker::Mailbox {
    std::mutex mutex;
    FolderPicker* picker = nullptr;

    void post(std::function<void(FolderPicker&)> deliver) {
        std::lock_guard<std::mutex> lock(mutex);
        if (FolderPicker* to = picker)
            QMetaObject::invokeMethod(
                to, [to, deliver = std::move(deliver)] { deliver(*to); }, Qt::QueuedConnection);
    }
};

namespace {

// Reading a folder that takes longer than this is said to the person.
constexpr int SlowMs = 3000;
// A path typed or selected is checked before the picker closes; one that does not answer in this
// time is taken as it is (the person chose it).
constexpr int CheckMs = 2000;

const int PathRole = Qt::UserRole + 1;

QString loadingText() {
    return QStringLiteral("読み込み中…");
}
QString slowText() {
    return QStringLiteral("このフォルダーは応答しません。");
}

QString withoutSeparator(QString path) {
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

void sortNames(QStringList& names) {
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return QString::localeAwareCompare(a, b) < 0; });
}

} // namespace

FolderPicker::FolderPicker(QWidget* owner, const QString& caption, const QString& start)
    : QDialog(owner), m_mailbox(std::make_shared<Mailbox>()) {
    m_mailbox->picker = this;
    setObjectName(QStringLiteral("FolderPicker"));
    setWindowTitle(caption);
    resize(760, 460);

    auto* pathLabel = new QLabel(QStringLiteral("フォルダー:"), this);
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("FolderPath"));
    pathLabel->setBuddy(m_path);
    m_up = new QToolButton(this);
    m_up->setObjectName(QStringLiteral("Up"));
    m_up->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    m_up->setToolTip(QStringLiteral("上のフォルダーへ"));
    m_up->setAccessibleName(QStringLiteral("上のフォルダーへ"));
    auto* top = new QHBoxLayout;
    top->addWidget(pathLabel);
    top->addWidget(m_path, 1);
    top->addWidget(m_up);

    m_places = new QListWidget(this);
    m_places->setObjectName(QStringLiteral("Places"));
    m_places->setMaximumWidth(200);
    auto addPlace = [this](const QString& text, const QString& path) {
        auto* item = new QListWidgetItem(style()->standardIcon(QStyle::SP_DirIcon), text, m_places);
        item->setData(PathRole, path);
        item->setToolTip(path);
    };
    addPlace(QStringLiteral("ホーム"), QDir::homePath());
    if (QDir::rootPath() == QLatin1String("/"))
        addPlace(QStringLiteral("/"), QStringLiteral("/"));
    // The drives (Windows) and the removable volumes (Linux), from the system's lists alone: none of
    // them is asked anything.
    for (const QString& root : driveList())
        if (root.size() == 3 && root.endsWith(QLatin1String(":/")))
            addPlace(QDir::toNativeSeparators(root), root);
        else if (root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/")) ||
                 root.startsWith(QLatin1String("/mnt/")))
            addPlace(QDir(root).dirName(), root);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("Folders"));
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_places);
    middle->addWidget(m_list, 1);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setWordWrap(true);
    m_choose = new QPushButton(QStringLiteral("選択"), this);
    m_choose->setObjectName(QStringLiteral("Choose"));
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    // Return in the path field chooses; Return in a list opens the folder; no button is the default.
    for (QPushButton* button : {m_choose, cancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_choose);
    bottom->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    connect(m_path, &QLineEdit::returnPressed, this, &FolderPicker::accept);
    connect(m_choose, &QPushButton::clicked, this, &FolderPicker::accept);
    connect(cancel, &QPushButton::clicked, this, &FolderPicker::reject);
    connect(m_up, &QToolButton::clicked, this, [this] {
        if (m_folder != QLatin1String("/"))
            showFolder(QFileInfo(m_folder).path());
    });
    connect(m_places, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showFolder(item->data(PathRole).toString()); });
    connect(m_places, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showFolder(item->data(PathRole).toString()); });
    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item)
            m_path->setText(
                QDir::toNativeSeparators(withoutSeparator(QDir(m_folder).filePath(item->text()))));
    });
    connect(m_list, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showFolder(QDir(m_folder).filePath(item->text())); });
    m_slow.setSingleShot(true);
    connect(&m_slow, &QTimer::timeout, this, [this] { setStatus(slowText()); });
    m_slowCheck.setSingleShot(true);
    connect(&m_slowCheck, &QTimer::timeout, this, [this] {
        // The chosen path does not answer: it is the person's choice all the same.
        m_chosen = m_checking;
        m_checking.clear();
        QDialog::accept();
    });

    setTabOrder(m_path, m_up);
    setTabOrder(m_up, m_places);
    setTabOrder(m_places, m_list);
    setTabOrder(m_list, m_choose);
    setTabOrder(m_choose, cancel);
    m_path->setFocus();
    showFolder(start.isEmpty() ? QDir::currentPath() : start);
}

FolderPicker::~FolderPicker() {
    std::lock_guard<std::mutex> lock(m_mailbox->mutex);
    m_mailbox->picker = nullptr;
}

void FolderPicker::setStatus(const QString& text) {
    m_status->setText(text);
}

void FolderPicker::showFolder(const QString& folder) {
    m_folder = withoutSeparator(QDir::cleanPath(QDir(m_folder).absoluteFilePath(folder)));
    m_path->setText(QDir::toNativeSeparators(m_folder));
    m_path->selectAll();
    m_list->clear();
    m_up->setEnabled(m_folder != QLatin1String("/"));
    setStatus(loadingText());
    m_slow.start(SlowMs);
    const quint64 request = ++m_request;
    std::thread([mailbox = m_mailbox, folder = m_folder, request] {
        FolderListing listing = listFolders(folder);
        mailbox->post([request, listing](FolderPicker& picker) {
            picker.listed(request, listing.folders, listing.error);
        });
        // Links and untyped entries are asked one by one, after the rest is shown.
        for (const QString& name : listing.unsure)
            if (isFolder(folder + QLatin1Char('/') + name))
                mailbox->post([request, name](FolderPicker& picker) { picker.added(request, name); });
    }).detach();
}

void FolderPicker::listed(quint64 request, const QStringList& folders, const QString& error) {
    if (request != m_request)
        return;
    m_slow.stop();
    QStringList names = folders;
    sortNames(names);
    for (const QString& name : names)
        new QListWidgetItem(style()->standardIcon(QStyle::SP_DirIcon), name, m_list);
    if (!error.isEmpty())
        setStatus(QStringLiteral("このフォルダーを読み込めません：%1").arg(error));
    else if (m_status->text() == loadingText() || m_status->text() == slowText())
        setStatus(QString());
    emit folderListed();
}

void FolderPicker::added(quint64 request, const QString& name) {
    if (request != m_request)
        return;
    int row = 0;
    while (row < m_list->count() && QString::localeAwareCompare(m_list->item(row)->text(), name) < 0)
        ++row;
    m_list->insertItem(row, new QListWidgetItem(style()->standardIcon(QStyle::SP_DirIcon), name));
}

QString FolderPicker::target() const {
    QString typed = QDir::fromNativeSeparators(m_path->text().trimmed());
    if (typed.isEmpty())
        return QString();
    if (typed == QLatin1String("~") || typed.startsWith(QLatin1String("~/")))
        typed = QDir::homePath() + typed.mid(1);
    return withoutSeparator(QDir::cleanPath(QDir(m_folder).absoluteFilePath(typed)));
}

void FolderPicker::accept() {
    const QString path = target();
    if (path.isEmpty() || !m_checking.isEmpty())
        return;
    m_checking = path;
    m_slowCheck.start(CheckMs);
    const quint64 request = ++m_check;
    std::thread([mailbox = m_mailbox, path, request] {
        const bool folder = isFolder(path);
        mailbox->post(
            [request, path, folder](FolderPicker& picker) { picker.checked(request, path, folder); });
    }).detach();
}

void FolderPicker::checked(quint64 request, const QString& path, bool folder) {
    if (request != m_check || m_checking != path)
        return;
    m_slowCheck.stop();
    m_checking.clear();
    if (!folder) {
        setStatus(QStringLiteral("フォルダーが見つかりません：%1").arg(path));
        return;
    }
    m_chosen = path;
    QDialog::accept();
}

} // namespace moravel::platform
