#include "ui/views/SkinImage.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSkinImage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void load_data();
    void load();

private:
    QTemporaryDir broken;
};

void TestSkinImage::initTestCase()
{
    QVERIFY(broken.isValid());
    QFile garbage(broken.filePath(u"142.png"_s));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write("\x89PNG not really a picture");
    QFile empty(broken.filePath(u"IDB_PLAY.png"_s));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    // A sharp variant that does not decode must not hide the plain one.
    QFile badSharp(broken.filePath(u"IDB_OPEN@2x.png"_s));
    QVERIFY(badSharp.open(QIODevice::WriteOnly));
    badSharp.write("junk");
    QVERIFY(QImage(36, 32, QImage::Format_ARGB32).save(broken.filePath(u"IDB_OPEN.png"_s)));
}

void TestSkinImage::load_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("imageRatio");
    const QString skin = QString::fromUtf16(kSkinRoot);
    const QString temp = broken.path();
    QTest::newRow("logo") << skin << u"142"_s << 1.0 << true << QSize(316, 155) << 1.0;
    QTest::newRow("logo, scaled screen")
        << skin << u"142"_s << 2.0 << true << QSize(316, 155) << 2.0;
    QTest::newRow("bar background")
        << skin << u"IDB_BAR_BKG"_s << 1.0 << true << QSize(10, 36) << 1.0;
    QTest::newRow("missing") << skin << u"IDB_NONE"_s << 2.0 << false << QSize() << 1.0;
    QTest::newRow("garbage") << temp << u"142"_s << 1.0 << true << QSize(0, 0) << 1.0;
    QTest::newRow("empty file") << temp << u"IDB_PLAY"_s << 1.0 << true << QSize(0, 0) << 1.0;
    QTest::newRow("broken sharp variant")
        << temp << u"IDB_OPEN"_s << 2.0 << true << QSize(36, 32) << 1.0;
}

void TestSkinImage::load()
{
    QFETCH(QString, root);
    QFETCH(QString, name);
    QFETCH(qreal, ratio);
    QFETCH(bool, exists);
    QFETCH(QSize, size);
    QFETCH(qreal, imageRatio);
    const std::optional<QImage> image = loadPngResource(root, name, ratio);
    QCOMPARE(image.has_value(), exists);
    if (!exists)
        return;
    QCOMPARE(image->deviceIndependentSize().toSize(), size);
    QCOMPARE(image->devicePixelRatio(), imageRatio);
}

QTEST_MAIN(TestSkinImage)
#include "tst_skinimage.moc"
