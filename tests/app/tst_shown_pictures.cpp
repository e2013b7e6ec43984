// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures drawn when first shown look exactly as the drawn picture shown at once does:
// a label enabled and disabled, also after its colours change, and an icon in every mode.
#include <QAccessible>
#include <QLabel>
#include <QTest>

#include "pictures/shown_pictures.h"
#include "test_main.h"

using namespace mertano;

class TstShownPictures : public QObject {
    Q_OBJECT

private slots:
    void looksAsAPlainLabel_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("recoloured");
        QTest::newRow("figure, enabled") << "B17" << QSize(150, 150) << true << false;
        QTest::newRow("figure, disabled") << "B17" << QSize(150, 150) << false << false;
        QTest::newRow("welcome scaled, disabled") << "B12" << QSize(133, 79) << false << false;
        QTest::newRow("banner, disabled, recoloured") << "B54" << QSize(200, 30) << false << true;
    }
    void looksAsAPlainLabel() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(bool, enabled);
        QFETCH(bool, recoloured);
        PictureList pictures;
        PictureLabel label(pictures, nullptr);
        QLabel plain;
        label.resize(size);
        plain.resize(size);
        label.setPicture(name);
        plain.setPixmap(pictures.picture(name, plain.devicePixelRatioF(), size));
        for (QLabel* l : {static_cast<QLabel*>(&label), &plain}) l->setEnabled(enabled);
        QCOMPARE(label.grab().toImage(), plain.grab().toImage());
        if (recoloured) {
            // The greyed picture follows the colours it is greyed against.
            for (QLabel* l : {static_cast<QLabel*>(&label), &plain}) {
                QPalette p = l->palette();
                p.setColor(QPalette::Disabled, QPalette::Window, Qt::darkGreen);
                l->setPalette(p);
            }
            QCOMPARE(label.grab().toImage(), plain.grab().toImage());
        }
    }

    // A screen reader hears a picture, by the name the window gives it.
    void labelIsAGraphicToScreenReaders() {
        PictureList pictures;
        PictureLabel label(pictures, nullptr);
        label.setAccessibleName("Cone");
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&label);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Graphic);
        QCOMPARE(accessible->text(QAccessible::Name), QString("Cone"));
    }

    void iconLooksAsAnIconOfThePicture_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QIcon::Mode>("mode");
        for (const char* name : {"B14", "B0"}) {
            for (qreal ratio : {1.0, 2.0}) {
                for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
                    QTest::addRow("%s, ratio %g, mode %d", name, ratio, int(mode))
                        << name << ratio << mode;
                }
            }
        }
    }
    void iconLooksAsAnIconOfThePicture() {
        QFETCH(QString, name);
        QFETCH(qreal, ratio);
        QFETCH(QIcon::Mode, mode);
        PictureList pictures;
        const QSize size = pictures.size(name);
        const QIcon plain(pictures.picture(name, ratio));
        const QIcon shown = PictureIcon(pictures, name);
        QCOMPARE(shown.actualSize(size), plain.actualSize(size));
        QCOMPARE(shown.pixmap(size, ratio, mode).toImage(),
                 plain.pixmap(size, ratio, mode).toImage());
    }
};

MERTANO_REGISTER_TEST(TstShownPictures)
#include "tst_shown_pictures.moc"
