// The About box: the program's name and version. It ends only through its "Close" button.
#pragma once

#include <QDialog>

namespace rpanel {

class AboutBox final : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* owner);

    // Escape and the window manager's close request leave the box open.
    void reject() override {}

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

}  // namespace rpanel
