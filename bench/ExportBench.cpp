// The bulk conversion of a whole card against writing the same bytes in one buffered write.
#include "BenchSupport.h"

#include "export/CSVConvert.h"
#include "platform/ScriptedDialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace moravel;

namespace {

int benchDays() {
    const int days = qEnvironmentVariableIntValue("MORAVEL_BENCH_DAYS");
    return days > 0 ? days : 365;
}

QString bulkCard() {
    const QString given = qEnvironmentVariable("MORAVEL_BENCH_CARD");
    if (!given.isEmpty())
        return given + u'/';
    tools::SampleCardOptions o;
    o.days = benchDays();
    o.raw = true;
    return bench::sampleCard(QStringLiteral("bulk%1").arg(o.days), o);
}

qint64 directoryBytes(const QString& dir) {
    qint64 total = 0;
    for (const QFileInfo& f : QDir(dir).entryInfoList(QDir::Files))
        total += f.size();
    return total;
}

qint64 g_outputBytes = 0;

void BulkCsv(benchmark::State& state) {
    const QString card = bulkCard();
    platform::ScriptedDialogs dialogs;
    dialogs.install();
    TFmCSVConvert window;
    window.Inputs = [&] {
        ExportInputs in;
        in.cardDirectory = card;
        in.dayMode = true;
        return in;
    };
    QTemporaryDir out;
    window.EdSaveDirectory->setText(out.path());
    window.DModeConvert->setChecked(true);
    for (auto _ : state) {
        state.PauseTiming();
        for (const QString& f : QDir(out.path()).entryList(QDir::Files))
            QFile::remove(out.path() + "/" + f);
        dialogs.clear();
        dialogs.answer(platform::Answer::Yes);
        state.ResumeTiming();
        window.BtConvertStartClick();
    }
    g_outputBytes = directoryBytes(out.path());
    if (dialogs.texts("information") != QStringList{QStringLiteral("変換が完了しました。")})
        state.SkipWithError("the conversion did not complete");
    state.counters["MB"] = static_cast<double>(g_outputBytes) / 1e6;
    state.counters["MB/s"] =
        benchmark::Counter(static_cast<double>(g_outputBytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BulkCsv)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// The same number of bytes in one buffered write.
void WriteSameBytes(benchmark::State& state) {
    if (g_outputBytes == 0) {
        state.SkipWithError("run BulkCsv first");
        return;
    }
    QTemporaryDir out;
    const QByteArray block(1 << 20, 'x');
    for (auto _ : state) {
        QFile f(out.filePath("bytes.csv"));
        f.open(QIODevice::WriteOnly);
        for (qint64 left = g_outputBytes; left > 0; left -= block.size())
            f.write(block.constData(), std::min<qint64>(left, block.size()));
        f.close();
    }
    state.counters["MB/s"] =
        benchmark::Counter(static_cast<double>(g_outputBytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(WriteSameBytes)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

} // namespace

int main(int argc, char** argv) { return moravel::bench::runBenchmarks(argc, argv); }
