// The file-open dialog: the filter text, the title name, the "-1" answer, and Qt's dialog as
// the user sees it.

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "tests/support/UiFakes.h"
#include "ui/Scn_Common_Dialog.h"

using namespace corvane;
using corvane::test::FakeFileDialog;

Q_DECLARE_METATYPE(QList<corvane::FileFilter>)

namespace {

const QString kProgramFilter = QStringLiteral("pes2012.exe (*.exe)|*.exe| All Files (*.*)|*.*");

// Runs `answer` on the modal file dialog as soon as it is shown.
void AnswerFileDialog(const std::function<void(QFileDialog*)>& answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        }
    });
    timer->start();
}

}  // namespace

class tst_ui_dialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::UseFixedLook(); }

    void splitFilter_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QList<FileFilter>>("expected");
        const FileFilter exe{QStringLiteral("pes2012.exe (*.exe)"), {QStringLiteral("*.exe")}};
        const FileFilter all{QStringLiteral(" All Files (*.*)"), {QStringLiteral("*")}};
        QTest::newRow("program's filter, blank kept") << kProgramFilter << QList{exe, all};
        QTest::newRow("default") << kDefaultDialogFilter
                                 << QList{FileFilter{QStringLiteral("Wszystkie Pliki (*.*)"),
                                                     {QStringLiteral("*")}}};
        QTest::newRow("empty piece ends the list")
            << QStringLiteral("pes2012.exe (*.exe)|*.exe||x|*.x") << QList{exe};
        QTest::newRow("trailing bar") << QStringLiteral("pes2012.exe (*.exe)|*.exe|") << QList{exe};
        QTest::newRow("empty pattern ends it")
            << QStringLiteral("pes2012.exe (*.exe)|*.exe|B||C|*.c") << QList{exe};
        QTest::newRow("description without pattern")
            << QStringLiteral("pes2012.exe (*.exe)|*.exe|B") << QList{exe};
        QTest::newRow("empty") << QString() << QList<FileFilter>{};
        QTest::newRow("several patterns")
            << QStringLiteral("Programs|*.exe; *.com")
            << QList{FileFilter{QStringLiteral("Programs"),
                                {QStringLiteral("*.exe"), QStringLiteral("*.com")}}};
    }
    void splitFilter() {
        QFETCH(QString, filter);
        QFETCH(QList<FileFilter>, expected);
        QCOMPARE(SplitDialogFilter(filter), expected);
    }

    void titleName_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("windows") << QStringLiteral("C:\\Games\\PES\\pes2012.exe")
                                 << QStringLiteral("pes2012.exe");
        QTest::newRow("unix") << QStringLiteral("/home/u/pes/pes2012.exe")
                              << QStringLiteral("pes2012.exe");
        QTest::newRow("mixed") << QStringLiteral("C:\\a/b\\pes2012.exe")
                               << QStringLiteral("pes2012.exe");
        QTest::newRow("bare name")
            << QStringLiteral("pes2012.exe") << QStringLiteral("pes2012.exe");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("folder only") << QStringLiteral("C:\\Games\\") << QString();
        QTest::newRow("nul cuts") << QStringLiteral("/x/ab") + QChar(u'\0') + QStringLiteral("cd")
                                  << QStringLiteral("ab");
    }
    void titleName() {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(TitleNameOf(path), expected);
    }

    void openFileNameAsksOnceWithTitleAndFilters() {
        FakeFileDialog fake;
        fake.answers = {QStringLiteral("/games/pes2012.exe")};
        QWidget owner;
        Scn_Common_Dialog dialog(fake);
        QCOMPARE(dialog.OpenFileName(&owner, QStringLiteral("pes2012.exe"),
                                     QStringLiteral("/ignored/folder"), kProgramFilter),
                 QStringLiteral("/games/pes2012.exe"));
        QCOMPARE(fake.calls.size(), 1);
        QCOMPARE(fake.calls[0].owner, &owner);
        QCOMPARE(fake.calls[0].title, QStringLiteral("pes2012.exe"));
        QCOMPARE(fake.calls[0].filters.size(), 2);
        QCOMPARE(dialog.SelectedPath(), QStringLiteral("/games/pes2012.exe"));
        QCOMPARE(dialog.TitleName(), QStringLiteral("pes2012.exe"));
    }

    void cancelAnswersMinusOneAndKeepsThePath() {
        FakeFileDialog fake;
        fake.answers = {QStringLiteral("C:\\a\\first.exe"), std::nullopt};
        Scn_Common_Dialog dialog(fake);
        QCOMPARE(dialog.OpenFileName(nullptr, QString(), QString()),
                 QStringLiteral("C:\\a\\first.exe"));
        QCOMPARE(dialog.OpenFileName(nullptr, QString(), QString()), QStringLiteral("-1"));
        QCOMPARE(dialog.SelectedPath(), QStringLiteral("C:\\a\\first.exe"));
        QCOMPARE(fake.calls[1].filters.first().description,
                 QStringLiteral("Wszystkie Pliki (*.*)"));
    }

    // Qt's own dialog: the type list shows the descriptions exactly, the first selected, and
    // a name that does not exist yet is accepted.
    void qtDialogShowsDescriptionsAndAcceptsANewName() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString wanted = dir.filePath(QStringLiteral("not-there-yet.exe"));
        QStringList shownTypes;
        int selectedType = -1;
        QString title;
        AnswerFileDialog([&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(types);
            for (int i = 0; i < types->count(); ++i) {
                shownTypes << types->itemText(i);
            }
            selectedType = types->currentIndex();
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(wanted);
            QTest::keyClick(name, Qt::Key_Return);
        });
        QtFileDialogService real;
        const auto chosen = real.GetOpenFileName(nullptr, QStringLiteral("pes2012.exe"),
                                                 SplitDialogFilter(kProgramFilter));
        QCOMPARE(title, QStringLiteral("pes2012.exe"));
        QCOMPARE(shownTypes, QStringList({QStringLiteral("pes2012.exe (*.exe)"),
                                          QStringLiteral(" All Files (*.*)")}));
        QCOMPARE(selectedType, 0);
        QVERIFY(chosen.has_value());
        QCOMPARE(*chosen, wanted);
    }

    void qtDialogCancelled() {
        AnswerFileDialog([](QFileDialog* dialog) { dialog->reject(); });
        QtFileDialogService real;
        Scn_Common_Dialog dialog(real);
        QCOMPARE(dialog.OpenFileName(nullptr, QStringLiteral("pes2012.exe"), QString()),
                 QStringLiteral("-1"));
        QCOMPARE(dialog.SelectedPath(), QString());
    }
};

QTEST_MAIN(tst_ui_dialog)
#include "tst_ui_dialog.moc"
