#pragma once

#include <QFont>
#include <QLabel>

// The maker's text over the video pane and the address it opens.
inline constexpr auto kPoweredByText = u"Powered by Brightfold";
inline constexpr auto kPoweredByTarget = u"https://brightfold.example/";

// A clickable text in silver on a transparent ground that opens its target in the browser.
class Hyperlink : public QLabel {
    Q_OBJECT

public:
    static constexpr QRgb kColor = 0xC0C0C0;

    explicit Hyperlink(const QString &text, QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(Hyperlink)

    QString target() const { return linkTarget; }
    void setTarget(const QString &url) { linkTarget = url; }
    // Opens the target; false when the link has none.
    bool openHyperlink() const;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString linkTarget;
};

// A link reading "Powered by Brightfold" in the given font (the application's by default).
// A width or height of 0 sizes it to its text; a negative x or y counts from the parent's
// right or bottom edge, so x = -10 puts the link's right edge 10 pixels inside the parent.
Hyperlink *createHyperlink(int width, int height, QWidget *parent, int x, int y,
                           const QFont &font = QFont());
// The pane's link: sized to its text, at (0, 0), opening the maker's web site.
Hyperlink *createPoweredByLink(const QFont &font, QWidget *parent);
