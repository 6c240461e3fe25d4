#pragma once
// The About box: program name, version, platform line, a picture of a label sheet and an "Ok"
// button, in a fixed 434 x 236 client area with Arial 8-point text.

#include <QDialog>

class QLabel;
class QPushButton;

class TSplashform : public QDialog {
    Q_OBJECT
public:
    explicit TSplashform(QWidget *parent = nullptr);

    // The 160 x 50 picture: a sheet of labels, drawn rather than shipped.
    static QPixmap labelSheetPicture();

    QLabel *ProductName = nullptr;
    QLabel *Version = nullptr;
    QLabel *PlatformLine = nullptr;
    QLabel *Picture = nullptr;
    QPushButton *OkButton = nullptr;
};

// Creates the box, centres it, shows it modally and frees it.
void ShowAboutBox();
