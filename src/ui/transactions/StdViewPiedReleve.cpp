#include "transactions/StdViewPiedReleve.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"

#include "foundation/localized.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>

namespace {

constexpr int kSideMargin = 10;
constexpr int kTopMargin = 1;
constexpr int kCaptionGap = 4;
constexpr int kFieldGap = 14;
// A value field is never narrower, so that small figures still line up from one list to another.
constexpr int kLeastValueWidth = 70;

int captionWidth(const QLabel* caption)
{
    return caption->sizeHint().width();
}

} // namespace

StdViewPiedFields::StdViewPiedFields(int lines, QWidget* parent)
    : StdBoxNoBorder(parent)
    , m_lines(std::max(1, lines))
{
    setObjectName(QStringLiteral("template_view_pied"));
    setFillColor(QColor(236, 238, 243));
    m_fieldNbOperations = new FigureLabel(this);
    m_fieldNbOperations->setObjectName(QStringLiteral("field_nb_operations"));
    m_fieldNbOperations->setFont(makeListFont(false, false, 11));
    m_fieldNbOperations->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    resize(988, kLineHeight * m_lines + 2 * kTopMargin);
}

QLabel* StdViewPiedFields::field_nb_operations() const
{
    return m_fieldNbOperations;
}

QLabel* StdViewPiedFields::addField(int line, const char* name, const char* captionKey)
{
    auto* caption = new QLabel(localizedAppl(QString::fromLatin1(captionKey)), this);
    caption->setFont(makeListFont(true, false, 11));
    caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* value = new FigureLabel(this);
    value->setObjectName(QString::fromLatin1(name));
    value->setFont(makeListFont(false, false, 11));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_fields.push_back({std::clamp(line, 0, m_lines - 1), caption, value});
    layOutFields();
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

// Each line of fields starts a line of its own and goes on over the next ones while its fields
// don't hold in the width; the first line keeps the line count's room at its right.
int StdViewPiedFields::placeFields(int width, bool apply) const
{
    const int countWidth = m_fieldNbOperations->text().isEmpty() ? 0 : m_fieldNbOperations->minimumSizeHint().width();
    if (apply)
        m_fieldNbOperations->setGeometry(width - kSideMargin - countWidth, kTopMargin, countWidth, kLineHeight);
    int shown = 0;
    for (int line = 0; line < m_lines; ++line) {
        int x = kSideMargin;
        for (const Field& field : m_fields) {
            if (field.line != line)
                continue;
            const int caption = captionWidth(field.caption);
            const int value = std::max(kLeastValueWidth, field.value->minimumSizeHint().width());
            const int right = width - kSideMargin - (shown == 0 ? countWidth + kFieldGap : 0);
            const bool besideCount = shown == 0 && countWidth > 0;
            if (x + caption + kCaptionGap + value > right && (x > kSideMargin || besideCount)) {
                ++shown;
                x = kSideMargin;
            }
            if (apply) {
                const int y = kTopMargin + shown * kLineHeight;
                field.caption->setGeometry(x, y, caption, kLineHeight);
                field.value->setGeometry(x + caption + kCaptionGap, y, value, kLineHeight);
            }
            x += caption + kCaptionGap + value + kFieldGap;
        }
        if (line + 1 < m_lines)
            ++shown;
    }
    return shown + 1;
}

void StdViewPiedFields::layOutFields()
{
    placeFields(width(), true);
}

int StdViewPiedFields::heightForWidth(int width) const
{
    return placeFields(width, false) * kLineHeight + 2 * kTopMargin;
}

QSize StdViewPiedFields::sizeHint() const
{
    return QSize(width(), heightForWidth(width()));
}

// Narrower, the widest field alone would not hold on its line.
QSize StdViewPiedFields::minimumSizeHint() const
{
    int widest = m_fieldNbOperations->minimumSizeHint().width();
    for (const Field& field : m_fields)
        widest = std::max(widest,
                          captionWidth(field.caption) + kCaptionGap
                              + std::max(kLeastValueWidth, field.value->minimumSizeHint().width()));
    return QSize(widest + 2 * kSideMargin, kLineHeight + 2 * kTopMargin);
}

// A figure that changed width asks its parent to lay it out again.
bool StdViewPiedFields::event(QEvent* event)
{
    if (event->type() == QEvent::LayoutRequest) {
        layOutFields();
        updateGeometry();
        return true;
    }
    return StdBoxNoBorder::event(event);
}

// Given another width from outside (the list's columns), the footer asks again for the height
// of the lines its fields take at that width.
void StdViewPiedFields::resizeEvent(QResizeEvent* event)
{
    StdBoxNoBorder::resizeEvent(event);
    layOutFields();
    if (heightForWidth(width()) != height())
        QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
}

// ---------------------------------------------------------------------------------------------

const StdViewPiedReleve::Outlets StdViewPiedReleve::kListingOutlets {
    {"field_debit", "field_credit", "field_benefice", "field_report", "field_bilan"},
    {"FenListing_debits", "FenListing_credits", "FenListing_benefice", "FenListing_report", "FenListing_bilan"}};

const StdViewPiedReleve::Outlets StdViewPiedReleve::kReleveOutlets {
    {"field_releve_debit", "field_releve_credit", "field_releve_benefice", "field_releve_report", "field_releve_bilan"},
    {"FenReleve_debit", "FenReleve_credit", "FenReleve_benefice", "FenReleve_report", "FenReleve_bilan"}};

StdViewPiedReleve::StdViewPiedReleve(QWidget* parent)
    : StdViewPiedReleve(kListingOutlets, parent)
{
}

StdViewPiedReleve::StdViewPiedReleve(const Outlets& outlets, QWidget* parent)
    : StdViewPiedFields(1, parent)
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i] = addField(0, outlets.names[i], outlets.captionKeys[i]);
}
