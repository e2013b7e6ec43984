// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the main window's tests do as a user would: show the window active, choose a
// figure, type values into fields.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/app_context.h"
#include "app/figure_button.h"
#include "app/fo_form.h"
#include "calc/field.h"
#include "widgets/float_edit.h"

namespace mertano::test {

// Answers the next message dialog with OK and remembers its text and title.
struct MessageCatcher {
    QString text;
    QString title;
    int seen = 0;

    void armOnce() {
        QTimer::singleShot(0, [this] { answer(); });
    }
    void answer() {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) {
            QTimer::singleShot(10, [this] { answer(); });
            return;
        }
        ++seen;
        title = dialog->windowTitle();
        if (auto* label = dialog->findChild<QLabel*>("Message")) text = label->text();
        if (auto* ok = dialog->findChild<QAbstractButton*>("OK")) ok->click();
    }
};

// Shows the window and makes it the active one, as a user's window is; false when the
// platform does not activate it.
inline bool ShowActive(TFoForm& form) {
    form.show();
    QApplication::setActiveWindow(&form);
    return QTest::qWaitForWindowActive(&form);
}

// A test class that opens a fresh main window, with fresh shared state, for each test.
class MainWindowTest : public QObject {
protected:
    bool openWindow() {
        app_ = std::make_unique<AppContext>();
        form_ = std::make_unique<TFoForm>(*app_);
        return ShowActive(*form_);
    }
    void closeWindow() {
        form_.reset();
        app_.reset();
    }

    std::unique_ptr<AppContext> app_;
    std::unique_ptr<TFoForm> form_;
};

inline void ChooseFigure(TFoForm& form, ShapeKind shape) {
    QTest::mouseClick(form.figureButton(shape), Qt::LeftButton);
}

inline TFloatEdit* FieldNamed(TFoForm& form, const QString& valueName) {
    return form.edit(*FieldFromValueName(valueName.toStdString()));
}

// Replaces a field's text by typing.
inline void TypeInto(TFoForm& form, const QString& valueName, const QString& text) {
    TFloatEdit* e = FieldNamed(form, valueName);
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
}

// "r=3 m=4": typed into the fields, then the focus leaves the last one.
inline void TypeAll(TFoForm& form, const QString& inputs) {
    for (const QString& item : inputs.split(' ', Qt::SkipEmptyParts)) {
        const QStringList kv = item.split('=');
        TypeInto(form, kv[0], kv[1]);
    }
    form.EgysegComboBox->setFocus();
}

}  // namespace mertano::test
