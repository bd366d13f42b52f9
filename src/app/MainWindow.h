#pragma once

#include <QWidget>

class QShortcut;

// The main window: every command of the keyboard, the pane's menu and the control bar arrives
// here as a posted CommandEvent; the 260 ms timer fans out to the title, the views and the
// controller.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;
    Q_DISABLE_COPY_MOVE(MainWindow)

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createShortcuts();
    void onCommand(int id);
};

// Applies a volume step; while muted the step starts from silence.
void volumeStep(int step);
