// WTF-8, which carries a Windows command line through corvane-cli's parser without changing
// one UTF-16 unit (a changed unit would name a neighbouring file).
#include <QTest>

#include "app/cli/Arguments.h"

using corvane::cli::Utf16FromWtf8;
using corvane::cli::Wtf8FromUtf16;

class tst_CliText : public QObject {
    Q_OBJECT

private slots:
    void wtf8RoundTrip_data();
    void wtf8RoundTrip();
    void wtf8Refused_data();
    void wtf8Refused();
};

void tst_CliText::wtf8RoundTrip_data() {
    QTest::addColumn<QString>("utf16");  // any sequence of UTF-16 units
    QTest::addColumn<QByteArray>("wtf8");

    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("ASCII") << QString("C:\\pes2012.exe") << QByteArray("C:\\pes2012.exe");
    QTest::newRow("two and three bytes") << QString::fromUtf8("é✓日") << QByteArray("é✓日");
    QTest::newRow("surrogate pair: four bytes") << QString::fromUtf8("⚽😀") << QByteArray("⚽😀");
    QTest::newRow("U+FFFD is itself") << QString(QChar(0xFFFD)) << QByteArray("\xef\xbf\xbd");
    QTest::newRow("lone high surrogate")
        << QString(QChar(0xD800)) + "x" << QByteArray("\xed\xa0\x80x");
    QTest::newRow("lone low surrogate") << QString(QChar(0xDFFF)) << QByteArray("\xed\xbf\xbf");
    QTest::newRow("high surrogate at the end")
        << "a" + QString(QChar(0xDBFF)) << QByteArray("a\xed\xaf\xbf");
    QTest::newRow("low before high: two lone ones")
        << QString(QChar(0xDC00)) + QChar(0xD800) << QByteArray("\xed\xb0\x80\xed\xa0\x80");
    QTest::newRow("two high surrogates, then a pair")
        << QString(QChar(0xD800)) + QChar(0xD83D) + QChar(0xDE00)
        << QByteArray("\xed\xa0\x80\xf0\x9f\x98\x80");
    QTest::newRow("NUL inside") << QString(QChar(0)) + "a" << QByteArray("\0a", 2);
}

void tst_CliText::wtf8RoundTrip() {
    QFETCH(QString, utf16);
    QFETCH(QByteArray, wtf8);
    const std::u16string units(reinterpret_cast<const char16_t*>(utf16.utf16()), utf16.size());
    QCOMPARE(QByteArray::fromStdString(Wtf8FromUtf16(units)), wtf8);
    const auto back = Utf16FromWtf8(wtf8.toStdString());
    QVERIFY(back.has_value());
    QVERIFY(*back == units);
}

// Byte strings that Wtf8FromUtf16 never writes: reading them as a name could reach another file.
void tst_CliText::wtf8Refused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("a pair spelled as two lone surrogates")
        << QByteArray("\xed\xa0\xbd\xed\xb8\x80");
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf");
    QTest::newRow("overlong three bytes") << QByteArray("\xe0\x80\xaf");
    QTest::newRow("overlong four bytes") << QByteArray("\xf0\x8f\xbf\xbf");
    QTest::newRow("past U+10FFFF") << QByteArray("\xf4\x90\x80\x80");
    QTest::newRow("lead byte F5") << QByteArray("\xf5\x80\x80\x80");
    QTest::newRow("stray continuation byte") << QByteArray("a\x80");
    QTest::newRow("cut short") << QByteArray("\xe6\x97");
    QTest::newRow("continuation missing") << QByteArray("\xc3(");
    QTest::newRow("Latin-1 byte") << QByteArray("\xff");
}

void tst_CliText::wtf8Refused() {
    QFETCH(QByteArray, bytes);
    QVERIFY(!Utf16FromWtf8(bytes.toStdString()).has_value());
}

QTEST_GUILESS_MAIN(tst_CliText)
#include "tst_cli_text.moc"
