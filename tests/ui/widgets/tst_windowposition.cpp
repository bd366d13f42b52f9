#include "ui/widgets/WindowPosition.h"

#include <QScreen>
#include <QTest>
#include <QWidget>

class TestWindowPosition : public QObject {
    Q_OBJECT

private slots:
    void centeredPosition_data();
    void centeredPosition();
    void centerWindowOnItsScreen();
    void centerChildInParent();
    void setClientSizeKeepsPosition();
};

void TestWindowPosition::centeredPosition_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QRect>("reference");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("centred") << QSize(672, 456) << QRect(0, 0, 1920, 1080) << QPoint(624, 312);
    QTest::newRow("odd difference") << QSize(100, 100) << QRect(0, 0, 801, 601) << QPoint(350, 250);
    QTest::newRow("panel on top") << QSize(600, 400) << QRect(0, 32, 1920, 1048)
                                  << QPoint(660, 356);
    QTest::newRow("second screen")
        << QSize(800, 600) << QRect(1920, 0, 1920, 1080) << QPoint(2480, 240);
    QTest::newRow("larger than the area")
        << QSize(2000, 1200) << QRect(0, 0, 1920, 1080) << QPoint(0, 0);
    QTest::newRow("larger, second screen")
        << QSize(2000, 1200) << QRect(1920, 40, 1920, 1040) << QPoint(1920, 40);
    QTest::newRow("wider only") << QSize(2000, 480) << QRect(0, 0, 1920, 1080) << QPoint(0, 300);
    QTest::newRow("screen left of origin")
        << QSize(400, 300) << QRect(-1280, 0, 1280, 1024) << QPoint(-840, 362);
}

void TestWindowPosition::centeredPosition()
{
    QFETCH(QSize, frame);
    QFETCH(QRect, reference);
    QFETCH(QPoint, expected);
    QCOMPARE(::centeredPosition(frame, reference), expected);
}

void TestWindowPosition::centerWindowOnItsScreen()
{
    QWidget window;
    window.resize(300, 201);
    window.move(5, 7);
    centerWindow(&window);
    const QRect area = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    QCOMPARE(frame.size(), QSize(300, 201));
    QCOMPARE(frame.left() - area.left(), (area.width() - 300) / 2);
    QCOMPARE(frame.top() - area.top(), (area.height() - 201) / 2);
}

void TestWindowPosition::centerChildInParent()
{
    QWidget parent;
    parent.resize(500, 400);
    QWidget child(&parent);
    child.setGeometry(1, 1, 100, 50);
    centerWindow(&child);
    QCOMPARE(child.geometry(), QRect(200, 175, 100, 50));
}

void TestWindowPosition::setClientSizeKeepsPosition()
{
    QWidget window;
    window.setGeometry(50, 60, 300, 200);
    setClientSize(&window, QSize(672, 456));
    QCOMPARE(window.geometry(), QRect(50, 60, 672, 456));
}

QTEST_MAIN(TestWindowPosition)
#include "tst_windowposition.moc"
