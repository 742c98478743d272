#pragma once

#include "SampleCard.h"

#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>

namespace moravel::bench {

// A sample card written once per run into a temporary directory that lives until the program ends.
QString sampleCard(const QString& name, const tools::SampleCardOptions& options);

// The baseline of every load: read the files and split them into lines and fields in the simplest
// way, nothing more.
qint64 readAndSplit(const QStringList& paths);

// Writes back what the system still holds of written files, so that a run starts with nothing
// waiting to be written (Linux: sync; Windows keeps no such call for all files: nothing).
void writeBack();

// Runs the benchmarks with a QApplication on the offscreen platform.
int runBenchmarks(int argc, char** argv);

} // namespace moravel::bench
