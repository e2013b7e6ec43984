// SPDX-License-Identifier: GPL-3.0-or-later
// How large the windows are drawn: chosen here, kept in the settings, applied to every
// window by widgets/zoom.
#include <QMenu>
#include <QSettings>
#include <QShortcut>

#include "app/app_context.h"
#include "app/fo_form.h"
#include "widgets/contrast.h"
#include "widgets/window_place.h"
#include "widgets/zoom.h"

namespace mertano {
namespace {

constexpr char kZoomKey[] = "Zoom";
constexpr char kContrastKey[] = "HighContrast";

QSettings UserSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Vrelk", "Mertano");
}

}  // namespace

void TFoForm::connectZoom() {
    const auto zoomBy = [this](int (*step)(int)) { setZoom(step(ProgramZoom())); };
    // Ctrl+= as well: on many keyboards plus is Shift+=.
    for (const QKeySequence& key :
         {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)}) {
        connect(new QShortcut(key, this), &QShortcut::activated, this,
                [zoomBy] { zoomBy(NextZoom); });
    }
    connect(new QShortcut(QKeySequence(QKeySequence::ZoomOut), this), &QShortcut::activated, this,
            [zoomBy] { zoomBy(PreviousZoom); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_0), this), &QShortcut::activated, this,
            [this] { setZoom(100); });

    // A zoom kept from a larger screen comes down to the largest this one holds.
    const QSettings settings = UserSettings();
    int kept = ValidZoom(settings.value(kZoomKey, 100).toInt());
    while (kept > 100 && !zoomFits(kept)) kept = PreviousZoom(kept);
    if (kept != 100) setZoom(kept);
    if (settings.value(kContrastKey, false).toBool()) SetHighContrast(true);
}

bool TFoForm::zoomFits(int percent) const {
    const QRect area = WorkArea(this);
    if (area.isEmpty()) return percent == 100;
    // The frame as the window system draws it now; none is known before the first showing.
    const QSize frame = frameGeometry().size() - size();
    const QSize zoomed(Zoomed(minimumWidth() * 100 / WindowZoom(this), percent),
                       Zoomed(minimumHeight() * 100 / WindowZoom(this), percent));
    return percent == 100 || (zoomed + frame).boundedTo(area.size()) == zoomed + frame;
}

void TFoForm::setZoom(int percent) {
    percent = ValidZoom(percent);
    if (percent == WindowZoom(this) || !zoomFits(percent)) return;
    SetProgramZoom(percent);
    ZoomWindow(this, percent);  // before the first showing too
    if (isVisible())
        KeepOnScreen(this, this);
    else
        placeCentred();
    QSettings settings = UserSettings();
    settings.setValue(kZoomKey, percent);
}

void TFoForm::addZoomMenu(QMenu* menu) {
    menu->addSeparator();
    QMenu* zoom = menu->addMenu(QString::fromStdString(app_.language.texts().text(kTextZoom)));
    zoom->setObjectName("ZoomMenu");
    for (const int percent : kZoomSteps) {
        QAction* action = zoom->addAction(QStringLiteral("%1 %").arg(percent));
        action->setObjectName(QStringLiteral("Zoom%1").arg(percent));
        action->setCheckable(true);
        action->setChecked(percent == WindowZoom(this));
        action->setEnabled(zoomFits(percent));
        if (percent == 100) action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
        connect(action, &QAction::triggered, this, [this, percent] { setZoom(percent); });
    }
    zoom->addSeparator();
    QAction* contrast =
        zoom->addAction(QString::fromStdString(app_.language.texts().text(kTextHighContrast)));
    contrast->setObjectName("HighContrastAction");
    contrast->setCheckable(true);
    contrast->setChecked(HighContrast());
    connect(contrast, &QAction::toggled, this, [](bool on) {
        SetHighContrast(on);
        QSettings settings = UserSettings();
        settings.setValue(kContrastKey, on);
    });
}

}  // namespace mertano
