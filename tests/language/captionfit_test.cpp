#include "languagewindows.h"

#include "engine/languagefile.h"
#include "mainwindow/form1.h"

#include <QCheckBox>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

// Every caption of every window fits its control in Liberation Sans (Arial's metrics), with the
// built-in Russian texts and with the shipped English file.
class CaptionFitTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        Prompter::setInstance(&m_prompter);
    }
    void everyCaptionFits_data();
    void everyCaptionFits();

private:
    QTemporaryDir m_config;
    RecordingPrompter m_prompter;
};

namespace
{

QStringList englishLines()
{
    QFile file(RAVO2_SOURCE_DIR "/languages/english.lng");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QStringList lines;
    for (const std::string &line :
         engine::LanguageFile::lines(std::string_view(bytes.constData(), bytes.size()), 1252))
        lines.append(QString::fromStdString(line));
    return lines;
}

// The widest line of a caption whose lines break at CR or LF.
int textWidth(const QFontMetrics &metrics, const QString &text)
{
    int widest = 0;
    for (const QString &line : text.split(QRegularExpression("[\r\n]")))
        widest = qMax(widest, metrics.horizontalAdvance(line));
    return widest;
}

// What a caption needs beside its text: the box or circle of a check or option button and its
// gap, the frame of a push button, the inset of a frame's title.
int decoration(QWidget *w)
{
    QStyle *style = w->style();
    if (qobject_cast<QCheckBox *>(w))
        return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
    if (qobject_cast<QRadioButton *>(w))
        return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) +
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w);
    if (qobject_cast<QPushButton *>(w))
        return 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w) + 2;
    if (qobject_cast<QGroupBox *>(w))
        return 2 * 8; // the title stands in from the frame's left edge and ends before its right
    return 0;
}

// Why the caption of `w` does not fit, or empty when it does.
QString misfit(QWidget *w)
{
    const QString text = shownText(w);
    if (text.isEmpty())
        return {};
    const QString family = QFontInfo(w->font()).family();
    if (family != QLatin1String("Liberation Sans"))
        return QStringLiteral("drawn in %1, not Liberation Sans").arg(family);
    const QFontMetrics metrics(w->font());
    auto *label = qobject_cast<QLabel *>(w);
    if (label && label->wordWrap()) {
        const int needed = label->heightForWidth(w->width());
        return needed <= w->height() ? QString() : QStringLiteral("needs %1 px high").arg(needed);
    }
    const int needed = textWidth(metrics, text) + decoration(w);
    return needed <= w->width() ? QString()
                                : QStringLiteral("needs %1 px, has %2").arg(needed).arg(w->width());
}

} // namespace

void CaptionFitTest::everyCaptionFits_data()
{
    QTest::addColumn<bool>("english");
    QTest::newRow("Russian") << false;
    QTest::newRow("english.lng") << true;
}

void CaptionFitTest::everyCaptionFits()
{
    QFETCH(bool, english);
    RunWindows run;
    if (english) {
        const QStringList lines = englishLines();
        QCOMPARE(lines.size(), 88);
        applylanguage(run.windows(), lines);
    }
    // The apply button's caption composed of all three words.
    for (const char *box : {"Check1", "Check2", "Check3"})
        run.form1->findChild<QCheckBox *>(box)->click();
    const LanguageWindows all = run.windows();
    QStringList misfits;
    for (QWidget *window : {all.form1, all.form2, all.form3, all.form4, all.form5, all.form6}) {
        window->show(); // a window laid out by a layout sizes its controls when shown
        QVERIFY(QTest::qWaitForWindowExposed(window));
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (w->window() != window)
                continue; // a dialog the main window owns is checked on its own
            const QString why = misfit(w);
            if (!why.isEmpty())
                misfits << QStringLiteral("%1/%2 \"%3\": %4")
                               .arg(window->objectName(), w->objectName(), shownText(w), why);
        }
        window->hide();
    }
    QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join('\n')));
}

QTEST_MAIN(CaptionFitTest)
#include "captionfit_test.moc"
