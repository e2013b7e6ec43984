// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>

#include <QPainterPath>
#include <QPainterPathStroker>

#include "pictures/glyph_outlines.h"
#include "pictures/picture_figures.h"
#include "pictures/pictures.h"
#include "shapes/shape_catalogue.h"
#include "test_main.h"

using namespace mertano;

Q_DECLARE_METATYPE(mertano::ShapeKind)
Q_DECLARE_METATYPE(mertano::StoredOutline)

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Every picture the catalogue shows for a figure: on choice and on entering its fields.
std::map<ShapeKind, std::set<QString>> CataloguePictures() {
    std::map<ShapeKind, std::set<QString>> pictures;
    for (ShapeKind kind : kAllShapes) {
        pictures[kind].insert(ToQString(Shape(kind).picture));
        for (Field field : kAllFields) {
            const std::string_view name = EnterPicture(field, kind);
            if (!name.empty()) pictures[kind].insert(ToQString(name));
        }
    }
    return pictures;
}

// The figures drawn with every measurement in black.
const QStringList kPlainPictures = {"B1", "B2", "B3", "B4", "B5", "B7", "B8", "B9", "B15"};

bool IsRed(QRgb pixel) {
    return qAlpha(pixel) > 200 && qRed(pixel) > 150 && qRed(pixel) - qGreen(pixel) > 90 &&
           qRed(pixel) - qBlue(pixel) > 90;
}

QImage Image(const PictureList& list, const QString& name, qreal ratio = 1.0) {
    return list.picture(name, ratio).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The soft edge of a red line or letter.
bool IsReddish(QRgb pixel) {
    return qRed(pixel) - qGreen(pixel) > 30 && qRed(pixel) - qBlue(pixel) > 30;
}

// Smoothing leaves faint shades where two drawings cross; those do not count.
bool Unlike(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) > 40 || std::abs(qGreen(a) - qGreen(b)) > 40 ||
           std::abs(qBlue(a) - qBlue(b)) > 40;
}

int CountRed(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += IsRed(image.pixel(x, y));
    return count;
}

bool RedNear(const QImage& image, int x, int y, int reach) {
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint p(x + dx, y + dy);
            if (image.rect().contains(p) && IsRed(image.pixel(p))) return true;
        }
    return false;
}

// How many pixels differ between two drawings of one figure away from the red marks of
// either: those would belong to a different drawing, not to another marked measurement.
int DifferencesAwayFromRed(const QImage& one, const QImage& other) {
    int count = 0;
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x) {
            const QRgb a = one.pixel(x, y), b = other.pixel(x, y);
            if (!Unlike(a, b) || IsReddish(a) || IsReddish(b)) continue;
            if (!RedNear(one, x, y, 3) && !RedNear(other, x, y, 3)) ++count;
        }
    return count;
}

}  // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void cataloguePicturesExist_data();
    void cataloguePicturesExist();
    void redOnlyInMarkedPictures_data();
    void redOnlyInMarkedPictures();
    void picturesOfOneFigureDifferOnlyInTheMark_data();
    void picturesOfOneFigureDifferOnlyInTheMark();
    void labelsAreClearOfEveryLine_data();
    void labelsAreClearOfEveryLine();
    void drawingStaysInsideTheFrame_data();
    void drawingStaysInsideTheFrame();
    void unknownNamesGiveNothing_data();
    void unknownNamesGiveNothing();
    void paintedOnPaperAsOnTheScreen_data();
    void paintedOnPaperAsOnTheScreen();
    void unusableRatioCountsAsOne_data();
    void unusableRatioCountsAsOne();
    void buttonMarkerIsARedDot();
    void welcomePictureIsDrawn();
    void glyphsAndBannersAreDrawnAtEveryRatio_data();
    void glyphsAndBannersAreDrawnAtEveryRatio();
    void glyphsDifferFromEachOther();
    void highlightedBannerIsBrighter();
    void storedOutlinesAreTheFontsOutlines_data();
    void storedOutlinesAreTheFontsOutlines();
    void scaledPictureIsKeptAndFillsItsPlace_data();
    void scaledPictureIsKeptAndFillsItsPlace();
    void labelLettersAreStoredAsTheFontSetsThem_data();
    void labelLettersAreStoredAsTheFontSetsThem();
};

void TestPictures::cataloguePicturesExist_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("ratio");
    for (qreal ratio : {1.0, 2.0, 1.5}) {
        for (ShapeKind kind : kAllShapes) {
            const QByteArray figure(Shape(kind).name.data(), Shape(kind).name.size());
            QTest::addRow("%s chosen, ratio %g", figure.constData(), ratio)
                << ToQString(Shape(kind).picture) << ratio;
            for (Field field : kAllFields) {
                const std::string_view name = EnterPicture(field, kind);
                if (name.empty()) continue;
                QTest::addRow("%s of %s, ratio %g", FieldControlName(field).data(),
                              figure.constData(), ratio)
                    << ToQString(name) << ratio;
            }
        }
    }
}

void TestPictures::cataloguePicturesExist() {
    QFETCH(QString, name);
    QFETCH(qreal, ratio);
    const PictureList list;
    QVERIFY(list.has(name));
    QCOMPARE(list.size(name), QSize(150, 150));
    // Another ratio asked for first must not hand back its cached pixmap.
    QVERIFY(!list.picture(name, ratio + 1).isNull());
    const QPixmap pixmap = list.picture(name, ratio);
    QCOMPARE(pixmap.size(), QSize(qCeil(150 * ratio), qCeil(150 * ratio)));
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(150, 150));
}

void TestPictures::redOnlyInMarkedPictures_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("marked");
    for (const auto& [kind, names] : CataloguePictures()) {
        for (const QString& name : names) {
            const bool plain = kPlainPictures.contains(name);
            QTest::addRow("%s %s", qPrintable(name), plain ? "plain" : "marked") << name << !plain;
        }
    }
}

void TestPictures::redOnlyInMarkedPictures() {
    QFETCH(QString, name);
    QFETCH(bool, marked);
    const PictureList list;
    const int red = CountRed(Image(list, name));
    if (marked)
        QVERIFY2(red > 20, qPrintable(QString("only %1 red pixels").arg(red)));
    else
        QCOMPARE(red, 0);
}

void TestPictures::picturesOfOneFigureDifferOnlyInTheMark_data() {
    QTest::addColumn<QStringList>("names");
    for (const auto& [kind, names] : CataloguePictures()) {
        const QByteArray figure(Shape(kind).name.data(), Shape(kind).name.size());
        QTest::addRow("%s", figure.constData()) << QStringList(names.begin(), names.end());
    }
}

void TestPictures::picturesOfOneFigureDifferOnlyInTheMark() {
    QFETCH(QStringList, names);
    const PictureList list;
    for (qsizetype i = 0; i < names.size(); ++i) {
        for (qsizetype j = i + 1; j < names.size(); ++j) {
            const QImage one = Image(list, names[i]);
            const QImage other = Image(list, names[j]);
            const QString pair = names[i] + " and " + names[j];
            QVERIFY2(one != other, qPrintable(pair + " are the same picture"));
            QVERIFY2(DifferencesAwayFromRed(one, other) == 0,
                     qPrintable(pair + " differ away from their red marks"));
        }
    }
}

void TestPictures::labelsAreClearOfEveryLine_data() {
    QTest::addColumn<ShapeKind>("kind");
    for (ShapeKind kind : kAllShapes) {
        QTest::addRow("%s", std::string(Shape(kind).name).c_str()) << kind;
    }
}

// A letter touching or crossing a line reads as part of it. The sketch is drawn in
// picture units at every pixel ratio, so clear here is clear at 1x and 2x alike.
void TestPictures::labelsAreClearOfEveryLine() {
    QFETCH(ShapeKind, kind);
    const Sketch sketch = FigureSketch(kind);
    QPainterPathStroker margin;
    margin.setWidth(2.0);  // a pixel of white around the letters
    QStringList touching;
    for (const SketchElement& label : sketch.elements()) {
        if (label.kind != SketchElement::Kind::Label) continue;
        const QPainterPath letters = LabelPath(label);
        const QPainterPath around = letters.united(margin.createStroke(letters));
        for (const SketchElement& line : sketch.elements()) {
            const QPainterPath stroke = StrokeArea(line);
            if (!stroke.isEmpty() && around.intersects(stroke)) {
                touching << QString("%1 at %2, %3 touches the %4 at %5, %6")
                                .arg(label.text)
                                .arg(label.at.x())
                                .arg(label.at.y())
                                .arg(line.kind == SketchElement::Kind::Arc ? "arc" : "line")
                                .arg(line.at.x())
                                .arg(line.at.y());
            }
        }
    }
    // Nor may two letters run into each other.
    const std::vector<SketchElement>& all = sketch.elements();
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            if (all[i].kind != SketchElement::Kind::Label ||
                all[j].kind != SketchElement::Kind::Label)
                continue;
            const QPainterPath first = LabelPath(all[i]);
            if (first.united(margin.createStroke(first)).intersects(LabelPath(all[j])))
                touching << QString("%1 touches %2").arg(all[i].text, all[j].text);
        }
    }
    if (!touching.isEmpty()) QFAIL(qPrintable(touching.join("; ")));
}

void TestPictures::drawingStaysInsideTheFrame_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("ratio");
    const PictureList list;
    for (const QString& name : list.names()) {
        if (list.size(name) != QSize(150, 150)) continue;
        for (qreal ratio : {1.0, 2.0})
            QTest::addRow("%s, ratio %g", qPrintable(name), ratio) << name << ratio;
    }
}

void TestPictures::drawingStaysInsideTheFrame() {
    QFETCH(QString, name);
    QFETCH(qreal, ratio);
    const PictureList list;
    const QImage image = Image(list, name, ratio);
    // A letter or a line reaching the outermost pixels would look cut off in the frame.
    const int margin = qRound(2 * ratio);
    const QRect inner = image.rect().adjusted(margin, margin, -margin, -margin);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!inner.contains(x, y) && image.pixel(x, y) != qRgb(255, 255, 255))
                QFAIL(qPrintable(QString("drawn at the edge, at %1, %2").arg(x).arg(y)));
}

void TestPictures::unknownNamesGiveNothing_data() {
    QTest::addColumn<QString>("name");
    // Pictures of other parts of the program, and misspellings of real names.
    for (const char* name : {"B65", "B66", "B100", "B1000", "B-1", "B00", "b0"})
        QTest::addRow("%s", name) << QString(name);
    QTest::addRow("empty") << QString();
    QTest::addRow("letter only") << QString("B");
    QTest::addRow("lower case") << QString("b1");
    QTest::addRow("leading zero") << QString("B01");
    QTest::addRow("leading blank") << QString(" B1");
    QTest::addRow("trailing blank") << QString("B1 ");
    QTest::addRow("file name") << QString("B1.png");
    QTest::addRow("huge number") << QString("B99999999999999999999");
}

void TestPictures::unknownNamesGiveNothing() {
    QFETCH(QString, name);
    const PictureList list;
    QVERIFY(!list.has(name));
    QVERIFY(list.picture(name).isNull());
    QVERIFY(list.picture(name, 2).isNull());
    QVERIFY(!list.size(name).isValid());
    QImage paper(10, 10, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&paper);
    QVERIFY(!list.paint(name, painter, QRectF(0, 0, 10, 10)));
}

// Printed pictures are drawn straight into the printer's painter: the same drawing as the
// screen's, scaled and placed in the target, on the same ground.
void TestPictures::paintedOnPaperAsOnTheScreen_data() {
    QTest::addColumn<QString>("name");
    for (const QString& name : PictureList().names()) QTest::addRow("%s", qPrintable(name)) << name;
}

void TestPictures::paintedOnPaperAsOnTheScreen() {
    QFETCH(QString, name);
    const PictureList list;
    QImage screen =
        list.picture(name, 2).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    screen.setDevicePixelRatio(1);
    QImage paper(screen.size() + QSize(6, 6), QImage::Format_ARGB32_Premultiplied);
    paper.fill(Qt::transparent);
    QPainter painter(&paper);
    QVERIFY(list.paint(name, painter, QRectF(QPointF(3, 3), list.size(name) * 2)));
    painter.end();
    // Letters may be placed a fraction of a pixel apart; a shifted or scaled drawing
    // differs almost everywhere.
    const QImage drawn = paper.copy(QRect(QPoint(3, 3), screen.size()));
    qsizetype differing = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            const QColor a = QColor::fromRgba(drawn.pixel(x, y));
            const QColor b = QColor::fromRgba(screen.pixel(x, y));
            differing += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                             std::abs(a.blue() - b.blue()) + std::abs(a.alpha() - b.alpha()) >
                         96;
        }
    QVERIFY2(differing * 200 <= qsizetype(screen.width()) * screen.height(),
             qPrintable(QString::number(differing)));
    QCOMPARE(paper.pixel(1, 1), 0u);  // nothing outside the target
}

void TestPictures::unusableRatioCountsAsOne_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addRow("zero") << 0.0;
    QTest::addRow("negative") << -2.0;
    QTest::addRow("not a number") << std::numeric_limits<qreal>::quiet_NaN();
    QTest::addRow("infinite") << std::numeric_limits<qreal>::infinity();
}

void TestPictures::unusableRatioCountsAsOne() {
    QFETCH(qreal, ratio);
    const PictureList list;
    const QPixmap pixmap = list.picture("B3", ratio);
    QCOMPARE(pixmap.size(), QSize(150, 150));
    QCOMPARE(pixmap.devicePixelRatio(), 1.0);
}

void TestPictures::buttonMarkerIsARedDot() {
    const PictureList list;
    QCOMPARE(list.size("B11"), QSize(19, 19));
    for (qreal ratio : {1.0, 2.0}) {
        const QImage image = Image(list, "B11", ratio);
        QCOMPARE(image.size(), QSize(qCeil(19 * ratio), qCeil(19 * ratio)));
        QVERIFY(IsRed(image.pixel(image.width() / 2, image.height() / 2)));
        // Around the dot the button's own face shows through.
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
    }
}

void TestPictures::welcomePictureIsDrawn() {
    const PictureList list;
    QCOMPARE(list.size("B12"), QSize(320, 200));
    const QImage image = Image(list, "B12", 2);
    QCOMPARE(image.size(), QSize(640, 400));
    // The figures and the name take a fair share of the picture; a failed drawing would
    // leave the background alone.
    const QRgb background = image.pixel(image.width() / 2, 2);
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn += std::abs(qGray(image.pixel(x, y)) - qGray(background)) > 60;
    QVERIFY2(drawn > image.width() * image.height() / 50, qPrintable(QString::number(drawn)));
}

void TestPictures::glyphsAndBannersAreDrawnAtEveryRatio_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("onButton");
    QTest::addColumn<qreal>("ratio");
    const struct {
        const char* name;
        QSize size;
        bool onButton;
    } pictures[] = {
        {"B0", {25, 25}, true},    {"B13", {25, 25}, true},   {"B14", {27, 27}, true},
        {"B16", {25, 25}, true},   {"B63", {27, 27}, true},   {"B64", {27, 27}, true},
        {"B54", {200, 30}, false}, {"B55", {200, 30}, false},
    };
    for (const auto& picture : pictures)
        for (qreal ratio : {1.0, 2.0, 3.0})
            QTest::addRow("%s, ratio %g", picture.name, ratio)
                << QString(picture.name) << picture.size << picture.onButton << ratio;
}

void TestPictures::glyphsAndBannersAreDrawnAtEveryRatio() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(bool, onButton);
    QFETCH(qreal, ratio);
    const PictureList list;
    QVERIFY(list.has(name));
    QVERIFY(list.names().contains(name));
    QCOMPARE(list.size(name), size);
    const QPixmap pixmap = list.picture(name, ratio);
    QCOMPARE(pixmap.size(), QSize(qCeil(size.width() * ratio), qCeil(size.height() * ratio)));
    QCOMPARE(pixmap.devicePixelRatio(), ratio);

    // Brought back to the logical size, the finer drawing matches the plain one: a higher
    // ratio draws the same picture finer, not a small one in a corner nor a blown-up copy.
    const QImage image = Image(list, name, ratio);
    const QImage plain = Image(list, name, 1.0);
    const QRect logical(0, 0, qRound(size.width() * ratio), qRound(size.height() * ratio));
    const QImage back =
        image.copy(logical).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    qint64 difference = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QRgb a = back.pixel(x, y), b = plain.pixel(x, y);
            difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
        }
    const double mean = double(difference) / (4.0 * size.width() * size.height());
    QVERIFY2(mean < 6, qPrintable(QString("mean difference %1").arg(mean)));

    // Glyphs let the button face show around them; the banner covers its place whole.
    int transparent = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) transparent += qAlpha(image.pixel(x, y)) < 255;
    if (onButton) {
        QCOMPARE(qAlpha(image.pixel(0, image.height() - 1)), 0);
        QCOMPARE(qAlpha(image.pixel(image.width() - 1, 0)), 0);
        QVERIFY2(transparent < image.width() * image.height() * 19 / 20, "hardly anything drawn");
    } else {
        QCOMPARE(transparent, 0);
    }
}

void TestPictures::glyphsDifferFromEachOther() {
    const PictureList list;
    const QStringList glyphs = {"B0", "B13", "B16", "B14", "B63", "B64"};
    for (qsizetype i = 0; i < glyphs.size(); ++i)
        for (qsizetype j = i + 1; j < glyphs.size(); ++j) {
            if (list.size(glyphs[i]) != list.size(glyphs[j])) continue;
            QVERIFY2(Image(list, glyphs[i]) != Image(list, glyphs[j]),
                     qPrintable(glyphs[i] + " and " + glyphs[j] + " are the same picture"));
        }
}

void TestPictures::highlightedBannerIsBrighter() {
    const PictureList list;
    auto brightness = [&list](const char* name) {
        const QImage image = Image(list, name, 2);
        qint64 sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) sum += qGray(image.pixel(x, y));
        return double(sum) / (image.width() * image.height());
    };
    const double plain = brightness("B54"), highlighted = brightness("B55");
    QVERIFY2(highlighted > plain + 25,
             qPrintable(QString("plain %1, highlighted %2").arg(plain).arg(highlighted)));
}

void TestPictures::storedOutlinesAreTheFontsOutlines_data() {
    QTest::addColumn<StoredOutline>("outline");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QString>("text");
    QTest::newRow("question mark")
        << StoredOutline::QuestionMark << "DejaVu Sans" << 18 << false << "?";
    QTest::newRow("letter A") << StoredOutline::LetterA << "DejaVu Sans" << 8 << false << "A";
    QTest::newRow("banner name") << StoredOutline::BannerName << "DejaVu Serif" << 22 << true
                                 << "Mertano";
    QTest::newRow("welcome name") << StoredOutline::WelcomeName << "DejaVu Serif" << 40 << true
                                  << "Mertano";
}

// Where the font is installed, the stored outline is, point for point, what it gives:
// the pictures look as they did when the letters were set at run time.
void TestPictures::storedOutlinesAreTheFontsOutlines() {
    QFETCH(StoredOutline, outline);
    QFETCH(QString, family);
    QFETCH(int, pixels);
    QFETCH(bool, italic);
    QFETCH(QString, text);
    QFont font(family);
    font.setBold(true);
    font.setItalic(italic);
    font.setPixelSize(pixels);
    if (QFontInfo(font).family() != family) QSKIP("the font is not installed here");
    QPainterPath set;
    set.addText(0, 0, font, text);
    const QPainterPath stored = OutlineOf(outline);
    QCOMPARE(stored.elementCount(), set.elementCount());
    for (int k = 0; k < set.elementCount(); ++k) {
        const QPainterPath::Element a = stored.elementAt(k), b = set.elementAt(k);
        QVERIFY2(a.type == b.type && a.x == b.x && a.y == b.y, qPrintable(QString::number(k)));
    }
    QCOMPARE(stored.fillRule(), set.fillRule());
}

void TestPictures::scaledPictureIsKeptAndFillsItsPlace_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("shown");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("welcome, smaller") << "B12" << QSize(241, 153) << 1.0;
    QTest::newRow("welcome, smaller, ratio 2") << "B12" << QSize(241, 153) << 2.0;
    QTest::newRow("figure, larger") << "B1" << QSize(200, 180) << 1.0;
    QTest::newRow("figure, own size") << "B1" << QSize(150, 150) << 1.5;
}

void TestPictures::scaledPictureIsKeptAndFillsItsPlace() {
    QFETCH(QString, name);
    QFETCH(QSize, shown);
    QFETCH(qreal, ratio);
    const PictureList list;
    const QPixmap first = list.picture(name, ratio, shown);
    QCOMPARE(first.deviceIndependentSize().toSize(), shown);
    QCOMPARE(first.devicePixelRatio(), ratio);
    // Scaled smoothly, from the picture drawn at its own size, or, shown larger, from
    // one drawn as large as it is shown.
    const QSize logical = list.size(name);
    const qreal larger = std::max(
        {1.0, qreal(shown.width()) / logical.width(), qreal(shown.height()) / logical.height()});
    QImage expected =
        list.picture(name, ratio * larger)
            .scaled(shown * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .toImage();
    expected.setDevicePixelRatio(ratio);
    QCOMPARE(first.toImage().convertToFormat(expected.format()), expected);
    QCOMPARE(list.picture(name, ratio, shown).cacheKey(), first.cacheKey());
}

void TestPictures::labelLettersAreStoredAsTheFontSetsThem_data() {
    QTest::addColumn<QChar>("letter");
    QTest::addColumn<int>("pixels");
    std::set<std::pair<int, char16_t>> letters;
    for (ShapeKind kind : kAllShapes) {
        const Sketch sketch = FigureSketch(kind);
        for (const SketchElement& e : sketch.elements()) {
            if (e.kind != SketchElement::Kind::Label) continue;
            const qsizetype split = e.text.indexOf('_');
            for (const QChar c : split < 0 ? e.text : e.text.left(split))
                letters.insert({15, c.unicode()});
            if (split >= 0)
                for (const QChar c : e.text.mid(split + 1)) letters.insert({11, c.unicode()});
        }
    }
    for (const auto& [pixels, letter] : letters)
        QTest::addRow("%s at %d px", qPrintable(QString(QChar(letter))), pixels)
            << QChar(letter) << pixels;
}

// Every letter a figure shows is stored, so drawing a figure loads no font; where the font
// is installed, each is what it sets, so the pictures look as they did.
void TestPictures::labelLettersAreStoredAsTheFontSetsThem() {
    QFETCH(QChar, letter);
    QFETCH(int, pixels);
    const std::optional<LabelLetter> stored = StoredLabelLetter(letter, pixels);
    QVERIFY(stored);
    QFont font("DejaVu Serif");
    font.setItalic(true);
    font.setPixelSize(pixels);
    if (QFontInfo(font).family() != "DejaVu Serif") QSKIP("the font is not installed here");
    QPainterPath set;
    set.addText(0, 0, font, QString(letter));
    QCOMPARE(stored->outline.elementCount(), set.elementCount());
    for (int k = 0; k < set.elementCount(); ++k) {
        const QPainterPath::Element a = stored->outline.elementAt(k), b = set.elementAt(k);
        QVERIFY2(a.type == b.type && a.x == b.x && a.y == b.y, qPrintable(QString::number(k)));
    }
    const QFontMetricsF metrics(font);
    QCOMPARE(stored->advance, metrics.horizontalAdvance(letter));
    QCOMPARE(stored->inkTop, metrics.tightBoundingRect(QString(letter)).top());
    QCOMPARE(stored->inkBottom, metrics.tightBoundingRect(QString(letter)).bottom());
}

MERTANO_REGISTER_TEST(TestPictures)
#include "tst_pictures.moc"
