// SPDX-License-Identifier: GPL-3.0-or-later
// The flat pattern on paper and in its window. The PDFs are read back by poppler, which
// did not write them: sheets counted, the check square and the outline measured in the
// PDF's own points, the texts read off the page.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <optional>

#include "lang/language_state.h"
#include "pattern/pattern_drawing.h"
#include "pattern/pattern_print.h"
#include "pattern/pattern_window.h"
#include "test_main.h"

using namespace mertano;

Q_DECLARE_METATYPE(mertano::ShapeKind)
Q_DECLARE_METATYPE(mertano::PatternScale)

namespace {

using S = ShapeKind;
constexpr double kPointsPerMm = 72.0 / 25.4;
// What the paper is measured to: a tenth of a millimetre, in points.
constexpr double kPaperTolerance = 0.1 * kPointsPerMm;

// "r=30 m=40" into the values of a figure.
PatternValues Values(const QString& text) {
    PatternValues v;
    for (const QString& pair : text.split(' ', Qt::SkipEmptyParts)) {
        const QStringList kv = pair.split('=');
        const long double x = kv.value(1).toDouble();
        if (kv[0] == "r") v.r = x;
        if (kv[0] == "R") v.R = x;
        if (kv[0] == "m") v.m = x;
    }
    return v;
}

// A4 upright with 15 mm margins, which Qt keeps in whole points: 509 by 756 pt to draw
// on, 179.56 by 266.68 mm, and 210.68 mm of that above the sheet's foot for the pattern.
void SetUpPdf(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

int PdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    static const QRegularExpression kPage(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return static_cast<int>(QString::fromLatin1(file.readAll()).count(kPage));
}

bool HavePoppler() {
    return !QStandardPaths::findExecutable("pdftocairo").isEmpty() &&
           !QStandardPaths::findExecutable("pdftotext").isEmpty();
}

QString PageText(const QString& pdf, int page) {
    QProcess run;
    run.start("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    return run.waitForFinished(60000) ? QString::fromUtf8(run.readAllStandardOutput()) : QString();
}

// A stroked path of a page as pdftocairo writes it, in points of the page.
struct Stroke {
    double width = 0;
    bool dashed = false;
    bool closed = false;
    QList<QPointF> points;  // the ends and the control points of its pieces
    QRectF box() const {
        QPointF low = points.value(0), high = low;
        for (QPointF p : points) {
            low = {std::min(low.x(), p.x()), std::min(low.y(), p.y())};
            high = {std::max(high.x(), p.x()), std::max(high.y(), p.y())};
        }
        return {low, high};
    }
};

QList<Stroke> PageStrokes(const QString& pdf, int page) {
    const QString svg = QDir(QFileInfo(pdf).absolutePath()).filePath("page.svg");
    const QString n = QString::number(page);
    QProcess::execute("pdftocairo", {"-svg", "-f", n, "-l", n, pdf, svg});
    QFile file(svg);
    QList<Stroke> strokes;
    if (!file.open(QIODevice::ReadOnly)) return strokes;
    static const QRegularExpression kNumber(QStringLiteral("-?[0-9.]+(e-?[0-9]+)?"));
    static const QRegularExpression kWidth(QStringLiteral("stroke-width:([0-9.]+)"));
    QXmlStreamReader xml(&file);
    int inDefs = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.name() == QLatin1String("defs")) inDefs += xml.isStartElement() ? 1 : -1;
        if (!xml.isStartElement() || xml.name() != QLatin1String("path") || inDefs > 0) continue;
        const QString style = xml.attributes().value("style").toString();
        if (!style.contains("fill:none")) continue;
        QList<double> m{1, 0, 0, 1, 0, 0};
        const QString transform = xml.attributes().value("transform").toString();
        auto numbers = kNumber.globalMatch(transform);
        for (int k = 0; k < 6 && numbers.hasNext(); ++k) m[k] = numbers.next().captured().toDouble();
        Stroke s;
        s.width = kWidth.match(style).captured(1).toDouble() * m[0];
        s.dashed = style.contains("stroke-dasharray");
        const QString d = xml.attributes().value("d").toString();
        s.closed = d.contains('Z');
        QList<double> xy;
        for (auto it = kNumber.globalMatch(d); it.hasNext();) xy << it.next().captured().toDouble();
        for (qsizetype k = 0; k + 1 < xy.size(); k += 2)
            s.points << QPointF(m[0] * xy[k] + m[2] * xy[k + 1] + m[4],
                                m[1] * xy[k] + m[3] * xy[k + 1] + m[5]);
        strokes << s;
    }
    return strokes;
}

// The line to cut along: the outline's width, not dashed.
std::optional<QRectF> OutlineBox(const QList<Stroke>& strokes) {
    std::optional<QRectF> box;
    for (const Stroke& s : strokes)
        if (!s.dashed && std::fabs(s.width - kOutlineLineMm * kPointsPerMm) < 0.01)
            box = box ? box->united(s.box()) : s.box();
    return box;
}

// The sides of every closed path of four straight sides (pdftocairo writes the start
// again after closing) whose box is square.
QList<double> SquareSides(const QList<Stroke>& strokes) {
    QList<double> sides;
    for (const Stroke& s : strokes)
        if (s.closed && s.points.size() == 5 && std::fabs(s.box().width() - s.box().height()) < 1)
            sides << s.box().width();
    return sides;
}

// The middle of each cross of the overlap marks: two lines of the marks' width as long as
// each other, crossing at their middles.
QList<QPointF> Crosses(const QList<Stroke>& strokes) {
    QList<QPointF> middles;
    for (const Stroke& s : strokes)
        if (!s.dashed && s.points.size() == 2 &&
            std::fabs(s.width - kMarkLineMm * kPointsPerMm) < 0.01 &&
            std::fabs(s.points[0].y() - s.points[1].y()) < 0.01 &&
            std::fabs(std::fabs(s.points[1].x() - s.points[0].x()) - 6 * kPointsPerMm) < 0.05)
            middles << (s.points[0] + s.points[1]) / 2;
    return middles;
}

}  // namespace

class TstPatternPaper : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString print(ShapeKind shape, const QString& values, const char* unit, PatternScale scale,
                  PatternPrintOutcome* outcome = nullptr, int* counted = nullptr) {
        const std::optional<FlatPattern> pattern = MakeFlatPattern(shape, Values(values));
        if (!pattern) return {};
        const QString path = dir_.filePath(QString("%1.pdf").arg(QTest::currentDataTag()));
        QPrinter printer(QPrinter::HighResolution);
        SetUpPdf(printer, path);
        if (counted) *counted = PatternSheetCount(printer, *pattern, unit, scale);
        const PatternPrintOutcome done = PrintPattern(
            printer, *pattern, unit, scale, LanguageTexts::BuiltinWindowEnglish(), "caption");
        if (outcome) *outcome = done;
        return path;
    }

private slots:
    // Full size takes as many sheets as the pattern and its margins need over sheets that
    // overlap by 10 mm (each further one adds 169.56 mm across, 200.68 mm down); fitted
    // always one.
    void sheets_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<PatternScale>("scale");
        QTest::addColumn<int>("sheets");
        const auto full = PatternScale::FullSize, fitted = PatternScale::Fitted;
        QTest::newRow("cone") << S::Cone << "r=30 m=40" << "mm" << full << 1;
        QTest::newRow("cone fitted") << S::Cone << "r=30 m=40" << "mm" << fitted << 1;
        // 200 by 158.8 mm, 210 across with its margins.
        QTest::newRow("truncated cone") << S::TruncatedCone << "R=60 r=30 m=40" << "mm" << full
                                        << 2;
        // 2000 by 1588 mm: 12 columns, 8 rows.
        QTest::newRow("truncated cone in cm")
            << S::TruncatedCone << "R=60 r=30 m=40" << "cm" << full << 96;
        // 1000 by 793.9 mm: 6 columns, 4 rows.
        QTest::newRow("large cone") << S::Cone << "r=300 m=400" << "mm" << full << 24;
        QTest::newRow("large cone fitted") << S::Cone << "r=300 m=400" << "mm" << fitted << 1;
        // 628.3 by 250 mm: 4 columns, 2 rows.
        QTest::newRow("cylinder in cm") << S::Cylinder << "r=10 m=25" << "cm" << full << 8;
        QTest::newRow("unit without a length") << S::Cone << "r=30 m=40" << "px" << full << 0;
        QTest::newRow("unit without a length fitted")
            << S::Cone << "r=30 m=40" << "px" << fitted << 1;
    }

    void sheets() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, values);
        QFETCH(QString, unit);
        QFETCH(PatternScale, scale);
        QFETCH(int, sheets);
        PatternPrintOutcome outcome{};
        int counted = -1;
        const QString pdf = print(shape, values, qPrintable(unit), scale, &outcome, &counted);
        QCOMPARE(counted, sheets);
        if (sheets == 0) {
            QCOMPARE(outcome, PatternPrintOutcome::NoMillimetres);
            QVERIFY(!QFile::exists(pdf));
            return;
        }
        QCOMPARE(outcome, PatternPrintOutcome::Printed);
        QCOMPARE(PdfPages(pdf), sheets);
    }

    // The check square is 50 mm on paper at either scale, and the outline as large as the
    // scale the sheet states: measured in the PDF's own points.
    void measuredOnPaper_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<PatternScale>("scale");
        QTest::addColumn<QString>("stated");
        QTest::addColumn<double>("width");  // of the outline on paper, in mm
        QTest::addColumn<double>("height");
        const auto full = PatternScale::FullSize, fitted = PatternScale::Fitted;
        // A sector of 216° is twice its radius across and (1 - sin 216°) times it high.
        QTest::newRow("cone") << S::Cone << "r=30 m=40" << "mm" << full << "Scale 1:1" << 100.0
                              << 79.3893;
        QTest::newRow("cone in inches") << S::Cone << "r=1.2 m=1.6" << "in" << full
                                        << "Scale 1:1" << 101.6 << 80.6595;
        // 169.56 mm of room across over 100 is 1.6956, stated and drawn 1.69.
        QTest::newRow("cone fitted") << S::Cone << "r=30 m=40" << "mm" << fitted
                                     << "Scale 1.69:1" << 169.0 << 134.1679;
        QTest::newRow("truncated cone, first sheet")
            << S::TruncatedCone << "R=60 r=30 m=40" << "mm" << full << "Scale 1:1" << 200.0
            << 158.7785;
        // 1000 mm over 169.56 is 5.8975, stated and drawn 1:5.9.
        QTest::newRow("large cone fitted") << S::Cone << "r=300 m=400" << "mm" << fitted
                                           << "Scale 1:5.9" << 169.4915 << 134.5581;
    }

    void measuredOnPaper() {
        if (!HavePoppler()) QSKIP("pdftocairo and pdftotext (poppler-utils) are not installed");
        QFETCH(ShapeKind, shape);
        QFETCH(QString, values);
        QFETCH(QString, unit);
        QFETCH(PatternScale, scale);
        QFETCH(QString, stated);
        QFETCH(double, width);
        QFETCH(double, height);
        const QString pdf = print(shape, values, qPrintable(unit), scale);
        const QList<Stroke> strokes = PageStrokes(pdf, 1);
        const QList<double> squares = SquareSides(strokes);
        QCOMPARE(squares.size(), 1);
        QVERIFY2(std::fabs(squares[0] - 50 * kPointsPerMm) <= kPaperTolerance,
                 qPrintable(QString("the check square is %1 mm").arg(squares[0] / kPointsPerMm)));
        const std::optional<QRectF> outline = OutlineBox(strokes);
        QVERIFY(outline);
        QVERIFY2(std::fabs(outline->width() - width * kPointsPerMm) <= kPaperTolerance &&
                     std::fabs(outline->height() - height * kPointsPerMm) <= kPaperTolerance,
                 qPrintable(QString("the outline is %1 by %2 mm")
                                .arg(outline->width() / kPointsPerMm)
                                .arg(outline->height() / kPointsPerMm)));
        QVERIFY2(PageText(pdf, 1).contains(stated), qPrintable(PageText(pdf, 1)));
    }

    // Sheets that lie beside each other share 10 mm of the pattern: on B1 the outline is
    // A1's moved left by the width drawn on less that, on A2 up by the height less it;
    // both print their shared crosses on the same spots of the pattern, and each says
    // which sheet it is.
    void neighbouringSheetsOverlap() {
        if (!HavePoppler()) QSKIP("pdftocairo and pdftotext (poppler-utils) are not installed");
        const QString pdf = print(S::Cone, "r=300 m=400", "mm", PatternScale::FullSize);
        // Down the columns first: A1 to A4 are sheets 1 to 4, B1 is the 5th.
        const QList<Stroke> a1 = PageStrokes(pdf, 1), a2 = PageStrokes(pdf, 2),
                            b1 = PageStrokes(pdf, 5);
        const QRectF onA1 = *OutlineBox(a1), onA2 = *OutlineBox(a2), onB1 = *OutlineBox(b1);
        QPrinter printer(QPrinter::HighResolution);
        SetUpPdf(printer, dir_.filePath("unused.pdf"));
        // The page as drawn on, in whole dots.
        const QRectF dots = printer.pageRect(QPrinter::DevicePixel);
        const QRectF page(dots.topLeft() * 25.4 / 1200, dots.size() * 25.4 / 1200);
        const double across = page.width() - 10, down = page.height() - 56 - 10;
        const auto near = [](double got, double mm) {
            return std::fabs(got - mm * kPointsPerMm) <= kPaperTolerance;
        };
        QVERIFY(near(onA1.left() - onB1.left(), across) && near(onA1.top() - onB1.top(), 0));
        QVERIFY(near(onA1.left() - onA2.left(), 0) && near(onA1.top() - onA2.top(), down));

        // Where each sheet's crosses lie on the pattern, from its outline's corner.
        const auto shared = [&](const QList<Stroke>& sheet, const QRectF& outline, bool left) {
            QList<QPointF> found;
            const double edge = page.left() + (left ? 5 : page.width() - 5);
            for (QPointF c : Crosses(sheet)) {
                const QPointF onPattern = c - outline.topLeft();
                // A corner's cross belongs to two strips and comes twice.
                const bool again = std::any_of(found.begin(), found.end(), [&](QPointF f) {
                    return QLineF(f, onPattern).length() < 0.05;
                });
                if (std::fabs(c.x() - edge * kPointsPerMm) < 0.05 && !again) found << onPattern;
            }
            std::sort(found.begin(), found.end(),
                      [](QPointF a, QPointF b) { return a.y() < b.y(); });
            return found;
        };
        const QList<QPointF> fromA1 = shared(a1, onA1, false), fromB1 = shared(b1, onB1, true);
        QCOMPARE(fromA1.size(), 3);
        QCOMPARE(fromB1.size(), 3);
        for (qsizetype k = 0; k < 3; ++k)
            QVERIFY(QLineF(fromA1[k], fromB1[k]).length() <= kPaperTolerance);

        const QString text = PageText(pdf, 5);
        QVERIFY2(text.contains("Sheet B1 of 24") && text.contains("Scale 1:1"), qPrintable(text));
    }

    void sheetNames_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 0 << 0 << "A1";
        QTest::newRow("first two letters") << 26 << 0 << "AA1";
        QTest::newRow("after AZ") << 52 << 11 << "BA12";
    }

    void sheetNames() {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QString, name);
        QCOMPARE(SheetName(column, row), name);
    }

    // Inside the drawn outline or not, points worked out from the pieces' own geometry (y
    // upward): an arc turned the wrong way round takes in the wrong side.
    void drawnOutline_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("inside");  // "x y" pairs
        QTest::addColumn<QString>("outside");
        // R 50, 216°: halfway out at 108° is in, at 288° out.
        QTest::newRow("cone") << S::Cone << "r=30 m=40" << "-7.725 23.776" << "7.725 -23.776 0 51";
        // R 100, r 50: between them at 108° in; within r at 108° and at 288° out.
        QTest::newRow("truncated cone") << S::TruncatedCone << "R=60 r=30 m=40"
                                        << "-23.176 71.329 99 1"
                                        << "-7.725 23.776 7.725 -23.776 23.176 -71.329";
        // Opened 349°: only the narrow gap below the first edge stays out.
        QTest::newRow("cone opened nearly all round")
            << S::Cone << "r=40 m=10" << "0 -20 -20 0" << "20 -1 0 42";
        QTest::newRow("cylinder") << S::Cylinder << "r=10 m=25" << "31 12" << "-1 12 31 26";
    }

    void drawnOutline() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, values);
        QFETCH(QString, inside);
        QFETCH(QString, outside);
        const std::optional<FlatPattern> pattern = MakeFlatPattern(shape, Values(values), 3);
        QVERIFY(pattern);
        const PatternPaths paths = MakePatternPaths(*pattern, 2.0);
        for (const auto& [points, in] : {std::pair(inside, true), std::pair(outside, false)}) {
            const QStringList xy = points.split(' ');
            for (qsizetype k = 0; k + 1 < xy.size(); k += 2) {
                const QPointF p(xy[k].toDouble() * 2, -xy[k + 1].toDouble() * 2);
                QVERIFY2(paths.outline.contains(p) == in,
                         qPrintable(QString("%1 %2").arg(xy[k], xy[k + 1])));
            }
        }
        // The seam lies outside the piece and the bounds hold both.
        QVERIFY(paths.bounds.contains(paths.seam.boundingRect()));
        QVERIFY(!paths.outline.contains(paths.seam.pointAtPercent(0.5)));
    }
};

class TstPatternWindow : public QObject {
    Q_OBJECT

private:
    LanguageTexts english_ = LanguageTexts::BuiltinWindowEnglish();

    static QString Shown(const PatternWindow& w, const QString& row) {
        const auto* label = w.findChild<QLabel*>("Pattern" + row + "Value");
        return label && !label->isHidden() ? label->text() : QString();
    }

private slots:
    // The rows the figure's pattern has, in 4 decimals and its unit; no others.
    void measures_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QStringList>("rows");  // "Row=text"
        QTest::newRow("cone") << S::Cone << "r=30 m=40" << "mm"
                              << QStringList{"OuterRadius=50.0000 mm", "Angle=216.0000°",
                                             "AngleDms=216° 0′ 0″", "OuterArc=188.4956 mm",
                                             "Chord=95.1057 mm"};
        QTest::newRow("cone opened less than half a turn")
            << S::Cone << "r=5 m=12" << "cm"
            << QStringList{"OuterRadius=13.0000 cm", "Angle=138.4615°", "AngleDms=138° 27′ 41″",
                           "OuterArc=31.4159 cm", "Chord=24.3104 cm"};
        QTest::newRow("truncated cone")
            << S::TruncatedCone << "R=60 r=30 m=40" << "mm"
            << QStringList{"OuterRadius=100.0000 mm", "InnerRadius=50.0000 mm",
                           "Angle=216.0000°",       "AngleDms=216° 0′ 0″",
                           "OuterArc=376.9911 mm",  "InnerArc=188.4956 mm",
                           "Chord=190.2113 mm"};
        QTest::newRow("cylinder") << S::Cylinder << "r=10 m=25" << "cm"
                                  << QStringList{"Width=62.8319 cm", "Height=25.0000 cm"};
        QTest::newRow("sphere") << S::Sphere << "r=10" << "cm" << QStringList{};
    }

    void measures() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, values);
        QFETCH(QString, unit);
        QFETCH(QStringList, rows);
        PatternWindow window(english_);
        window.showPattern(shape, Values(values), unit.toStdString());
        QStringList shown;
        for (const char* row : {"OuterRadius", "InnerRadius", "Angle", "AngleDms", "OuterArc",
                                "InnerArc", "Chord", "Width", "Height"})
            if (const QString text = Shown(window, row); !text.isEmpty())
                shown << QString(row) + "=" + text;
        QCOMPARE(shown, rows);
        const auto* svg = window.findChild<QPushButton*>("PatternSvgBtn");
        QCOMPARE(svg->isEnabled(), !rows.isEmpty());
    }

    // What is typed in the seam field makes the pattern anew; an overlap that runs into
    // the other edge is said in the window.
    void seamField_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("seam");
        QTest::addColumn<bool>("warned");
        QTest::newRow("none") << "r=30 m=40" << "" << 0.0 << false;
        QTest::newRow("5 mm") << "r=30 m=40" << "5" << 5.0 << false;
        QTest::newRow("decimal comma") << "r=30 m=40" << "2,5" << 2.5 << false;
        QTest::newRow("beyond 1000 is not taken") << "r=30 m=40" << "1001" << 100.0 << false;
        QTest::newRow("letters are not taken") << "r=30 m=40" << "x7" << 7.0 << false;
        QTest::newRow("opened past 270°") << "r=40 m=10" << "5" << 5.0 << true;
    }

    void seamField() {
        QFETCH(QString, values);
        QFETCH(QString, typed);
        QFETCH(double, seam);
        QFETCH(bool, warned);
        PatternWindow window(english_);
        window.showPattern(S::Cone, Values(values), "mm");
        QTest::keyClicks(window.findChild<QLineEdit*>("PatternSeamEdit"), typed);
        QVERIFY(window.pattern());
        QCOMPARE(static_cast<double>(window.pattern()->seam), seam);
        QCOMPARE(!window.findChild<QLabel*>("PatternSeamWarning")->isHidden(), warned);
        // A new figure keeps the seam.
        window.showPattern(S::Cylinder, Values("r=10 m=25"), "mm");
        QCOMPARE(static_cast<double>(window.pattern()->seam), seam);
    }

    // The SVG carries the caption in the window's language; a file that cannot be written
    // is said in the program's message, naming it.
    void savesFiles() {
        QTemporaryDir dir;
        PatternWindow window(english_);
        window.showPattern(S::Cone, Values("r=30 m=40"), "mm");
        QTest::keyClicks(window.findChild<QLineEdit*>("PatternSeamEdit"), "5");
        const QString svg = dir.filePath("cone.svg");
        QVERIFY(window.saveSvg(svg));
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(file.readAll())
                    .contains(QString::fromUtf8("Cone: R = 50.0000 mm, θ = 216° 0′ 0″, "
                                                "h = 95.1057 mm, seam allowance 5.0000 mm")));
        QVERIFY(window.saveDxf(dir.filePath("cone.dxf")));
        QVERIFY(QFileInfo(dir.filePath("cone.dxf")).size() > 0);

        QString said;
        QTimer::singleShot(0, [&] {
            if (QWidget* message = QApplication::activeModalWidget()) {
                for (const QLabel* label : message->findChildren<QLabel*>()) said += label->text();
                message->close();
            }
        });
        const QString nowhere = dir.filePath("missing/cone.dxf");
        QVERIFY(!window.saveDxf(nowhere));
        QVERIFY2(said.contains("could not be saved") &&
                     said.contains(QDir::toNativeSeparators(nowhere)),
                 qPrintable(said));
    }

    // A language change reaches every caption, and the caption on paper.
    void retranslates() {
        LanguageState language(QStringLiteral(MERTANO_SOURCE_FOLDER), "English");
        QVERIFY(!language.reload());
        PatternWindow window(language.texts());
        window.showPattern(S::Cone, Values("r=30 m=40"), "mm");
        language.setLanguageName("German");
        QVERIFY(!language.reload());
        window.retranslate();
        QCOMPARE(window.findChild<QPushButton*>("PatternPrintFullBtn")->text(),
                 QString::fromUtf8("In &Originalgröße drucken..."));
        QCOMPARE(window.findChild<QLabel*>("PatternOuterRadiusName")->text(),
                 QString::fromUtf8("Außenradius R"));
        QCOMPARE(window.findChild<QLabel*>("PatternAngleName")->text(),
                 QString::fromUtf8("Mittelpunktswinkel θ"));
        QVERIFY(window.windowTitle().contains("Kegel"));
        QVERIFY(window.caption().startsWith("Kegel: R = 50.0000 mm"));
    }
};

MERTANO_REGISTER_TEST(TstPatternPaper)
MERTANO_REGISTER_TEST(TstPatternWindow)
#include "tst_pattern_print.moc"
