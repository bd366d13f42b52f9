#include "ui/widgets/Hyperlink.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

Hyperlink::Hyperlink(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, QColor::fromRgb(kColor));
    setPalette(colors);
}

bool Hyperlink::openHyperlink() const
{
    if (linkTarget.isEmpty())
        return false;
    // Whether a browser came up is not the link's business.
    QDesktopServices::openUrl(QUrl(linkTarget));
    return true;
}

void Hyperlink::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        openHyperlink();
    QLabel::mouseReleaseEvent(event);
}

Hyperlink *createHyperlink(int width, int height, QWidget *parent, int x, int y, const QFont &font)
{
    auto *link = new Hyperlink(QString::fromUtf16(kPoweredByText), parent);
    link->setFont(font);
    if (width == 0 || height == 0) {
        const QSize extent = link->fontMetrics().size(Qt::TextSingleLine, link->text());
        width = extent.width();
        height = extent.height();
    }
    const QSize area = parent ? parent->size() : QSize(0, 0);
    if (x < 0)
        x = area.width() + x - width;
    if (y < 0)
        y = area.height() + y - height;
    link->setGeometry(x, y, width, height);
    return link;
}

Hyperlink *createPoweredByLink(const QFont &font, QWidget *parent)
{
    Hyperlink *link = createHyperlink(0, 0, parent, 0, 0, font);
    link->setTarget(QString::fromUtf16(kPoweredByTarget));
    return link;
}
