// verify of a month of day reports (31 pages): the command as a script runs it, reading the PDF,
// checking the card's files and making the 31 pages again to compare them.
#include "BenchSupport.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

using namespace moravel;

int run(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(MORAVEL_CLI), args);
    p.waitForFinished(-1);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

void VerifyMonthPdf(benchmark::State& state) {
    tools::SampleCardOptions options;
    options.days = 31;
    options.raw = false;
    const QString card = bench::sampleCard("month", options);
    QTemporaryDir out;
    const QString pdf = out.filePath("month.pdf");
    if (run({"report", card, pdf, "--period", "20210301", "20210331", "--each-day", "--quiet"}) != 0)
        state.SkipWithError("the report was not made");
    for (auto _ : state)
        if (run({"verify", pdf, card, "--quiet"}) != 0)
            state.SkipWithError("the report did not verify");
}
BENCHMARK(VerifyMonthPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return moravel::bench::runBenchmarks(argc, argv);
}
