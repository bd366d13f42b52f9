#pragma once

#include <QAbstractButton>

class PlayBar;

// One button of the control bar: its whole face is its skin image, drawn by the bar over the
// restored background and shifted one pixel right and down while pressed.
class SkinButton : public QAbstractButton {
public:
    SkinButton(int controlId, PlayBar &owner, QWidget *parent);
    Q_DISABLE_COPY_MOVE(SkinButton)

    int controlId() const { return id; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int id;
    PlayBar &bar;
};
