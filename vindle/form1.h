#pragma once

#include "platform/componenttypes.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vindle
{

class CScrab;
class IconListView;
class ImageList;
class PictureBox;

// Form1: the browser window listing every icon of one library file.
class Form1 final : public QMainWindow
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);

    // This thread's window (null until created, and again once closed).
    static QPointer<Form1> &threadWindow();
    // CurrentLibrary: the instance of the library shown last; it outlives the window.
    static std::unique_ptr<CScrab> &currentLibrary();
    // Asks for a library file for "Указать путь"; tests replace it. Empty: cancelled.
    static std::function<QString(QWidget *parent)> &fileChooser();

    HRESULT readicons();                // reads the library named in Text1 into the list
    void showWith(unsigned char modal); // non-zero: returns after the window closed
    void refresh();                     // Command3 and mnuViewRedraw

    // The outer size W × H in twips that the layout follows: the client area with the frame and
    // menu bar it was designed with.
    QSize outerTwips() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls();
    void createMenus();
    void fitCaptions();    // widens what its caption does not fit, moving its neighbour along
    void placeOverOwner(); // centres the window on the active window, or on the screen
    void Command2_Click(); // choose the selected icon and close
    void ListView1_ItemClick(int position);
    void mnuFileGetf_Click();
    void Form_Resize();

    IconListView *ListView1; // the icons
    QLineEdit *Text1;        // the library path
    QPushButton *Command2;   // "Выбрать иконку"
    QPushButton *Command3;   // "Обновить"
    PictureBox *Pictempicon; // drawing surface the icons are captured from
    QLabel *Label1;          // "Индекс:"
    QLabel *Label2;          // index of the icon selected last
    ImageList *imgLargeIcon; // 32-pixel pictures
    ImageList *imgSmalIcon;  // 16-pixel pictures
};

} // namespace vindle
