// moravel-cli: the conversions and reports of the application from a script. It drives the same
// windows, offscreen, with the questions answered by its options.
#include "app/Capacity.h"
#include "app/MainForm.h"
#include "app/Startup.h"
#include "common/Errors.h"
#include "common/LevelStat.h"
#include "data/Catalogue.h"
#include "export/CSVConvert.h"
#include "graph/ImageView.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Volume.h"
#include "report/ImageFile.h"
#include "report/PrintForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryFile>
#include <cstdio>
#include <optional>

using moravel::platform::Answer;

namespace {

const char* const Usage =
    "usage:\n"
    "  moravel-cli days     CARD\n"
    "  moravel-cli check    CARD\n"
    "  moravel-cli csv      CARD OUTDIR (--day YYYYMMDD | --period FIRST LAST | --all) [--from HH:MM --to HH:MM] "
    "[--overwrite]\n"
    "  moravel-cli report   CARD OUTFILE (--day YYYYMMDD | --period FIRST LAST) [--kind full|graph|table]\n"
    "                       [--lines] [--noise-level NAME] [--vibration-level NAME] [--series NAME,...]\n"
    "                       [--columns NAME,...] [--from HH:MM --to HH:MM] [--each-day] [--overwrite]\n"
    "  moravel-cli graph    CARD OUTFILE.png (--day YYYYMMDD | --period FIRST LAST) --channel S|V\n"
    "                       [--size WxH] [--lines] [--level NAME] [--series NAME,...] [--from HH:MM --to HH:MM] "
    "[--overwrite]\n"
    "  moravel-cli capacity CARD\n"
    "  moravel-cli version\n"
    "\n"
    "CARD is a card directory; FIRST, LAST and --day are its day stems (yyyymmdd); a period holds at most\n"
    "31 of them. days lists the stems; check prints each day the application would reject, with its\n"
    "message; csv writes the files of the export window (--day the five files of a day, --period the\n"
    "period CSV, --all every file of the card); report writes the report page as .png, .bmp, .jpg or\n"
    ".pdf (one A4 page; --each-day with --period: one day page per day in one PDF); graph writes one\n"
    "graph of the main window. Level names are Leq Le L05 L10 L50 L90 L95 Lmin Lmax. Files that exist\n"
    "are an error unless --overwrite. Exit codes: 0 done, 1 error, 2 usage.\n";

struct UsageError {
    QString text;
};

struct Failure {
    QString text;
};

void out(const QString& text) { std::fputs((text + u'\n').toUtf8().constData(), stdout); }
void err(const QString& text) { std::fputs((text + u'\n').toUtf8().constData(), stderr); }

QString oneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    text.replace(u'\r', u' ');
    return text;
}

// The boxes of a run without a person: messages are collected, the start questions answered Yes,
// and a question about replacing a file answered by --overwrite.
class CliDialogs final : public moravel::platform::Dialogs {
public:
    QStringList messages;
    QString directory;
    bool overwrite = false;

    void information(QWidget*, const QString& text) override { messages.append(text); }
    Answer askYesNo(QWidget*, const QString& text) override { return answer(text); }
    Answer askYesNoCancel(QWidget*, const QString& text) override { return answer(text); }
    void warning(QWidget*, const QString& text) override { messages.append(text); }
    std::optional<QString> chooseDirectory(QWidget*, const QString&, const QString&) override {
        if (directory.isEmpty())
            return std::nullopt;
        return directory;
    }
    void errorReport(const QString& text) override { messages.append(text); }
    void printerSetup(QWidget*, QPrinter&) override {}
    void progressStart(QWidget*, const QString&, int) override {}
    void progressStep(const QString&, int) override {}
    void progressFinish() override {}

private:
    Answer answer(const QString& text) {
        if (text.contains(QStringLiteral("上書きしますか")))
            return overwrite ? Answer::Yes : Answer::No;
        return Answer::Yes;
    }
};

// The command line after the command: positional arguments and options.
struct Arguments {
    QStringList positional;
    QMap<QString, QStringList> options;

    bool has(const QString& name) const { return options.contains(name); }
    QString value(const QString& name) const { return options.value(name).value(0); }
};

Arguments parse(const QStringList& args, const QMap<QString, int>& known) {
    Arguments a;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(QStringLiteral("--"))) {
            a.positional.append(arg);
            continue;
        }
        if (!known.contains(arg))
            throw UsageError{QStringLiteral("unknown option %1").arg(arg)};
        const int count = known.value(arg);
        if (a.options.contains(arg))
            throw UsageError{QStringLiteral("%1 given twice").arg(arg)};
        QStringList values;
        for (int k = 0; k < count; ++k) {
            if (i + 1 >= args.size() || args[i + 1].startsWith(QStringLiteral("--")))
                throw UsageError{QStringLiteral("%1 needs %2 value(s)").arg(arg).arg(count)};
            values.append(args[++i]);
        }
        a.options.insert(arg, values);
    }
    return a;
}

// The main window on a card, offscreen.
class Session {
public:
    explicit Session(const QString& card, bool overwrite) {
        m_dialogs.overwrite = overwrite;
        moravel::platform::setDialogs(&m_dialogs);
        m_windows = moravel::app::createWindows();
        main = m_windows.main.get();
        main->show();
        m_dialogs.directory = QDir(card).absolutePath();
        if (!QFileInfo(card).isDir())
            throw Failure{QStringLiteral("指定されたドライブが無効になっています。")};
        main->BtSelectDir->click();
        if (main->errorFlag)
            failIfRejected();
        // A settings file the application complains about does not stop a conversion or a report.
        for (const QString& m : std::as_const(m_dialogs.messages))
            err(oneLine(m));
        m_dialogs.messages.clear();
    }

    ~Session() { moravel::platform::setDialogs(nullptr); }

    TFmMain* main = nullptr;

    CliDialogs& dialogs() { return m_dialogs; }

    int indexOf(const QString& stem) {
        const int i = static_cast<int>(main->DateNumList.indexOf(stem));
        if (i < 0)
            throw Failure{QStringLiteral("%1: カードにこの日付のデータがありません。").arg(stem)};
        return i;
    }

    void selectDay(const QString& stem) {
        const int i = indexOf(stem);
        main->RbDateDMode->setChecked(true);
        if (main->CbDateList->currentIndex() != i)
            main->CbDateList->setCurrentIndex(i);
        failIfRejected();
    }

    void selectPeriod(const QString& first, const QString& last) {
        const int i = indexOf(first);
        const int j = indexOf(last);
        if (j < i)
            throw Failure{QStringLiteral("期間の最後の日が最初の日より前です。")};
        if (j - i > 30)
            throw Failure{QStringLiteral("期間は最大３１日分です。")};
        main->RbDateMMode->setChecked(true);
        main->CbDateListStart->setCurrentIndex(i);
        main->CbDateListStop->setCurrentIndex(j);
        failIfRejected();
    }

    void timeWindow(const Arguments& a, bool period) {
        if (a.has("--from") != a.has("--to"))
            throw UsageError{QStringLiteral("--from and --to go together")};
        if (!a.has("--from"))
            return;
        auto set = [&](const QString& text, QComboBox* hour, QComboBox* minute) {
            const QStringList parts = text.split(u':');
            const int h = parts.size() == 2 ? main->CbDataStartH->findText(parts[0]) : -1;
            const int m = parts.size() == 2 ? main->CbDataStartM->findText(parts[1]) : -1;
            if (h < 0 || m < 0)
                throw UsageError{QStringLiteral("a time is HH:MM with the minutes 00 or 30: %1").arg(text)};
            if (period && m != 0)
                throw UsageError{QStringLiteral("a period takes whole hours: %1").arg(text)};
            hour->setCurrentIndex(h);
            minute->setCurrentIndex(m);
        };
        set(a.value("--from"), main->CbDataStartH, main->CbDataStartM);
        set(a.value("--to"), main->CbDataStopH, main->CbDataStopM);
        failIfRejected();
    }

    // The selection of --day or --period.
    bool select(const Arguments& a) {
        if (a.has("--day") == a.has("--period"))
            throw UsageError{QStringLiteral("give --day or --period")};
        const bool period = a.has("--period");
        if (period)
            selectPeriod(a.options["--period"][0], a.options["--period"][1]);
        else
            selectDay(a.value("--day"));
        timeWindow(a, period);
        return period;
    }

    void failIfRejected() {
        if (main->errorFlag || !m_dialogs.messages.isEmpty()) {
            const QString text = m_dialogs.messages.isEmpty() ? QStringLiteral("データは破損しています。")
                                                              : m_dialogs.messages.join(u'\n');
            throw Failure{text};
        }
    }

private:
    CliDialogs m_dialogs;
    moravel::app::Windows m_windows;
};

QStringList names(const QString& list) {
    const QStringList parts = list.split(u',', Qt::SkipEmptyParts);
    for (const QString& p : parts)
        if (moravel::levelStatNames().end() ==
            std::find(moravel::levelStatNames().begin(), moravel::levelStatNames().end(), p))
            throw UsageError{QStringLiteral("unknown level name %1").arg(p)};
    return parts;
}

void checkBoxes(const std::array<QCheckBox*, 9>& boxes, const QStringList& chosen) {
    for (int i = 0; i < moravel::LevelStatCount; ++i)
        boxes[static_cast<size_t>(i)]->setChecked(chosen.contains(moravel::levelStatName(i)));
}

void chooseLevel(QComboBox* combo, const QString& name) {
    const int i = combo->findText(name);
    if (i < 0)
        throw UsageError{QStringLiteral("%1 is not a level of this channel").arg(name)};
    combo->setCurrentIndex(i);
}

void refuseExisting(const QStringList& paths, bool overwrite) {
    if (overwrite)
        return;
    for (const QString& p : paths)
        if (QFileInfo::exists(p))
            throw Failure{QStringLiteral("%1 はすでに存在します（--overwrite で上書きします）。").arg(p)};
}

QString extensionOf(const QString& path) { return QFileInfo(path).suffix().toLower(); }

// Writes a PDF beside its target and renames it over the target once it is complete.
void writePdf(const QString& path, const QList<QImage>& pages) {
    QTemporaryFile temp(QFileInfo(path).absolutePath() + QStringLiteral("/.moravel-XXXXXX.pdf"));
    if (!temp.open())
        throw Failure{moravel::platform::writeFailure(path)};
    temp.close();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(temp.fileName());
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    TFmPrint::PrintImages(printer, pages);
    QFile::remove(path);
    if (!QFile::rename(temp.fileName(), path))
        throw Failure{moravel::platform::writeFailure(path)};
    temp.setAutoRemove(false);
}

// ---- commands ----

int days(const Arguments& a) {
    if (a.positional.size() != 1)
        throw UsageError{QStringLiteral("days CARD")};
    try {
        for (const QString& stem :
             moravel::data::catalogueFromNames(moravel::platform::listFiles(a.positional[0])))
            out(stem);
    } catch (const moravel::DataError&) {
        throw Failure{QStringLiteral("指定されたドライブが無効になっています。")};
    }
    return 0;
}

int checkCard(const QString& card) {
    CliDialogs dialogs;
    moravel::platform::setDialogs(&dialogs);
    moravel::app::Windows windows = moravel::app::createWindows();
    TFmMain* main = windows.main.get();
    main->show();
    if (!QFileInfo(card).isDir())
        throw Failure{QStringLiteral("指定されたドライブが無効になっています。")};
    dialogs.directory = QDir(card).absolutePath();
    main->BtSelectDir->click();
    int rejected = 0;
    const QStringList stems = main->DateNumList;
    for (int k = 0; k < stems.size(); ++k) {
        // Each day is loaded as choosing it after choosing the directory again would load it: the
        // error state of the day before is cleared, and the first day is loaded once more so that
        // what the settings file said is not taken for a day's message.
        dialogs.messages.clear();
        main->errorFlag = false;
        if (main->CbDateList->currentIndex() == k)
            main->CbDateListChange();
        else
            main->CbDateList->setCurrentIndex(k);
        if (main->errorFlag || !dialogs.messages.isEmpty()) {
            ++rejected;
            const QString message =
                dialogs.messages.isEmpty() ? QStringLiteral("データは破損しています。") : dialogs.messages.join(u' ');
            out(stems[k] + QStringLiteral(" ") + oneLine(message));
        }
    }
    moravel::platform::setDialogs(nullptr);
    return rejected > 0 ? 1 : 0;
}

int csv(const Arguments& a) {
    if (a.positional.size() != 2)
        throw UsageError{QStringLiteral("csv CARD OUTDIR")};
    const int selections = a.has("--day") + a.has("--period") + a.has("--all");
    if (selections != 1)
        throw UsageError{QStringLiteral("give one of --day, --period, --all")};
    const bool overwrite = a.has("--overwrite");
    const QString outDir = QDir(a.positional[1]).absolutePath();
    if (!QDir().mkpath(outDir))
        throw Failure{moravel::platform::writeFailure(outDir)};
    Session s(a.positional[0], overwrite);
    TFmMain* main = s.main;
    const QString card = main->EdSelectDir->text();
    QStringList outputs;
    if (a.has("--all")) {
        if (main->DateNumList.isEmpty())
            throw Failure{QStringLiteral("カードに測定データがありません。")};
        s.timeWindow(a, false);
        for (const QString& name : moravel::platform::listFiles(card)) {
            QString stem, ext;
            moravel::data::splitExtension(name, stem, ext);
            if (ext == u".LA" || ext == u".LV" || ext == u".LAC" || ext == u".LVC")
                outputs.append(outDir + u'/' + stem + u'_' + ext.mid(1) + QStringLiteral(".csv"));
        }
    } else if (s.select(a)) {
        outputs.append(outDir + u'/' + main->CbDateListStart->currentText() + u'_' +
                       main->CbDateListStop->currentText() + QStringLiteral(".CSV"));
    } else {
        const QString stem = a.value("--day");
        outputs.append(outDir + u'/' + stem + QStringLiteral(".csv"));
        for (const char* ext : {"LA", "LV"})
            if (QFileInfo::exists(card + stem + u'.' + QString::fromLatin1(ext)))
                outputs.append(outDir + u'/' + stem + u'_' + QString::fromLatin1(ext) + QStringLiteral(".csv"));
        outputs.append(outDir + u'/' + stem + QStringLiteral("_LAC.csv"));
        outputs.append(outDir + u'/' + stem + QStringLiteral("_LVC.csv"));
    }
    refuseExisting(outputs, overwrite);
    main->BtCSVConvert->click();
    TFmCSVConvert* window = main->FmCSVConvert;
    window->EdSaveDirectory->setText(outDir);
    window->DModeConvert->setChecked(a.has("--all"));
    s.dialogs().messages.clear();
    window->BtConvertStart->click();
    const QStringList messages = s.dialogs().messages;
    if (messages != QStringList{QStringLiteral("変換が完了しました。")})
        throw Failure{messages.join(u'\n')};
    return 0;
}

// Applies the options that choose what the graphs and tables show.
void applyDisplayOptions(Session& s, const Arguments& a) {
    TFmMain* main = s.main;
    if (a.has("--lines"))
        main->RbSS->setChecked(true);
    if (a.has("--noise-level"))
        chooseLevel(main->CbSMode, a.value("--noise-level"));
    if (a.has("--vibration-level"))
        chooseLevel(main->CbVMode, a.value("--vibration-level"));
    if (a.has("--series")) {
        const QStringList chosen = names(a.value("--series"));
        checkBoxes(main->SSeriesBoxes(), chosen);
        checkBoxes(main->VSeriesBoxes(), chosen);
    }
    if (a.has("--columns")) {
        const QStringList chosen = names(a.value("--columns"));
        checkBoxes(main->STableBoxes(), chosen);
        checkBoxes(main->VTableBoxes(), chosen);
    }
    s.failIfRejected();
}

int report(const Arguments& a) {
    if (a.positional.size() != 2)
        throw UsageError{QStringLiteral("report CARD OUTFILE")};
    const QString file = QFileInfo(a.positional[1]).absoluteFilePath();
    const QString ext = extensionOf(file);
    if (ext != u"png" && ext != u"bmp" && ext != u"jpg" && ext != u"pdf")
        throw UsageError{QStringLiteral("OUTFILE ends in .png, .bmp, .jpg or .pdf")};
    const QString kind = a.has("--kind") ? a.value("--kind") : QStringLiteral("full");
    void (TFmMain::*button)() = nullptr;
    if (kind == u"full")
        button = &TFmMain::BtPrintOutClick;
    else if (kind == u"graph")
        button = &TFmMain::BtPrintGraphClick;
    else if (kind == u"table")
        button = &TFmMain::BtPrintDataViewClick;
    else
        throw UsageError{QStringLiteral("--kind is full, graph or table")};
    const bool eachDay = a.has("--each-day");
    if (eachDay && (!a.has("--period") || ext != u"pdf"))
        throw UsageError{QStringLiteral("--each-day goes with --period and a .pdf file")};
    const bool overwrite = a.has("--overwrite");
    refuseExisting({file}, overwrite);
    Session s(a.positional[0], overwrite);
    TFmMain* main = s.main;
    applyDisplayOptions(s, a);
    TFmPrint* print = main->FmPrint;
    auto compose = [&]() {
        s.dialogs().messages.clear();
        (main->*button)();
        s.failIfRejected();
        return print->Print_Image->bitmap();
    };
    QList<QImage> pages;
    if (eachDay) {
        const QStringList period = a.options["--period"];
        const int first = s.indexOf(period[0]);
        const int last = s.indexOf(period[1]);
        if (last < first || last - first > 30)
            throw Failure{QStringLiteral("期間は最大３１日分です。")};
        for (int k = first; k <= last; ++k) {
            s.selectDay(main->DateNumList[k]);
            s.timeWindow(a, false);
            pages.append(compose());
        }
    } else {
        s.select(a);
        pages.append(compose());
    }
    if (ext == u"pdf")
        writePdf(file, pages);
    else
        moravel::report::saveImage(pages.first(), file);
    return 0;
}

int graph(const Arguments& a) {
    if (a.positional.size() != 2)
        throw UsageError{QStringLiteral("graph CARD OUTFILE.png")};
    const QString channel = a.value("--channel");
    if (channel != u"S" && channel != u"V")
        throw UsageError{QStringLiteral("--channel is S or V")};
    const QString file = QFileInfo(a.positional[1]).absoluteFilePath();
    const QString ext = extensionOf(file);
    if (ext != u"png" && ext != u"bmp" && ext != u"jpg")
        throw UsageError{QStringLiteral("OUTFILE ends in .png, .bmp or .jpg")};
    QSize size;
    if (a.has("--size")) {
        const QStringList wh = a.value("--size").split(u'x');
        bool okW = false, okH = false;
        if (wh.size() == 2)
            size = QSize(wh[0].toInt(&okW), wh[1].toInt(&okH));
        if (!okW || !okH || size.width() < 40 || size.height() < 20 || size.width() > 8000 || size.height() > 8000)
            throw UsageError{QStringLiteral("--size is WxH, from 40x20 to 8000x8000")};
    }
    const bool overwrite = a.has("--overwrite");
    refuseExisting({file}, overwrite);
    Session s(a.positional[0], overwrite);
    const bool period = s.select(a);
    if (!size.isValid())
        size = period ? QSize(945, 249) : QSize(930, 239);
    TFmMain* main = s.main;
    const bool noise = channel == u"S";
    if (a.has("--lines"))
        main->RbSS->setChecked(true);
    if (a.has("--level"))
        chooseLevel(noise ? main->CbSMode : main->CbVMode, a.value("--level"));
    if (a.has("--series"))
        checkBoxes(noise ? main->SSeriesBoxes() : main->VSeriesBoxes(), names(a.value("--series")));
    s.failIfRejected();
    QImage image;
    try {
        image = main->GraphBitmap(noise ? 0 : 1, size);
    } catch (const std::exception&) {
        throw Failure{QStringLiteral("データは破損しています。")};
    }
    moravel::report::saveImage(image, file);
    return 0;
}

int capacity(const Arguments& a) {
    if (a.positional.size() != 1)
        throw UsageError{QStringLiteral("capacity CARD")};
    const qint64 free = moravel::platform::freeBytes(a.positional[0]);
    if (free < 0)
        throw Failure{QStringLiteral("指定されたドライブが無効になっています。")};
    for (const QString& line : moravel::app::capacityMessage(free).split(QStringLiteral("\r\n")))
        out(line);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // No window is ever shown, and Qt's own notes about its platform stay out of the output.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("MORAVEL_CLI_QT_MESSAGES"))
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fputs((message + u'\n').toLocal8Bit().constData(), stderr);
        });
    moravel::platform::Application app(argc, argv);
    moravel::platform::setUpJapaneseDesktop(app);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == u"--help" || args[0] == u"-h" || args[0] == u"help") {
        std::fputs(Usage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args[0];
    const QStringList rest = args.mid(1);
    const QMap<QString, int> select = {{"--day", 1}, {"--period", 2}, {"--from", 1}, {"--to", 1}, {"--overwrite", 0}};
    try {
        if (command == u"days")
            return days(parse(rest, {}));
        if (command == u"check") {
            const Arguments a = parse(rest, {});
            if (a.positional.size() != 1)
                throw UsageError{QStringLiteral("check CARD")};
            return checkCard(a.positional[0]);
        }
        if (command == u"csv") {
            QMap<QString, int> known = select;
            known.insert("--all", 0);
            return csv(parse(rest, known));
        }
        if (command == u"report") {
            QMap<QString, int> known = select;
            for (const char* o : {"--kind", "--noise-level", "--vibration-level", "--series", "--columns"})
                known.insert(QString::fromLatin1(o), 1);
            known.insert("--lines", 0);
            known.insert("--each-day", 0);
            return report(parse(rest, known));
        }
        if (command == u"graph") {
            QMap<QString, int> known = select;
            for (const char* o : {"--channel", "--size", "--level", "--series"})
                known.insert(QString::fromLatin1(o), 1);
            known.insert("--lines", 0);
            return graph(parse(rest, known));
        }
        if (command == u"capacity")
            return capacity(parse(rest, {}));
        if (command == u"version") {
            if (!rest.isEmpty())
                throw UsageError{QStringLiteral("version takes no arguments")};
            out(TFmMain::VersionGet());
            return 0;
        }
        throw UsageError{QStringLiteral("unknown command %1").arg(command)};
    } catch (const UsageError& e) {
        err(e.text);
        std::fputs(Usage, stderr);
        return 2;
    } catch (const Failure& e) {
        err(e.text);
        return 1;
    } catch (const std::exception& e) {
        err(QString::fromStdString(e.what()));
        return 1;
    }
}
