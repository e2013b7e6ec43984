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
    // Makes this button the figures' one stop of the Tab key.
    void takeTabStop();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The caption's font shrunk to its room, and its width, worked out once for each
    // caption, font and room (in effect once per language), not at every paint.
    struct FittedCaption {
        QString text;
        QFont base;
        int room = -1;
        QFont font;
        int width = 0;
    };
    const FittedCaption& fittedCaption(int room);

    bool hovered_ = false;
    FittedCaption fitted_;
};

}  // namespace mertano
