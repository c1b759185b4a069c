// corvane-cli's contract, run as a separate process: output, JSON, exit status, and that a
// refused command leaves the file exactly as it was.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include "DemoFileFixture.h"

using corvane::test::DemoFileFixture;

namespace {

constexpr qint64 kTeams = 0x11A6814;
constexpr qint64 kExhibition = 0x11A756C;
constexpr qint64 kFont = 0x11A7538;

struct Result {
    int status = -1;
    QString out;
    QString err;
};

Result RunCli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(CORVANE_CLI), arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        return {};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The demo file of most rows: teams 100, 0, 1263, -1; Exhibition FF 80 00 C8; font 12 34 56 FF.
bool PrepareSample(const QString& path) {
    return corvane::test::PokeBytes(path, kTeams, QByteArray::fromHex("64000000EF04FFFF")) &&
           corvane::test::PokeBytes(path, kExhibition, QByteArray::fromHex("FF8000C8")) &&
           corvane::test::PokeBytes(path, kFont, QByteArray::fromHex("123456FF"));
}

}  // namespace

class tst_Cli : public QObject {
    Q_OBJECT

private slots:
    void showTable();
    void showJson();
    void set_data();
    void set();
    void refused_data();
    void refused();
    void help();
    void unwritableOutput_data();
    void unwritableOutput();
};

void tst_Cli::showTable() {
    DemoFileFixture demo(30);
    QVERIFY(demo.isValid());
    QVERIFY(PrepareSample(demo.path()));
    const Result r = RunCli({"show", demo.path()});
    QCOMPARE(r.err, QString());
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QString("Field       Value          Meaning\n"
                            "team 1      100            MANCHESTER UNITED\n"
                            "team 2      0              (not in the catalogue)\n"
                            "team 3      1263           PENAROL\n"
                            "team 4      -1             (not in the catalogue)\n"
                            "exhibition  255,128,0,200  colour 80FF, transparency 200\n"
                            "font        18,52,86,255   colour 563412, transparency 255\n"));
}

void tst_Cli::showJson() {
    DemoFileFixture demo(31);
    QVERIFY(demo.isValid());
    QVERIFY(PrepareSample(demo.path()));
    const QByteArray before = demo.bytes();
    const Result r = RunCli({"show", "--json", demo.path()});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.endsWith('\n'));
    QCOMPARE(r.out.count('\n'), 1);

    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonObject expected{
        {"teams", QJsonArray{QJsonObject{{"slot", 1}, {"id", 100}, {"name", "MANCHESTER UNITED"}},
                             QJsonObject{{"slot", 2}, {"id", 0}, {"name", QJsonValue::Null}},
                             QJsonObject{{"slot", 3}, {"id", 1263}, {"name", "PENAROL"}},
                             QJsonObject{{"slot", 4}, {"id", -1}, {"name", QJsonValue::Null}}}},
        {"exhibition",
         QJsonObject{
             {"red", 255}, {"green", 128}, {"blue", 0}, {"transparency", 200}, {"hex", "80FF"}}},
        {"font",
         QJsonObject{
             {"red", 18}, {"green", 52}, {"blue", 86}, {"transparency", 255}, {"hex", "563412"}}},
    };
    QCOMPARE(doc.object(), expected);
    QCOMPARE(corvane::test::FirstDifference(demo.bytes(), before), -1);  // show only reads
}

void tst_Cli::set_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("teams");
    QTest::addColumn<QByteArray>("exhibition");
    QTest::addColumn<QByteArray>("font");
    const QByteArray teams = QByteArray::fromHex("64000000EF04FFFF");
    const QByteArray exhibition = QByteArray::fromHex("FF8000C8");
    const QByteArray font = QByteArray::fromHex("123456FF");

    QTest::newRow("no option rewrites the same") << QStringList() << teams << exhibition << font;
    QTest::newRow("team by number")
        << QStringList{"--team2", "327"} << QByteArray::fromHex("640047 01EF04FFFF") << exhibition
        << font;
    QTest::newRow("negative team") << QStringList{"--team1", "-1"}
                                   << QByteArray::fromHex("FFFF0000EF04FFFF") << exhibition << font;
    QTest::newRow("team with = and rounding")
        << QStringList{"--team4=12.5"} << QByteArray::fromHex("64000000EF040C00") << exhibition
        << font;
    QTest::newRow("team by name") << QStringList{"--team3", "SANTOS", "--team1", "A.C. MILAN"}
                                  << QByteArray::fromHex("79000000E604FFFF") << exhibition << font;
    QTest::newRow("colours with blanks and fractions")
        << QStringList{"--exhibition", " 0, 0 ,255,13.5", "--font", "1,2,3,4"} << teams
        << QByteArray::fromHex("0000FF0E") << QByteArray::fromHex("01020304");
    QTest::newRow("everything") << QStringList{"--team1",       "100",     "--team2",
                                               "121",           "--team3", "327",
                                               "--team4",       "192",     "--exhibition",
                                               "255,128,0,200", "--font",  "18,52,86,255"}
                                << QByteArray::fromHex("6400790047 01C000") << exhibition << font;
}

void tst_Cli::set() {
    QFETCH(QStringList, options);
    QFETCH(QByteArray, teams);
    QFETCH(QByteArray, exhibition);
    QFETCH(QByteArray, font);
    // A non-ASCII folder and file name check the path's way from the command line.
    DemoFileFixture demo(32, corvane::test::kDemoFileSize, QString::fromUtf8("pès ✓ 日本.exe"));
    QVERIFY(demo.isValid());
    QVERIFY(PrepareSample(demo.path()));
    QByteArray expected = demo.bytes();
    expected.replace(kTeams, 8, teams);
    expected.replace(kExhibition, 4, exhibition);
    expected.replace(kFont, 4, font);

    const Result r = RunCli(QStringList{"set", demo.path()} + options);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.out, QString());
    QCOMPARE(r.status, 0);
    QCOMPARE(corvane::test::FirstDifference(demo.bytes(), expected), -1);
}

void tst_Cli::refused_data() {
    QTest::addColumn<QStringList>("arguments");  // FILE stands for the demo file's path
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");  // %1 is the quoted path

    QTest::newRow("team out of range")
        << QStringList{"set", "FILE", "--team1", "5", "--team2", "40000"} << 2
        << "team 2: \"40000\" is not a whole number from -32768 to 32767 or a club name of the "
           "catalogue";
    QTest::newRow("club name in lower case")
        << QStringList{"set", "FILE", "--team3", "penarol"} << 2
        << "team 3: \"penarol\" is not a whole number from -32768 to 32767 or a club name of the "
           "catalogue";
    QTest::newRow("component out of range")
        << QStringList{"set", "FILE", "--font", "1,256,3,4"} << 2
        << "font green: \"256\" is not a whole number from 0 to 255";
    QTest::newRow("transparency not a number")
        << QStringList{"set", "FILE", "--exhibition", "1,2,3,x"} << 2
        << "exhibition transparency: \"x\" is not a whole number from 0 to 255";
    QTest::newRow("empty component")
        << QStringList{"set", "FILE", "--exhibition", "1,,3,4"} << 2
        << "exhibition green: \"\" is not a whole number from 0 to 255";
    QTest::newRow("three components")
        << QStringList{"set", "FILE", "--font", "1,2,3"} << 2
        << "font: \"1,2,3\" is not four components R,G,B,A separated by commas";
    QTest::newRow("option given twice")
        << QStringList{"set", "FILE", "--team1", "1", "--team1", "2"} << 2
        << "--team1 is given more than once";
    QTest::newRow("set option to show") << QStringList{"show", "FILE", "--font", "1,2,3,4"} << 2
                                        << "--font is not an option of show";
    QTest::newRow("json to set") << QStringList{"set", "--json", "FILE"} << 2
                                 << "--json is not an option of set";
    QTest::newRow("unknown option")
        << QStringList{"set", "FILE", "--team5", "1"} << 2 << "Unknown option 'team5'.";
    QTest::newRow("option without value")
        << QStringList{"set", "FILE", "--team1"} << 2 << "Missing value after '--team1'.";
    QTest::newRow("no command") << QStringList{} << 2 << "no command given; see corvane-cli --help";
    QTest::newRow("unknown command")
        << QStringList{"get", "FILE"} << 2 << "unknown command \"get\"; see corvane-cli --help";
    QTest::newRow("no file") << QStringList{"show"} << 2 << "show takes exactly one FILE";
    QTest::newRow("two files") << QStringList{"set", "FILE", "FILE"} << 2
                               << "set takes exactly one FILE";
    QTest::newRow("missing file") << QStringList{"set", "FILE.missing", "--team1", "1"} << 1
                                  << "Cannot open %1: No such file or directory";
    QTest::newRow("directory") << QStringList{"show", "FOLDER"} << 1
                               << "Cannot open %1: Is a directory";
    QTest::newRow("short file") << QStringList{"set", "SHORT", "--team1", "1"} << 1
                                << "%1 is too short: it has 18511215 bytes, a demo executable "
                                   "needs at least 18511216";
}

void tst_Cli::refused() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    DemoFileFixture demo(33);
    QVERIFY(demo.isValid());
    const QString shortFile = demo.dirPath() + "/short.exe";
    QVERIFY(corvane::test::WriteDemoFile(shortFile, 34, corvane::test::kDemoFileSize - 1));
    const QByteArray before = demo.bytes();
    const QByteArray shortBefore = corvane::test::ReadWholeFile(shortFile);
    const QStringList entriesBefore = QDir(demo.dirPath()).entryList();

    QString named;
    for (QString& argument : arguments) {
        if (argument.startsWith("FILE")) {
            argument.replace("FILE", demo.path());
        } else if (argument == "FOLDER") {
            argument = demo.dirPath();
        } else if (argument == "SHORT") {
            argument = shortFile;
        } else {
            continue;
        }
        named = argument;
    }

    const Result r = RunCli(arguments);
    QCOMPARE(r.status, status);
    QCOMPARE(r.out, QString());
    QCOMPARE(r.err, "corvane-cli: " +
                        (message.contains("%1") ? message.arg('"' + named + '"') : message) + "\n");
    QCOMPARE(corvane::test::FirstDifference(demo.bytes(), before), -1);
    QCOMPARE(corvane::test::FirstDifference(corvane::test::ReadWholeFile(shortFile), shortBefore),
             -1);
    QCOMPARE(QDir(demo.dirPath()).entryList(), entriesBefore);  // nothing created
}

void tst_Cli::help() {
    const Result r = RunCli({"--help"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QString());
    QVERIFY(r.out.startsWith("Usage: corvane-cli show [--json] FILE\n"));
    for (const char* option :
         {"--team1 <T>", "--team4 <T>", "--exhibition <R,G,B,A>", "--font <R,G,B,A>", "--json"}) {
        QVERIFY2(r.out.contains(option), option);
    }
}

// Output that cannot be written is a failure, never a silent success.
void tst_Cli::unwritableOutput_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("show") << QStringList{"show"};
    QTest::newRow("show --json") << QStringList{"show", "--json"};
    QTest::newRow("--help") << QStringList{"--help"};
}

void tst_Cli::unwritableOutput() {
    QFETCH(QStringList, arguments);
    if (!QFileInfo::exists("/dev/full")) {
        QSKIP("no /dev/full here");
    }
    corvane::test::DemoFileFixture demo(41);
    QVERIFY(demo.isValid());
    if (arguments.first() == "show") {
        arguments << demo.path();
    }
    QProcess process;
    process.setStandardOutputFile("/dev/full");
    process.start(QStringLiteral(CORVANE_CLI), arguments);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
             QStringLiteral("corvane-cli: cannot write the output to standard output\n"));
}

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_cli.moc"
