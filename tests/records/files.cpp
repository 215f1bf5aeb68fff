#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace angoli::test
{

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return kAbsent;
    return file.open(QIODevice::ReadOnly) ? file.readAll() : kUnreadable;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList entriesOf(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace angoli::test
