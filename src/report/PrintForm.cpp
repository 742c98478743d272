#include "report/PrintForm.h"

#include "common/Errors.h"
#include "common/Text.h"
#include "graph/ImageView.h"
#include "platform/Anchors.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Widgets.h"
#include "report/ImageFile.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <cmath>

using moravel::platform::anchor;
using moravel::platform::dialogs;
using moravel::platform::guarded;
using moravel::platform::make;
using moravel::platform::makeButton;
using moravel::platform::makePanel;

TFmPrint::TFmPrint(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FmPrint"));
    setWindowTitle(QStringLiteral("印刷"));
    resize(728, 778);
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral(
        "TFmPrint { background: #2f4254; } #PPrint QPushButton, #PSave QPushButton { padding: 0px; }"
        // The preview takes the keyboard (the arrows scroll it), and shows when it has it.
        "#ScrollBox1 { border: 2px solid #22313f; } #ScrollBox1:focus { border: 2px solid #ffb300; }"));

    PPrint = makePanel(this, "PPrint", QRect(8, 24, 100, 130));
    PrintSet = makeButton(PPrint, "PrintSet", QStringLiteral("印刷設定"), QRect(8, 24, 84, 22), 13);
    Print = makeButton(PPrint, "Print", QStringLiteral("印刷"), QRect(8, 56, 84, 22), 13);
    PSave = makePanel(this, "PSave", QRect(8, 24, 100, 130));
    BMP = makeButton(PSave, "BMP", QStringLiteral("BMPで保存"), QRect(8, 16, 84, 25), 13);
    PNG = makeButton(PSave, "PNG", QStringLiteral("PNGで保存"), QRect(8, 48, 84, 25), 13);
    JPG = makeButton(PSave, "JPG", QStringLiteral("JPGで保存"), QRect(8, 80, 84, 25), 13);
    PSave->hide();
    Panel2 = makePanel(this, "Panel2", QRect(112, 24, 601, 729),
                       QStringLiteral("#Panel2 { background: #22313f; }"));
    anchor(Panel2, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
    ScrollBox1 = make<QScrollArea>(Panel2, "ScrollBox1", QRect(8, 8, 585, 705));
    anchor(ScrollBox1, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("ScrollContent"));
    content->setFixedSize(moravel::report::PageWidth + 16, moravel::report::PageHeight + 16);
    Print_Image = make<moravel::graph::ImageView>(
        content, "Print_Image", QRect(8, 8, moravel::report::PageWidth, moravel::report::PageHeight));
    ScrollBox1->setWidget(content);

    PrinterSetupDialog1 = std::make_unique<QPrinter>(QPrinter::HighResolution);

    auto onClick = [this](QPushButton* b, void (TFmPrint::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { guarded([&] { (this->*handler)(); }); });
    };
    onClick(PrintSet, &TFmPrint::PrintSetClick);
    onClick(Print, &TFmPrint::PrintClick);
    onClick(BMP, &TFmPrint::BMPClick);
    onClick(PNG, &TFmPrint::PNGClick);
    onClick(JPG, &TFmPrint::JPGClick);
    FormCreate();
}

TFmPrint::~TFmPrint() = default;

void TFmPrint::FormCreate() {
    Handle = this;
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    PrintMode = 0;
    keepJoins({});
}

moravel::report::DayJoins TFmPrint::joins() const {
    return {
        {DDLineS01, DDLineS02, DDLineS03, DDLineS04, DDLineS05, DDLineS06, DDLineS07, DDLineS08, DDLineS09},
        {DDLineV01, DDLineV02, DDLineV03, DDLineV04, DDLineV05, DDLineV06, DDLineV07, DDLineV08, DDLineV09}};
}

void TFmPrint::keepJoins(const moravel::report::DayJoins& j) {
    int* s[] = {&DDLineS01, &DDLineS02, &DDLineS03, &DDLineS04, &DDLineS05,
                &DDLineS06, &DDLineS07, &DDLineS08, &DDLineS09};
    int* v[] = {&DDLineV01, &DDLineV02, &DDLineV03, &DDLineV04, &DDLineV05,
                &DDLineV06, &DDLineV07, &DDLineV08, &DDLineV09};
    for (size_t i = 0; i < 9; ++i) {
        *s[i] = j.s[i];
        *v[i] = j.v[i];
    }
}

void TFmPrint::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        guarded([&] { FormShow(); });
}

void TFmPrint::FormShow() {
    if (!Inputs)
        return;
    Draw = moravel::report::newPage(Print_Image->width(), Print_Image->height());
    moravel::report::DayJoins j = joins();
    moravel::report::composePage(Draw, Inputs(), PrintMode, j);
    keepJoins(j);
    // Only a page composed to its end reaches the preview. The page and the preview have the same
    // size, so the copy is the page itself.
    Print_Image->setBitmap(Draw);
}

// ---- printing ----

void TFmPrint::PrintSetClick() {
    dialogs().printerSetup(this, *PrinterSetupDialog1);
}

void TFmPrint::PrintClick() {
    // Each print is a job of its own on the printer and paper of the set-up: a job that fails leaves
    // the set-up as it was, and the next one starts afresh.
    QPrinter& setup = *PrinterSetupDialog1;
    if (setup.outputFormat() == QPrinter::PdfFormat) {
        // A PDF file is made as every other file: asked about before one is replaced, written in full
        // beside it and only then put in its place.
        const QString target = setup.outputFileName();
        if (moravel::platform::fileExists(target) &&
            dialogs().askYesNoCancel(this, moravel::platform::overwriteQuestion(target)) !=
                moravel::platform::Answer::Yes)
            return;
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&pdf);
            writer.setPageLayout(setup.pageLayout());
            writer.setTitle(setup.docName());
            writer.setCreator(moravel::appName());
            DrawPages(writer, 144, {Print_Image->bitmap()});
        }
        moravel::platform::PendingFile file(target, pdf.data());
        file.commit();
        return;
    }
    QPrinter job(QPrinter::HighResolution);
    job.setOutputFormat(setup.outputFormat());
    job.setPrinterName(setup.printerName());
    job.setPageLayout(setup.pageLayout());
    job.setDocName(setup.docName());
    PrintPage(job);
}

void TFmPrint::PrintPage(QPrinter& printer) {
    PrintImages(printer, {Print_Image->bitmap()});
}

void TFmPrint::PrintImages(QPrinter& printer, const QList<QImage>& pages) {
    // The resolution at which the page has the size of an A4 sheet, or the closest the printer has.
    int best = 144;
    const QList<int> supported = printer.supportedResolutions();
    if (!supported.isEmpty()) {
        best = supported.first();
        for (int r : supported)
            if (std::abs(r - 144) < std::abs(best - 144))
                best = r;
    }
    printer.setFullPage(false);
    DrawPages(printer, best, pages);
}

void TFmPrint::DrawPages(QPagedPaintDevice& device, int resolution, const QList<QImage>& pages) {
    if (auto* printer = dynamic_cast<QPrinter*>(&device))
        printer->setResolution(resolution);
    else if (auto* writer = dynamic_cast<QPdfWriter*>(&device))
        writer->setResolution(resolution);
    const QString failed = QStringLiteral("印刷できませんでした。プリンターを確認してください。");
    QPainter p;
    if (!p.begin(&device))
        throw moravel::DataError(failed);
    const QRect printable = device.pageLayout().paintRectPixels(resolution);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    // The page reaches the printer as it is, compressed without loss.
    p.setRenderHint(QPainter::LosslessImageRendering, true);
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            throw moravel::DataError(failed);
        // The whole page stretched over the printable area in both directions.
        p.drawImage(QRect(0, 0, printable.width(), printable.height()), pages[i],
                    QRect(0, 0, moravel::report::PageWidth, moravel::report::PageHeight));
    }
    if (!p.end())
        throw moravel::DataError(failed);
}

// ---- image files ----

void TFmPrint::BMPClick() {
    SaveImage(QStringLiteral(".bmp"));
}

void TFmPrint::PNGClick() {
    SaveImage(QStringLiteral(".png"));
}

void TFmPrint::JPGClick() {
    SaveImage(QStringLiteral(".jpg"));
}

void TFmPrint::SaveImage(const QString& extension) {
    const QString name = moravel::report::imageBaseName(PeriodText ? PeriodText() : QString());
    const auto dir = dialogs().chooseDirectory(this, QStringLiteral("ディレクトリ指定"), QString());
    if (!dir)
        return;
    const QString path = moravel::platform::withSeparator(*dir) + name + extension;
    if (moravel::platform::fileExists(path)) {
        const auto answer =
            dialogs().askYesNoCancel(Handle, moravel::platform::overwriteQuestion(name + extension));
        if (answer != moravel::platform::Answer::Yes)
            return;
    }
    moravel::report::saveImage(Print_Image->bitmap(), path);
    dialogs().information(this, QStringLiteral("保存完了"));
}
