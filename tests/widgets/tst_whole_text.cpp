// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers shown whole: a box or field too narrow for its text shrinks the font instead
// of cutting digits off, and the whole text is its tooltip and accessible description.
#include <QLabel>
#include <QTest>
#include <memory>

#include "test_main.h"
#include "widgets/float_edit.h"
#include "widgets/whole_text.h"

using namespace mertano;

namespace {

QFont PixelFont(int pixels) {
    QFont f;
    f.setPixelSize(pixels);
    f.setBold(true);
    return f;
}

// A result box as the main window makes it: 117 by 19, framed, indented, bold 11 px.
std::unique_ptr<QLabel> MakeBox() {
    auto box = std::make_unique<QLabel>();
    box->setGeometry(0, 0, 117, 19);
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setIndent(3);
    box->setFont(PixelFont(11));
    return box;
}

// Whether the first character of the edit's text is in view: with the text scrolled,
// the left edge of the field shows a later character. The edit scrolls as it paints.
bool FirstCharacterShows(TFloatEdit& edit) {
    edit.setCursorPosition(edit.text().size());
    edit.repaint();
    return edit.cursorPositionAt(QPoint(edit.contentsRect().left() + 4, edit.height() / 2)) == 0;
}

}  // namespace

class TstWholeText : public QObject {
    Q_OBJECT

private slots:
    void boxShowsEveryDigit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("shrinks");
        QTest::newRow("short result keeps the box's font") << "12.35" << false;
        QTest::newRow("sphere of 60000") << "904778684233860.45" << true;
        QTest::newRow("largest result") << "1000000000000000000.00" << true;
        QTest::newRow("mass beyond a 64-bit count") << "7850000000000000000.0000" << true;
    }
    void boxShowsEveryDigit() {
        QFETCH(QString, text);
        QFETCH(bool, shrinks);
        auto box = MakeBox();
        SetWholeText(box.get(), text);
        QCOMPARE(box->text(), text);
        QCOMPARE(box->toolTip(), text);
        QCOMPARE(box->accessibleDescription(), text);
        QCOMPARE(box->font().pixelSize() < 11, shrinks);
        QVERIFY(box->font().bold());
        const int room = box->contentsRect().width() - box->indent();
        QVERIFY2(QFontMetrics(box->font()).horizontalAdvance(text) <= room, qPrintable(text));
    }

    void boxGrowsBackAndFollowsItsOwnersFont() {
        auto box = MakeBox();
        SetWholeText(box.get(), "1000000000000000000.00");
        SetWholeText(box.get(), "8.00");
        QCOMPARE(box->font().pixelSize(), 11);
        box->setFont(PixelFont(9));
        SetWholeText(box.get(), "1.00");
        QCOMPARE(box->font().pixelSize(), 9);
        SetWholeText(box.get(), QString());
        QCOMPARE(box->toolTip(), QString());
        QCOMPARE(box->accessibleDescription(), QString());
    }

    void fieldShowsEveryDigit_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("the maximum") << "100000";
        QTest::newRow("four decimals") << "12345.6789";
        QTest::newRow("short") << "3";
    }
    void fieldShowsEveryDigit() {
        QFETCH(QString, value);
        // A measurement field as the main window makes it: 80 by 21, bold 12 px.
        TFloatEdit edit(QChar('.'), nullptr);
        edit.setGeometry(0, 0, 80, 21);
        edit.setDigits(4);
        edit.setMax(100000.0L);
        edit.setFont(PixelFont(12));
        edit.endLoading();
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.setValue(*ParseNumber(value.toStdString()));
        QVERIFY2(FirstCharacterShows(edit), qPrintable(edit.text()));
        QCOMPARE(edit.toolTip(), edit.text());
        QCOMPARE(edit.accessibleDescription(), edit.text());
        // The owner's font stays the largest: a short value shows in it again.
        edit.setValue(1.0L);
        QCOMPARE(edit.font().pixelSize(), 12);
    }
};

MERTANO_REGISTER_TEST(TstWholeText)
#include "tst_whole_text.moc"
