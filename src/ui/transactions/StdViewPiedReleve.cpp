#include "transactions/StdViewPiedReleve.h"

#include "toolkit/drawing/Constants.h"

#include "foundation/localized.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

StdViewPiedFields::StdViewPiedFields(int lines, QWidget* parent)
    : StdBoxNoBorder(parent)
{
    setObjectName(QStringLiteral("template_view_pied"));
    setFillColor(QColor(236, 238, 243));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 1, 10, 1);
    column->setSpacing(0);
    for (int i = 0; i < std::max(1, lines); ++i) {
        auto* line = new QHBoxLayout;
        line->setSpacing(4);
        column->addLayout(line);
        m_lines << line;
    }
    m_fieldNbOperations = new QLabel(this);
    m_fieldNbOperations->setObjectName(QStringLiteral("field_nb_operations"));
    m_fieldNbOperations->setFont(makeListFont(false, false, 11));
    m_fieldNbOperations->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lines.front()->addStretch();
    m_lines.front()->addWidget(m_fieldNbOperations);
    for (qsizetype i = 1; i < m_lines.size(); ++i)
        m_lines[i]->addStretch();
    resize(988, kLineHeight * int(m_lines.size()) + 2);
}

QLabel* StdViewPiedFields::addField(int line, const char* name, const char* captionKey)
{
    QHBoxLayout* row = m_lines.value(line, m_lines.back());
    auto* caption = new QLabel(localizedAppl(QString::fromLatin1(captionKey)), this);
    caption->setFont(makeListFont(true, false, 11));
    auto* value = new QLabel(this);
    value->setObjectName(QString::fromLatin1(name));
    value->setFont(makeListFont(false, false, 11));
    value->setMinimumWidth(70);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Before the stretch (and the line count) that end every line.
    const int at = row->count() - (row == m_lines.front() ? 2 : 1);
    row->insertWidget(at, caption);
    row->insertWidget(at + 1, value);
    row->insertSpacing(at + 2, 14);
    return value;
}

void StdViewPiedFields::addFields(std::initializer_list<FieldSpec> fields)
{
    for (const FieldSpec& spec : fields)
        addField(spec.line, spec.name, spec.captionKey);
}

QLabel* StdViewPiedFields::field(const char* name) const
{
    return findChild<QLabel*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

StdViewPiedReleve::StdViewPiedReleve(QWidget* parent)
    : StdViewPiedFields(1, parent)
    , m_debit(addField(0, "field_debit", "FenListing_debits"))
    , m_credit(addField(0, "field_credit", "FenListing_credits"))
    , m_benefice(addField(0, "field_benefice", "FenListing_benefice"))
    , m_report(addField(0, "field_report", "FenListing_report"))
    , m_bilan(addField(0, "field_bilan", "FenListing_bilan"))
{
}
