#include "export/CSVConvert.h"

#include "common/Errors.h"
#include "data/Catalogue.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Widgets.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <deque>
#include <future>

using moravel::platform::Answer;
using moravel::platform::dialogs;
using moravel::platform::guarded;
using moravel::platform::make;
using moravel::platform::makeButton;
using moravel::platform::makeLabel;

namespace {

const QString SaveFailed = QStringLiteral("ファイルの保存先を確認してください。");

QString extensionOf(const QString& path) {
    QString stem, ext;
    moravel::data::splitExtension(QFileInfo(path).fileName(), stem, ext);
    return ext;
}

QString stemOf(const QString& path) {
    QString stem, ext;
    moravel::data::splitExtension(QFileInfo(path).fileName(), stem, ext);
    return stem;
}

} // namespace

TFmCSVConvert::TFmCSVConvert(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("FmCSVConvert"));
    setWindowTitle(QStringLiteral("CSV変換保存"));
    setFixedSize(319, 123);
    setWindowModality(Qt::ApplicationModal);
    Label2 = makeLabel(this, "Label2", QStringLiteral("ファイルの保存先"), QRect(26, 16, 200, 20), 13);
    EdSaveDirectory = make<QLineEdit>(this, "EdSaveDirectory", QRect(26, 40, 223, 25));
    EdSaveDirectory->setReadOnly(true);
    BtDirSettings = makeButton(this, "BtDirSettings", QStringLiteral("..."), QRect(256, 40, 25, 25), 13);
    DModeConvert = make<QCheckBox>(this, "DModeConvert", QRect(24, 80, 153, 19));
    DModeConvert->setText(QStringLiteral("一括CSVデータ変換"));
    BtConvertStart = makeButton(this, "BtConvertStart", QStringLiteral("変換開始"), QRect(200, 80, 81, 25), 13);
    connect(BtDirSettings, &QPushButton::clicked, this, [this] { guarded([&] { BtDirSettingsClick(); }); });
    connect(BtConvertStart, &QPushButton::clicked, this, [this] { guarded([&] { BtConvertStartClick(); }); });
    FormCreate();
}

void TFmCSVConvert::FormCreate() {
    WeekArray = moravel::csv::weekNames();
    flag = true;
}

void TFmCSVConvert::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        guarded([&] { FormShow(); });
}

void TFmCSVConvert::FormShow() {
    DModeConvert->setVisible(true);
    DModeConvert->setChecked(false);
    if (Inputs && !Inputs().dayMode)
        DModeConvert->setVisible(false);
}

void TFmCSVConvert::BtDirSettingsClick() {
    const auto dir = dialogs().chooseDirectory(this, QStringLiteral("ディレクトリ指定"), QString());
    if (dir)
        EdSaveDirectory->setText(*dir);
}

QString TFmCSVConvert::SaveDirectory() const { return EdSaveDirectory->text(); }

bool TFmCSVConvert::MayReplace(const QString& path) {
    return dialogs().askYesNoCancel(this, path + QStringLiteral("\r\n") +
                                              QStringLiteral("はすでに存在します。上書きしますか？")) == Answer::Yes;
}

void TFmCSVConvert::Save(const QString& name, const QByteArray& bytes) {
    moravel::csv::saveCsv(SaveDirectory() + QStringLiteral("/") + name, bytes,
                          [this](const QString& path) { return MayReplace(path); });
}

void TFmCSVConvert::Progress(const QString& path) {
    if (m_progressDone < 0)
        return;
    ++m_progressDone;
    dialogs().progressStep(QFileInfo(path).fileName(), m_progressDone);
}

void TFmCSVConvert::BtConvertStartClick() {
    if (SaveDirectory().isEmpty()) {
        dialogs().warning(this, QStringLiteral("保存先を指定してください"));
        return;
    }
    if (dialogs().askYesNoCancel(this, SaveDirectory() + QStringLiteral("に変換したデータを保存します。") +
                                           QStringLiteral("\r\n") + QStringLiteral("よろしいですか？")) !=
        Answer::Yes)
        return;
    m_run = Inputs ? Inputs() : ExportInputs();
    flag = true;
    const bool bulk = DModeConvert->isChecked();
    bool failed = false;
    try {
        if (!bulk) {
            SaveFile();
        } else {
            // A card of a year of raw files takes a while: a progress box counts the files.
            int total = 0;
            try {
                for (const QString& path : moravel::csv::sortedListing(m_run.cardDirectory)) {
                    const QString ext = extensionOf(path);
                    total += ext == u".LA" || ext == u".LV" || ext == u".LAC" || ext == u".LVC";
                }
            } catch (const moravel::DataError&) {
            }
            m_progressDone = 0;
            dialogs().progressStart(this, QStringLiteral("CSV変換保存"), total);
            ALLCSVLALV();
            ALLCSVLAC();
            dialogs().progressFinish();
            m_progressDone = -1;
        }
        if (m_run.dayMode && !bulk) {
            CSVLALV();
            CSVLAC();
            CSVLVC();
        }
    } catch (const std::exception&) {
        failed = true;
    }
    if (m_progressDone >= 0) {
        dialogs().progressFinish();
        m_progressDone = -1;
    }
    if (failed) {
        flag = false;
        dialogs().information(this, QStringLiteral("変換が失敗しました。"));
    }
    if (flag) {
        dialogs().information(this, QStringLiteral("変換が完了しました。"));
        close();
    }
}

void TFmCSVConvert::FileListSort(QStringList& paths) { moravel::csv::fileListSort(paths); }

// ---- day files ----

namespace {
QString selectedStem(const ExportInputs& in) {
    if (!in.dayStem)
        throw moravel::DataError(QStringLiteral("日付が選択されていません。"));
    return *in.dayStem;
}
} // namespace

void TFmCSVConvert::CSVLAC() {
    const QString stem = selectedStem(m_run);
    const QStringList lines = moravel::platform::readLines(m_run.cardDirectory + stem + QStringLiteral(".LAC"));
    Save(stem + QStringLiteral("_LAC.csv"), moravel::csv::summaryCsv(lines, moravel::csv::Headings::Noise));
}

void TFmCSVConvert::CSVLVC() {
    const QString stem = selectedStem(m_run);
    const QStringList lines = moravel::platform::readLines(m_run.cardDirectory + stem + QStringLiteral(".LVC"));
    Save(stem + QStringLiteral("_LVC.csv"), moravel::csv::summaryCsv(lines, moravel::csv::Headings::Vibration));
}

void TFmCSVConvert::SaveFile() {
    if (m_run.dayMode) {
        const QString stem = selectedStem(m_run);
        const QStringList lac = moravel::platform::readLines(m_run.cardDirectory + stem + QStringLiteral(".LAC"));
        const QStringList lvc = moravel::platform::readLines(m_run.cardDirectory + stem + QStringLiteral(".LVC"));
        Save(stem + QStringLiteral(".csv"), moravel::csv::combinedCsv(lac, lvc));
        return;
    }
    if (!m_run.firstText || !m_run.lastText)
        throw moravel::DataError(QStringLiteral("期間が選択されていません。"));
    Save(*m_run.firstText + QStringLiteral("_") + *m_run.lastText + QStringLiteral(".CSV"),
         moravel::csv::periodCsv(m_run.period));
}

void TFmCSVConvert::ConvertFiles(const QStringList& paths, const Converter& convert,
                                 const std::function<QString(const QString&)>& outputName) {
    using moravel::platform::PendingFile;
    // The next files are read, converted and written beside their targets on other threads while
    // this one is asked about and put in place. Questions, files put in place and failures come in
    // the order of a conversion one file after the other: a failed conversion stops the run before
    // its file's question, a failed write after it (and not at all when the answer is No).
    struct Prepared {
        std::unique_ptr<PendingFile> file;
        std::exception_ptr writeFailure;
    };
    auto prepare = [convert](const QString& path, const QString& target) {
        Prepared prepared;
        try {
            prepared.file = std::make_unique<PendingFile>(target);
        } catch (...) {
            prepared.writeFailure = std::current_exception();
        }
        // After a failed write the conversion goes on without writing: whether it fails decides
        // which failure the run reports.
        convert(path, [&](QByteArrayView chunk) {
            if (prepared.writeFailure)
                return;
            try {
                prepared.file->write(chunk);
            } catch (...) {
                prepared.writeFailure = std::current_exception();
                prepared.file.reset();
            }
        });
        if (!prepared.writeFailure) {
            try {
                prepared.file->finish();
            } catch (...) {
                prepared.writeFailure = std::current_exception();
                prepared.file.reset();
            }
        }
        return prepared;
    };
    constexpr int Ahead = 2;
    std::deque<std::future<Prepared>> ahead;
    int started = 0;
    auto target = [&](int k) { return SaveDirectory() + QStringLiteral("/") + outputName(paths[k]); };
    auto startMore = [&] {
        while (started < paths.size() && ahead.size() < Ahead) {
            ahead.push_back(std::async(std::launch::async, prepare, paths[started], target(started)));
            ++started;
        }
    };
    startMore();
    for (int k = 0; k < paths.size(); ++k) {
        Progress(paths[k]);
        Prepared prepared = ahead.front().get();
        ahead.pop_front();
        startMore();
        if (moravel::platform::fileExists(target(k)) && !MayReplace(target(k)))
            continue;
        if (prepared.writeFailure)
            std::rethrow_exception(prepared.writeFailure);
        prepared.file->commit();
    }
}

void TFmCSVConvert::ConvertSummaries(const QStringList& listing) {
    QStringList paths;
    for (const QString& path : listing) {
        const QString ext = extensionOf(path);
        if (ext == u".LAC" || ext == u".LVC")
            paths.append(path);
    }
    ConvertFiles(
        paths,
        [](const QString& path, const Sink& sink) {
            const bool noise = extensionOf(path) == u".LAC";
            sink(moravel::csv::summaryCsv(moravel::platform::readLines(path),
                                          noise ? moravel::csv::Headings::Noise : moravel::csv::Headings::Vibration));
        },
        [](const QString& path) {
            return stemOf(path) + (extensionOf(path) == u".LAC" ? QStringLiteral("_LAC.csv") : QStringLiteral("_LVC.csv"));
        });
}

void TFmCSVConvert::ALLCSVLAC() {
    try {
        ConvertSummaries(moravel::csv::sortedListing(m_run.cardDirectory));
        flag = true;
    } catch (const std::exception&) {
        flag = false;
        dialogs().information(this, SaveFailed);
    }
}

// ---- raw files ----

void TFmCSVConvert::ConvertRaw(const QStringList& paths) {
    ConvertFiles(
        paths,
        [](const QString& path, const Sink& sink) {
            moravel::csv::rawCsvStream(moravel::platform::readBytes(path), sink);
        },
        [](const QString& path) {
            return stemOf(path) + (extensionOf(path) == u".LA" ? QStringLiteral("_LA.csv") : QStringLiteral("_LV.csv"));
        });
}

void TFmCSVConvert::ConvertRawListed(const std::function<std::function<bool(const QString&)>()>& chooser) {
    // The routine catches its own failures: it reports them, clears the run's success, and the run
    // goes on.
    try {
        const std::function<bool(const QString&)> wanted = chooser();
        QStringList paths;
        for (const QString& path : moravel::csv::sortedListing(m_run.cardDirectory))
            if (wanted(path))
                paths.append(path);
        ConvertRaw(paths);
        flag = true;
    } catch (const std::exception&) {
        flag = false;
        dialogs().information(this, SaveFailed);
    }
}

void TFmCSVConvert::CSVLALV() {
    ConvertRawListed([this]() -> std::function<bool(const QString&)> {
        const QString stem = selectedStem(m_run); // no day selected: a failure of the routine
        return [stem](const QString& path) {
            const QString name = QFileInfo(path).fileName();
            return name == stem + QStringLiteral(".LA") || name == stem + QStringLiteral(".LV");
        };
    });
}

void TFmCSVConvert::ALLCSVLALV() {
    ConvertRawListed([]() -> std::function<bool(const QString&)> {
        return [](const QString& path) {
            const QString ext = extensionOf(path);
            return ext == u".LA" || ext == u".LV";
        };
    });
}
