#pragma once

#include "data/Choices.h"
#include "data/Compliance.h"
#include "data/ItemPage.h"
#include "data/Levels.h"
#include "graph/GraphDrawing.h"

#include <QImage>
#include <QList>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace moravel::report {

// Everything the report page shows: the item page, the choices of the window or the command line,
// and the loaded data, referred to, not copied.
struct ReportInputs {
    data::ItemPage page;
    data::DisplayChoices choices;
    const data::CardData* data = nullptr;
};

// The page: one A4 portrait sheet at 144 pixels per inch.
constexpr int PageWidth = 1191;
constexpr int PageHeight = 1684;

// Which sections a page carries: 0 the full report (graphs and tables), 1 graphs, 2 tables; any
// other value the header block alone.
enum PrintMode { FullReport = 0, GraphReport = 1, TableReport = 2 };

// The level steps of hour 23 remembered from one day of the month graphs to the next, one per
// position in the series list of S and of V.
struct DayJoins {
    graph::DayJoins s{};
    graph::DayJoins v{};
};

// Every section draws on the page's painter in the page's coordinates (one unit a pixel of the
// 1191 x 1684 bitmap) and leaves the painter as it found it.

// Clears the page to opaque white and draws the title and the header block.
void initDataPrintOut(QPainter& p, const ReportInputs& in, int pageWidth = PageWidth,
                      int pageHeight = PageHeight);
// The graph section: title, legend or headings, the S and V plots.
void graphPrintOut(QPainter& p, const ReportInputs& in, DayJoins& joins);
// The table section of the full report, below the graphs.
void gridPrintOut(QPainter& p, const ReportInputs& in);
// The table section of the table report, in the place of the graphs.
void onlyGridPrintOut(QPainter& p, const ReportInputs& in);

// Composes a whole page: the header block and the sections of the print mode. Throws DataError where
// a section cannot be drawn (a reference that is not a whole number, a level that is not a number, a
// level combo without a selection); what was drawn up to there stays on the page.
void composePage(QPainter& p, const ReportInputs& in, int printMode, DayJoins& joins,
                 int pageWidth = PageWidth, int pageHeight = PageHeight);
// The same on a page bitmap, at its size.
void composePage(QImage& page, const ReportInputs& in, int printMode, DayJoins& joins);

// The pages of the compliance with the reference values, after the report's pages: the first with
// the period and time window and a table per channel with a row per day (the columns of the
// window's "集計" tab), then the runs above the reference of every day, a line each, on as many
// pages as they take (at least one, which says where there are none).
int compliancePageCount(const data::Compliance& compliance);
void compliancePrintOut(QPainter& p, const data::Compliance& compliance, const QString& periodText,
                        int page = 0, int pageWidth = PageWidth, int pageHeight = PageHeight);

// A fresh page bitmap, opaque white.
QImage newPage(int width = PageWidth, int height = PageHeight);

// The notices cut into the three rows of the header: characters 1-16, 17-32 and 33-40.
std::array<QString, 3> noticeRows(const QString& notices);

} // namespace moravel::report
