// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace angoli::bench
{

// Wall-clock durations of single calls, in nanoseconds.
class Samples
{
public:
    void add(qint64 nanoseconds) { m_ns.append(nanoseconds); }
    qsizetype count() const { return m_ns.size(); }
    double medianMs() const;
    double minMs() const;
    double maxMs() const;

private:
    QList<qint64> m_ns;
};

// One line of the summary printed when the run ends.
struct Result {
    QString row;
    double scale;
    Samples time;              // the step or handler alone
    Samples withRepaint;       // until the repaint it caused was flushed; empty if not measured
    qint64 paintedPixels = -1; // median area flushed per call; -1 when not measured
};

// Collects every row's result and prints them as one table at the end, so
// the figures are not lost among QtTest's own lines. With ANGOLI_BENCH_TSV
// set, the same figures are appended to that file as tab-separated lines.
class Summary
{
public:
    // QBENCHMARK runs a row's function again with more iterations until the
    // total time is long enough: the last result of a row replaces the others.
    void add(Result result);
    void print() const;

private:
    QList<Result> m_results;
};

} // namespace angoli::bench
