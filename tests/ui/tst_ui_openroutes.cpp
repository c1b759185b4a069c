// The routes by which a file reaches Open besides choosing it in the dialog: `corvane FILE`,
// a name the dialog gives as text, and a drop on the window. Each opens exactly the file it
// names, or refuses with a message and changes nothing. The decoy pair, two files whose names
// differ only where one is not UTF-8, tells a file opened by its bytes from its neighbour.

#include <QDir>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <string>
#include <vector>

#include "editor/StartArguments.h"
#include "tests/support/DecoyPair.h"
#include "tests/support/WindowDriver.h"
#include "ui/FilePaths.h"

using namespace corvane;
using namespace corvane::test;

namespace {

const QString kNotOpened = QStringLiteral("The file was not opened; nothing has changed.");

// argv as main() receives it: the program's name, then the arguments' bytes.
struct Argv {
    explicit Argv(const QByteArrayList& arguments) {
        texts.push_back("corvane");
        for (const QByteArray& a : arguments) {
            texts.push_back(a.toStdString());
        }
        for (std::string& t : texts) {
            pointers.push_back(t.data());
        }
        pointers.push_back(nullptr);
    }
    int argc() const { return static_cast<int>(texts.size()); }
    std::vector<std::string> texts;
    std::vector<char*> pointers;
};

// The current folder for one test, put back afterwards.
struct InFolder {
    explicit InFolder(const QString& folder) : previous(QDir::currentPath()) {
        QDir::setCurrent(folder);
    }
    ~InFolder() { QDir::setCurrent(previous); }
    QString previous;
};

// After the named file opened: its values are shown, and a save writes it and nothing else.
void CheckNamedOpensAndSaves(WindowDriver& d, const DecoyPair& pair) {
    QCOMPARE(d.w->txt[0]->Text(), QString::number(DecoyPair::kNamedTeam));
    QCOMPARE(d.w->Combos[0]->Text(), QStringLiteral("CLUB AMERICA"));
    QCOMPARE(d.w->FileName(), FromFsPath(pair.named));
    QVERIFY(d.w->cmd_Save->isEnabled());
    d.Type(d.w->txt[0], QStringLiteral("121"));
    d.ClickSave();
    QCOMPARE(d.messages.shown.size(), 1);
    QCOMPARE(d.messages.shown[0].text, QStringLiteral("Ready!!!"));
    QVERIFY(pair.namedHoldsTeam(121));
    QVERIFY(pair.neighbourUnchanged());
}

}  // namespace

class tst_ui_openroutes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::UseFixedLook(); }

    // What the command line asks for. --help and --version win over anything before "--",
    // so that they answer without a display whatever else is given.
    void parseStartArguments_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("fileAt");  // argv's index of FILE, or -1
        QTest::addColumn<QString>("problem");
        QTest::addColumn<bool>("qtOptionsIn");  // read as main() reads it before QApplication
        using A = StartCommand::Action;
        const auto window = static_cast<int>(A::OpenWindow);
        const auto refuse = static_cast<int>(A::Refuse);
        QTest::newRow("nothing") << QByteArrayList{} << window << -1 << "" << false;
        QTest::newRow("a file") << QByteArrayList{"pes2012.exe"} << window << 1 << "" << false;
        QTest::newRow("--help") << QByteArrayList{"--help"} << static_cast<int>(A::PrintHelp) << -1
                                << "" << false;
        QTest::newRow("-h after an unknown option")
            << QByteArrayList{"--bogus", "-h"} << static_cast<int>(A::PrintHelp) << -1 << ""
            << false;
        QTest::newRow("--version with a file")
            << QByteArrayList{"pes2012.exe", "--version"} << static_cast<int>(A::PrintVersion) << -1
            << "" << false;
        QTest::newRow("-v") << QByteArrayList{"-v"} << static_cast<int>(A::PrintVersion) << -1 << ""
                            << false;
        QTest::newRow("--help after --")
            << QByteArrayList{"--", "--help"} << window << 2 << "" << false;
        QTest::newRow("a dash name after --")
            << QByteArrayList{"--", "-x.exe"} << window << 2 << "" << false;
        QTest::newRow("- is a name") << QByteArrayList{"-"} << window << 1 << "" << false;
        QTest::newRow("unknown option")
            << QByteArrayList{"--bogus", "pes2012.exe"} << refuse << -1
            << "unknown option \"--bogus\"; see corvane --help" << false;
        QTest::newRow("an escape in an option")
            << QByteArrayList{"-\x1b[2J"} << refuse << -1
            << "unknown option \"-\\x1B[2J\"; see corvane --help" << false;
        QTest::newRow("two files") << QByteArrayList{"a.exe", "--", "b.exe"} << refuse << -1
                                   << "only one FILE can be opened, and 2 were given; see "
                                      "corvane --help"
                                   << false;
        QTest::newRow("an empty name") << QByteArrayList{""} << refuse << -1
                                       << "the FILE given is empty; see corvane --help" << false;
        // Before QApplication has taken Qt's options out, they and their values are passed over;
        // anything else is refused then, so that a refusal needs no display.
        QTest::newRow("Qt's options") << QByteArrayList{"-style", "fusion",   "--platform",
                                                        "xcb",    "-reverse", "-stylesheet=a.qss",
                                                        "a.exe"}
                                      << window << 7 << "" << true;
        QTest::newRow("unknown option before Qt")
            << QByteArrayList{"-style", "fusion", "--bogus"} << refuse << -1
            << "unknown option \"--bogus\"; see corvane --help" << true;
        QTest::newRow("two files before Qt")
            << QByteArrayList{"a.exe", "-platform", "offscreen", "b.exe"} << refuse << -1
            << "only one FILE can be opened, and 2 were given; see corvane --help" << true;
    }

    void parseStartArguments() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(int, action);
        QFETCH(int, fileAt);
        QFETCH(QString, problem);
        QFETCH(bool, qtOptionsIn);
        Argv argv(arguments);
        const StartCommand command =
            ParseStartArguments(StartArguments(argv.argc(), argv.pointers.data()),
                                qtOptionsIn ? QtOptions::StillIn : QtOptions::TakenOut);
        QCOMPARE(static_cast<int>(command.action), action);
        QCOMPARE(command.file ? command.file->index : -1, fileAt);
        QCOMPARE(QString::fromStdString(command.problem), problem);
    }

    // `corvane FILE` as main() runs it: argv's bytes reach the open call untouched, and a
    // relative name is taken against the current folder, as the dialog would give it.
    void startWithFile_data() {
        QTest::addColumn<QByteArrayList>("arguments");  // %DIR% is the decoys' folder
        QTest::addColumn<bool>("opens");
        QTest::newRow("a name that is not UTF-8") << QByteArrayList{"decoy\xFF.bin"} << true;
        QTest::newRow("the same, whole") << QByteArrayList{"%DIR%/decoy\xFF.bin"} << true;
        QTest::newRow("after --") << QByteArrayList{"--", "./decoy\xFF.bin"} << true;
        QTest::newRow("a missing file") << QByteArrayList{"decoy.bin"} << false;
    }
    void startWithFile() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(bool, opens);
        DecoyPair pair;
        QVERIFY(pair.ok);
        InFolder here(pair.dir.path());
        for (QByteArray& a : arguments) {
            a.replace("%DIR%", QFile::encodeName(pair.dir.path()));
        }
        Argv argv(arguments);
        const StartCommand command =
            ParseStartArguments(StartArguments(argv.argc(), argv.pointers.data()));
        QCOMPARE(command.action, StartCommand::Action::OpenWindow);
        QVERIFY(command.file);

        WindowDriver d;
        const QStringList before = d.Snapshot();
        QCOMPARE(d.w->OpenFile(AbsolutePath(StartFilePath(*command.file))), opens);
        if (opens) {
            CheckNamedOpensAndSaves(d, pair);
        } else {
            QCOMPARE(d.Snapshot(), before);
            QCOMPARE(d.messages.shown.size(), 1);
            const QString message = d.messages.shown[0].text;
            QVERIFY2(message.startsWith(kNotOpened) && message.contains(pair.dir.path()) &&
                         message.contains(QStringLiteral("No such file")),
                     qPrintable(message));
            QVERIFY(pair.bothUnchanged());
        }
    }

    // A name from the dialog that does not name one file exactly is refused with a message
    // that says so; the window, the file a save writes to, and both files stay as they were.
    void dialogNameThatIsNotExactIsRefused_data() {
        QTest::addColumn<QString>("name");  // in the decoys' folder
        QTest::addColumn<QString>("says");
        QTest::newRow("U+FFFD, as the dialog shows both decoys")
            << QStringLiteral("decoy\uFFFD.bin") << "stands for bytes that could not be read";
        QTest::newRow("an unpaired surrogate")
            << QStringLiteral("decoy") + QChar(0xD800) + QStringLiteral(".bin")
            << "cannot be represented exactly as a file name";
        QTest::newRow("a NUL") << QStringLiteral("decoy") + QChar(u'\0') + QStringLiteral(".bin")
                               << "cannot be represented exactly as a file name";
    }
    void dialogNameThatIsNotExactIsRefused() {
        QFETCH(QString, name);
        QFETCH(QString, says);
        DecoyPair pair;
        QVERIFY(pair.ok);
        WindowDriver d;
        QVERIFY(d.w->OpenFile(pair.named));
        const QStringList before = d.Snapshot();
        d.Open(pair.dir.filePath(name));
        QCOMPARE(d.Snapshot(), before);
        QCOMPARE(d.messages.shown.size(), 1);
        const QString message = d.messages.shown[0].text;
        QVERIFY2(message.startsWith(kNotOpened) && message.contains(says), qPrintable(message));
        QCOMPARE(d.messages.shown[0].icon, QMessageBox::Warning);
        QVERIFY(pair.bothUnchanged());
        d.messages.shown.clear();
        CheckNamedOpensAndSaves(d, pair);  // the save still goes to the file opened before
    }

    // A drop, as a file manager makes it: real drag events sent to the window or to a text
    // field on it, over the neighbour already open. One local file opens once the drop is
    // over; anything else is refused while dragging (the pointer shows it) and changes nothing.
    void drop_data() {
        QTest::addColumn<QByteArray>("uris");  // text/uri-list; %DIR% is the decoys' folder
        QTest::addColumn<int>("offered");      // Qt::DropActions of the source
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("onField");
        QTest::addColumn<int>("taken");        // the drop action, or IgnoreAction when refused
        QTest::addColumn<QString>("outcome");  // "named", "unchanged" or "message"
        const int copyMove = Qt::CopyAction | Qt::MoveAction;
        const int copy = Qt::CopyAction;
        const int ignore = Qt::IgnoreAction;
        const QByteArray named = "file://%DIR%/decoy%FF.bin\r\n";
        QTest::newRow("one file") << named << copyMove << 0 << false << copy << "named";
        QTest::newRow("one file on a text field")
            << named << copyMove << 0 << true << copy << "named";
        QTest::newRow("a proposed move is taken as a copy")
            << named << copyMove << int(Qt::ShiftModifier) << false << copy << "named";
        QTest::newRow("a link where no copy is offered")
            << named << int(Qt::LinkAction | Qt::MoveAction) << 0 << false << int(Qt::LinkAction)
            << "named";
        QTest::newRow("file://localhost") << QByteArray("file://localhost%DIR%/decoy%FF.bin")
                                          << copyMove << 0 << false << copy << "named";
        QTest::newRow("only a move offered")
            << named << int(Qt::MoveAction) << 0 << false << ignore << "unchanged";
        QTest::newRow("two files") << named + "file://%DIR%/decoy%EF%BF%BD.bin\r\n"
                                   << copyMove << 0 << false << ignore << "unchanged";
        QTest::newRow("two files on a text field")
            << named + named << copyMove << 0 << true << ignore << "unchanged";
        QTest::newRow("a folder") << QByteArray("file://%DIR%\r\n") << copyMove << 0 << false
                                  << ignore << "unchanged";
        QTest::newRow("another machine's file")
            << QByteArray("file://elsewhere%DIR%/decoy%FF.bin\r\n") << copyMove << 0 << false
            << ignore << "unchanged";
        QTest::newRow("a web address") << QByteArray("https://corvane.org/decoy%FF.bin\r\n")
                                       << copyMove << 0 << false << ignore << "unchanged";
        QTest::newRow("text, no file")
            << QByteArray() << copyMove << 0 << false << ignore << "unchanged";
        QTest::newRow("a name holding U+FFFD") << QByteArray("file://%DIR%/decoy%EF%BF%BD.bin\r\n")
                                               << copyMove << 0 << false << copy << "message";
    }
    void drop() {
        QFETCH(QByteArray, uris);
        QFETCH(int, offered);
        QFETCH(int, modifiers);
        QFETCH(bool, onField);
        QFETCH(int, taken);
        QFETCH(QString, outcome);
        DecoyPair pair;
        QVERIFY(pair.ok);
        uris.replace("%DIR%", QUrl::toPercentEncoding(pair.dir.path(), "/"));
        // File managers also offer the names as text, which a text field would take.
        QMimeData data;
        data.setText(uris.isEmpty() ? QStringLiteral("decoy.bin") : QString::fromLatin1(uris));
        if (!uris.isEmpty()) {
            data.setData(QStringLiteral("text/uri-list"), uris);
        }
        // With a file open the fields are enabled, and a text field would take a drop.
        WindowDriver d;
        QVERIFY(d.w->OpenFile(pair.neighbour));
        const QStringList before = d.Snapshot();
        QWidget* target = onField ? static_cast<QWidget*>(d.w->txt[0]) : d.w.get();
        const QPoint at = target->rect().center();
        const auto actions = Qt::DropActions::fromInt(offered);
        const auto keys = Qt::KeyboardModifiers::fromInt(modifiers);

        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, keys);
        QApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at, actions, &data, Qt::LeftButton, keys);
        QApplication::sendEvent(target, &move);
        QDropEvent drop(at, actions, &data, Qt::LeftButton, keys);
        QApplication::sendEvent(target, &drop);
        for (QDropEvent* event : std::initializer_list<QDropEvent*>{&enter, &move, &drop}) {
            QCOMPARE(event->isAccepted(), taken != Qt::IgnoreAction);
            if (event->isAccepted()) {
                QCOMPARE(int(event->dropAction()), taken);
            }
        }
        // Nothing happens while the drop is delivered: the source is not kept waiting.
        QCOMPARE(d.Snapshot(), before);
        QCOMPARE(d.messages.shown.size(), 0);

        if (outcome == "named") {
            QTRY_COMPARE(d.w->txt[0]->Text(), QString::number(DecoyPair::kNamedTeam));
            CheckNamedOpensAndSaves(d, pair);
            return;
        }
        if (outcome == "message") {
            QTRY_COMPARE(d.messages.shown.size(), 1);
            const QString message = d.messages.shown[0].text;
            QVERIFY2(
                message.startsWith(kNotOpened) &&
                    message.contains(QStringLiteral("stands for bytes that could not be read")),
                qPrintable(message));
        } else {
            QCoreApplication::processEvents();  // an open wrongly queued would run now
            QCOMPARE(d.messages.shown.size(), 0);
        }
        QCOMPARE(d.Snapshot(), before);
        QVERIFY(pair.bothUnchanged());
    }
};

QTEST_MAIN(tst_ui_openroutes)
#include "tst_ui_openroutes.moc"
