#pragma once

#include <QWidget>

class PlayBar;

// The control bar's window. It hands sizing, painting and slider input to its bar.
class BarWindow : public QWidget {
public:
    BarWindow(PlayBar &bar, QWidget *parent);
    Q_DISABLE_COPY_MOVE(BarWindow)

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    PlayBar &bar;
};
