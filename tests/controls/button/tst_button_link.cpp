// Where a button's URL goes. QDesktopServices::setUrlHandler stands in for the system's
// handlers, so nothing is really opened.
#include <QDesktopServices>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "controls/button/qt/QtButtonLink.h"

using namespace corvane;

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class tst_ButtonLink : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init() { m_handler.opened.clear(); }
    void goesThroughDesktopServices_data();
    void goesThroughDesktopServices();
    void emptyOpensNothing();
    void relativeFileOpensAsFile();

private:
    UrlRecorder m_handler;
};

namespace {
const char* const kSchemes[] = {"mailto", "http", "https", "file", "ftp"};
}

void tst_ButtonLink::initTestCase() {
    for (const char* s : kSchemes) {
        QDesktopServices::setUrlHandler(s, &m_handler, "open");
    }
}

void tst_ButtonLink::cleanupTestCase() {
    for (const char* s : kSchemes) {
        QDesktopServices::unsetUrlHandler(s);
    }
}

void tst_ButtonLink::goesThroughDesktopServices_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<LinkKind>("kind");
    QTest::addColumn<QString>("opened");
    QTest::newRow("mail") << "mailto:someone@example.com" << LinkKind::Mail
                          << "mailto:someone@example.com";
    QTest::newRow("mail with a subject") << "mailto:a@b.example?subject=Save done" << LinkKind::Mail
                                         << "mailto:a@b.example?subject=Save%20done";
    // Case-sensitive: not a mail link for the button. The system still sees a mailto URL.
    QTest::newRow("capital MAILTO")
        << "MAILTO:x@y.example" << LinkKind::Other << "mailto:x@y.example";
    QTest::newRow("shorter than mailto:") << "mailto" << LinkKind::Other << "http://mailto";
    QTest::newRow("web address") << "https://example.com/a b" << LinkKind::Other
                                 << "https://example.com/a%20b";
    QTest::newRow("bare host") << "www.example.com" << LinkKind::Other << "http://www.example.com";
    QTest::newRow("shell text stays a URL") << "http://example.com/$(rm -rf ~)" << LinkKind::Other
                                            << "http://example.com/$(rm%20-rf%20~)";
}

void tst_ButtonLink::goesThroughDesktopServices() {
    QFETCH(QString, url);
    QFETCH(LinkKind, kind);
    QFETCH(QString, opened);
    QCOMPARE(GoToURL(url), kind);
    QCOMPARE(m_handler.opened.size(), 1);
    QCOMPARE(m_handler.opened.first().toString(QUrl::FullyEncoded), opened);
}

void tst_ButtonLink::emptyOpensNothing() {
    int calls = 0;
    const auto opener = [&calls](const QUrl&) {
        ++calls;
        return true;
    };
    QCOMPARE(GoToURL(QString(), opener), LinkKind::None);
    QCOMPARE(calls, 0);
    QCOMPARE(GoToURL(QString()), LinkKind::None);
    QVERIFY(m_handler.opened.isEmpty());
}

void tst_ButtonLink::relativeFileOpensAsFile() {
    QTemporaryDir dir;
    QFile f(dir.filePath("readme.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const QUrl target = LinkTarget("readme.txt", LinkKind::Other, QDir(dir.path()));
    QVERIFY(target.isLocalFile());
    QCOMPARE(QFileInfo(target.toLocalFile()).canonicalFilePath(),
             QFileInfo(f.fileName()).canonicalFilePath());
}

QTEST_MAIN(tst_ButtonLink)
#include "tst_button_link.moc"
