#include "ui/controlbar/SkinButton.h"

#include "ui/controlbar/PlayBar.h"

#include <QPainter>

SkinButton::SkinButton(int controlId, PlayBar &owner, QWidget *parent)
    : QAbstractButton(parent)
    , id(controlId)
    , bar(owner)
{
    setFocusPolicy(Qt::NoFocus);
}

void SkinButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    bar.drawButton(painter, id, isDown());
}
