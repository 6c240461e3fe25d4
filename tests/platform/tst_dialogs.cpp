// The About box as laid out, and the font dialog's controls feeding its font and colour.
#include "platform/AboutBox.h"
#include "platform/FontDialog.h"
#include "platform/Identity.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetApplicationIdentity(); }

    void aboutBoxLayout() {
        TSplashform box;
        QCOMPARE(box.windowTitle(), QStringLiteral("About Quillmark"));
        QCOMPARE(box.size(), QSize(434, 236));
        QCOMPARE(box.font().family(), QStringLiteral("Arial"));
        QCOMPARE(box.font().pointSize(), 8);
        QCOMPARE(box.ProductName->text(), QStringLiteral("Quillmark"));
        QCOMPARE(box.ProductName->pos(), QPoint(199, 12));
        QCOMPARE(box.Version->text(), QStringLiteral("Version 2.8"));
        QCOMPARE(box.Version->pos(), QPoint(199, 31));
        QCOMPARE(box.PlatformLine->text(), QStringLiteral("32-bit version"));
        QCOMPARE(box.PlatformLine->pos(), QPoint(199, 51));
        QCOMPARE(box.Picture->geometry(), QRect(12, 16, 160, 50));
        QCOMPARE(box.OkButton->text(), QStringLiteral("Ok"));
        QCOMPARE(box.OkButton->geometry(), QRect(329, 189, 76, 35));
        QVERIFY(!(box.windowFlags() & Qt::WindowSystemMenuHint));
    }

    void aboutPictureIsDrawn() {
        const QImage picture = TSplashform::labelSheetPicture().toImage();
        QCOMPARE(picture.size(), QSize(160, 50));
        int painted = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                painted += qAlpha(picture.pixel(x, y)) > 0;
        }
        QVERIFY(painted > 160 * 50 / 3);
    }

    void okClosesTheAboutBox() {
        TSplashform box;
        QTimer::singleShot(0, &box, [&box] { QTest::mouseClick(box.OkButton, Qt::LeftButton); });
        QCOMPARE(box.exec(), int(QDialog::Accepted));
    }

    void fontDialogControlsMakeTheFont() {
        TFontDialog dialog;
        dialog.sizeBox()->setCurrentText(QStringLiteral("14"));
        dialog.boldBox()->setChecked(true);
        dialog.underlineBox()->setChecked(true);
        dialog.strikeoutBox()->setChecked(true);
        dialog.colourBox()->setCurrentIndex(dialog.colourBox()->findText(QStringLiteral("Red")));
        const QFont font = dialog.currentFont();
        QCOMPARE(font.pointSize(), 14);
        QVERIFY(font.bold() && !font.italic() && font.underline() && font.strikeOut());
        QCOMPARE(dialog.color(), QColor(255, 0, 0));
        QVERIFY(dialog.sample()->font().strikeOut());
        QCOMPARE(dialog.sample()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        dialog.faceBox()->setCurrentFont(QFont(QStringLiteral("DejaVu Sans")));
        QCOMPARE(dialog.currentFont().family(), dialog.faceBox()->currentFont().family());
    }

    void fontDialogRefusesNonsenseSizes() {
        TFontDialog dialog;
        dialog.sizeBox()->setCurrentText(QStringLiteral("abc"));
        QCOMPARE(dialog.currentFont().pointSize(), 10);
        QFont huge(QStringLiteral("Arial"));
        huge.setPixelSize(5000);  // no point size at all
        dialog.setCurrentFont(huge);
        QVERIFY(dialog.currentFont().pointSize() >= 1 && dialog.currentFont().pointSize() <= 1638);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
