#include "mainwindow/form1.h"

#include "dialogs/form4.h"
#include "dialogs/prompter.h"
#include "engine/startup.h"
#include "mainwindow/colourswatch.h"
#include "mainwindow/folderbox.h"
#include "mainwindow/form1layout.h"
#include "mainwindow/singlecopy.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

namespace
{

// The name colour as the request holds it: 0x00BBGGRR, red in the lowest byte.
std::uint32_t colourValue(const QColor &c)
{
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8 |
           static_cast<std::uint32_t>(c.blue()) << 16;
}

QColor colourFromValue(std::uint32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The program's icon for every window: the dialogs take their owner's, the icon browser (a window
// of its own) the application's.
void useProgramIcon()
{
    if (!QApplication::windowIcon().isNull())
        return;
    QIcon icon;
    for (const int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/ravo2/ravo2-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
}

} // namespace

Form1::Form1(QWidget *parent) : QMainWindow(parent)
{
    Q_INIT_RESOURCE(ravo2icons);
    useProgramIcon();
    m_ui.setupUi(this);
    m_dpi = logicalDpiY();
    form1layout::placeControls(m_ui, m_dpi);
    // The window follows the client area's size: it grows and shrinks with the layout.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    connectControls();
    connectMenus();
    // F10 opens the menu bar's first menu, as on Windows.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().value(0)); });
}

Form1::~Form1() = default;

bool Form1::load()
{
    Form4 *opts = options();
    m_ui.mnuFileCopyIcon->setChecked(m_settings.copyIconToFolder());
    m_singleCopy = new SingleCopy(this);
    // Where local sockets cannot be used at all (Unavailable), the program still starts.
    if (m_singleCopy->claim() == SingleCopy::Claim::Later) {
        if (opts->startNewCopyOfRavo()) {
            Prompter::instance().message(nullptr, QMessageBox::Critical, QStringLiteral("ravo2"),
                                         QStringLiteral("Программа уже запущена."),
                                         QMessageBox::Ok);
            m_singleCopy->askToActivate();
            return false;
        }
        m_singleCopy->follow(); // runs beside the first, and is found once the first has ended
    }
    connect(m_singleCopy, &SingleCopy::activationRequested, this, &Form1::raiseFromOtherCopy);
    setWindowTitle(caption());
    return true;
}

QString Form1::caption()
{
    return QStringLiteral("Ravo ver. 2.0.") + QString::number(engine::kRevision);
}

Form4 *Form1::options()
{
    if (!m_form4) {
        m_form4 = new Form4(this);
        m_form4->setObjectName(QStringLiteral("Form4"));
        m_form4->loadStoredOptions(m_settings);
    }
    return m_form4;
}

engine::IconSource Form1::iconSource() const
{
    return m_ui.Option2->isChecked() ? engine::IconSource::Library : engine::IconSource::File;
}

engine::CustomisationRequest Form1::request() const
{
    engine::CustomisationRequest r;
    for (int i = 0; i < m_ui.Text1->count(); ++i)
        r.targetFolders.push_back(m_ui.Text1->itemText(i).toStdString());
    r.selectedFolder = m_ui.Text1->currentText().toStdString();
    r.makeIcon = m_ui.Check2->isChecked();
    r.makeInfoTip = m_ui.Check1->isChecked();
    r.makeBackground = m_ui.Check3->isChecked();
    r.iconPath = m_ui.Text2->text().toStdString();
    r.iconIndex = m_ui.Text3->text().toStdString();
    r.iconSource = iconSource();
    r.infoTip = m_ui.Text4->text().toStdString();
    r.picturePath = m_ui.Text5->text().toStdString();
    r.nameColour = colourValue(m_ui.Picture1->colour());
    r.copyIcon = m_ui.mnuFileCopyIcon->isChecked();
    if (m_form4) {
        r.onlyFirstFolder = m_form4->onlyFirstFolder();
        r.windowsMode = m_form4->windowsMode();
    }
    return r;
}

void Form1::applyCommandLine(const engine::CommandLineRequest &parsed)
{
    for (const std::string &folder : parsed.folders) {
        m_ui.Text1->addItem(QString::fromStdString(folder));
        m_ui.Text1->setEditText(QString::fromStdString(folder));
    }
    if (parsed.iconPath) {
        m_ui.Text2->setText(QString::fromStdString(*parsed.iconPath));
        m_ui.Check2->setChecked(true);
    }
    if (parsed.iconIndex) {
        m_ui.Text3->setText(QString::fromStdString(*parsed.iconIndex));
        selectIconSource(engine::IconSource::Library);
    }
    if (parsed.infoTip) {
        m_ui.Text4->setText(QString::fromStdString(*parsed.infoTip));
        m_ui.Check1->setChecked(true);
    }
    if (parsed.picturePath) {
        m_ui.Text5->setText(QString::fromStdString(*parsed.picturePath));
        m_ui.Check3->setChecked(true);
    }
    if (parsed.colour)
        m_ui.Picture1->setColour(colourFromValue(*parsed.colour));
    if (parsed.windowsMode)
        options()->setWindowsMode(*parsed.windowsMode);
    if (parsed.copyIcon)
        m_ui.mnuFileCopyIcon->setChecked(true);
}

void Form1::connectControls()
{
    for (QCheckBox *box : {m_ui.Check1, m_ui.Check2, m_ui.Check3})
        connect(box, &QCheckBox::toggled, this, &Form1::Check_Click);
    const auto ticks = [](QCheckBox *box) {
        return [box](const QString &text) { box->setChecked(!text.isEmpty()); };
    };
    connect(m_ui.Text2, &QLineEdit::textChanged, this, ticks(m_ui.Check2));
    connect(m_ui.Text4, &QLineEdit::textChanged, this, ticks(m_ui.Check1));
    connect(m_ui.Text5, &QLineEdit::textChanged, this, ticks(m_ui.Check3));
    connect(m_ui.Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option_Click(engine::IconSource::File);
    });
    connect(m_ui.Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option_Click(engine::IconSource::Library);
    });
    connect(m_ui.Text1, &QComboBox::activated, this, &Form1::Text1_Click);
    connect(m_ui.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(m_ui.Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(m_ui.Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(m_ui.Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(m_ui.Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(m_ui.Command10, &QPushButton::clicked, this, &Form1::Command10_Click);
    connect(m_ui.Command11, &QPushButton::clicked, this, &Form1::Command11_Click);
}

void Form1::connectMenus()
{
    connect(m_ui.mnuFileSelfile, &QAction::triggered, this, &Form1::Command2_Click);
    connect(m_ui.mnuFileicobyFile, &QAction::triggered, this,
            [this] { selectIconSource(engine::IconSource::File); });
    connect(m_ui.mnuFileicobyLib, &QAction::triggered, this,
            [this] { selectIconSource(engine::IconSource::Library); });
    // Only the user's click is stored: a switch ticks it for one run.
    connect(m_ui.mnuFileCopyIcon, &QAction::triggered, this,
            [this](bool on) { m_settings.setCopyIconToFolder(on); });
    connect(m_ui.mnuDirSeldir, &QAction::triggered, this, &Form1::Command1_Click);
    connect(m_ui.mnuDireditlist, &QAction::triggered, this, &Form1::mnuDireditlist_Click);
    connect(m_ui.mnuPrefOpt, &QAction::triggered, this, &Form1::mnuPrefOpt_Click);
    connect(m_ui.mnuAbout, &QAction::triggered, this, &Form1::mnuAbout_Click);
    connect(m_ui.mnuLngSel, &QAction::triggered, this, &Form1::mnuLngSel_Click);
}

void Form1::raiseFromOtherCopy()
{
    // A copy still filling its fields from the command line has no window to bring forward yet.
    if (!isVisible())
        return;
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}
