// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window's creation reads: website.url, the browser command, the centring
// and the version text.
#include <QTest>

#include "system/startup_values.h"
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

    // Places within the free part of a screen, which need not start at (0, 0): below a
    // top panel, or on a second monitor to the right.
    void placesWithinTheWorkArea_data() {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QPoint>("centred");
        QTest::addColumn<QPoint>("bottomRight");
        QTest::newRow("whole screen")
            << QRect(0, 0, 1024, 768) << QSize(721, 471) << QPoint(152, 149) << QPoint(303, 297);
        QTest::newRow("below a top panel")
            << QRect(0, 27, 1280, 997) << QSize(721, 471) << QPoint(280, 290) << QPoint(559, 553);
        QTest::newRow("second monitor") << QRect(1920, 0, 1280, 1024) << QSize(445, 242)
                                        << QPoint(2338, 391) << QPoint(2755, 782);
    }
    void placesWithinTheWorkArea() {
        QFETCH(QRect, area);
        QFETCH(QSize, window);
        QTEST(CentredPosition(area, window), "centred");
        QTEST(BottomRightPosition(area, window), "bottomRight");
    }

    void keptInside_data() {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QPoint>("position");
        const QRect screen(0, 0, 1280, 1024);
        QTest::newRow("inside stays") << screen << QRect(100, 100, 400, 300) << QPoint(100, 100);
        QTest::newRow("off the right edge")
            << screen << QRect(873, 782, 445, 242) << QPoint(835, 782);
        QTest::newRow("off the bottom") << screen << QRect(10, 900, 400, 300) << QPoint(10, 724);
        QTest::newRow("above a top panel")
            << QRect(0, 27, 1280, 997) << QRect(10, 0, 400, 300) << QPoint(10, 27);
        QTest::newRow("larger than the area keeps its title bar in")
            << QRect(0, 0, 640, 480) << QRect(100, 100, 715, 500) << QPoint(0, 0);
        QTest::newRow("on the wrong monitor")
            << QRect(1920, 0, 1280, 1024) << QRect(500, 500, 300, 100) << QPoint(1920, 500);
    }
    void keptInside() {
        QFETCH(QRect, area);
        QFETCH(QRect, window);
        QTEST(KeptInside(area, window), "position");
    }

    void versionText() {
        QCOMPARE(VersionText("2.0.3.7"), QString("2.0.3"));
        QCOMPARE(VersionText("1.5"), QString("1.5.0"));
    }
};

MERTANO_REGISTER_TEST(TstStartupValues)
#include "tst_startup_values.moc"
