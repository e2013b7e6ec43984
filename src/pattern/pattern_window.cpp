// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern/pattern_window.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "calc/numbers.h"
#include "pattern/pattern_drawing.h"
#include "pattern/pattern_dxf.h"
#include "pattern/pattern_print.h"
#include "pattern/pattern_svg.h"
#include "pattern/pattern_units.h"
#include "shapes/shape_catalogue.h"
#include "widgets/file_choice.h"
#include "widgets/message_form.h"
#include "widgets/window_place.h"

namespace mertano {

// The pattern drawn as large as the widget lets it, in its own proportions.
class PatternView : public QWidget {
public:
    explicit PatternView(QWidget* parent) : QWidget(parent) {
        setObjectName("PatternView");
        setMinimumSize(320, 260);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    void setPaths(std::optional<PatternPaths> paths) {
        paths_ = std::move(paths);
        update();
    }
    void setEmptyText(const QString& text) {
        empty_ = text;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Base));
        painter.setPen(palette().color(QPalette::Text));
        if (!paths_ || paths_->bounds.isEmpty()) {
            painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                             empty_);
            return;
        }
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF room = QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
        const QRectF b = paths_->bounds;
        const double scale = std::min(room.width() / b.width(), room.height() / b.height());
        QTransform fit;
        fit.translate(room.center().x(), room.center().y());
        fit.scale(scale, scale);
        fit.translate(-b.center().x(), -b.center().y());
        // Mapped rather than drawn through the transform, so the lines keep their widths
        // in pixels whatever the pattern's size.
        PatternPaths shown;
        shown.outline = fit.map(paths_->outline);
        shown.seam = fit.map(paths_->seam);
        QColor fill = palette().color(QPalette::Highlight);
        fill.setAlpha(40);
        painter.fillPath(shown.outline, fill);
        const QPen pen(palette().color(QPalette::Text), 1.5, Qt::SolidLine, Qt::FlatCap,
                       Qt::RoundJoin);
        StrokePatternPaths(painter, shown, pen, 6.0, 4.0);
    }

private:
    static constexpr double kMargin = 12.0;
    std::optional<PatternPaths> paths_;
    QString empty_;
};

namespace {

struct MeasureRow {
    const char* name;  // of the labels, for tests and styles
    int text;          // 0: the row goes on from the one above
    const char* symbol;
};
constexpr std::array<MeasureRow, PatternWindow::RowCount> kRows{{
    {"OuterRadius", kTextOuterRadius, "R"},
    {"InnerRadius", kTextInnerRadius, "r"},
    {"Angle", kTextPatternAngle, "θ"},
    {"AngleDms", 0, ""},
    {"OuterArc", kTextOuterArc, ""},
    {"InnerArc", kTextInnerArc, ""},
    // h, as the SVG's own caption calls it.
    {"Chord", kTextOpeningChord, "h"},
    {"Width", kTextPatternWidth, ""},
    {"Height", kTextPatternHeight, ""},
}};

// Up to 1000 with 4 decimals, as the figure's fields are written; a comma is taken too,
// as the calculation takes one.
const QRegularExpression kSeamText(QStringLiteral("1000([.,]0{0,4})?|\\d{0,3}([.,]\\d{0,4})?"));

QString WithoutAccessKey(QString text) {
    return text.remove(QLatin1Char('&'));
}

QString Degrees(const AngleParts& a) {
    return QStringLiteral("%1° %2′ %3″").arg(a.degrees).arg(a.minutes).arg(a.seconds);
}

}  // namespace

PatternWindow::PatternWindow(const LanguageTexts& texts, QWidget* parent)
    : QWidget(parent, Qt::Window), texts_(texts) {
    setObjectName("PatternWindow");
    build();
    retranslate();
    resize(820, 520);
}

void PatternWindow::build() {
    view_ = new PatternView(this);
    heading_ = new QLabel(this);
    heading_->setObjectName("PatternHeading");
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);

    measures_ = new QGridLayout;
    measures_->setColumnStretch(2, 1);
    measures_->setHorizontalSpacing(16);
    for (int row = 0; row < RowCount; ++row) {
        names_[row] = new QLabel(this);
        names_[row]->setObjectName(QStringLiteral("Pattern%1Name").arg(kRows[row].name));
        shown_[row] = new QLabel(this);
        shown_[row]->setObjectName(QStringLiteral("Pattern%1Value").arg(kRows[row].name));
        shown_[row]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        shown_[row]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        measures_->addWidget(names_[row], row, 0);
        measures_->addWidget(shown_[row], row, 1);
    }

    seamLabel_ = new QLabel(this);
    seamLabel_->setObjectName("PatternSeamLabel");
    seamEdit_ = new QLineEdit(this);
    seamEdit_->setObjectName("PatternSeamEdit");
    seamEdit_->setValidator(new QRegularExpressionValidator(kSeamText, seamEdit_));
    seamEdit_->setPlaceholderText(QStringLiteral("0"));
    seamEdit_->setMaximumWidth(90);
    seamEdit_->setAlignment(Qt::AlignRight);
    seamLabel_->setBuddy(seamEdit_);
    seamUnit_ = new QLabel(this);
    seamUnit_->setObjectName("PatternSeamUnit");
    seamWarning_ = new QLabel(this);
    seamWarning_->setObjectName("PatternSeamWarning");
    seamWarning_->setWordWrap(true);
    seamWarning_->setFont(bold);
    seamWarning_->hide();

    auto* seamRow = new QHBoxLayout;
    seamRow->addWidget(seamLabel_);
    seamRow->addWidget(seamEdit_);
    seamRow->addWidget(seamUnit_);
    seamRow->addStretch();

    auto* side = new QVBoxLayout;
    side->addWidget(heading_);
    side->addLayout(measures_);
    side->addSpacing(12);
    side->addLayout(seamRow);
    side->addWidget(seamWarning_);
    side->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(view_, 1);
    top->addLayout(side);

    const auto button = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(name);
        return b;
    };
    printFullBtn_ = button("PatternPrintFullBtn");
    printFittedBtn_ = button("PatternPrintFittedBtn");
    svgBtn_ = button("PatternSvgBtn");
    dxfBtn_ = button("PatternDxfBtn");
    closeBtn_ = button("PatternCloseBtn");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {printFullBtn_, printFittedBtn_, svgBtn_, dxfBtn_}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(closeBtn_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(seamEdit_, &QLineEdit::textChanged, this, [this] { rebuild(); });
    connect(printFullBtn_, &QPushButton::clicked, this, [this] { printChosen(true); });
    connect(printFittedBtn_, &QPushButton::clicked, this, [this] { printChosen(false); });
    connect(svgBtn_, &QPushButton::clicked, this, [this] { saveChosen(true); });
    connect(dxfBtn_, &QPushButton::clicked, this, [this] { saveChosen(false); });
    connect(closeBtn_, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

QString PatternWindow::text(int n) const {
    return QString::fromStdString(texts_.text(n));
}

QString PatternWindow::figureName() const {
    const ShapeInfo& info = Shape(shape_);
    const QString caption = WithoutAccessKey(text(info.captionText));
    return caption.isEmpty() ? QString::fromUtf8(info.defaultCaption.data(),
                                                 static_cast<int>(info.defaultCaption.size()))
                             : caption;
}

QString PatternWindow::length(long double x) const {
    return QString::fromStdString(FormatFixed(x, 4)) + ' ' + QString::fromStdString(unit_);
}

long double PatternWindow::seam() const {
    return ReadFieldText(seamEdit_->text().toStdString());
}

void PatternWindow::showPattern(ShapeKind shape, const PatternValues& values,
                                const std::string& unit) {
    shape_ = shape;
    values_ = values;
    unit_ = unit;
    rebuild();
}

void PatternWindow::retranslate() {
    seamLabel_->setText(text(kTextSeamAllowance));
    seamWarning_->setText(text(kTextSeamOverlaps));
    printFullBtn_->setText(text(kTextPrintFullSize));
    printFittedBtn_->setText(text(kTextPrintFitted));
    svgBtn_->setText(text(kTextSaveSvg));
    dxfBtn_->setText(text(kTextSaveDxf));
    closeBtn_->setText(text(kTextCloseWindow));
    view_->setEmptyText(text(kTextNoPattern));
    showMeasures();
}

void PatternWindow::rebuild() {
    pattern_ = MakeFlatPattern(shape_, values_, seam());
    view_->setPaths(pattern_ ? std::optional(MakePatternPaths(*pattern_, 1.0)) : std::nullopt);
    seamWarning_->setVisible(pattern_ && pattern_->seamOverlaps);
    for (QPushButton* b : {printFullBtn_, printFittedBtn_, svgBtn_, dxfBtn_})
        b->setEnabled(pattern_.has_value());
    showMeasures();
}

void PatternWindow::showMeasures() {
    setWindowTitle(WithoutAccessKey(text(kTextFlatPattern)) + QStringLiteral(" – ") +
                   figureName());
    heading_->setText(figureName());
    seamUnit_->setText(QString::fromStdString(unit_));
    std::vector<std::pair<Row, QString>> rows;
    if (pattern_) {
        const FlatPattern& p = *pattern_;
        if (p.kind == PatternKind::Rectangle) {
            rows = {{Width, length(p.width)}, {Height, length(p.height)}};
        } else {
            rows.emplace_back(OuterRadius, length(p.outerRadius));
            if (p.kind == PatternKind::AnnularSector)
                rows.emplace_back(InnerRadius, length(p.innerRadius));
            rows.emplace_back(Angle,
                              QString::fromStdString(FormatFixed(p.angleDegrees, 4)) + "°");
            rows.emplace_back(AngleDms, Degrees(p.angle));
            rows.emplace_back(OuterArc, length(p.outerArc));
            if (p.kind == PatternKind::AnnularSector)
                rows.emplace_back(InnerArc, length(p.innerArc));
            rows.emplace_back(Chord, length(p.chord));
        }
    }
    for (int row = 0; row < RowCount; ++row) {
        const auto found = std::find_if(rows.begin(), rows.end(),
                                        [row](const auto& r) { return r.first == row; });
        const bool shown = found != rows.end();
        names_[row]->setVisible(shown);
        shown_[row]->setVisible(shown);
        if (!shown) continue;
        const MeasureRow& m = kRows[row];
        QString name = m.text ? text(m.text) : QString();
        if (*m.symbol) name += QStringLiteral(" ") + QString::fromUtf8(m.symbol);
        names_[row]->setText(name);
        shown_[row]->setText(found->second);
    }
}

QString PatternWindow::caption() const {
    if (!pattern_) return figureName();
    const FlatPattern& p = *pattern_;
    QStringList parts;
    if (p.kind == PatternKind::Rectangle) {
        parts << length(p.width) + QStringLiteral(" × ") + length(p.height);
    } else {
        parts << QStringLiteral("R = ") + length(p.outerRadius);
        if (p.kind == PatternKind::AnnularSector)
            parts << QStringLiteral("r = ") + length(p.innerRadius);
        parts << QStringLiteral("θ = ") + Degrees(p.angle);
        parts << QStringLiteral("h = ") + length(p.chord);
    }
    if (p.seam > 0) parts << text(kTextSeamWord) + ' ' + length(p.seam);
    return figureName() + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
}

void PatternWindow::present(const QWidget* anchor) {
    const bool first = !placed_;
    anchor_ = anchor;
    show();
    if (first && anchor) {
        placed_ = true;
        const auto place = [this] {
            if (!anchor_) return;
            move(anchor_->frameGeometry().topRight() + QPoint(8, 0));
            KeepOnScreen(this, anchor_);
        };
        SettleLayout(this);
        place();
        PlaceAgainWhenFramed(this, place);
    }
    raise();
    activateWindow();
}

bool PatternWindow::printTo(QPrinter& printer, bool fullSize) {
    if (!pattern_) return false;
    return PrintPattern(printer, *pattern_, unit_,
                        fullSize ? PatternScale::FullSize : PatternScale::Fitted, texts_,
                        caption()) == PatternPrintOutcome::Printed;
}

void PatternWindow::printChosen(bool fullSize) {
    if (!pattern_) return;
    if (fullSize && !MillimetresPerUnit(unit_)) {
        ShowLocalMessage(this, text(kTextNoFullSize).arg(QString::fromStdString(unit_)),
                         MessageKind::Warning, MessageButton::OK, MessageButton::OK, 0,
                         texts_);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(false);
    QPrintDialog dialog(&printer, this);
    // A pattern of many sheets can be printed again in part, a spoilt sheet alone.
    const int sheets = PatternSheetCount(
        printer, *pattern_, unit_, fullSize ? PatternScale::FullSize : PatternScale::Fitted);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, std::max(1, sheets));
    if (dialog.exec() != QDialog::Accepted) return;
    printTo(printer, fullSize);
}

bool PatternWindow::saveSvg(const QString& path) {
    if (!pattern_) return false;
    PatternSvgOptions options;
    options.caption = caption();
    QString error;
    if (WritePatternSvg(*pattern_, unit_, path, &error, options)) return true;
    ShowLocalMessage(this, text(kTextFileNotSaved).arg(QDir::toNativeSeparators(path), error),
                     MessageKind::Error, MessageButton::OK, MessageButton::OK, 0, texts_);
    return false;
}

bool PatternWindow::saveDxf(const QString& path) {
    if (!pattern_) return false;
    QString error;
    if (WritePatternDxf(*pattern_, unit_, path, &error)) return true;
    ShowLocalMessage(this, text(kTextFileNotSaved).arg(QDir::toNativeSeparators(path), error),
                     MessageKind::Error, MessageButton::OK, MessageButton::OK, 0, texts_);
    return false;
}

QString PatternWindow::chooseFile(int filterText, const QString& suffix) {
    const std::string_view name = Shape(shape_).name;
    const QString chosen =
        ChooseFile(this, {true, text(filterText), suffix, folder_,
                          QString::fromUtf8(name.data(), static_cast<int>(name.size())) + '.' + suffix});
    if (!chosen.isEmpty()) folder_ = QFileInfo(chosen).absolutePath();
    return chosen;
}

void PatternWindow::saveChosen(bool svg) {
    const QString chosen = chooseFile(svg ? kTextSvgFiles : kTextDxfFiles, svg ? "svg" : "dxf");
    if (chosen.isEmpty()) return;
    if (svg)
        saveSvg(chosen);
    else
        saveDxf(chosen);
}

}  // namespace mertano
