// The split line's category and amount fields take turns: Tab and Backtab go from one to the
// other with the partner's text selected, whichever field the turn starts in.
#include "transactions/TextFieldMontantSaisie.h"
#include "transactions/TextViewPosteDetail.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

TEST(DrawerPartnerFieldTest, TabAndBacktabGoToThePartnerWithItsTextSelected)
{
    QWidget window;
    auto* poste = new TextViewPosteDetail(&window);
    auto* montant = new TextFieldMontantDetail(&window);
    // A field between them in the window's own order: the turn skips it.
    auto* between = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(poste);
    layout->addWidget(between);
    layout->addWidget(montant);
    poste->setPartner(montant);
    montant->setPartner(poste);
    poste->setPlainText(QStringLiteral("Loisirs"));
    montant->setPlainText(QStringLiteral("12,50"));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    poste->setFocus();
    QTest::keyClick(poste, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), montant);
    EXPECT_EQ(montant->textCursor().selectedText(), QStringLiteral("12,50"));
    QTest::keyClick(montant, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), poste);
    montant->setFocus();
    QTest::keyClick(montant, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), poste);
    EXPECT_EQ(poste->textCursor().selectedText(), QStringLiteral("Loisirs"));
    // Return in the category goes on to the amount as well.
    QTest::keyClick(poste, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), montant);
    EXPECT_EQ(poste->toPlainText(), QStringLiteral("Loisirs"));
}
