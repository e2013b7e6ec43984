// SPDX-License-Identifier: GPL-3.0-or-later
// A picture label looks exactly as a plain label showing the same picture does, enabled
// and disabled, also after its colours change.
#include <QLabel>
#include <QTest>

#include "pictures/picture_label.h"
#include "test_main.h"

using namespace mertano;

class TstPictureLabel : public QObject {
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
};

MERTANO_REGISTER_TEST(TstPictureLabel)
#include "tst_picture_label.moc"
