#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a close of the main window, so a terminal's Ctrl+C or a
// session's shutdown ends the program through its usual exit sequence.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;
    Q_DISABLE_COPY_MOVE(TerminationSignals)

private:
    void onSignal();

    QSocketNotifier *notifier = nullptr;
};
