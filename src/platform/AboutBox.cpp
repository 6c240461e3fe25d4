#include "AboutBox.h"

#include "Identity.h"
#include "Services.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

TSplashform::TSplashform(QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    setFont(font);
    setFixedSize(434, 236);
    setWindowTitle(QStringLiteral("About ") + GlobalApplicationName);

    Picture = new QLabel(this);
    Picture->setGeometry(12, 16, 160, 50);
    Picture->setPixmap(labelSheetPicture());

    ProductName = new QLabel(GlobalApplicationName, this);
    ProductName->move(199, 12);
    Version = new QLabel(QStringLiteral("Version 2.8"), this);
    Version->move(199, 31);
    PlatformLine = new QLabel(QStringLiteral("32-bit version"), this);
    PlatformLine->move(199, 51);
    for (QLabel *label : {ProductName, Version, PlatformLine})
        label->adjustSize();

    OkButton = new QPushButton(QStringLiteral("Ok"), this);
    OkButton->setGeometry(329, 189, 76, 35);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
}

QPixmap TSplashform::labelSheetPicture() {
    QPixmap pixmap(160, 50);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A sheet seen slightly from the side, three columns of rounded labels, one lifted.
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(QColor(250, 250, 245));
    painter.drawRect(QRectF(4.5, 2.5, 110, 45));
    painter.setBrush(QColor(255, 244, 200));
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row) {
            if (column == 2 && row == 0)
                continue;  // this one is being peeled off
            const QRectF label(9.5 + column * 35, 6.5 + row * 13.5, 31, 11);
            painter.drawRoundedRect(label, 3, 3);
            painter.setPen(QColor(70, 110, 170));
            painter.drawLine(label.topLeft() + QPointF(4, 4), label.topLeft() + QPointF(20, 4));
            painter.drawLine(label.topLeft() + QPointF(4, 7), label.topLeft() + QPointF(16, 7));
            painter.setPen(QPen(QColor(90, 90, 90), 1));
        }
    }
    // The lifted label, peeled off to the right.
    painter.save();
    painter.translate(128, 18);
    painter.rotate(-18);
    painter.setBrush(QColor(255, 236, 170));
    painter.drawRoundedRect(QRectF(0, 0, 31, 11), 3, 3);
    painter.setPen(QColor(70, 110, 170));
    painter.drawLine(QPointF(4, 4), QPointF(22, 4));
    painter.drawLine(QPointF(4, 7), QPointF(15, 7));
    painter.restore();
    painter.setPen(QPen(QColor(150, 150, 150), 1, Qt::DashLine));
    painter.drawRoundedRect(QRectF(79.5, 6.5, 31, 11), 3, 3);
    return pixmap;
}

void ShowAboutBox() {
    TSplashform box(mainWindow());
    CenterForm(&box);
    box.exec();
}
