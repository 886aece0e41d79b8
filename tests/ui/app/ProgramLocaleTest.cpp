// French throughout, whatever the machine's locale: dates with French month and day names, the
// decimal comma in amount fields (a point typed still counts), and Qt's own buttons and file
// chooser in French.
#include "app/SorvApplication.h"
#include "toolkit/fields/TextFieldMontant.h"

#include "foundation/dateformat.h"
#include "foundation/dates.h"

#include <QAbstractButton>
#include <QAbstractFileIconProvider>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QRegularExpression kEnglish(QStringLiteral(
    "\\b(Cancel|Open|Save|Close|Apply|Yes|No|Reset|Discard|Look in|File name|Files of type|Back|Forward|Detail View|"
    "List View|Create New Folder|Parent Directory)\\b"));

QStringList textsOf(const QWidget& widget)
{
    QStringList texts;
    for (const QAbstractButton* button : widget.findChildren<QAbstractButton*>())
        texts << button->text() << button->toolTip();
    for (const QLabel* label : widget.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

// Whatever the locale the machine started the program in.
class ProgramLocaleTest : public ::testing::Test {
protected:
    ProgramLocaleTest()
    {
        QLocale::setDefault(QLocale::c());
        installProgramLocale();
    }
};

TEST_F(ProgramLocaleTest, DatesSpeakFrench)
{
    const double day = dateFromDateTime(QDateTime(QDate(2026, 12, 7), QTime(12, 0)));
    EXPECT_EQ(dateToStringWithStyles(2, 0, day), QStringLiteral("7 déc. 2026"));
    EXPECT_EQ(dateToStringWithStyles(4, 0, day), QStringLiteral("lundi 7 décembre 2026"));
    EXPECT_EQ(dateToStringWithStyles(1, 0, day), QStringLiteral("07/12/2026"));
}

TEST_F(ProgramLocaleTest, AmountFieldsShowADecimalCommaAndTakeAPointToo)
{
    TextFieldMontant field;
    MONTANT amount;
    amount.makeMontant(0, 1000.0, {});
    field.fillMontant(amount, 0, 2);
    EXPECT_EQ(field.toPlainText(), QStringLiteral("1000,00"));
    for (const char* typed : {"12,5", "12.5"}) {
        field.clear();
        field.setFocus();
        QTest::keyClicks(&field, QString::fromLatin1(typed));
        EXPECT_EQ(field.toPlainText(), QStringLiteral("12,5")) << typed;
        EXPECT_DOUBLE_EQ(field.montant().getValueForDevise(0), 12.5) << typed;
    }
    EXPECT_DOUBLE_EQ(TextFieldMontant::valueOfText(QStringLiteral("-3,25")), -3.25);
}

TEST_F(ProgramLocaleTest, QtsOwnButtonsAndFileChooserSpeakFrench)
{
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Save
                             | QDialogButtonBox::Open | QDialogButtonBox::Close | QDialogButtonBox::Yes
                             | QDialogButtonBox::No | QDialogButtonBox::Apply);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove(u'&'), QStringLiteral("Annuler"));
    QFileDialog chooser(nullptr, QStringLiteral("Importer"));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList texts = textsOf(buttons) + textsOf(chooser);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    texts << textsOf(chooser);
    for (const QString& text : texts)
        EXPECT_FALSE(kEnglish.match(text).hasMatch()) << text.toStdString();
    // The kind of a folder in the chooser's list, which Qt's own translations leave out.
    EXPECT_EQ(QAbstractFileIconProvider().type(QFileInfo(QDir::tempPath())), QStringLiteral("Dossier"));
}

} // namespace
