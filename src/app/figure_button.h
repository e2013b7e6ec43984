// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>

namespace mertano {

// A flat figure button: glyph at the left, caption beside it in the button's text
// colour; raised under the mouse, sunk while down.
class FigureButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit FigureButton(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool hovered_ = false;
};

}  // namespace mertano
