#pragma once
// The Select Layout dialog: the user picks a label-stock layout of the catalogue by name while
// the layout's description shows under the list. It only returns the name; the New and Change
// Layout commands act on it.

#include <QByteArray>
#include <QDialog>
#include <functional>
#include <optional>

class QLabel;
class QListWidget;
class QPushButton;
class TQMKPagePanel;

class TSelectLayout : public QDialog {
    Q_OBJECT
public:
    // Modal results.
    static constexpr int mrOk = 1;
    static constexpr int mrCancel = 2;
    static constexpr int HelpContext = 1001;

    explicit TSelectLayout(QWidget *parent = nullptr);

    // The main window's page panel, set before the dialog is shown; not owned. The dialog reads
    // its catalogue and changes nothing.
    TQMKPagePanel *PagePanel = nullptr;
    // Opens a help topic; ShowHelpTopic unless a test puts its own here.
    std::function<void(int context)> showHelpTopic;

    // Appends every catalogue name to LayoutList, in catalogue order.
    void fillLayoutList();
    // The layout name of LayoutList's selected entry, as the catalogue spells it; nothing when
    // no entry is selected.
    std::optional<QByteArray> selectedName() const;

    QLabel *Label1;
    QListWidget *LayoutList;
    QLabel *Label2;
    QListWidget *ListBox1;  // the description, two columns filled top to bottom
    QPushButton *okbutton;
    QPushButton *CancelButton;
    QPushButton *Helpbutton;

    void reject() override;  // Esc and "Cancel": modal result Cancel (2)

protected:
    bool event(QEvent *event) override;

private:
    void LayoutListClick();  // rebuilds the description for the selected entry
    void HelpbuttonClick();
};

// The New and Change Layout commands' use of the dialog: create it over parent, centre it, fill
// the list from the panel's catalogue, select the first entry and show it modally. Returns the
// chosen name after "Ok", nothing after Cancel or Esc, or when the catalogue is empty.
std::optional<QByteArray> ChooseLayout(QWidget *parent, TQMKPagePanel &panel);
