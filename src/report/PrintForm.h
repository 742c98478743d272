#pragma once

#include "report/ReportPage.h"

#include <QImage>
#include <QPrinter>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QPushButton;
class QScrollArea;

namespace moravel::graph {
class ImageView;
}

// The print window "印刷": composes the one-page report from what the main window shows, previews
// it at full size, prints it or saves it as an image file.
class TFmPrint : public QWidget {
    Q_OBJECT

public:
    explicit TFmPrint(QWidget* parent = nullptr);
    ~TFmPrint() override;

    // Where the page's contents come from: the main window at the moment of composition.
    std::function<moravel::report::ReportInputs()> Inputs;

    QWidget* Handle = nullptr; // owner of the overwrite question
    int DDLineS01 = 0, DDLineS02 = 0, DDLineS03 = 0, DDLineS04 = 0, DDLineS05 = 0, DDLineS06 = 0,
        DDLineS07 = 0, DDLineS08 = 0, DDLineS09 = 0;
    int DDLineV01 = 0, DDLineV02 = 0, DDLineV03 = 0, DDLineV04 = 0, DDLineV05 = 0, DDLineV06 = 0,
        DDLineV07 = 0, DDLineV08 = 0, DDLineV09 = 0;
    int PrintMode = 0;
    QImage Draw;

    QWidget* PPrint = nullptr;
    QPushButton* PrintSet = nullptr;
    QPushButton* Print = nullptr;
    QWidget* PSave = nullptr;
    QPushButton* BMP = nullptr;
    QPushButton* PNG = nullptr;
    QPushButton* JPG = nullptr;
    QWidget* Panel2 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    moravel::graph::ImageView* Print_Image = nullptr;
    // The printer, and with it the choice of the printer set-up, for the rest of the run.
    std::unique_ptr<QPrinter> PrinterSetupDialog1;

    void FormCreate();
    // Composes the page. A section that cannot be drawn reaches the general error report and the
    // preview keeps the page it had.
    void FormShow();

    void PrintSetClick();
    void PrintClick();
    void BMPClick();
    void PNGClick();
    void JPGClick();
    // The one procedure behind the three save buttons.
    void SaveImage(const QString& extension);
    // Prints the preview's page on a printer that is set up already.
    void PrintPage(QPrinter& printer);
    // Prints pages, one sheet each, the way the preview's page is printed.
    static void PrintImages(QPrinter& printer, const QList<QImage>& pages);
    static void DrawPages(QPagedPaintDevice& device, int resolution, const QList<QImage>& pages);

    // The period text from the main window, for the image file's name.
    std::function<QString()> PeriodText;

protected:
    void showEvent(QShowEvent* event) override;

private:
    moravel::report::DayJoins joins() const;
    void keepJoins(const moravel::report::DayJoins& joins);
};
