#include "mainwindow/form1layout.h"

#include "dialogs/twips.h"
#include "mainwindow/colourswatch.h"
#include "mainwindow/folderbox.h"
#include "mainwindow/form1ui.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace form1layout
{
namespace
{

// One control's place: Left, Top, Width, Height in twips, from its parent's corner.
struct Place {
    QWidget *widget;
    int left, top, width, height;
};

void place(const Place &p, double dpi)
{
    p.widget->setGeometry(twips::rect(p.left, p.top, p.width, p.height, dpi));
}

// Everything below the icon frame moves down by this much in the library layout.
constexpr int kLibraryShift = 360;

} // namespace

void placeControls(Form1Ui &ui, double dpi)
{
    const Place places[] = {
        {ui.Frame1, 120, 120, 5055, 615},     {ui.Text1, 120, 240, 4455, 315},
        {ui.Command1, 4800, 360, 255, 255},   {ui.Frame3, 5280, 120, 1575, 735},
        {ui.Option1, 5400, 360, 1215, 195},   {ui.Option2, 5400, 600, 1215, 195},
        {ui.Check2, 120, 1080, 220, 255},     {ui.Frame2, 360, 840, 5055, 615},
        {ui.Text2, 120, 240, 4455, 285},      {ui.Command2, 5040, 1080, 255, 255},
        {ui.Label1_0, 120, 600, 570, 195},    {ui.Text3, 720, 600, 615, 285},
        {ui.Command6, 1440, 600, 1815, 255},  {ui.Check1, 120, 1920, 220, 255},
        {ui.Frame4, 360, 1560, 5055, 615},    {ui.Text4, 120, 240, 4815, 285},
        {ui.Check3, 120, 2640, 220, 255},     {ui.Frame8, 360, 2280, 5055, 975},
        {ui.Text5, 120, 240, 4455, 285},      {ui.Command10, 5040, 2520, 255, 255},
        {ui.Label1_1, 120, 600, 2100, 195},   {ui.Picture1, 2280, 600, 2295, 255},
        {ui.Command11, 5040, 2880, 255, 255}, {ui.Command3, 5520, 960, 1335, 855},
        {ui.Command4, 5520, 1920, 1335, 375},
    };
    for (const Place &p : places)
        place(p, dpi);
    applyLayout(ui, engine::IconSource::File, dpi);
}

void applyLayout(Form1Ui &ui, engine::IconSource source, double dpi)
{
    const bool library = source == engine::IconSource::Library;
    const int shift = library ? kLibraryShift : 0;
    const Place moved[] = {
        {ui.Frame2, 360, 840, 5055, library ? 975 : 615},
        {ui.Frame4, 360, 1560 + shift, 5055, 615},
        {ui.Check1, 120, 1920 + shift, 220, 255},
        {ui.Frame8, 360, 2280 + shift, 5055, 975},
        {ui.Check3, 120, 2640 + shift, 220, 255},
        {ui.Command10, 5040, 2520 + shift, 255, 255},
        {ui.Command11, 5040, 2880 + shift, 255, 255},
    };
    for (const Place &p : moved)
        place(p, dpi);
    ui.client->setFixedSize(
        twips::toPixels(kClientWidth, dpi),
        twips::toPixels(library ? kClientHeightLibrary : kClientHeightFile, dpi));
    // The second row lies on the short frame's bottom border, where its top pixels would show.
    for (QWidget *secondRow :
         {static_cast<QWidget *>(ui.Label1_0), static_cast<QWidget *>(ui.Text3),
          static_cast<QWidget *>(ui.Command6)})
        secondRow->setVisible(library);
    ui.mnuFileicobyFile->setChecked(!library);
    ui.mnuFileicobyLib->setChecked(library);
}

} // namespace form1layout
