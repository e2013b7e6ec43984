// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/pictures.h"

#include <QPainter>
#include <QtMath>
#include <cmath>

#include "pictures/picture_decor.h"
#include "pictures/picture_figures.h"
#include "pictures/picture_glyphs.h"

namespace mertano {

namespace {

using Q = Quantity;
using S = ShapeKind;

enum class Art {
    Figure,
    ButtonMarker,
    Welcome,
    ExitGlyph,
    AngleGlyph,
    HelpGlyph,
    CalculatorGlyph,
    LanguageGlyph,
    MaterialsGlyph,
    Banner,
    BannerHighlighted,
};

struct PictureEntry {
    int number;
    Art art;
    ShapeKind figure;
    Quantity marked;
};

constexpr PictureEntry Figure(int number, ShapeKind figure, Quantity marked = Q::None) {
    return {number, Art::Figure, figure, marked};
}

constexpr PictureEntry Decor(int number, Art art) {
    return {number, art, S::Triangle, Q::None};
}

// The cube, the sphere, the cap and the zone have no plain picture: the picture shown
// when one is chosen already marks its first measurement.
constexpr PictureEntry kPictures[] = {
    Decor(0, Art::ExitGlyph),
    Figure(1, S::Triangle),
    Figure(2, S::RightTriangle),
    Figure(3, S::Circle),
    Figure(4, S::CircularSector),
    Figure(5, S::CircularSegment),
    Figure(6, S::Cube, Q::A),
    Figure(7, S::Cylinder),
    Figure(8, S::Cone),
    Figure(9, S::TruncatedCone),
    Figure(10, S::Sphere, Q::R),
    Decor(11, Art::ButtonMarker),
    Decor(12, Art::Welcome),
    Decor(13, Art::AngleGlyph),
    Decor(14, Art::HelpGlyph),
    Figure(15, S::Cuboid),
    Decor(16, Art::CalculatorGlyph),
    Figure(17, S::Triangle, Q::A),
    Figure(18, S::Triangle, Q::Alpha),
    Figure(19, S::Triangle, Q::B),
    Figure(20, S::Triangle, Q::Beta),
    Figure(21, S::Triangle, Q::C),
    Figure(22, S::Triangle, Q::Gamma),
    Figure(23, S::Triangle, Q::Ma),
    Figure(24, S::RightTriangle, Q::A),
    Figure(25, S::RightTriangle, Q::Alpha),
    Figure(26, S::RightTriangle, Q::B),
    Figure(27, S::RightTriangle, Q::Beta),
    Figure(28, S::RightTriangle, Q::C),
    Figure(29, S::Circle, Q::R),
    Figure(30, S::CircularSector, Q::Alpha),
    Figure(31, S::CircularSector, Q::I),
    Figure(32, S::CircularSector, Q::R),
    Figure(33, S::CircularSegment, Q::Alpha),
    Figure(34, S::CircularSegment, Q::H),
    Figure(35, S::CircularSegment, Q::I),
    Figure(36, S::CircularSegment, Q::M),
    Figure(37, S::CircularSegment, Q::R),
    Figure(38, S::Cylinder, Q::M),
    Figure(39, S::Cylinder, Q::R),
    Figure(40, S::Cone, Q::A),
    Figure(41, S::Cone, Q::Alpha),
    Figure(42, S::Cone, Q::Beta),
    Figure(43, S::Cone, Q::M),
    Figure(44, S::Cone, Q::R),
    Figure(45, S::TruncatedCone, Q::A),
    Figure(46, S::TruncatedCone, Q::Alpha),
    Figure(47, S::TruncatedCone, Q::R),
    Figure(48, S::TruncatedCone, Q::M),
    Figure(49, S::TruncatedCone, Q::BigR),
    Figure(50, S::Cuboid, Q::A),
    Figure(51, S::Cuboid, Q::B),
    Figure(52, S::Cuboid, Q::C),
    Figure(53, S::Circle, Q::D),
    Decor(54, Art::Banner),
    Decor(55, Art::BannerHighlighted),
    Figure(56, S::SphericalCap, Q::A),
    Figure(57, S::SphericalCap, Q::M),
    Figure(58, S::SphericalCap, Q::R),
    Figure(59, S::SphericalZone, Q::A1),
    Figure(60, S::SphericalZone, Q::A2),
    Figure(61, S::SphericalZone, Q::M),
    Figure(62, S::SphericalZone, Q::R),
    Decor(63, Art::LanguageGlyph),
    Decor(64, Art::MaterialsGlyph),
};

const PictureEntry* FindEntry(const QString& name) {
    // Only the exact resource spelling counts: "B7", never "b7" or "B07".
    const qsizetype digits = name.size() - 1;
    if (digits < 1 || digits > 3 || name[0] != QLatin1Char('B')) return nullptr;
    if (digits > 1 && name[1] == QLatin1Char('0')) return nullptr;
    int number = 0;
    for (qsizetype k = 1; k <= digits; ++k) {
        const char16_t c = name[k].unicode();
        if (c < u'0' || c > u'9') return nullptr;
        number = number * 10 + (c - u'0');
    }
    for (const PictureEntry& entry : kPictures)
        if (entry.number == number) return &entry;
    return nullptr;
}

QSize LogicalSize(const PictureEntry& entry) {
    switch (entry.art) {
        case Art::ButtonMarker:
            return {19, 19};
        case Art::Welcome:
            return {320, 200};
        case Art::ExitGlyph:
        case Art::AngleGlyph:
        case Art::CalculatorGlyph:
            return {25, 25};
        case Art::HelpGlyph:
        case Art::LanguageGlyph:
        case Art::MaterialsGlyph:
            return {27, 27};
        case Art::Banner:
        case Art::BannerHighlighted:
            return {200, 30};
        case Art::Figure:
            break;
    }
    return {150, 150};
}

// The marker and the glyphs sit on button faces, so they keep that face's colour around
// their drawing; the others have a white ground.
bool OnButton(const PictureEntry& entry) {
    return entry.art != Art::Figure && entry.art != Art::Welcome && entry.art != Art::Banner &&
           entry.art != Art::BannerHighlighted;
}

// Draws the picture at its logical size from the painter's origin.
void PaintArt(const PictureEntry& entry, QPainter& painter) {
    switch (entry.art) {
        case Art::Figure:
            PaintSketch(painter, FigureSketch(entry.figure), entry.marked);
            break;
        case Art::ButtonMarker:
            PaintButtonMarker(painter);
            break;
        case Art::Welcome:
            PaintWelcome(painter);
            break;
        case Art::ExitGlyph:
            PaintExitGlyph(painter);
            break;
        case Art::AngleGlyph:
            PaintAngleGlyph(painter);
            break;
        case Art::HelpGlyph:
            PaintHelpGlyph(painter);
            break;
        case Art::CalculatorGlyph:
            PaintCalculatorGlyph(painter);
            break;
        case Art::LanguageGlyph:
            PaintLanguageGlyph(painter);
            break;
        case Art::MaterialsGlyph:
            PaintMaterialsGlyph(painter);
            break;
        case Art::Banner:
        case Art::BannerHighlighted:
            PaintBanner(painter, entry.art == Art::BannerHighlighted);
            break;
    }
}

QPixmap Render(const PictureEntry& entry, qreal ratio) {
    const QSize logical = LogicalSize(entry);
    QPixmap pixmap(qCeil(logical.width() * ratio), qCeil(logical.height() * ratio));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(OnButton(entry) ? Qt::transparent : Qt::white);
    QPainter painter(&pixmap);
    PaintArt(entry, painter);
    return pixmap;
}

}  // namespace

void PictureList::dropIfRestroked() const {
    if (drawnStroke_ == SketchStroke()) return;
    cache_.clear();
    scaled_.clear();
    drawnStroke_ = SketchStroke();
}

QPixmap PictureList::picture(const QString& name, qreal devicePixelRatio) const {
    dropIfRestroked();
    const PictureEntry* entry = FindEntry(name);
    if (!entry) return {};
    const qreal ratio =
        devicePixelRatio > 0 && std::isfinite(devicePixelRatio) ? devicePixelRatio : 1.0;
    const auto key = std::make_pair(entry->number, ratio);
    auto found = cache_.find(key);
    if (found == cache_.end()) found = cache_.emplace(key, Render(*entry, ratio)).first;
    return found->second;
}

QPixmap PictureList::picture(const QString& name, qreal devicePixelRatio,
                             const QSize& shown) const {
    QPixmap drawn = picture(name, devicePixelRatio);  // drops what an older stroke drew
    const qreal ratio = drawn.devicePixelRatio();
    if (drawn.isNull() || drawn.size() == shown * ratio) return drawn;
    // Shown larger (a zoomed window), it is drawn larger, not blown up.
    const QSize logical = size(name);
    const qreal larger =
        std::max(qreal(shown.width()) / logical.width(), qreal(shown.height()) / logical.height());
    if (larger > 1) {
        drawn = picture(name, ratio * larger);
        drawn.setDevicePixelRatio(ratio);
        if (drawn.size() == shown * ratio) return drawn;
    }
    const auto key = std::make_tuple(FindEntry(name)->number, ratio, shown.width(), shown.height());
    auto found = scaled_.find(key);
    if (found == scaled_.end()) {
        QPixmap scaled =
            drawn.scaled(shown * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
        found = scaled_.emplace(key, scaled).first;
    }
    return found->second;
}

bool PictureList::paint(const QString& name, QPainter& painter, const QRectF& target) const {
    const PictureEntry* entry = FindEntry(name);
    if (!entry || target.isEmpty()) return false;
    const QSize logical = LogicalSize(*entry);
    painter.save();
    if (!OnButton(*entry)) painter.fillRect(target, Qt::white);
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / logical.width(), target.height() / logical.height());
    PaintArt(*entry, painter);
    painter.restore();
    return true;
}

bool PictureList::has(const QString& name) const {
    return FindEntry(name) != nullptr;
}

QSize PictureList::size(const QString& name) const {
    const PictureEntry* entry = FindEntry(name);
    return entry ? LogicalSize(*entry) : QSize();
}

QStringList PictureList::names() const {
    QStringList list;
    for (const PictureEntry& entry : kPictures) list << QString("B%1").arg(entry.number);
    return list;
}

}  // namespace mertano
