#include "export/Conversion.h"

#include "common/Errors.h"
#include "data/Catalogue.h"
#include "platform/Files.h"
#include "platform/TextFile.h"

#include <QFileInfo>
#include <deque>
#include <future>
#include <mutex>
#include <vector>

namespace moravel::csv {

ConversionRequest conversionRequest(const data::DisplayChoices& choices, const data::ItemPage& page,
                                    const data::CardData& data) {
    const data::Selection& selection = choices.selection;
    ConversionRequest in;
    in.cardDirectory = selection.directory;
    in.dayMode = !selection.monthMode;
    if (selection.day >= 0 && selection.day < selection.catalogue.size())
        in.dayStem = selection.catalogue[selection.day];
    if (selection.first >= 0)
        in.firstText = choices.dateTexts.value(selection.first);
    if (selection.last >= 0)
        in.lastText = choices.dateTexts.value(selection.last);
    PeriodInputs& p = in.period;
    p.page = page;
    // The rows of the period: from the first day for (last - first) + 1 days, none without a first day.
    if (selection.first >= 0)
        for (int i = 0; i <= selection.last - selection.first; ++i)
            p.dayTexts.append(choices.dateTexts.value(selection.first + i));
    p.la = &data.LA_ListMax;
    p.lv = &data.LV_ListMax;
    return in;
}

QString saveFailedMessage() {
    return QStringLiteral("ファイルの保存先を確認してください。");
}

namespace {

QString extensionOf(const QString& path) {
    QString stem, ext;
    data::splitExtension(QFileInfo(path).fileName(), stem, ext);
    return ext;
}

QString stemOf(const QString& path) {
    QString stem, ext;
    data::splitExtension(QFileInfo(path).fileName(), stem, ext);
    return stem;
}

using Sink = std::function<void(QByteArrayView)>;
// Reads a file and hands its CSV to the sink, in one piece or in chunks.
using Converter = std::function<void(const QString& path, const Sink& sink)>;

class Run {
public:
    Run(const ConversionRequest& request, const ConversionCallbacks& callbacks)
        : m_in(request), m_call(callbacks) {}

    ConversionResult run() {
        ConversionResult result;
        try {
            if (!m_in.bulk) {
                saveFile();
            } else {
                // A card of a year of raw files takes a while: the progress counts the files.
                m_progressDone = 0;
                if (m_call.progressStart)
                    m_call.progressStart(bulkFileCount());
                allCsvLaLv();
                allCsvLac();
                finishProgress();
            }
            if (m_in.dayMode && !m_in.bulk) {
                csvLaLv();
                csvLac();
                csvLvc();
            }
        } catch (const std::exception& e) {
            result.failed = true;
            if (m_call.failure)
                m_call.failure(e);
        }
        finishProgress();
        result.flag = m_flag && !result.failed;
        return result;
    }

private:
    QString target(const QString& name) const { return m_in.saveDirectory + QStringLiteral("/") + name; }

    bool mayReplace(const QString& path) const { return m_call.mayReplace && m_call.mayReplace(path); }

    void save(const QString& name, const QByteArray& bytes) {
        saveCsv(target(name), bytes, [this](const QString& path) { return mayReplace(path); });
    }

    int bulkFileCount() const {
        int total = 0;
        try {
            for (const QString& path : sortedListing(m_in.cardDirectory)) {
                const QString ext = extensionOf(path);
                total += ext == u".LA" || ext == u".LV" || ext == u".LAC" || ext == u".LVC";
            }
        } catch (const DataError&) {
        }
        return total;
    }

    void progress(const QString& path) {
        if (m_progressDone < 0)
            return;
        ++m_progressDone;
        if (m_call.progressStep)
            m_call.progressStep(QFileInfo(path).fileName(), m_progressDone);
    }

    void finishProgress() {
        if (m_progressDone < 0)
            return;
        m_progressDone = -1;
        if (m_call.progressFinish)
            m_call.progressFinish();
    }

    // A routine that catches its own failure: it reports it, clears the run's success, and the run
    // goes on.
    void reporting(const std::function<void()>& routine) {
        try {
            routine();
            m_flag = true;
        } catch (const std::exception& e) {
            m_flag = false;
            if (m_call.failure)
                m_call.failure(e);
            if (m_call.message)
                m_call.message(saveFailedMessage());
        }
    }

    QString selectedStem() const {
        if (!m_in.dayStem)
            throw DataError(QStringLiteral("日付が選択されていません。"));
        return *m_in.dayStem;
    }

    // ---- day files ----

    void csvLac() {
        const QString stem = selectedStem();
        const QString path = m_in.cardDirectory + stem + QStringLiteral(".LAC");
        const QStringList lines = platform::readLines(path);
        save(stem + QStringLiteral("_LAC.csv"),
             inFile(path, [&] { return summaryCsv(lines, Headings::Noise); }));
    }

    void csvLvc() {
        const QString stem = selectedStem();
        const QString path = m_in.cardDirectory + stem + QStringLiteral(".LVC");
        const QStringList lines = platform::readLines(path);
        save(stem + QStringLiteral("_LVC.csv"),
             inFile(path, [&] { return summaryCsv(lines, Headings::Vibration); }));
    }

    void saveFile() {
        if (m_in.dayMode) {
            const QString stem = selectedStem();
            const QString lacPath = m_in.cardDirectory + stem + QStringLiteral(".LAC");
            const QString lvcPath = m_in.cardDirectory + stem + QStringLiteral(".LVC");
            const QStringList lac = platform::readLines(lacPath);
            const QStringList lvc = platform::readLines(lvcPath);
            save(stem + QStringLiteral(".csv"), combinedCsv(lac, lvc, lacPath, lvcPath));
            return;
        }
        if (!m_in.firstText || !m_in.lastText)
            throw DataError(QStringLiteral("期間が選択されていません。"));
        save(*m_in.firstText + QStringLiteral("_") + *m_in.lastText + QStringLiteral(".CSV"),
             periodCsv(m_in.period));
    }

    void allCsvLac() {
        reporting([this] {
            QStringList paths;
            for (const QString& path : sortedListing(m_in.cardDirectory)) {
                const QString ext = extensionOf(path);
                if (ext == u".LAC" || ext == u".LVC")
                    paths.append(path);
            }
            convertFiles(
                paths,
                [](const QString& path, const Sink& sink) {
                    const bool noise = extensionOf(path) == u".LAC";
                    const QStringList lines = platform::readLines(path);
                    sink(inFile(path, [&] {
                        return summaryCsv(lines, noise ? Headings::Noise : Headings::Vibration);
                    }));
                },
                [](const QString& path) {
                    return stemOf(path) + (extensionOf(path) == u".LAC" ? QStringLiteral("_LAC.csv")
                                                                        : QStringLiteral("_LVC.csv"));
                });
        });
    }

    // ---- raw files ----

    // The raw files of the card's listing that the filter takes.
    void convertRaw(const std::function<bool(const QString&)>& wanted) {
        QStringList paths;
        for (const QString& path : sortedListing(m_in.cardDirectory))
            if (wanted(path))
                paths.append(path);
        convertFiles(
            paths,
            [](const QString& path, const Sink& sink) {
                const QByteArray bytes = platform::readBytes(path);
                inFile(path, [&] { rawCsvStream(bytes, sink); });
            },
            [](const QString& path) {
                return stemOf(path) +
                       (extensionOf(path) == u".LA" ? QStringLiteral("_LA.csv") : QStringLiteral("_LV.csv"));
            });
    }

    void csvLaLv() {
        reporting([this] {
            const QString stem = selectedStem(); // no day selected: a failure of the routine
            convertRaw([stem](const QString& path) {
                const QString name = QFileInfo(path).fileName();
                return name == stem + QStringLiteral(".LA") || name == stem + QStringLiteral(".LV");
            });
        });
    }

    void allCsvLaLv() {
        reporting([this] {
            convertRaw([](const QString& path) {
                const QString ext = extensionOf(path);
                return ext == u".LA" || ext == u".LV";
            });
        });
    }

    // ---- the files of a routine ----

    void convertFiles(const QStringList& paths, const Converter& convert,
                      const std::function<QString(const QString&)>& outputName) {
        // The next files are read and converted in memory on other threads while this one is asked
        // about and written. Files are written one at a time, in file order, each beside its target
        // and renamed into place: the run writes what a conversion one file after the other writes,
        // with one temporary file at most. A failed conversion stops the run before its file's
        // question, a failed write after it (and not at all when the answer is No).
        // The files' bytes go into buffers that are used again from file to file: a new buffer for
        // every file of megabytes would cost more in the memory's page faults than the conversion.
        struct Buffers {
            std::mutex mutex;
            std::vector<QByteArray> free;
        } buffers;
        auto prepare = [convert, &buffers](const QString& path) {
            QByteArray csv;
            {
                const std::lock_guard<std::mutex> lock(buffers.mutex);
                if (!buffers.free.empty()) {
                    csv = std::move(buffers.free.back());
                    buffers.free.pop_back();
                }
            }
            csv.resize(0);
            convert(path, [&](QByteArrayView chunk) { csv.append(chunk); });
            return csv;
        };
        auto giveBack = [&buffers](QByteArray&& csv) {
            const std::lock_guard<std::mutex> lock(buffers.mutex);
            buffers.free.push_back(std::move(csv));
        };
        constexpr int Ahead = 2;
        std::deque<std::future<QByteArray>> ahead;
        int started = 0;
        auto startMore = [&] {
            while (started < paths.size() && ahead.size() < Ahead) {
                ahead.push_back(std::async(std::launch::async, prepare, paths[started]));
                ++started;
            }
        };
        startMore();
        for (int k = 0; k < paths.size(); ++k) {
            progress(paths[k]);
            QByteArray csv = ahead.front().get();
            ahead.pop_front();
            startMore();
            const QString file = target(outputName(paths[k]));
            if (!platform::fileExists(file) || mayReplace(file))
                platform::writeFileAtomically(file, csv);
            giveBack(std::move(csv));
        }
    }

    const ConversionRequest& m_in;
    const ConversionCallbacks& m_call;
    bool m_flag = true;
    int m_progressDone = -1;
};

} // namespace

ConversionResult runConversion(const ConversionRequest& request, const ConversionCallbacks& callbacks) {
    return Run(request, callbacks).run();
}

} // namespace moravel::csv
