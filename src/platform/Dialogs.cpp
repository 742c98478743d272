#include "platform/Dialogs.h"

#include "common/Text.h"
#include "platform/FolderPicker.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <algorithm>

namespace moravel::platform {

QString questionCaption() {
    return QStringLiteral("確認");
}
QString warningCaption() {
    return QStringLiteral("警告");
}
QString overwriteQuestion(const QString& name) {
    return name + QStringLiteral("\r\nはすでに存在します。上書きしますか？");
}

QString applicationCaption() {
    return appName();
}

namespace {

// The texts carry the CR LF line breaks of the system's message boxes; a Qt box wants LF alone.
QString shown(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

Answer toAnswer(int b) {
    switch (b) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

// The printer set-up: which printer (or a PDF file) and which paper the next printing uses. It has
// no copies and no page ranges: a print is one page.
class PrinterSetup final : public QDialog {
public:
    PrinterSetup(QWidget* owner, QPrinter& printer) : QDialog(owner), m_printer(printer) {
        setObjectName(QStringLiteral("PrinterSetup"));
        setWindowTitle(QStringLiteral("印刷設定"));
        setMinimumWidth(420);
        auto* form = new QFormLayout;
        m_printers = new QComboBox(this);
        m_printers->setObjectName(QStringLiteral("Printers"));
        m_printers->addItems(QPrinterInfo::availablePrinterNames());
        m_printers->addItem(QStringLiteral("PDFファイルに出力"));
        form->addRow(QStringLiteral("プリンター"), m_printers);
        m_file = new QLineEdit(this);
        m_file->setObjectName(QStringLiteral("OutputFile"));
        form->addRow(QStringLiteral("出力ファイル"), m_file);
        m_paper = new QComboBox(this);
        m_paper->setObjectName(QStringLiteral("Paper"));
        for (const auto& [id, name] : papers())
            m_paper->addItem(name, static_cast<int>(id));
        form->addRow(QStringLiteral("用紙サイズ"), m_paper);
        auto* orientation = new QHBoxLayout;
        m_portrait = new QRadioButton(QStringLiteral("縦"), this);
        m_portrait->setObjectName(QStringLiteral("Portrait"));
        m_landscape = new QRadioButton(QStringLiteral("横"), this);
        m_landscape->setObjectName(QStringLiteral("Landscape"));
        orientation->addWidget(m_portrait);
        orientation->addWidget(m_landscape);
        orientation->addStretch();
        form->addRow(QStringLiteral("印刷の向き"), orientation);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
        buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(buttons);

        // The printer's present choice.
        const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
        const int named = m_printers->findText(printer.printerName());
        m_printers->setCurrentIndex(toFile || named < 0 ? (toFile ? m_printers->count() - 1 : 0) : named);
        m_file->setText(!printer.outputFileName().isEmpty()
                            ? printer.outputFileName()
                            : QDir::home().filePath(appName() + QStringLiteral(".pdf")));
        const int paper = m_paper->findData(static_cast<int>(printer.pageLayout().pageSize().id()));
        m_paper->setCurrentIndex(paper >= 0 ? paper : 0);
        (printer.pageLayout().orientation() == QPageLayout::Landscape ? m_landscape : m_portrait)
            ->setChecked(true);
        auto fileShown = [this] {
            m_file->setEnabled(m_printers->currentIndex() == m_printers->count() - 1);
        };
        connect(m_printers, &QComboBox::currentIndexChanged, this, fileShown);
        fileShown();
    }

    void accept() override {
        if (m_printers->currentIndex() == m_printers->count() - 1) {
            m_printer.setOutputFormat(QPrinter::PdfFormat);
            m_printer.setOutputFileName(m_file->text());
        } else {
            m_printer.setOutputFormat(QPrinter::NativeFormat);
            m_printer.setPrinterName(m_printers->currentText());
        }
        m_printer.setPageSize(QPageSize(static_cast<QPageSize::PageSizeId>(m_paper->currentData().toInt())));
        m_printer.setPageOrientation(m_landscape->isChecked() ? QPageLayout::Landscape
                                                              : QPageLayout::Portrait);
        QDialog::accept();
    }

private:
    static std::vector<std::pair<QPageSize::PageSizeId, QString>> papers() {
        return {{QPageSize::A4, QStringLiteral("A4")},         {QPageSize::A3, QStringLiteral("A3")},
                {QPageSize::A5, QStringLiteral("A5")},         {QPageSize::JisB4, QStringLiteral("B4")},
                {QPageSize::JisB5, QStringLiteral("B5")},      {QPageSize::Letter, QStringLiteral("レター")},
                {QPageSize::Legal, QStringLiteral("リーガル")}};
    }

    QPrinter& m_printer;
    QComboBox* m_printers = nullptr;
    QLineEdit* m_file = nullptr;
    QComboBox* m_paper = nullptr;
    QRadioButton* m_portrait = nullptr;
    QRadioButton* m_landscape = nullptr;
};

class RealDialogs final : public Dialogs {
public:
    void information(QWidget* owner, const QString& text) override {
        makeMessageBox(BoxKind::Information, owner, text)->exec();
    }
    Answer askYesNo(QWidget* owner, const QString& text) override {
        return toAnswer(makeMessageBox(BoxKind::YesNo, owner, text)->exec());
    }
    Answer askYesNoCancel(QWidget* owner, const QString& text) override {
        return toAnswer(makeMessageBox(BoxKind::YesNoCancel, owner, text)->exec());
    }
    void warning(QWidget* owner, const QString& text) override {
        makeMessageBox(BoxKind::Warning, owner, text)->exec();
    }
    std::optional<QString> chooseDirectory(QWidget* owner, const QString& caption,
                                           const QString& start) override {
        return pickFolder(owner, caption, start);
    }
    void errorReport(const QString& text) override {
        makeMessageBox(BoxKind::Error, QApplication::activeWindow(), text)->exec();
    }
    void printerSetup(QWidget* owner, QPrinter& printer) override {
        makePrinterSetup(owner, printer)->exec();
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

QPixmap errorIcon(int size) {
    if (size <= 0)
        size = 32;
    QPixmap icon(size, size);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xB7, 0x1C, 0x1C));
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    QPen cross(Qt::white, size / 8.0, Qt::SolidLine, Qt::RoundCap);
    p.setPen(cross);
    const double a = size * 0.3, b = size * 0.7;
    p.drawLine(QPointF(a, a), QPointF(b, b));
    p.drawLine(QPointF(a, b), QPointF(b, a));
    return icon;
}

} // namespace

std::unique_ptr<QMessageBox> makeMessageBox(BoxKind kind, QWidget* owner, const QString& text) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption = applicationCaption();
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    switch (kind) {
    case BoxKind::Information:
        break;
    case BoxKind::YesNo:
        icon = QMessageBox::Question;
        caption = questionCaption();
        buttons = QMessageBox::Yes | QMessageBox::No;
        break;
    case BoxKind::YesNoCancel:
        icon = QMessageBox::Question;
        caption = questionCaption();
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    case BoxKind::Warning:
        icon = QMessageBox::Warning;
        caption = warningCaption();
        break;
    case BoxKind::Error:
        icon = QMessageBox::Critical;
        break;
    }
    auto box = std::make_unique<QMessageBox>(icon, caption, shown(text), buttons, owner);
    if (buttons & QMessageBox::Yes)
        box->setDefaultButton(QMessageBox::Yes);
    // A box with a short text is still wide enough for its caption and the frame's buttons beside it.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        QFont titleFont = box->font();
        titleFont.setBold(true);
        const int width = std::max(280, QFontMetrics(titleFont).horizontalAdvance(caption) + 180);
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
    // The style's error icon is a light red: a darker one stands out from the box and its cross.
    if (kind == BoxKind::Error)
        box->setIconPixmap(errorIcon(box->iconPixmap().width()));
    return box;
}

std::unique_ptr<FolderPicker> makeFolderPicker(QWidget* owner, const QString& caption, const QString& start) {
    return std::make_unique<FolderPicker>(owner, caption, start);
}

std::unique_ptr<QDialog> makePrinterSetup(QWidget* owner, QPrinter& printer) {
    return std::make_unique<PrinterSetup>(owner, printer);
}

Dialogs& dialogs() {
    return current ? *current : realDialogs();
}

void setDialogs(Dialogs* replacement) {
    current = replacement;
}

} // namespace moravel::platform
