// Quote, which keeps a message that shows user input on one line and free of terminal controls.
#include <QTest>

#include "core/Quote.h"

class tst_Quote : public QObject {
    Q_OBJECT

private slots:
    void quote_data();
    void quote();
};

void tst_Quote::quote_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("quoted");

    QTest::newRow("plain") << QByteArray("PENAROL") << QByteArray("\"PENAROL\"");
    QTest::newRow("empty") << QByteArray() << QByteArray("\"\"");
    QTest::newRow("non-ASCII kept") << QByteArray("pès ✓ 日本 😀") << QByteArray("\"pès ✓ 日本 😀\"");
    QTest::newRow("backslashes kept")
        << QByteArray("C:\\games\\x41") << QByteArray("\"C:\\games\\x41\"");
    QTest::newRow("C0 controls") << QByteArray("\x1b[2J\n\t\r", 7)
                                 << QByteArray("\"\\x1B[2J\\x0A\\x09\\x0D\"");
    QTest::newRow("NUL") << QByteArray("a\0b", 3) << QByteArray("\"a\\x00b\"");
    QTest::newRow("DEL") << QByteArray("\x7f") << QByteArray("\"\\x7F\"");
    QTest::newRow("C1 controls: CSI and NEL") << QByteArray(
                                                     "\xc2\x9b"
                                                     "2J\xc2\x85")
                                              << QByteArray("\"\\xC2\\x9B2J\\xC2\\x85\"");
    QTest::newRow("first character past C1 kept")
        << QByteArray("\xc2\xa0") << QByteArray("\"\xc2\xa0\"");
    QTest::newRow("byte that is not UTF-8") << QByteArray("a\xff") << QByteArray("\"a\\xFF\"");
    QTest::newRow("overlong NUL") << QByteArray("\xc0\x80") << QByteArray("\"\\xC0\\x80\"");
    QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << QByteArray("\"\\xED\\xA0\\x80\"");
    QTest::newRow("past U+10FFFF")
        << QByteArray("\xf4\x90\x80\x80") << QByteArray("\"\\xF4\\x90\\x80\\x80\"");
    QTest::newRow("last code point kept")
        << QByteArray("\xf4\x8f\xbf\xbf") << QByteArray("\"\xf4\x8f\xbf\xbf\"");
    QTest::newRow("cut short at the end") << QByteArray("\xe6\x97") << QByteArray("\"\\xE6\\x97\"");
    QTest::newRow("lead byte, then ASCII") << QByteArray(
                                                  "\xe6"
                                                  "a\xc3\xa9")
                                           << QByteArray("\"\\xE6a\xc3\xa9\"");
}

void tst_Quote::quote() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, quoted);
    QCOMPARE(QByteArray::fromStdString(corvane::Quote(text.toStdString())), quoted);
}

QTEST_APPLESS_MAIN(tst_Quote)
#include "tst_quote.moc"
