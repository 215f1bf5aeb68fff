#include "platform/codepage.h"

#include <QtTest>

using namespace angoli;

class TestCodePage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every byte decodes to one character and encodes back to itself.
    void everyByteRoundTrips();
    // Characters of Windows-1252 map to their bytes both ways.
    void knownCharacters_data();
    void knownCharacters();
    // What Windows-1252 cannot hold becomes one '?' per character.
    void unmappable_data();
    void unmappable();
};

void TestCodePage::everyByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b <= 0xFF; ++b)
        all.append(char(b));
    const QString text = fromCodePage(all);
    QCOMPARE(text.size(), all.size());
    for (int b = 0; b <= 0xFF; ++b) {
        const QByteArray single(1, char(b));
        QCOMPARE(toCodePage(fromCodePage(single)), single);
    }
    QCOMPARE(toCodePage(text), all);
}

void TestCodePage::knownCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("euro sign") << QString(QChar(0x20AC)) << QByteArray("\x80");
    QTest::newRow("e grave") << QStringLiteral("è") << QByteArray("\xE8");
    QTest::newRow("a grave") << QStringLiteral("à") << QByteArray("\xE0");
    QTest::newRow("degree sign") << QStringLiteral("°") << QByteArray("\xB0");
    QTest::newRow("o grave in a name") << QStringLiteral("Nicolò") << QByteArray("Nicol\xF2");
    QTest::newRow("OE ligature") << QString(QChar(0x0152)) << QByteArray("\x8C");
    QTest::newRow("trade mark") << QString(QChar(0x2122)) << QByteArray("\x99");
    QTest::newRow("Y diaeresis") << QString(QChar(0x0178)) << QByteArray("\x9F");
    QTest::newRow("undefined byte 0x81") << QString(QChar(0x0081)) << QByteArray("\x81");
    QTest::newRow("undefined byte 0x9D") << QString(QChar(0x009D)) << QByteArray("\x9D");
    QTest::newRow("CR LF") << QStringLiteral("\r\n") << QByteArray("\r\n");
    QTest::newRow("NUL") << QString(QChar(0)) << QByteArray(1, '\0');
}

void TestCodePage::knownCharacters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toCodePage(text), bytes);
    QCOMPARE(fromCodePage(bytes), text);
}

void TestCodePage::unmappable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("A macron") << QString(QChar(0x0100)) << QByteArray("?");
    QTest::newRow("C1 control that 1252 uses for a letter")
        << QString(QChar(0x0080)) << QByteArray("?");
    QTest::newRow("CJK inside a name")
        << QString::fromUtf8("Zo\u00EB \u4E2D") << QByteArray("Zo\xEB ?");
    QTest::newRow("emoji is one character")
        << QString::fromUtf8("a\U0001F600b") << QByteArray("a?b");
    QTest::newRow("lone high surrogate")
        << (QStringLiteral("a") + QChar(0xD800) + u'b') << QByteArray("a?b");
    QTest::newRow("lone low surrogate") << QString(QChar(0xDC00)) << QByteArray("?");
}

void TestCodePage::unmappable()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toCodePage(text), bytes);
}

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
