#include "mainwindow/form1layout.h"

#include "dialogs/twips.h"
#include "forms/form1geometry.h"
#include "mainwindow/form1ui.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <span>

namespace form1layout
{
namespace
{

void place(QWidget *client, std::span<const form1geometry::Place> places, double dpi)
{
    for (const form1geometry::Place &p : places) {
        auto *widget = client->findChild<QWidget *>(
            QString::fromLatin1(p.name.data(), static_cast<qsizetype>(p.name.size())));
        Q_ASSERT(widget);
        widget->setGeometry(twips::rect(p.left, p.top, p.width, p.height, dpi));
    }
}

} // namespace

void placeControls(Form1Ui &ui, double dpi)
{
    place(ui.client, form1geometry::startPlaces(), dpi);
    applyLayout(ui, engine::IconSource::File, dpi);
}

void applyLayout(Form1Ui &ui, engine::IconSource source, double dpi)
{
    const bool library = source == engine::IconSource::Library;
    place(ui.client, form1geometry::layoutPlaces(source), dpi);
    ui.client->setFixedSize(twips::toPixels(form1geometry::kClientWidth, dpi),
                            twips::toPixels(form1geometry::clientHeight(source), dpi));
    // The second row lies on the short frame's bottom border, where its top pixels would show.
    for (QWidget *secondRow :
         {static_cast<QWidget *>(ui.Label1_0), static_cast<QWidget *>(ui.Text3),
          static_cast<QWidget *>(ui.Command6)})
        secondRow->setVisible(library);
    ui.mnuFileicobyFile->setChecked(!library);
    ui.mnuFileicobyLib->setChecked(library);
}

} // namespace form1layout
