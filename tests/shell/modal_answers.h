// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

namespace vermo::testing {

// Answers modal boxes in the order they open: each step receives the box
// that has just come up and closes it (or not) as a player would.
class ModalAnswers {
public:
    using Step = std::function<void(QWidget* box)>;

    explicit ModalAnswers(std::vector<Step> steps) : steps_(std::move(steps))
    {
        poll_.setInterval(5);
        QObject::connect(&poll_, &QTimer::timeout, [this] { look(); });
        poll_.start();
    }

    int answered() const { return static_cast<int>(next_); }

private:
    void look()
    {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || box == current_ || next_ >= steps_.size())
            return;
        current_ = box;
        steps_[next_++](box);
    }

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    QPointer<QWidget> current_;
    QTimer poll_;
};

}  // namespace vermo::testing
