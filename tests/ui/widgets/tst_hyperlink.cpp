#include "ui/widgets/Hyperlink.h"

#include <QDesktopServices>
#include <QPainter>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// Stands in for the browser: records every address the program asks to open.
class UrlCatcher : public QObject {
    Q_OBJECT

public slots:
    void open(const QUrl &url) { opened << url; }

public:
    QList<QUrl> opened;
};

} // namespace

class TestHyperlink : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void click_data();
    void click();
    void linkWithoutTargetOpensNothing();
    void sizedToItsText_data();
    void sizedToItsText();
    void silverOnTransparentGround();
    void negativeCoordinatesCountFromFarEdges_data();
    void negativeCoordinatesCountFromFarEdges();

private:
    std::unique_ptr<QWidget> parent;
    UrlCatcher catcher;
};

void TestHyperlink::init()
{
    parent = std::make_unique<QWidget>();
    parent->resize(400, 300);
    catcher.opened.clear();
    QDesktopServices::setUrlHandler(u"https"_s, &catcher, "open");
}

void TestHyperlink::cleanup()
{
    QDesktopServices::unsetUrlHandler(u"https"_s);
    parent.reset();
}

void TestHyperlink::click_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("releaseInside");
    QTest::addColumn<int>("opens");
    QTest::newRow("left click") << Qt::LeftButton << true << 1;
    QTest::newRow("released outside") << Qt::LeftButton << false << 0;
    QTest::newRow("right click") << Qt::RightButton << true << 0;
}

void TestHyperlink::click()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, releaseInside);
    QFETCH(int, opens);
    Hyperlink *link = createPoweredByLink(QFont(), parent.get());
    parent->show();
    QVERIFY(QTest::qWaitForWindowExposed(parent.get()));

    const QPoint inside = link->rect().center();
    QTest::mousePress(link, button, {}, inside);
    QTest::mouseRelease(link, button, {}, releaseInside ? inside : QPoint(-20, -20));
    QCOMPARE(catcher.opened.size(), opens);
    if (opens > 0)
        QCOMPARE(catcher.opened.first(), QUrl(u"https://brightfold.example/"_s));
}

void TestHyperlink::linkWithoutTargetOpensNothing()
{
    Hyperlink *link = createHyperlink(0, 0, parent.get(), 0, 0);
    QVERIFY(!link->openHyperlink());
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    QVERIFY(catcher.opened.isEmpty());
}

void TestHyperlink::sizedToItsText_data()
{
    QTest::addColumn<QFont>("font");
    QFont underlined = QFont();
    underlined.setUnderline(true);
    QFont large = QFont();
    large.setPixelSize(30);
    QTest::newRow("application font") << QFont();
    QTest::newRow("underlined") << underlined;
    QTest::newRow("30 px") << large;
}

void TestHyperlink::sizedToItsText()
{
    QFETCH(QFont, font);
    Hyperlink *link = createPoweredByLink(font, parent.get());
    QCOMPARE(link->text(), u"Powered by Brightfold"_s);
    QCOMPARE(link->font(), font);
    QCOMPARE(link->pos(), QPoint(0, 0));
    // What the label itself needs to show the whole text, no more.
    QCOMPARE(link->size(), link->sizeHint());
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(link->focusPolicy(), Qt::NoFocus);
}

void TestHyperlink::silverOnTransparentGround()
{
    parent->setAutoFillBackground(true);
    parent->setPalette(QPalette(Qt::black));
    Hyperlink *link = createPoweredByLink(QFont(), parent.get());
    const QImage shot =
        parent->grab(link->geometry()).toImage().convertToFormat(QImage::Format_RGB32);

    int brightest = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            QVERIFY2(c.red() == c.green() && c.green() == c.blue(), "text is grey on black");
            brightest = qMax(brightest, c.red());
        }
    }
    QCOMPARE(brightest, 192);
    // The ground shows through where there is no text.
    QCOMPARE(shot.pixelColor(0, 0), QColor(Qt::black));
}

void TestHyperlink::negativeCoordinatesCountFromFarEdges_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("requested");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("both negative") << QSize(50, 20) << QPoint(-10, -10) << QRect(340, 270, 50, 20);
    QTest::newRow("x only") << QSize(50, 20) << QPoint(-1, 7) << QRect(349, 7, 50, 20);
    QTest::newRow("y only") << QSize(50, 20) << QPoint(12, -30) << QRect(12, 250, 50, 20);
    QTest::newRow("positive") << QSize(50, 20) << QPoint(3, 4) << QRect(3, 4, 50, 20);
}

void TestHyperlink::negativeCoordinatesCountFromFarEdges()
{
    QFETCH(QSize, size);
    QFETCH(QPoint, requested);
    QFETCH(QRect, expected);
    const Hyperlink *link =
        createHyperlink(size.width(), size.height(), parent.get(), requested.x(), requested.y());
    QCOMPARE(link->geometry(), expected);
}

QTEST_MAIN(TestHyperlink)
#include "tst_hyperlink.moc"
