#include "form5.h"

#include "dialogs/dialogshowing.h"
#include "dialogs/windowfont.h"
#include "prompter.h"

#include "engine/languagefile.h"
#include "engine/settings.h"
#include "platform/attributes.h"
#include "platform/codepage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using engine::LanguageFile;

namespace
{

// Language file names of one folder, sorted by name so the positions stay stable.
QStringList languageFileNames(const QDir &folder)
{
    QStringList names;
    // Without QDir::System: pipes and devices are no files to read (a pipe would block).
    const auto entries = folder.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo &entry : entries) {
        // Platform calls take UTF-8 paths on every system.
        const std::string path = entry.absoluteFilePath().toStdString();
        if (entry.isFile() && LanguageFile::isLanguageFileName(entry.fileName().toStdString()) &&
            LanguageFile::isListedAttributes(platform::getFileAttributes(path)))
            names.append(entry.fileName());
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

// The language's name: the file's first line, or its name without ".lng" when that is empty. Only
// the start of the file is read, so a long or endless file costs nothing here.
QString languageName(const QString &path)
{
    QFile file(path);
    QByteArray start;
    if (file.open(QIODevice::ReadOnly))
        start = file.read(1024);
    const qsizetype end = start.indexOf('\r');
    QString name;
    if (end >= 0) {
        const auto lines =
            LanguageFile::lines(std::string_view(start.constData(), end), platform::ansiCodePage());
        name = lines.empty() ? QString() : QString::fromStdString(lines.front());
    }
    if (name.startsWith(QChar(0xFEFF)))
        name.remove(0, 1);
    name = name.trimmed();
    return name.isEmpty() ? QFileInfo(path).completeBaseName() : name;
}

} // namespace

Form5::Form5(LanguageWindows windows, engine::Settings &settings, QWidget *parent)
    : QDialog(parent), m_windows(std::move(windows)), m_settings(settings)
{
    m_windows.form5 = this;
    setObjectName("Form5");
    useWindowFont(this);
    setWindowTitle("Сменить язык интерфейса");
    m_List1 = new QListWidget(this);
    m_List1->setObjectName("List1");
    m_Command1 = new QPushButton("Установить", this);
    m_Command1->setObjectName("Command1");
    m_Command2 = new QPushButton("Отмена", this);
    m_Command2->setObjectName("Command2");

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_Command1);
    buttons->addWidget(m_Command2);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_List1, 1);
    layout->addLayout(buttons);
    resize(480, 240);
    prepareEachShowing(this, m_List1);

    // Entry 0, Russian, gives these back after another language.
    m_builtIn = shownLines(m_windows);

    connect(m_Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(m_Command2, &QPushButton::clicked, this, &Form5::Command2_Click);
}

int Form5::openDialog()
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    return exec();
}

QStringList Form5::languageFolders()
{
    QString installed = qEnvironmentVariable("RAVO2_LANGUAGE_DIR");
    if (installed.isEmpty())
        installed = QCoreApplication::applicationDirPath() + "/../share/ravo2/languages";
    QStringList folders;
    QStringList seen;
    for (const QString &folder : {QDir::currentPath(), installed}) {
        const QString canonical = QDir(folder).canonicalPath();
        if (canonical.isEmpty() || seen.contains(canonical))
            continue;
        seen.append(canonical);
        folders.append(QDir::cleanPath(QDir(folder).absolutePath()));
    }
    return folders;
}

void Form5::listLanguageFiles()
{
    m_List1->clear();
    m_List1->addItem(QStringLiteral("Русский"));
    for (const QString &folder : languageFolders()) {
        const QDir dir(folder);
        for (const QString &name : languageFileNames(dir)) {
            const QString path = QDir::toNativeSeparators(dir.absoluteFilePath(name));
            auto *entry = new QListWidgetItem(languageName(path), m_List1);
            entry->setData(Qt::UserRole, path);
            entry->setToolTip(path);
        }
    }
    // Two files naming the same language are told apart by their paths.
    QStringList names;
    for (int row = 0; row < m_List1->count(); ++row)
        names.append(m_List1->item(row)->text());
    for (int row = 1; row < m_List1->count(); ++row) {
        QListWidgetItem *entry = m_List1->item(row);
        if (names.count(entry->text()) > 1)
            entry->setText(entry->text() + QStringLiteral(" (") + entry->toolTip() + ')');
    }
}

void Form5::Form_Load()
{
    listLanguageFiles();
    const auto index = LanguageFile::storedIndex(m_settings.language(), m_List1->count());
    if (!index)
        return;
    // The loaded entry stays selected so that "Отмена" keeps storing the same choice.
    m_List1->setCurrentRow(*index);
    // Russian is what every window shows before any language: nothing to apply.
    if (*index > 0 && loadlanguage(*index))
        applylanguage();
}

bool Form5::loadlanguage(int index)
{
    const QListWidgetItem *entry = m_List1->item(index);
    if (!entry)
        return false;
    if (index == 0) {
        m_List2 = m_builtIn;
        return true;
    }
    const QString path = entry->data(Qt::UserRole).toString();
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        Prompter::instance().message(
            this, QMessageBox::Warning, "ravo2",
            QString("Не удалось прочитать файл языка\r%1\r%2").arg(path, file.errorString()),
            QMessageBox::Ok);
        return false;
    }
    const auto lines = LanguageFile::lines(std::string_view(bytes.constData(), bytes.size()),
                                           platform::ansiCodePage());
    m_List2.clear();
    for (const std::string &line : lines)
        m_List2.append(QString::fromStdString(line));
    return true;
}

void Form5::applylanguage()
{
    ::applylanguage(m_windows, m_List2);
}

int Form5::selectedRow() const
{
    // Focusing the list makes its first entry current (a focus outline) without selecting it.
    const QList<QListWidgetItem *> selected = m_List1->selectedItems();
    return selected.isEmpty() ? -1 : m_List1->row(selected.first());
}

void Form5::Command1_Click()
{
    const int row = selectedRow();
    if (row >= 0 && loadlanguage(row))
        applylanguage();
}

void Form5::Command2_Click()
{
    // No selection stores Russian, which applies nothing next time, as before.
    m_settings.setLanguage(std::max(selectedRow(), 0));
    reject();
}
