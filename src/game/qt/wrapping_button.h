// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

namespace vermo {

// A push button whose caption wraps at word boundaries and stands centred
// inside it, as a classic push button's does. QPushButton keeps its
// caption on one line. Return and Enter press it as Space does.
class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    explicit WrappingButton(QWidget* parent) : QPushButton(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace vermo
