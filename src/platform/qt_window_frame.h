#pragma once

#include <QIcon>

#include "platform/window_frame.h"

class QWidget;

namespace vermo {

class IconFiles;

// The main window's outer frame in twips, converted at the screen's
// logical dpi, and its icon from the game's icon files.
class QtWindowFrame : public WindowFrame {
public:
    QtWindowFrame(QWidget* window, IconFiles& icons);

    int left() const override;
    int top() const override;
    void setLeft(int twips) override;
    void setTop(int twips) override;
    void setIcon(const std::string& file) override;

    // A plain round icon for when the icon file cannot be used.
    static QIcon standInIcon();

private:
    double dpi() const;

    QWidget* window_;
    IconFiles& icons_;
};

}  // namespace vermo
