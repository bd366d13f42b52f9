#include "platform/WindowPlacement.h"

#include <QByteArray>
#include <QTest>

class TestWindowPlacement : public QObject {
    Q_OBJECT

private slots:
    void encodeLayout();
    void roundTrip();
    void wrongSize_data();
    void wrongSize();
};

namespace {

WindowPlacement maximisedOnSecondScreen()
{
    WindowPlacement p;
    p.flags = 2;
    p.showCmd = 3;
    p.minX = -1;
    p.minY = -1;
    p.maxX = -32000;
    p.maxY = 7;
    p.left = -1280;
    p.top = 40;
    p.right = 0x12345678;
    p.bottom = 700;
    return p;
}

} // namespace

void TestWindowPlacement::encodeLayout()
{
    // The length field says 44 even when the record in memory was never filled in.
    const QByteArray expected = QByteArray::fromHex("2c000000"
                                                    "02000000"
                                                    "03000000"
                                                    "ffffffff"
                                                    "ffffffff"
                                                    "0083ffff"
                                                    "07000000"
                                                    "00fbffff"
                                                    "28000000"
                                                    "78563412"
                                                    "bc020000");
    QCOMPARE(maximisedOnSecondScreen().encode(), expected);
}

void TestWindowPlacement::roundTrip()
{
    const WindowPlacement original = maximisedOnSecondScreen();
    const std::optional<WindowPlacement> decoded = WindowPlacement::decode(original.encode());
    QVERIFY(decoded);
    QCOMPARE(decoded->length, 44);
    QCOMPARE(decoded->flags, original.flags);
    QCOMPARE(decoded->showCmd, original.showCmd);
    QCOMPARE(decoded->minX, original.minX);
    QCOMPARE(decoded->minY, original.minY);
    QCOMPARE(decoded->maxX, original.maxX);
    QCOMPARE(decoded->maxY, original.maxY);
    QCOMPARE(decoded->left, original.left);
    QCOMPARE(decoded->top, original.top);
    QCOMPARE(decoded->right, original.right);
    QCOMPARE(decoded->bottom, original.bottom);
}

void TestWindowPlacement::wrongSize_data()
{
    const QByteArray stored = maximisedOnSecondScreen().encode();
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("43 bytes") << stored.first(43);
    QTest::newRow("45 bytes") << stored + '\0';
    QTest::newRow("twice") << stored + stored;
}

void TestWindowPlacement::wrongSize()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!WindowPlacement::decode(bytes));
}

QTEST_APPLESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
