// SPDX-License-Identifier: GPL-3.0-or-later
// The icon built into the program, at every size the window is given.
#include <QImage>
#include <QTest>

#include "app/app_identity.h"
#include "test_main.h"

using namespace mertano;

class TstAppIdentity : public QObject {
    Q_OBJECT

private slots:
    void iconAtEverySize_data() {
        QTest::addColumn<int>("size");
        for (const int size : WindowIconSizes())
            QTest::newRow(qPrintable(QString("%1 px").arg(size))) << size;
    }
    void iconAtEverySize() {
        QFETCH(int, size);
        const QIcon icon = ApplicationIcon();
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        // The drawing fills the middle and leaves the corners of its rounded tile clear.
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    }
};

MERTANO_REGISTER_TEST(TstAppIdentity)
#include "tst_app_identity.moc"
