// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace vermo::bench {

// Answers the main window's Qt boxes as a player would, the moment each
// one comes up: the speed prompt with the chosen speed, the high-score
// name prompt with a name, "New Game?" with Yes, a message with OK.
// It watches the application's Show events, so it costs nothing while no
// box opens (no polling timer). Any other box is answered too, and told
// to `unexpected` when given.
class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(QString speed, std::function<void(const QString&)> unexpected = {});

    // Boxes answered so far; a change tells a tick observer that the time
    // since the previous tick was spent in a box.
    long answered() const { return answered_; }
    long gameOvers() const { return gameOvers_; }
    long speedPrompts() const { return speedPrompts_; }
    long namePrompts() const { return namePrompts_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void answer(QObject* box);

    QString speed_;
    std::function<void(const QString&)> unexpected_;
    long answered_ = 0;
    long gameOvers_ = 0;
    long speedPrompts_ = 0;
    long namePrompts_ = 0;
};

}  // namespace vermo::bench
