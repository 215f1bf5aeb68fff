// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples.h"

#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace angoli::bench
{

namespace
{
constexpr double kNsPerMs = 1e6;
} // namespace

double Samples::medianMs() const
{
    if (m_ns.isEmpty())
        return 0;
    QList<qint64> sorted = m_ns;
    std::sort(sorted.begin(), sorted.end());
    const qsizetype mid = sorted.size() / 2;
    const double median = sorted.size() % 2 ? double(sorted[mid])
                                            : (double(sorted[mid - 1]) + double(sorted[mid])) / 2;
    return median / kNsPerMs;
}

double Samples::minMs() const
{
    return m_ns.isEmpty() ? 0 : double(*std::min_element(m_ns.begin(), m_ns.end())) / kNsPerMs;
}

double Samples::maxMs() const
{
    return m_ns.isEmpty() ? 0 : double(*std::max_element(m_ns.begin(), m_ns.end())) / kNsPerMs;
}

void Summary::add(Result result)
{
    for (Result &r : m_results) {
        if (r.row == result.row) {
            r = std::move(result);
            return;
        }
    }
    m_results.append(std::move(result));
}

void Summary::print() const
{
    std::printf("\n%-40s %5s %10s %9s %9s %6s %12s %10s\n", "handler", "scale", "median ms",
                "min ms", "max ms", "calls", "+repaint ms", "flushed px");
    for (const Result &r : m_results) {
        const bool painted = r.withRepaint.count() > 0;
        std::printf("%-40s %5g %10.4f %9.4f %9.4f %6lld %12s %10s\n", qPrintable(r.row), r.scale,
                    r.time.medianMs(), r.time.minMs(), r.time.maxMs(),
                    static_cast<long long>(r.time.count()),
                    painted ? QByteArray::number(r.withRepaint.medianMs(), 'f', 4).constData()
                            : "-",
                    r.paintedPixels < 0 ? "-" : QByteArray::number(r.paintedPixels).constData());
    }
    std::fflush(stdout);

    const QString path = qEnvironmentVariable("ANGOLI_BENCH_TSV");
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        std::fprintf(stderr, "cannot append to %s\n", qPrintable(path));
        return;
    }
    // scale, row, median, min, max, calls, median with repaint (or -1), flushed px (or -1)
    QTextStream out(&file);
    for (const Result &r : m_results) {
        const bool painted = r.withRepaint.count() > 0;
        out << r.scale << '\t' << r.row << '\t' << r.time.medianMs() << '\t' << r.time.minMs()
            << '\t' << r.time.maxMs() << '\t' << r.time.count() << '\t'
            << (painted ? r.withRepaint.medianMs() : -1.0) << '\t' << r.paintedPixels << '\n';
    }
}

} // namespace angoli::bench
