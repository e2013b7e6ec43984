// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window's creation reads: website.url, the browser command, the centring
// and the version text.
#include <QTest>

#include "app/startup_values.h"
#include "test_main.h"

using namespace mertano;

class TstStartupValues : public QObject {
    Q_OBJECT

private slots:
    void websiteUrl_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("website");
        QTest::addColumn<QString>("mail");
        QTest::newRow("both, with blanks around")
            << "[InternetShortcut]\r\nURL=  https://example.org  \r\nE-mail: me@example.org\r\n"
            << "https://example.org" << "me@example.org";
        QTest::newRow("line feeds only") << "URL=https://a.example\nE-mail:b@c.example\n"
                                         << "https://a.example" << "b@c.example";
        QTest::newRow("lower case is ignored") << "url=https://a.example\ne-mail:x@y.example"
                                               << "" << "";
        QTest::newRow("the later line wins") << "URL=https://first.example\nURL=https://second.example"
                                             << "https://second.example" << "";
        QTest::newRow("mail cut to 50 characters")
            << "E-mail:" + QString(60, 'm') << "" << QString(50, 'm');
        QTest::newRow("website cut to 100 characters")
            << "URL=" + QString(120, 'w') << QString(100, 'w') << "";
        QTest::newRow("other lines change nothing") << "[Section]\nHome=x\n" << "" << "";
        QTest::newRow("empty") << "" << "" << "";
    }
    void websiteUrl() {
        QFETCH(QString, text);
        const WebsiteAddresses found = ReadWebsiteUrl(text);
        QTEST(found.website, "website");
        QTEST(found.mail, "mail");
    }

    void websiteUrlFileMissing() {
        const WebsiteAddresses found = ReadWebsiteUrlFile("no-such-folder/website.url");
        QVERIFY(found.website.isEmpty() && found.mail.isEmpty());
    }

    void browserCommand_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("program");
        QTest::newRow("quoted path with arguments")
            << "\"C:\\Program Files\\Browser\\browser.exe\" -nohome \"%1\""
            << "C:\\Program Files\\Browser\\browser.exe";
        QTest::newRow("no quotes stays whole") << "C:\\browser.exe -url %1"
                                               << "C:\\browser.exe -url %1";
        QTest::newRow("a single quote loses that character") << "\"C:\\browser.exe"
                                                               << "C:\\browser.exe";
        QTest::newRow("arguments beyond 49 characters keep their tail")
            << "\"b.exe\"" + QString(49, 'x') + "TAIL" << "b.exeTAIL";
        QTest::newRow("empty") << "" << "";
    }
    void browserCommand() {
        QFETCH(QString, command);
        QTEST(BrowserProgramFromCommand(command), "program");
    }

    void centring_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("halves truncated before subtracting")
            << QSize(1024, 768) << QSize(721, 471) << QPoint(152, 149);
        QTest::newRow("window larger than the screen")
            << QSize(640, 480) << QSize(715, 445) << QPoint(-37, 18);
    }
    void centring() {
        QFETCH(QSize, screen);
        QFETCH(QSize, window);
        QTEST(CentredPosition(screen, window), "position");
    }

    void versionText() {
        QCOMPARE(VersionText("2.0.3.7"), QString("2.0.3"));
        QCOMPARE(VersionText("1.5"), QString("1.5.0"));
    }
};

MERTANO_REGISTER_TEST(TstStartupValues)
#include "tst_startup_values.moc"
