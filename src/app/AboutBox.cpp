#include "app/AboutBox.h"

#include "app/Product.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

void showAboutBox(QWidget *owner)
{
    QDialog box(owner);
    box.setWindowTitle(u"About"_s);
    box.setObjectName(u"AboutBox"_s);
    auto *layout = new QVBoxLayout(&box);
    layout->addWidget(new QLabel(QString::fromUtf16(Product::kDisplayName) + u", Version "_s +
                                     QString::fromUtf16(Product::kVersion),
                                 &box));
    layout->addWidget(new QLabel(u"Plays the FLAC files of a folder. Copyright (C) 2026 "_s +
                                     QString::fromUtf16(Product::kMaker) + u"."_s,
                                 &box));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    layout->addWidget(buttons);
    // OK, Enter, Esc and the close button all end the box.
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    box.exec();
}
