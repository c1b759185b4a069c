// corvane-cli's contract, run as a separate process: output, JSON, exit status, and every byte
// and the size of every file a command is given or finds beside it. The program is a command
// prefix given after "--" (without one, the native build), so CTest runs the same rows against
// the native program and, under Wine, against corvane-cli.exe. Rows whose system message
// differs carry each platform's own text (Wine's wording for Windows).
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <memory>

#include "tests/app/cli/CliRunner.h"
#include "tests/app/cli/FolderSnapshot.h"
#include "tests/support/DemoFileFixture.h"

using corvane::test::CliRun;
using corvane::test::CliRunner;
using corvane::test::DemoFileFixture;
using corvane::test::FolderSnapshot;
using corvane::test::kExhibitionSlot;
using corvane::test::kFontSlot;
using corvane::test::kTeams;
using corvane::test::RunOptions;

namespace {

// What `show` prints for PrepareSample's values.
const QString kSampleTable =
    "Field       Value          Meaning\n"
    "team 1      100            MANCHESTER UNITED\n"
    "team 2      0              (not in the catalogue)\n"
    "team 3      1263           PENAROL\n"
    "team 4      -1             (not in the catalogue)\n"
    "exhibition  255,128,0,200  colour 80FF, transparency 200\n"
    "font        18,52,86,255   colour 563412, transparency 255\n";

// The demo file of most rows: teams 100, 0, 1263, -1; Exhibition FF 80 00 C8; font 12 34 56 FF.
bool PrepareSample(const QString& path) {
    return corvane::test::PokeBytes(path, kTeams, QByteArray::fromHex("64000000EF04FFFF")) &&
           corvane::test::PokeBytes(path, kExhibitionSlot, QByteArray::fromHex("FF8000C8")) &&
           corvane::test::PokeBytes(path, kFontSlot, QByteArray::fromHex("123456FF"));
}

QByteArray Bytes(const std::string& text) {
    return QByteArray::fromStdString(text);
}

QString Text(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

// A demo file at a path that may not be UTF-8 (QFile cannot name it): made under a plain name,
// then renamed.
bool MakeDemoFile(const std::filesystem::path& path, quint32 seed, qint64 size, bool sample) {
    const std::filesystem::path plain = path.parent_path() / "making.tmp";
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (!corvane::test::WriteDemoFile(Text(plain), seed, size) ||
        (sample && !PrepareSample(Text(plain)))) {
        return false;
    }
    std::filesystem::rename(plain, path, ec);
    return !ec;
}

// One row of tst_Cli::files.
struct FileRow {
    QByteArray name = "pes2012.exe";  // the named file, relative to the row's folder
    QString kind = "demo";            // demo, short, missing, folder, readonly, held
    QByteArrayList neighbours{};      // demo files beside it
    QByteArrayList arguments{};       // FILE stands for the named file's path
    QString closed{};                 // standard descriptors closed: "in", "out", "err"
    int status = 0;
    QString linux{};    // the message; %1 is the quoted path
    QString windows{};  // the same under Wine, when it differs
    QString shown{};    // how a message shows the name, when not as given
    QString onlyOn{};   // "linux" or "windows": the row runs only there...
    QString why{};      // ...for this reason
};

}  // namespace

Q_DECLARE_METATYPE(FileRow)

class tst_Cli : public QObject {
    Q_OBJECT

public:
    explicit tst_Cli(CliRunner cli) : m_cli(std::move(cli)) {}

private slots:
    void showTable();
    void showJson();
    void set_data();
    void set();
    void refused_data();
    void refused();
    void files_data();
    void files();
    void help();
    void unwritableOutput_data();
    void unwritableOutput();
    void console();

private:
    CliRun Run(const QByteArrayList& arguments, const RunOptions& options = {}) const {
        return m_cli.Run(arguments, options);
    }
    QByteArray Arg(const QString& path) const {
        return Bytes(m_cli.Native(corvane::test::ToPath(path)));
    }

    CliRunner m_cli;
};

void tst_Cli::showTable() {
    DemoFileFixture demo(30);
    QVERIFY(demo.isValid());
    QVERIFY(PrepareSample(demo.path()));
    const CliRun r = Run({"show", Arg(demo.path())});
    QCOMPARE(QString::fromUtf8(r.err), QString());
    QCOMPARE(r.status, 0);
    QCOMPARE(QString::fromUtf8(r.out), kSampleTable);
}

void tst_Cli::showJson() {
    DemoFileFixture demo(31);
    QVERIFY(demo.isValid());
    QVERIFY(PrepareSample(demo.path()));
    const FolderSnapshot files(corvane::test::ToPath(demo.dirPath()));
    const CliRun r = Run({"show", "--json", Arg(demo.path())});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.endsWith('\n'));
    QCOMPARE(r.out.count('\n'), 1);

    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
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
    // One line, keys in alphabetical order, no blanks: the form scripts have been given.
    QVERIFY(r.out.startsWith(R"({"exhibition":{"blue":0,"green":128,"hex":"80FF","red":255,)"));
    const QString difference = files.Difference();  // show only reads
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void tst_Cli::set_data() {
    QTest::addColumn<QByteArrayList>("options");
    QTest::addColumn<QByteArray>("teams");
    QTest::addColumn<QByteArray>("exhibition");
    QTest::addColumn<QByteArray>("font");
    const QByteArray teams = QByteArray::fromHex("64000000EF04FFFF");
    const QByteArray exhibition = QByteArray::fromHex("FF8000C8");
    const QByteArray font = QByteArray::fromHex("123456FF");

    QTest::newRow("no option rewrites the same") << QByteArrayList() << teams << exhibition << font;
    QTest::newRow("team by number")
        << QByteArrayList{"--team2", "327"} << QByteArray::fromHex("640047 01EF04FFFF")
        << exhibition << font;
    QTest::newRow("negative team") << QByteArrayList{"--team1", "-1"}
                                   << QByteArray::fromHex("FFFF0000EF04FFFF") << exhibition << font;
    QTest::newRow("team with = and rounding")
        << QByteArrayList{"--team4=12.5"} << QByteArray::fromHex("64000000EF040C00") << exhibition
        << font;
    QTest::newRow("team by name") << QByteArrayList{"--team3", "SANTOS", "--team1", "A.C. MILAN"}
                                  << QByteArray::fromHex("79000000E604FFFF") << exhibition << font;
    QTest::newRow("colours with blanks and fractions")
        << QByteArrayList{"--exhibition", " 0, 0 ,255,13.5", "--font", "1,2,3,4"} << teams
        << QByteArray::fromHex("0000FF0E") << QByteArray::fromHex("01020304");
    QTest::newRow("everything") << QByteArrayList{"--team1",       "100",     "--team2",
                                                  "121",           "--team3", "327",
                                                  "--team4",       "192",     "--exhibition",
                                                  "255,128,0,200", "--font",  "18,52,86,255"}
                                << QByteArray::fromHex("6400790047 01C000") << exhibition << font;
}

void tst_Cli::set() {
    QFETCH(QByteArrayList, options);
    QFETCH(QByteArray, teams);
    QFETCH(QByteArray, exhibition);
    QFETCH(QByteArray, font);
    // A non-ASCII folder and file name check the path's way from the command line.
    DemoFileFixture demo(32, corvane::test::kDemoFileSize, QString::fromUtf8("pès ✓ 日本.exe"));
    QVERIFY(demo.isValid());
    QVERIFY(PrepareSample(demo.path()));
    FolderSnapshot files(corvane::test::ToPath(demo.dirPath()));
    const std::string name = QFile::encodeName(QFileInfo(demo.path()).fileName()).toStdString();
    files.Expect(name, kTeams, teams);
    files.Expect(name, kExhibitionSlot, exhibition);
    files.Expect(name, kFontSlot, font);

    const CliRun r = Run(QByteArrayList{"set", Arg(demo.path())} + options);
    QCOMPARE(QString::fromUtf8(r.err), QString());
    QCOMPARE(QString::fromUtf8(r.out), QString());
    QCOMPARE(r.status, 0);
    const QString difference = files.Difference();
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

// Command lines refused before any file is opened.
void tst_Cli::refused_data() {
    QTest::addColumn<QByteArrayList>("arguments");  // FILE stands for the demo file's path
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("linuxOnly");  // why the row cannot run on Windows

    QTest::newRow("team out of range")
        << QByteArrayList{"set", "FILE", "--team1", "5", "--team2", "40000"}
        << "team 2: \"40000\" is not a whole number from -32768 to 32767 or a club name of the "
           "catalogue"
        << "";
    QTest::newRow("club name in lower case")
        << QByteArrayList{"set", "FILE", "--team3", "penarol"}
        << "team 3: \"penarol\" is not a whole number from -32768 to 32767 or a club name of the "
           "catalogue"
        << "";
    QTest::newRow("component out of range")
        << QByteArrayList{"set", "FILE", "--font", "1,256,3,4"}
        << "font green: \"256\" is not a whole number from 0 to 255"
        << "";
    QTest::newRow("transparency not a number")
        << QByteArrayList{"set", "FILE", "--exhibition", "1,2,3,x"}
        << "exhibition transparency: \"x\" is not a whole number from 0 to 255"
        << "";
    QTest::newRow("empty component") << QByteArrayList{"set", "FILE", "--exhibition", "1,,3,4"}
                                     << "exhibition green: \"\" is not a whole number from 0 to 255"
                                     << "";
    QTest::newRow("empty team") << QByteArrayList{"set", "FILE", "--team1", ""}
                                << "team 1: \"\" is not a whole number from -32768 to 32767 or a "
                                   "club name of the catalogue"
                                << "";
    QTest::newRow("three components")
        << QByteArrayList{"set", "FILE", "--font", "1,2,3"}
        << "font: \"1,2,3\" is not four components R,G,B,A separated by commas"
        << "";
    QTest::newRow("five components")
        << QByteArrayList{"set", "FILE", "--font", "1,2,3,4,"}
        << "font: \"1,2,3,4,\" is not four components R,G,B,A separated by commas"
        << "";
    QTest::newRow("option given twice")
        << QByteArrayList{"set", "FILE", "--team1", "1", "--team1", "2"}
        << "--team1 is given more than once"
        << "";
    QTest::newRow("flag given twice")
        << QByteArrayList{"show", "--json", "FILE", "--json"} << "--json is given more than once"
        << "";
    QTest::newRow("set option to show")
        << QByteArrayList{"show", "FILE", "--font", "1,2,3,4"} << "--font is not an option of show"
        << "";
    QTest::newRow("json to set") << QByteArrayList{"set", "--json", "FILE"}
                                 << "--json is not an option of set"
                                 << "";
    QTest::newRow("unknown option") << QByteArrayList{"set", "FILE", "--team5", "1"}
                                    << "unknown option \"--team5\"; see corvane-cli --help"
                                    << "";
    QTest::newRow("unknown short option")
        << QByteArrayList{"show", "-x", "FILE"} << "unknown option \"-x\"; see corvane-cli --help"
        << "";
    QTest::newRow("option without value")
        << QByteArrayList{"set", "FILE", "--team1"} << "--team1 needs a value"
        << "";
    // Each with the text as it was typed, which CLI11 alone would read as another option.
    QTest::newRow("flag with a value")
        << QByteArrayList{"show", "--json=yes", "FILE"} << "\"--json=yes\": --json takes no value"
        << "";
    QTest::newRow("flag with an empty value")
        << QByteArrayList{"show", "--json=", "FILE"} << "\"--json=\": --json takes no value"
        << "";
    QTest::newRow("short flag with a value")
        << QByteArrayList{"-v=1"} << "\"-v=1\": -v takes no value"
        << "";
    QTest::newRow("short flag with a value attached")
        << QByteArrayList{"-v1"} << "\"-v1\": -v takes no value"
        << "";
    QTest::newRow("no command") << QByteArrayList{} << "no command given; see corvane-cli --help"
                                << "";
    QTest::newRow("unknown command")
        << QByteArrayList{"get", "FILE"} << "unknown command \"get\"; see corvane-cli --help"
        << "";
    QTest::newRow("no file") << QByteArrayList{"show"} << "show takes exactly one FILE"
                             << "";
    QTest::newRow("two files") << QByteArrayList{"set", "FILE", "FILE"}
                               << "set takes exactly one FILE"
                               << "";
    QTest::newRow("option after --")
        << QByteArrayList{"set", "FILE", "--", "--team1"} << "set takes exactly one FILE"
        << "";

    // Text the user gave is quoted with its control characters escaped, so that a message
    // stays one line and cannot drive the terminal.
    QTest::newRow("escape sequence as command")
        << QByteArrayList{"\x1b[2J"} << "unknown command \"\\x1B[2J\"; see corvane-cli --help"
        << "";
    QTest::newRow("newline in a colour")
        << QByteArrayList{"set", "FILE", "--font", "1,2\n3"}
        << "font: \"1,2\\x0A3\" is not four components R,G,B,A separated by commas"
        << "";
    QTest::newRow("escape sequence as option")
        << QByteArrayList{"set", "FILE", "--\x1b]0;title\x07"}
        << "unknown option \"--\\x1B]0;title\\x07\"; see corvane-cli --help"
        << "";
    QTest::newRow("escape sequence in a club name")
        << QByteArrayList{"set", "FILE", "--team2", "\x1b[31mPENAROL"}
        << "team 2: \"\\x1B[31mPENAROL\" is not a whole number from -32768 to 32767 or a club "
           "name of the catalogue"
        << "";
    QTest::newRow("C1 control in a component")
        << QByteArrayList{"set", "FILE", "--exhibition",
                          "1,2,3,\xc2\x9b"
                          "2J"}
        << "exhibition transparency: \"\\xC2\\x9B2J\" is not a whole number from 0 to 255"
        << "";
    QTest::newRow("tab and DEL in a command")
        << QByteArrayList{"s\tet\x7f", "FILE"}
        << "unknown command \"s\\x09et\\x7F\"; see corvane-cli --help"
        << "";
    QTest::newRow("value that is not UTF-8")
        << QByteArrayList{"set", "FILE", "--team1", "1\xff\xc3"}
        << "team 1: \"1\\xFF\\xC3\" is not a whole number from -32768 to 32767 or a club name of "
           "the catalogue"
        << "a Windows command line is UTF-16 and cannot hold these bytes";
}

void tst_Cli::refused() {
    QFETCH(QByteArrayList, arguments);
    QFETCH(QString, message);
    QFETCH(QString, linuxOnly);
    if (!linuxOnly.isEmpty() && m_cli.windows()) {
        QSKIP(qPrintable(linuxOnly));
    }
    DemoFileFixture demo(33);
    QVERIFY(demo.isValid());
    const std::filesystem::path folder = corvane::test::ToPath(demo.dirPath());
    const FolderSnapshot before(folder);
    for (QByteArray& argument : arguments) {
        if (argument == "FILE") {
            argument = Arg(demo.path());
        }
    }

    const CliRun r = Run(arguments);
    QCOMPARE(r.status, 2);
    QCOMPARE(QString::fromUtf8(r.out), QString());
    QCOMPARE(QString::fromUtf8(r.err), "corvane-cli: " + message + "\n");
    QCOMPARE(r.err.count('\n'), 1);
    const QString difference = before.Difference();
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

// Commands on real files of every kind, each in a folder of its own: the exit status, the exact
// output or message, and every byte and the size of every file in the folder afterwards. Only
// a `set` that succeeds changes anything: team slot 1 of the named file, to 5.
void tst_Cli::files_data() {
    QTest::addColumn<FileRow>("row");
    const auto add = [](const char* title, const FileRow& row) { QTest::newRow(title) << row; };
    const QByteArrayList set{"set", "FILE", "--team1", "5"};
    const QByteArrayList show{"show", "FILE"};
    const QString noSuchFile = "Cannot open %1: No such file or directory";
    const QString fileNotFound = "Cannot open %1: File not found";

    add("demo file: show", {.arguments = show});
    add("demo file: set", {.arguments = set});
    add("missing file", {.kind = "missing",
                         .arguments = set,
                         .status = 1,
                         .linux = noSuchFile,
                         .windows = fileNotFound});
    for (const auto& [title, arguments] :
         {std::pair{"directory: show", show}, std::pair{"directory: set", set}}) {
        add(title, {.kind = "folder",
                    .arguments = arguments,
                    .status = 1,
                    .linux = "Cannot open %1: Is a directory",
                    .windows = "Cannot open %1: it is a folder, not a file"});
    }
    const QString tooShort =
        "%1 is too short: it has 18511215 bytes, a demo executable needs at least 18511216";
    add("short file: show", {.kind = "short", .arguments = show, .status = 1, .linux = tooShort});
    add("short file: set", {.kind = "short", .arguments = set, .status = 1, .linux = tooShort});

    // Names in several scripts, in a folder with a non-ASCII name; the emoji is a surrogate
    // pair in UTF-16.
    const QByteArray scripts = "Démo ✓/Ελλάδα Россия 日本 العربية हिन्दी ⚽😀.exe";
    add("several scripts: show", {.name = scripts, .arguments = show});
    add("several scripts: set", {.name = scripts, .arguments = set});
    add("several scripts: missing", {.name = scripts + ".old",
                                     .kind = "missing",
                                     .neighbours = {scripts},
                                     .arguments = set,
                                     .status = 1,
                                     .linux = noSuchFile,
                                     .windows = fileNotFound});

    // Over 260 characters, Windows' old limit (MAX_PATH), which the \\?\ form lifts.
    const QByteArray deep = QByteArray(100, 'a') + '/' + QByteArray(100, 'b') + '/' +
                            QByteArray(100, 'c') + "/pes2012.exe";
    add("path over 260 characters: show", {.name = deep, .arguments = show});
    add("path over 260 characters: set", {.name = deep, .arguments = set});
    add("path over 260 characters: missing folder",
        {.name = QByteArray(deep).replace("/pes", "/gone/pes"),
         .kind = "missing",
         .neighbours = {deep},
         .arguments = set,
         .status = 1,
         .linux = noSuchFile,
         .windows = "Cannot open %1: Path not found"});
    add("path given in the \\\\?\\ form", {.name = deep,
                                           .arguments = {"set", "\\\\?\\FILE", "--team1", "5"},
                                           .onlyOn = "windows",
                                           .why = "the \\\\?\\ form is Windows' own"});

    // Two names that one lossy conversion would make the same: the command must reach the file
    // named, never its neighbour.
    const QString utf16 = "a Windows command line is UTF-16 and cannot hold this name";
    add("name not UTF-8: set", {.name = "decoy\xff.bin",
                                .neighbours = {"decoy\xef\xbf\xbd.bin"},
                                .arguments = set,
                                .onlyOn = "linux",
                                .why = utf16});
    add("name not UTF-8: show", {.name = "decoy\xff.bin",
                                 .neighbours = {"decoy\xef\xbf\xbd.bin"},
                                 .arguments = show,
                                 .onlyOn = "linux",
                                 .why = utf16});
    add("name not UTF-8: missing", {.name = "gone\xff.bin",
                                    .kind = "missing",
                                    .neighbours = {"gone\xef\xbf\xbd.bin"},
                                    .arguments = set,
                                    .status = 1,
                                    .linux = noSuchFile,
                                    .shown = "gone\\xFF.bin",
                                    .onlyOn = "linux",
                                    .why = utf16});
    add("name outside the ANSI code page",
        {.name = "decoyĀ.bin", .neighbours = {"decoyA.bin"}, .arguments = set});
    add("control character in the name", {.name = "line\nbreak.exe",
                                          .kind = "missing",
                                          .arguments = set,
                                          .status = 1,
                                          .linux = noSuchFile,
                                          .windows = "Cannot open %1: Invalid name",
                                          .shown = "line\\x0Abreak.exe"});

    // Names Windows would read as another file or as a device are refused by name, before
    // anything is opened: Windows drops a dot or a blank at the end of a name, so "x.exe."
    // would reach its neighbour "x.exe"; a reserved device name (in any case, with any
    // extension) and the device namespace \\.\ would open a device (a serial port, the
    // console). On Linux the same names are plain files.
    const QString windowsNames = "only Windows reads these names as another file or a device";
    add("name ending in a dot", {.name = "x.exe.",
                                 .neighbours = {"x.exe"},
                                 .arguments = set,
                                 .status = 1,
                                 .windows = "Cannot open %1: its name ends in a dot or a space, "
                                            "which Windows would drop, opening another file",
                                 .onlyOn = "windows",
                                 .why = windowsNames});
    add("folder name ending in a space",
        {.name = "dir /x.exe",
         .neighbours = {"dir/x.exe"},
         .arguments = set,
         .status = 1,
         .windows = "Cannot open %1: a folder in it ends in a dot or a space, which Windows "
                    "would drop, opening another folder",
         .onlyOn = "windows",
         .why = windowsNames});
    add("device name COM1", {.name = "COM1",
                             .kind = "missing",
                             .arguments = set,
                             .status = 1,
                             .windows = "Cannot open %1: \"COM1\" is the name of a Windows "
                                        "device, not of a file",
                             .onlyOn = "windows",
                             .why = windowsNames});
    add("device name con.txt", {.name = "con.txt",
                                .kind = "missing",
                                .arguments = show,
                                .status = 1,
                                .windows = "Cannot open %1: \"CON\" is the name of a Windows "
                                           "device, not of a file",
                                .onlyOn = "windows",
                                .why = windowsNames});
    add("the device namespace \\\\.\\",
        {.arguments = {"set", "\\\\.\\FILE", "--team1", "5"},
         .status = 1,
         .windows = "Cannot open %1: it is a device path, not a file",
         .onlyOn = "windows",
         .why = windowsNames});

    // The read-only attribute on Windows, no write permission on Linux; run by a user who may
    // not write the file (root may write anything, and Wine running as root does too).
    add("read-only file: show", {.kind = "readonly", .arguments = show});
    add("read-only file: set", {.kind = "readonly",
                                .arguments = set,
                                .status = 1,
                                .linux = "Cannot open %1: Permission denied",
                                .windows = "Cannot open %1: Access denied"});

    // Another Windows program holds the file open for writing and shares nothing (a running
    // game): both commands are refused and nothing is written.
    const QString noShareModes =
        "Linux has no share modes; the file layer's locks are attacked in tests/proof";
    for (const auto& [title, arguments] : {std::pair{"held open by another program: show", show},
                                           std::pair{"held open by another program: set", set}}) {
        add(title, {.kind = "held",
                    .arguments = arguments,
                    .status = 1,
                    .windows = "Cannot open %1: it is in use by another program",
                    .onlyOn = "windows",
                    .why = noShareModes});
    }

    // With a standard descriptor closed, the file would be opened as that descriptor and
    // receive what is printed; /dev/null takes its place at start.
    const QString handles = "Windows hands out handles, not the lowest free descriptor";
    add("closed standard streams: set", {.neighbours = {"neighbour.exe"},
                                         .arguments = set,
                                         .closed = "in out err",
                                         .onlyOn = "linux",
                                         .why = handles});
    add("closed standard error: short file", {.kind = "short",
                                              .arguments = set,
                                              .closed = "err",
                                              .status = 1,
                                              .onlyOn = "linux",
                                              .why = handles});
    add("closed standard output: show", {.arguments = show,
                                         .closed = "out",
                                         .status = 1,
                                         .linux = "cannot write the output to standard output",
                                         .onlyOn = "linux",
                                         .why = handles});
}

void tst_Cli::files() {
    QFETCH(FileRow, row);
    QByteArrayList arguments = row.arguments;
    if (!row.onlyOn.isEmpty() && (row.onlyOn == "windows") != m_cli.windows()) {
        QSKIP(qPrintable(row.why));
    }

    if (row.kind == "readonly") {
        const QString obstacle = m_cli.UnprivilegedObstacle();
        if (!obstacle.isEmpty()) {
            QSKIP(qPrintable(obstacle));
        }
    }

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::filesystem::path folder = corvane::test::ToPath(dir.path());
    // QTemporaryDir cannot remove a name that is not UTF-8; std::filesystem can.
    const std::unique_ptr<const std::filesystem::path, void (*)(const std::filesystem::path*)>
        removeFolder(&folder, [](const std::filesystem::path* p) {
            std::error_code ec;
            std::filesystem::remove_all(*p, ec);
        });
    const std::filesystem::path target = folder / row.name.toStdString();
    quint32 seed = 60;
    for (const QByteArray& neighbour : row.neighbours) {
        QVERIFY(MakeDemoFile(folder / neighbour.toStdString(), ++seed, corvane::test::kDemoFileSize,
                             true));
    }
    if (row.kind == "folder") {
        QVERIFY(std::filesystem::create_directories(target));
    } else if (row.kind != "missing") {
        const qint64 size = corvane::test::kDemoFileSize - (row.kind == "short" ? 1 : 0);
        QVERIFY(MakeDemoFile(target, 50, size, row.kind != "short"));
    }

    const QByteArray path = Bytes(m_cli.Native(target));
    if (row.kind == "readonly") {
        if (m_cli.windows()) {
            QProcess attrib;
            const QStringList command =
                m_cli.WindowsCommand(qEnvironmentVariable("CORVANE_WINDOWS_FILETOOL"),
                                     {"readonly", QString::fromUtf8(path)});
            attrib.start(command.first(), command.mid(1));
            QVERIFY(attrib.waitForFinished(60000));
            QCOMPARE(attrib.exitCode(), 0);
        } else {
            QVERIFY(::chmod(target.c_str(), 0444) == 0);
        }
        // The unprivileged user must reach the file.
        for (auto at = target.parent_path(); at != folder.parent_path(); at = at.parent_path()) {
            QVERIFY(::chmod(at.c_str(), 0755) == 0);
        }
    }
    QProcess holder;
    if (row.kind == "held") {
        const QStringList command = m_cli.WindowsCommand(
            qEnvironmentVariable("CORVANE_WINDOWS_FILETOOL"), {"hold", QString::fromUtf8(path)});
        holder.start(command.first(), command.mid(1));
        QVERIFY(holder.waitForReadyRead(60000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));  // "held\r\n" from Windows
    }
    FolderSnapshot files(folder);

    QByteArray given;
    for (QByteArray& argument : arguments) {
        if (argument.contains("FILE")) {
            argument.replace("FILE", path);
            given = argument;
        }
    }
    RunOptions options;
    options.closeIn = row.closed.contains("in");
    options.closeOut = row.closed.contains("out");
    options.closeErr = row.closed.contains("err");
    options.unprivileged = row.kind == "readonly";
    const QString openLog = dir.path() + ".opens";  // outside the folder the row checks
    if (!row.closed.isEmpty()) {
        options.environment = {
            "LD_PRELOAD=" CORVANE_FAULT_LIBRARY,
            "CORVANE_FAULT_LOG=" + QFile::encodeName(openLog).toStdString(),
            // The sanitizer build's runtime would refuse to come after a preloaded library.
            "ASAN_OPTIONS=" + qEnvironmentVariable("ASAN_OPTIONS").toStdString() +
                ":verify_asan_link_order=0"};
    }
    const CliRun r = Run(arguments, options);
    if (!row.closed.isEmpty()) {
        // The file was opened, and never as a standard descriptor that a message could reach.
        // The log has a "FD open PATH" line for each open; the path may be relative to a folder.
        QFile log(openLog);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArrayList lines = log.readAll().split('\n');
        log.remove();
        const QByteArray name = Bytes(target.filename().string());
        int opened = 0;
        for (const QByteArray& line : lines) {
            const qsizetype space = line.indexOf(" open ");
            const QByteArray path = line.mid(space + 6);
            const int fd = line.left(space).toInt();
            if (space > 0 && fd >= 0 && (path == Bytes(target.string()) || path == name)) {
                ++opened;
                QVERIFY2(fd > 2, "the demo file was opened as descriptor " + line.left(space));
            }
        }
        QVERIFY(opened > 0);
    }

    if (row.kind == "held") {
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(60000));
        QCOMPARE(holder.exitCode(), 0);
    }

    // The path as the message shows it: as given, or with the name spelled as the row says.
    QString quoted = QString::fromUtf8(given);
    if (!row.shown.isEmpty()) {
        quoted = QString::fromUtf8(given.left(given.size() - row.name.size())) + row.shown;
    }
    const QString message = m_cli.windows() && !row.windows.isEmpty() ? row.windows : row.linux;
    const bool isSet = arguments.first() == "set";
    QString expected = QString("status %1\n").arg(row.status);
    if (row.status == 0) {
        expected += isSet ? QString() : kSampleTable;
    } else if (!message.isEmpty() && !options.closeErr) {
        expected += "corvane-cli: " + QString(message).replace("%1", '"' + quoted + '"') + "\n";
    }
    // One comparison for status and output.
    QCOMPARE(QString("status %1\n").arg(r.status) + QString::fromUtf8(r.out + r.err), expected);

    if (row.status == 0 && isSet) {
        files.Expect(row.name.toStdString(), kTeams, QByteArray::fromHex("0500"));
    }
    const QString difference = files.Difference();
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void tst_Cli::help() {
    const CliRun r = Run({"--help"});
    QCOMPARE(r.status, 0);
    QCOMPARE(QString::fromUtf8(r.err), QString());
    QVERIFY(r.out.startsWith("Usage: corvane-cli show [--json] FILE\n"));
    for (const char* option :
         {"-h, --help", "--help-all", "-v, --version", "--team1 <T>", "--team4 <T>",
          "--exhibition <R,G,B,A>", "--font <R,G,B,A>", "--json"}) {
        QVERIFY2(r.out.contains(option), option);
    }
    // A console of 80 columns shows every line whole.
    for (const QByteArray& line : r.out.split('\n')) {
        QVERIFY2(line.size() < 80, line.constData());
    }
    QCOMPARE(Run({"--version"}).out, QByteArray("corvane-cli " CORVANE_VERSION "\n"));
}

// Output that cannot be written is a failure, never a silent success.
void tst_Cli::unwritableOutput_data() {
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::newRow("show") << QByteArrayList{"show"};
    QTest::newRow("show --json") << QByteArrayList{"show", "--json"};
    QTest::newRow("--help") << QByteArrayList{"--help"};
}

void tst_Cli::unwritableOutput() {
    QFETCH(QByteArrayList, arguments);
    if (!QFileInfo::exists("/dev/full")) {
        QSKIP("no /dev/full here");
    }
    corvane::test::DemoFileFixture demo(41);
    QVERIFY(demo.isValid());
    if (arguments.first() == "show") {
        arguments << Arg(demo.path());
    }
    RunOptions options;
    options.outputFile = "/dev/full";
    const CliRun r = Run(arguments, options);
    QCOMPARE(r.status, 1);
    QCOMPARE(QString::fromUtf8(r.err),
             QStringLiteral("corvane-cli: cannot write the output to standard output\n"));
}

// Windows: output to a console is written as UTF-16, so it shows whatever the console's code
// page. Code page 437 has none of these letters; UTF-8 bytes written to it would show as
// "DΓÇª". (Wine's console shows a surrogate pair as two U+FFFD, so the name stays in the BMP.)
void tst_Cli::console() {
    if (!m_cli.windows()) {
        QSKIP("the console is Windows' own; on Linux a terminal gets the UTF-8 bytes");
    }
    const std::string program = m_cli.Native(m_cli.Program());
    if (program.find(' ') != std::string::npos) {
        QSKIP("cmd /c cannot be given this program's path, which holds a blank");
    }
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string missing =
        m_cli.Native(corvane::test::ToPath(dir.path()) / "Démo-Ελλάδα-日本.exe");
    const CliRun r = m_cli.RunInConsole({"chcp", "437", ">nul", "&", program, "show", missing});
    // The terminal shows the console's text, with its cursor codes and \r\n line ends.
    QString shown = QString::fromUtf8(r.out);
    shown.remove(QRegularExpression("\x1b\\[[0-9;?]*[A-Za-z]")).remove('\r');
    QCOMPARE(shown, "corvane-cli: Cannot open \"" + QString::fromStdString(missing) +
                        "\": File not found\n");
    QCOMPARE(r.status, 1);
}

// tst_cli [Qt Test options] [-- PROGRAM...]: the words after "--" run corvane-cli.
int main(int argc, char* argv[]) {
    std::vector<std::string> prefix{CORVANE_CLI};
    int own = argc;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--") {
            own = i;
            prefix.assign(argv + i + 1, argv + argc);
            break;
        }
    }
    if (prefix.empty()) {
        std::fputs("tst_cli: nothing after --\n", stderr);
        return 2;
    }
    QCoreApplication app(own, argv);
    tst_Cli test{CliRunner(prefix)};
    return QTest::qExec(&test, own, argv);
}

#include "tst_cli.moc"
