// SPDX-License-Identifier: GPL-3.0-or-later
// The flat patterns of the cone, the truncated cone and the cylinder: solved from every
// set of values the calculate button takes, held against the figure's own geometry, and
// read back from their SVG and DXF by readers that did not write them.
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <limits>

#include "../calc/sheet_helpers.h"
#include "calc/flat_pattern.h"
#include "pattern/pattern_dxf.h"
#include "pattern/pattern_svg.h"
#include "test_main.h"

using namespace mertano;
using namespace mertano::test;

Q_DECLARE_METATYPE(mertano::ShapeKind)
Q_DECLARE_METATYPE(mertano::PatternValues)

namespace {

constexpr double kPiD = 3.14159265358979323846;
using S = ShapeKind;

// Within `relative` of the expected value, or of 1 for small ones.
bool Close(long double got, double expected, double relative) {
    return std::fabs(static_cast<double>(got) - expected) <=
           relative * std::max(1.0, std::fabs(expected));
}
#define QVERIFY_CLOSE(got, expected, relative)                         \
    QVERIFY2(Close((got), (expected), (relative)),                     \
             qPrintable(QString("%1 is %2, expected %3")               \
                            .arg(#got)                                 \
                            .arg(static_cast<double>(got), 0, 'g', 12) \
                            .arg(static_cast<double>(expected), 0, 'g', 12)))

long double Length(const OutlinePiece& piece) {
    if (piece.kind == OutlinePiece::Kind::Line)
        return std::hypot(piece.to.x - piece.from.x, piece.to.y - piece.from.y);
    return piece.radius * (piece.endDegrees - piece.startDegrees) * kPiD / 180.0L;
}

bool Same(PatternPoint a, PatternPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y) <= 1e-9L * std::max(1.0L, std::hypot(a.x, a.y));
}

// Strictly inside the piece, worked out from its measures alone.
bool InsidePiece(const FlatPattern& p, long double x, long double y) {
    if (p.kind == PatternKind::Rectangle) return x > 0 && x < p.width && y > 0 && y < p.height;
    long double at = std::atan2(y, x) * 180.0L / kPiD;
    if (at < 0) at += 360.0L;
    const long double rho = std::hypot(x, y);
    return rho > p.innerRadius && rho < p.outerRadius && at > 0 && at < p.angleDegrees;
}

// A Python of one's own ahead on the path often lacks the system's packages, so the
// system's own is tried as well.
QString PythonWithEzdxf() {
    static const QString found = [] {
        QStringList candidates{QStandardPaths::findExecutable("python3")};
        if (QFileInfo::exists("/usr/bin/python3")) candidates << "/usr/bin/python3";
        for (const QString& python : candidates) {
            QProcess probe;
            if (python.isEmpty()) continue;
            probe.start(python, {"-c", "import ezdxf"});
            if (probe.waitForFinished(60000) && probe.exitStatus() == QProcess::NormalExit &&
                probe.exitCode() == 0)
                return python;
        }
        return QString();
    }();
    return found;
}

// The figure solved from typed values as the window solves it, and its pattern.
std::optional<FlatPattern> SolveFigure(FieldSheet& sheet, ShapeKind shape, const QString& inputs,
                                       int solution = 1, double seam = 0) {
    sheet.choose(shape);
    Fill(sheet, inputs);
    const CalcOutcome outcome =
        Calculate(sheet, LanguageTexts::BuiltinEnglish(), nullptr, solution);
    if (outcome.state != CalcState::Solved) return std::nullopt;
    return MakeFlatPattern(sheet, seam);
}

}  // namespace

class TstFlatPattern : public QObject {
    Q_OBJECT

private slots:
    // Every set of values the calculate button takes, of one cone (r 30, m 40, a 50) and
    // one truncated cone (r 2, R 5, m 4, a 5), and a few others; the expected measures are
    // the figure's, worked out apart: "R r angle chord width height" and the angle's parts.
    void fromSolvedFigure_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<int>("solution");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("dms");
        for (const char* inputs : {"r=30 ma=40", "r=30 a=50", "ma=40 a=50", "r=30 ma=40 a=50",
                                   "a=50 alfa=53.1301", "r=30 alfa=53.1301", "ma=40 alfa=53.1301",
                                   "ma=40 beta=73.7398", "r=30 beta=73.7398", "a=50 beta=73.7398"})
            QTest::newRow(qPrintable(QString("cone ") + inputs))
                << S::Cone << inputs << 1 << "50 0 216 95.1056516295 0 0"
                << "216 0 0";
        QTest::newRow("cone opened less than half a turn")
            << S::Cone << "r=5 ma=12" << 1 << "13 0 138.461538462 24.3104223098 0 0"
            << "138 27 41";
        QTest::newRow("cone too flat for its height to show: a whole disc")
            << S::Cone << "r=1000 ma=0.0001" << 1 << "1000 0 360 0 0 0"
            << "360 0 0";
        for (const char* inputs : {"r=2 R=5 alfa=53.1301", "r=2 ma=4 R=5", "r=2 a=5 R=5",
                                   "r=2 a=5 ma=4", "r=2 ma=4 a=5 R=5", "r=5 R=2 ma=4"})
            QTest::newRow(qPrintable(QString("truncated cone ") + inputs))
                << S::TruncatedCone << inputs << 1
                << "8.33333333333 3.33333333333 216 15.8509419383 0 0"
                << "216 0 0";
        QTest::newRow("truncated cone, the larger R from r, a and m")
            << S::TruncatedCone << "r=5 a=5 ma=4" << 1
            << "13.3333333333 8.33333333333 216 25.3615071012 0 0"
            << "216 0 0";
        QTest::newRow("truncated cone, the smaller R from r, a and m")
            << S::TruncatedCone << "r=5 a=5 ma=4" << 2
            << "8.33333333333 3.33333333333 216 15.8509419383 0 0"
            << "216 0 0";
        QTest::newRow("truncated cone with equal faces is a cylinder")
            << S::TruncatedCone << "r=3 R=3 ma=4" << 1 << "0 0 0 18.8495559215 18.8495559215 4"
            << "0 0 0";
        QTest::newRow("cylinder") << S::Cylinder << "r=1 ma=2" << 1
                                  << "0 0 0 6.28318530718 6.28318530718 2"
                                  << "0 0 0";
    }

    void fromSolvedFigure() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, inputs);
        QFETCH(int, solution);
        QFETCH(QString, expected);
        QFETCH(QString, dms);
        FieldSheet sheet;
        const std::optional<FlatPattern> solved = SolveFigure(sheet, shape, inputs, solution);
        QVERIFY(solved.has_value());
        const FlatPattern& p = *solved;
        const QStringList want = expected.split(' ');
        const long double got[] = {p.outerRadius, p.innerRadius, p.angleDegrees,
                                   p.chord,       p.width,       p.height};
        for (int k = 0; k < 6; ++k) QVERIFY_CLOSE(got[k], want[k].toDouble(), 1e-4);
        QCOMPARE(QString("%1 %2 %3").arg(p.angle.degrees).arg(p.angle.minutes).arg(p.angle.seconds),
                 dms);

        // Rolled up, the pattern must meet the figure as it is shown: its curved edges the
        // circumferences of the faces, its straight edges the slant height (a cylinder's
        // the height and the circumference), the chord joining the outer arc's ends; all in
        // one closed run.
        const long double r = sheet.fieldValue(Field::SugarEdit);
        const long double R = shape == S::TruncatedCone ? sheet.fieldValue(Field::NagyrEdit) : r;
        const long double a = sheet.fieldValue(Field::AoldEdit),
                          m = sheet.fieldValue(Field::MagasEdit1);
        QList<double> arcs, lines, wantArcs, wantLines;
        if (p.kind == PatternKind::Rectangle) {
            wantLines = {double(m), double(m), double(2 * kPiD * r), double(2 * kPiD * r)};
        } else {
            wantLines = {double(a), double(a)};
            wantArcs << double(2 * kPiD * std::max(r, R));
            if (p.kind == PatternKind::AnnularSector) wantArcs << double(2 * kPiD * std::min(r, R));
        }
        const std::vector<OutlinePiece> outline = PatternOutline(p);
        PatternPoint at = outline.front().from;
        for (const OutlinePiece& piece : outline) {
            QVERIFY2(Same(piece.from, at) || Same(piece.to, at), "the outline is broken");
            at = Same(piece.from, at) ? piece.to : piece.from;
            (piece.kind == OutlinePiece::Kind::Arc ? arcs : lines) << double(Length(piece));
            if (piece.kind == OutlinePiece::Kind::Arc && piece.radius == p.outerRadius)
                QVERIFY_CLOSE(std::hypot(piece.to.x - piece.from.x, piece.to.y - piece.from.y),
                              double(p.chord), 1e-12);
        }
        QVERIFY2(Same(at, outline.front().from), "the outline does not close");
        for (QList<double>* list : {&arcs, &lines, &wantArcs, &wantLines})
            std::sort(list->begin(), list->end());
        QCOMPARE(arcs.size(), wantArcs.size());
        QCOMPARE(lines.size(), wantLines.size());
        for (qsizetype k = 0; k < arcs.size(); ++k) QVERIFY_CLOSE(arcs[k], wantArcs[k], 1e-12);
        for (qsizetype k = 0; k < lines.size(); ++k) QVERIFY_CLOSE(lines[k], wantLines[k], 1e-12);
    }

    void withoutPattern_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<PatternValues>("values");
        QTest::addColumn<double>("size");  // a sector's outer radius, a rectangle's height; 0: none
        const long double nan = std::numeric_limits<long double>::quiet_NaN();
        QTest::newRow("sphere") << S::Sphere << PatternValues{1, 0, 0, 0} << 0.0;
        QTest::newRow("circle") << S::Circle << PatternValues{1, 0, 0, 0} << 0.0;
        QTest::newRow("cone without a radius") << S::Cone << PatternValues{0, 0, 5, 4} << 0.0;
        QTest::newRow("cone slant shorter than its radius")
            << S::Cone << PatternValues{5, 0, 3, 0} << 0.0;
        QTest::newRow("cone from r and m alone") << S::Cone << PatternValues{3, 0, 0, 4} << 5.0;
        QTest::newRow("cone with a negative radius")
            << S::Cone << PatternValues{-1, 0, 5, 0} << 0.0;
        QTest::newRow("cone with no number") << S::Cone << PatternValues{nan, 0, 5, 0} << 0.0;
        QTest::newRow("truncated cone slant shorter than the faces' difference")
            << S::TruncatedCone << PatternValues{2, 5, 2, 0} << 0.0;
        QTest::newRow("truncated cone with a face of 0 is a cone")
            << S::TruncatedCone << PatternValues{0, 3, 5, 0} << 5.0;
        QTest::newRow("truncated cone with equal faces, from its slant height")
            << S::TruncatedCone << PatternValues{3, 3, 4, 0} << 4.0;
        QTest::newRow("truncated cone larger than a number holds")
            << S::TruncatedCone << PatternValues{1, 2, 1e4932L, 0} << 0.0;
        QTest::newRow("cylinder without height") << S::Cylinder << PatternValues{1, 0, 0, 0} << 0.0;
    }

    void withoutPattern() {
        QFETCH(ShapeKind, shape);
        QFETCH(PatternValues, values);
        QFETCH(double, size);
        const std::optional<FlatPattern> p = MakeFlatPattern(shape, values);
        QCOMPARE(p.has_value(), size > 0);
        if (p)
            QVERIFY_CLOSE(p->kind == PatternKind::Rectangle ? p->height : p->outerRadius, size,
                          1e-12);
    }

    // The overlap follows the first straight edge at the width asked, and runs into the
    // piece exactly when points sampled within it fall inside the piece.
    void seam_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<PatternValues>("values");
        QTest::addColumn<double>("seam");
        QTest::addColumn<bool>("overlaps");
        QTest::newRow("cone at 216°") << S::Cone << PatternValues{30, 0, 50, 0} << 5.0 << false;
        QTest::newRow("cone at 300°") << S::Cone << PatternValues{50, 0, 60, 0} << 1.0 << true;
        QTest::newRow("truncated cone at 216°")
            << S::TruncatedCone << PatternValues{2, 5, 5, 0} << 1.0 << false;
        QTest::newRow("nearly flat truncated cone")
            << S::TruncatedCone << PatternValues{2, 5, 3.01L, 0} << 1.0 << true;
        QTest::newRow("nearly flat truncated cone, narrow seam")
            << S::TruncatedCone << PatternValues{2, 5, 3.01L, 0} << 0.01 << false;
        QTest::newRow("cylinder") << S::Cylinder << PatternValues{1, 0, 0, 2} << 2.0 << false;
    }

    void seam() {
        QFETCH(ShapeKind, shape);
        QFETCH(PatternValues, values);
        QFETCH(double, seam);
        QFETCH(bool, overlaps);
        const std::optional<FlatPattern> p = MakeFlatPattern(shape, values, seam);
        QVERIFY(p.has_value());
        QCOMPARE(p->seamOverlaps, overlaps);
        const std::vector<OutlinePiece> outline = PatternOutline(*p);
        std::vector<OutlinePiece> strip;
        std::copy_if(outline.begin(), outline.end(), std::back_inserter(strip),
                     [](const OutlinePiece& piece) { return piece.seam; });
        QCOMPARE(strip.size(), std::size_t(3));
        // Out from one end of the piece's edge, along it at the seam's width, back to the other.
        const OutlinePiece& edge = p->kind == PatternKind::Rectangle ? outline[3] : outline[0];
        QVERIFY(Same(strip[0].from, edge.from) || Same(strip[0].from, edge.to));
        QVERIFY(Same(strip[2].to, edge.from) || Same(strip[2].to, edge.to));
        QVERIFY(!Same(strip[0].from, strip[2].to));
        QVERIFY_CLOSE(Length(strip[0]), seam, 1e-12);
        QVERIFY_CLOSE(Length(strip[1]), double(Length(edge)), 1e-12);

        const PatternBounds box = OutlineBounds(strip);
        bool inside = false;
        for (int i = 0; i < 600 && !inside; ++i)
            for (int j = 0; j < 40 && !inside; ++j)
                inside = InsidePiece(*p, box.min.x + (box.max.x - box.min.x) * (i + 0.5L) / 600,
                                     box.min.y + (box.max.y - box.min.y) * (j + 0.5L) / 40);
        QCOMPARE(inside, overlaps);
    }
};

namespace {

// Whether a stroke passes within half a millimetre of a point of the drawing, found by
// rendering a small window of it around the point.
bool DrawnNear(const QByteArray& svg, double radius, double degrees) {
    QSvgRenderer renderer(svg);
    const double t = degrees * kPiD / 180;
    // y points down in SVG.
    renderer.setViewBox(QRectF(radius * std::cos(t) - 2, -radius * std::sin(t) - 2, 4, 4));
    QImage image(40, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    for (int y = 15; y < 25; ++y)
        for (int x = 15; x < 25; ++x)
            if (qAlpha(image.pixel(x, y)) > 0) return true;
    return false;
}

}  // namespace

class TstPatternSvg : public QObject {
    Q_OBJECT

private slots:
    // Sizes in millimetres: the arcs' radii, the drawing's width and height (a margin of
    // 5 mm goes all round), the angles on the outer arc where a stroke must pass and where not.
    void svg_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<double>("seam");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QList<double>>("radii");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QList<double>>("drawn");
        QTest::addColumn<QList<double>>("blank");
        const double below =
            50 * std::sin(36 * kPiD / 180);  // a 216° arc of radius 50 under its centre
        QTest::newRow("cone in cm")
            << S::Cone << "r=30 ma=40" << 1.0 << "cm" << QList<double>{500}
            << QSizeF(1000, (50 + below) * 10) << QList<double>{108, 200} << QList<double>{288};
        QTest::newRow("truncated cone in inches")
            << S::TruncatedCone << "r=2 R=5 ma=4" << 0.0 << "in"
            << QList<double>{25.4 * 10 / 3, 25.4 * 25 / 3}
            << QSizeF(25.4 * 50 / 3, 25.4 * (25.0 + below / 2) / 3) << QList<double>{30, 150}
            << QList<double>{250, 330};
        QTest::newRow("cylinder with a seam")
            << S::Cylinder << "r=10 ma=20" << 3.0 << "mm" << QList<double>{}
            << QSizeF(20 * kPiD + 3, 20) << QList<double>{} << QList<double>{};
        QTest::newRow("a whole disc")
            << S::Cone << "r=1 ma=0.0001" << 0.0 << "m" << QList<double>{1000} << QSizeF(2000, 2000)
            << QList<double>{90, 270} << QList<double>{};
        QTest::newRow("a unit of no known size drawn in mm")
            << S::Cone << "r=30 ma=40" << 0.0 << "yd" << QList<double>{50}
            << QSizeF(100, 50 + below) << QList<double>{108} << QList<double>{288};
    }

    void svg() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, inputs);
        QFETCH(double, seam);
        QFETCH(QString, unit);
        QFETCH(QList<double>, radii);
        QFETCH(QSizeF, size);
        QFETCH(QList<double>, drawn);
        QFETCH(QList<double>, blank);
        FieldSheet sheet;
        const std::optional<FlatPattern> p = SolveFigure(sheet, shape, inputs, 1, seam);
        QVERIFY(p.has_value());
        PatternSvgOptions options;
        options.dimensionText = false;
        const QByteArray svg = PatternSvg(*p, unit.toStdString(), options);

        const QSvgRenderer renderer(svg);
        QVERIFY(renderer.isValid());
        const QRectF box = renderer.viewBoxF();
        QVERIFY_CLOSE(box.width(), size.width() + 10, 1e-9);
        QVERIFY_CLOSE(box.height(), size.height() + 10, 1e-9);
        // The arcs' radii, each once (an arc past half a turn goes in two), from the
        // commands "A rx ry rotation large-arc sweep x y".
        QMap<QString, QString> paths, dashes;
        QList<double> found;
        QXmlStreamReader xml(svg);
        QString group;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            const QXmlStreamAttributes at = xml.attributes();
            if (xml.name() == u"svg") {
                QVERIFY(at.value("width").endsWith(u"mm") && at.value("height").endsWith(u"mm"));
                QVERIFY_CLOSE(at.value("width").chopped(2).toDouble(), box.width(), 1e-9);
                QVERIFY_CLOSE(at.value("height").chopped(2).toDouble(), box.height(), 1e-9);
            } else if (xml.name() == u"g") {
                group = at.value("id").toString();
                dashes[group] = at.value("stroke-dasharray").toString();
            } else if (xml.name() == u"path") {
                paths[group] = at.value("d").toString();
            }
        }
        const QStringList words = paths.value("outline").split(' ');
        for (qsizetype k = 0; k + 7 < words.size(); ++k)
            if (words[k] == "A" && !found.contains(words[k + 1].toDouble()))
                found << words[k + 1].toDouble();
        std::sort(found.begin(), found.end());
        QCOMPARE(found.size(), radii.size());
        for (qsizetype k = 0; k < found.size(); ++k) QVERIFY_CLOSE(found[k], radii[k], 1e-9);
        QVERIFY(words.first() == "M" && words.last() == "Z");
        QCOMPARE(paths.contains("seam"), seam > 0);
        QCOMPARE(dashes.value("seam").isEmpty(), seam == 0);

        for (double t : drawn)
            QVERIFY2(DrawnNear(svg, radii.last(), t), qPrintable(QString("nothing at %1°").arg(t)));
        for (double t : blank)
            QVERIFY2(!DrawnNear(svg, radii.last(), t),
                     qPrintable(QString("a stroke at %1°").arg(t)));
    }

    void text() {
        const std::optional<FlatPattern> p = MakeFlatPattern(S::Cone, {30, 0, 50, 0});
        QVERIFY(p.has_value());
        const QByteArray measures = PatternSvg(*p, "mm");
        QVERIFY(QSvgRenderer(measures).isValid());
        QVERIFY(measures.contains("R = 50.0000 mm") && measures.contains("216° 0′ 0″"));
        PatternSvgOptions options;
        options.caption = "Kúp <1>";
        const QByteArray caption = PatternSvg(*p, "mm", options);
        QVERIFY(QSvgRenderer(caption).isValid());
        QVERIFY(caption.contains("Kúp &lt;1&gt;") && !caption.contains("R = 50"));
    }
};

class TstPatternDxf : public QObject {
    Q_OBJECT

private slots:
    // The drawing unit's code, the arcs' radii (each from 0° to `end`), the lines of the piece.
    void dxf_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<double>("seam");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("insunits");
        QTest::addColumn<QList<double>>("radii");
        QTest::addColumn<double>("end");
        QTest::addColumn<int>("lines");
        QTest::newRow("cone in mm")
            << S::Cone << "r=30 ma=40" << 2.0 << "mm" << 4 << QList<double>{50} << 216.0 << 2;
        QTest::newRow("cone opened less than half a turn, in m")
            << S::Cone << "r=5 ma=12" << 0.0 << "m" << 6 << QList<double>{13} << 1800.0 / 13 << 2;
        QTest::newRow("truncated cone in ft")
            << S::TruncatedCone << "r=2 R=5 ma=4" << 0.0 << "ft" << 2
            << QList<double>{10.0 / 3, 25.0 / 3} << 216.0 << 2;
        QTest::newRow("cylinder in dm")
            << S::Cylinder << "r=1 ma=2" << 1.0 << "dm" << 14 << QList<double>{} << 0.0 << 4;
        QTest::newRow("a unit of no known size")
            << S::Cylinder << "r=1 ma=2" << 0.0 << "yd" << 0 << QList<double>{} << 0.0 << 4;
    }

    void dxf() {
        const QString python = PythonWithEzdxf();
        if (python.isEmpty())
            QSKIP("no python3 with the ezdxf module (python3-ezdxf) to read the DXF back");
        QFETCH(ShapeKind, shape);
        QFETCH(QString, inputs);
        QFETCH(double, seam);
        QFETCH(QString, unit);
        QFETCH(int, insunits);
        QFETCH(QList<double>, radii);
        QFETCH(double, end);
        QFETCH(int, lines);
        FieldSheet sheet;
        const std::optional<FlatPattern> p = SolveFigure(sheet, shape, inputs, 1, seam);
        QVERIFY(p.has_value());
        QTemporaryDir dir;
        const QString path = dir.filePath("pattern.dxf");
        QString error;
        QVERIFY2(WritePatternDxf(*p, unit.toStdString(), path, &error), qPrintable(error));

        QProcess reader;
        reader.start(python, {MERTANO_DXF_READER, path});
        QVERIFY(reader.waitForFinished(60000));
        QVERIFY2(reader.exitCode() == 0, reader.readAllStandardError().constData());
        const QJsonObject read = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
        QCOMPARE(read["insunits"].toInt(), insunits);
        QCOMPARE(read["errors"].toInt(), 0);
        QCOMPARE(read["layers"]["OUTLINE"].toString().toUpper(), QString("CONTINUOUS"));
        QCOMPARE(read["layers"]["SEAM"].toString().toUpper(), QString("DASHED"));
        QList<double> found;
        int outlineLines = 0, seamLines = 0;
        for (const QJsonValue& e : read["entities"].toArray()) {
            const bool onSeam = e["layer"] == "SEAM";
            QVERIFY(onSeam || e["layer"] == "OUTLINE");
            if (e["type"] == "LINE") {
                ++(onSeam ? seamLines : outlineLines);
                continue;
            }
            QCOMPARE(e["type"].toString(), QString("ARC"));
            QVERIFY(!onSeam);
            found << e["radius"].toDouble();
            QCOMPARE(e["centre"], QJsonValue(QJsonArray{0.0, 0.0}));
            QVERIFY_CLOSE(e["start"].toDouble(), 0.0, 1e-9);
            QVERIFY_CLOSE(e["end"].toDouble(), end, 1e-9);
        }
        std::sort(found.begin(), found.end());
        QCOMPARE(found.size(), radii.size());
        for (qsizetype k = 0; k < found.size(); ++k) QVERIFY_CLOSE(found[k], radii[k], 1e-9);
        QCOMPARE(outlineLines, lines);
        QCOMPARE(seamLines, seam > 0 ? 3 : 0);
    }
};

MERTANO_REGISTER_TEST(TstFlatPattern)
MERTANO_REGISTER_TEST(TstPatternSvg)
MERTANO_REGISTER_TEST(TstPatternDxf)
#include "tst_flat_pattern.moc"
