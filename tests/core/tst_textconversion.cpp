// The save command's text rules: what counts as a number, rounding half to even, the ranges,
// and the wording of a rejection.
#include <QTest>

#include "core/Error.h"
#include "core/TextConversion.h"

using namespace corvane;

class tst_TextConversion : public QObject {
    Q_OBJECT

private slots:
    void convert_data();
    void convert();
};

namespace {
const QString kTeamRange = "is not a whole number from -32768 to 32767";
const QString kComponentRange = "is not a whole number from 0 to 255";
}  // namespace

void tst_TextConversion::convert_data() {
    QTest::addColumn<bool>("team");  // a team ID, else a colour component
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");  // ignored when rejected
    QTest::addColumn<bool>("accepted");

    auto team = [](const char* tag, const QByteArray& text, int value) {
        QTest::newRow(tag) << true << text << value << true;
    };
    auto component = [](const char* tag, const QByteArray& text, int value) {
        QTest::newRow(tag) << false << text << value << true;
    };
    auto teamRejects = [](const char* tag, const QByteArray& text) {
        QTest::newRow(tag) << true << text << 0 << false;
    };
    auto componentRejects = [](const char* tag, const QByteArray& text) {
        QTest::newRow(tag) << false << text << 0 << false;
    };

    team("plain", "100", 100);
    team("negative", "-1", -1);
    team("plus sign", "+5", 5);
    team("leading zeros", "00042", 42);
    team("blanks around", " \t 42 \t", 42);
    team("half down to even", "100.5", 100);
    team("half up to even", "101.5", 102);
    team("12.5", "12.5", 12);
    team("13.5", "13.5", 14);
    team("just above a half", "2.5000001", 3);
    team("just below a half", "2.4999999", 2);
    team("half with trailing zeros", "2.5000", 2);
    team("fraction alone", ".5", 0);
    team("fraction alone up", ".51", 1);
    team("negative half to even", "-2.5", -2);
    team("negative half away", "-3.5", -4);
    team("negative fraction to zero", "-0.4", 0);
    team("dot without fraction", "7.", 7);
    team("largest", "32767", 32767);
    team("largest rounded down", "32767.4", 32767);
    team("smallest", "-32768", -32768);
    team("smallest by rounding", "-32768.5", -32768);
    teamRejects("one past largest", "32768");
    teamRejects("rounds past largest", "32767.5");
    teamRejects("one below smallest", "-32769");
    teamRejects("40000", "40000");
    teamRejects("huge", "99999999999999999999999999");
    teamRejects("empty", "");
    teamRejects("blanks only", "   ");
    teamRejects("dot only", ".");
    teamRejects("sign only", "-");
    teamRejects("blank after sign", "- 5");
    teamRejects("two signs", "+-5");
    teamRejects("inner blank", "5 5");
    teamRejects("letters", "abc");
    teamRejects("trailing letter", "12a");
    teamRejects("exponent", "1e3");
    teamRejects("hex", "0x10");
    teamRejects("comma decimal", "1,5");
    teamRejects("two dots", "1.2.3");
    teamRejects("newline inside", "1\n2");

    component("zero", "0", 0);
    component("largest", "255", 255);
    component("half down", "254.5", 254);
    component("negative rounds to zero", "-0.4", 0);
    component("minus zero", "-0", 0);
    componentRejects("256", "256");
    componentRejects("rounds to 256", "255.5");
    componentRejects("negative", "-1");
    componentRejects("letters", "ff");
}

void tst_TextConversion::convert() {
    QFETCH(bool, team);
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    QFETCH(bool, accepted);
    const std::string_view view(text.constData(), text.size());
    const char* field = team ? "team 1" : "font green";

    try {
        const int value = team ? TextToTeamId(view, field) : TextToComponent(view, field);
        QVERIFY2(accepted, qPrintable(QString("accepted as %1").arg(value)));
        QCOMPARE(value, expected);
    } catch (const Error& e) {
        QVERIFY2(!accepted, e.what());
        // The text appears as given, with control characters spelled out.
        QByteArray shown = text;
        shown.replace("\n", "\\x0A");
        const QString message =
            QString("%1: \"%2\" %3")
                .arg(field, QString::fromUtf8(shown), team ? kTeamRange : kComponentRange);
        QCOMPARE(QString::fromUtf8(e.what()), message);
    }
}

QTEST_APPLESS_MAIN(tst_TextConversion)
#include "tst_textconversion.moc"
