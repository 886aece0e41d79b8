#include "toolkit/tables/CellTransact.h"

#include "toolkit/tables/CellTransactExtraController.h"
#include "toolkit/tables/RowLabel.h"

#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/drawing/figures.h"
#include "toolkit/fields/textfieldx.h"
#include "toolkit/windows/StdActionDispatcher.h"
#include "toolkit/windows/StdButton.h"
#include "toolkit/windows/StdImageViewCompte.h"
#include "toolkit/windows/StdImageViewMoyen.h"
#include "toolkit/windows/StdImageViewPoste.h"

#include "foundation/localized.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPixmapCache>

#include <algorithm>
#include <tuple>
#include <utility>

namespace {

constexpr int kIconSide = 16;
constexpr int kTopY = 3; // the row's line
constexpr int kLineHeight = 16;
constexpr int kSecondY = 19; // the italic amounts and the marks under it
constexpr int kSecondHeight = 13;
constexpr int kBandWidth = 5;
constexpr int kNameWidth = 120;
constexpr int kLeastAmountWidth = 84;
constexpr int kGap = 4;
// The date (drawn whole like a figure, "31/12/2024"), the means and the schedule mark, then the
// reference.
constexpr int kDateX = 44;
constexpr int kDateWidth = 62;
constexpr int kMoyenX = kDateX + kDateWidth + kGap;
constexpr int kChronoX = kMoyenX + kIconSide + kGap;
constexpr int kReferenceX = kChronoX + kIconSide + 2 * kGap;
// The reference's room in a row of the preferred width; the least any named column is given.
constexpr int kReferenceWidth = 160;
constexpr int kMinimumColumnWidth = 40;
constexpr const char* kRowTagProperty = "sv_row";

bool isFigure(RowText field)
{
    switch (field) {
    case RowText::field_reference:
    case RowText::field_compte:
    case RowText::field_poste:
    case RowText::field_annulee:
    case RowText::field_doublon:
        return false;
    case RowText::field_date:
    case RowText::field_debit:
    case RowText::field_credit:
    case RowText::field_debit_second:
    case RowText::field_credit_second:
    case RowText::field_cumul:
    case RowText::field_montant_titre:
    case RowText::field_montant_interet:
    case RowText::field_montant_cout:
    case RowText::field_montant_HT_deb:
    case RowText::field_montant_HT_cre:
    case RowText::field_montant_TX_deb:
    case RowText::field_montant_TX_cre:
        return true;
    }
    return false;
}

// Figures and dates are drawn whole (FigureLabel), names and labels end with an ellipsis
// (RowLabel).
QLabel* makeLabel(RowText field, QWidget* parent, double size = 12)
{
    QLabel* label = isFigure(field) ? static_cast<QLabel*>(new FigureLabel(parent)) : new RowLabel(parent);
    label->setObjectName(QString::fromLatin1(kRowTextNames[size_t(field)]));
    label->setFont(makeListFont(false, false, size));
    return label;
}

template <class View = StdImageView> View* makeImage(RowImage image, QWidget* parent)
{
    auto* view = new View(parent);
    view->setObjectName(QString::fromLatin1(kRowImageNames[size_t(image)]));
    return view;
}

StdButton* makeButton(RowButton button, QWidget* parent)
{
    auto* control = new StdButton(parent);
    control->setObjectName(QString::fromLatin1(kRowButtonNames[size_t(button)]));
    control->setFocusPolicy(Qt::NoFocus);
    return control;
}

// Letters on a coloured disc.
struct Badge {
    QString glyph;
    QColor colour;
};

QPixmap badgeImage(const Badge& badge)
{
    QPixmap picture(kIconSide, kIconSide);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(badge.colour);
    painter.drawEllipse(QRectF(1, 1, kIconSide - 2, kIconSide - 2));
    painter.setPen(Qt::white);
    painter.setFont(makeListFont(true, false, badge.glyph.size() > 1 ? 7 : 10));
    painter.drawText(QRectF(0, 0, kIconSide, kIconSide), Qt::AlignCenter, badge.glyph);
    return picture;
}

QPixmap namedPicture(const QString& name)
{
    return QtAlertPresenter::namedImage(name, kIconSide);
}

QPixmap logoPicture(const QByteArray& png)
{
    const QString key = QStringLiteral("sv_row_logo_%1").arg(qHash(png));
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;
    if (picture.loadFromData(png, "PNG"))
        picture = picture.scaled(kIconSide, kIconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPixmapCache::insert(key, picture);
    return picture;
}

// A picture the application has no image for shows the text a print-out puts in its place.
QPixmap letterPicture(const QString& letters)
{
    return letters.isEmpty() ? QPixmap() : badgeImage({letters.left(2), QColor(150, 154, 164)});
}

void place(QWidget* widget, int x, int y, int width, int height)
{
    if (widget)
        widget->setGeometry(x, y, width, height);
}

} // namespace

CellTransact::CellTransact(TransExtraKind extraKind, QWidget* parent)
    : StdCell(parent)
    , m_extraKind(extraKind)
{
    setObjectName(QStringLiteral("TRANSACT"));
    buildFields();
    fitFigureColumns(0, nullptr, false);
    resize(preferredWidth(), kHeight);
}

// The amount columns hold the largest amount of the list's currency, without its unit (as the
// amounts are written), upright or italic; the extra columns the same with the unit when the list
// shows it. Under the least widths, a list keeps its columns from one currency to another.
bool CellTransact::fitFigureColumns(long devise, const DeviseList* devHdl, bool showUnit)
{
    const QFont font = makeListFont(false, false, 12);
    const int amount = std::max(kLeastAmountWidth, figureRoom(largestAmountText(devise, devHdl, false), font));
    const int extra = std::max(CellTransactExtraController::kColumnWidth,
                               figureRoom(largestAmountText(devise, devHdl, showUnit), font));
    if (amount == m_amountWidth && (!extra_controller || extra == extra_controller->columnWidth()))
        return false;
    m_amountWidth = amount;
    if (extra_controller)
        extra_controller->setColumnWidth(extra);
    return true;
}

void CellTransact::buildFields()
{
    box_left = new StdBox(this);
    box_left->setObjectName(QStringLiteral("box_left"));
    field_debit = makeLabel(RowText::field_debit, this);
    field_credit = makeLabel(RowText::field_credit, this);
    field_debit_second = makeLabel(RowText::field_debit_second, this, 10);
    field_credit_second = makeLabel(RowText::field_credit_second, this, 10);
    field_date = makeLabel(RowText::field_date, this);
    field_reference = makeLabel(RowText::field_reference, this);
    image_moyen = makeImage<StdImageViewMoyen>(RowImage::image_moyen, this);
    image_chrono = makeImage(RowImage::image_chrono, this);
    image_compte = makeImage<StdImageViewCompte>(RowImage::image_compte, this);
    field_compte = makeLabel(RowText::field_compte, this);
    image_poste = makeImage<StdImageViewPoste>(RowImage::image_poste, this);
    field_poste = makeLabel(RowText::field_poste, this);
    image_note = makeImage(RowImage::image_note, this);
    image_pointeD = makeImage(RowImage::image_pointeD, this);
    image_pointeC = makeImage(RowImage::image_pointeC, this);
    image_verrouD = makeImage(RowImage::image_verrouD, this);
    image_verrouC = makeImage(RowImage::image_verrouC, this);
    image_touched = makeImage(RowImage::image_touched, this);
    image_placement = makeImage(RowImage::image_placement, this);
    image_taxe = makeImage(RowImage::image_taxe, this);
    button_multi = makeButton(RowButton::button_multi, this);
    button_multi->setBezelStyle(StdButton::kBezelDisclosure);
    image_poste_multi = makeImage<StdImageViewPoste>(RowImage::image_poste_multi, this);
    field_annulee = makeLabel(RowText::field_annulee, this, 10);
    field_doublon = makeLabel(RowText::field_doublon, this, 10);
    button_pastille = makeButton(RowButton::button_pastille, this);
    button_pastille->setText(QStringLiteral("i"));
    button_pastille->setFont(makeListFont(true, true, 10));
    extra_controller = CellTransactExtraController::make(m_extraKind, this, this);
    for (size_t i = 0; i < m_textFields.size(); ++i)
        m_textFields[i] = findChild<QLabel*>(QString::fromLatin1(kRowTextNames[i]));
    for (size_t i = 0; i < m_imageViews.size(); ++i)
        m_imageViews[i] = findChild<StdImageView*>(QString::fromLatin1(kRowImageNames[i]));
}

int CellTransact::fixedWidth() const
{
    const int extra = extra_controller ? extra_controller->columnsWidth() : 0;
    return kReferenceX + kGap + 2 * (kGap + kIconSide + 2) + 2 * (kIconSide + 2)
        + 2 * (m_amountWidth + kGap + kIconSide) + extra + kGap;
}

int CellTransact::preferredWidth() const
{
    return fixedWidth() + kReferenceWidth + 2 * kNameWidth;
}

int CellTransact::narrowestWidth() const
{
    return fixedWidth() + leastWidth(RowText::field_reference) + leastWidth(RowText::field_compte)
        + leastWidth(RowText::field_poste);
}

// A column is never narrower than its heading over it, nor than a few letters. Measured once: a
// row is laid out at every painting.
int CellTransact::leastWidth(RowText field)
{
    static const std::array<int, 3> widths = [] {
        const QFontMetrics heading(makeListFont(true, false, 11));
        std::array<int, 3> least {};
        const char* keys[] = {"FenTransList_libelle", "FenTransList_compte", "FenTransList_categorie"};
        for (size_t i = 0; i < least.size(); ++i) {
            const int title = heading.horizontalAdvance(localizedAppl(QString::fromLatin1(keys[i])));
            least[i] = std::max(kMinimumColumnWidth, title + kGap);
        }
        return least;
    }();
    return widths[field == RowText::field_reference ? 0 : field == RowText::field_compte ? 1 : 2];
}

void CellTransact::resizeEvent(QResizeEvent* event)
{
    StdCell::resizeEvent(event);
    layOutFields();
}

// Columns from both edges: the date, means and reference from the left; the extra columns, the
// amounts, the state icons (two by two, on the row's two lines), the category and the account from
// the right. In a narrow row the reference gives up its room first, then the account and the
// category share what is left; each keeps at least the width of its heading.
void CellTransact::layOutFields()
{
    place(box_left, 0, 0, kBandWidth, height());
    const int iconY = kTopY;
    place(button_multi, 8, iconY + 1, StdButton::kDisclosureSize, StdButton::kDisclosureSize);
    place(image_touched, 24, iconY, kIconSide, kIconSide);
    place(field_date, kDateX, kTopY, kDateWidth, kLineHeight);
    place(image_moyen, kMoyenX, iconY, kIconSide, kIconSide);
    place(image_chrono, kChronoX, iconY, kIconSide, kIconSide);
    int right = width() - kGap;
    if (extra_controller) {
        right -= extra_controller->columnsWidth();
        place(extra_controller, right, kTopY, extra_controller->columnsWidth(), kLineHeight);
    }
    for (const auto& [amount, second, pointe, verrou] :
         {std::tuple {field_credit, field_credit_second, image_pointeC, image_verrouC},
          std::tuple {field_debit, field_debit_second, image_pointeD, image_verrouD}}) {
        right -= m_amountWidth + kGap;
        place(amount, right, kTopY, m_amountWidth, kLineHeight);
        place(second, right, kSecondY, m_amountWidth, kSecondHeight);
        right -= kIconSide;
        place(pointe, right, iconY, kIconSide, kIconSide);
        place(verrou, right, kSecondY - 1, kIconSide, kIconSide);
    }
    for (const auto& [upper, lower] : {std::pair<QWidget*, QWidget*> {image_placement, image_taxe},
                                       std::pair<QWidget*, QWidget*> {button_pastille, image_note}}) {
        right -= kIconSide + 2;
        place(upper, right, iconY, kIconSide, kIconSide);
        place(lower, right, kSecondY - 1, kIconSide, kIconSide);
    }
    const int room = right - kReferenceX - kGap - 2 * (kGap + kIconSide + 2);
    const int leastReference = leastWidth(RowText::field_reference);
    const int nameRoom = std::min(kNameWidth, (room - leastReference) / 2);
    const int posteWidth = std::max(leastWidth(RowText::field_poste), nameRoom);
    const int compteWidth = std::max(leastWidth(RowText::field_compte), nameRoom);
    right -= posteWidth + kGap;
    place(field_poste, right, kTopY, posteWidth, kLineHeight);
    right -= kIconSide + 2;
    place(image_poste, right, iconY, kIconSide, kIconSide);
    place(image_poste_multi, right, iconY, kIconSide, kIconSide);
    right -= compteWidth + kGap;
    place(field_compte, right, kTopY, compteWidth, kLineHeight);
    right -= kIconSide + 2;
    place(image_compte, right, iconY, kIconSide, kIconSide);
    const int referenceWidth = std::max(leastReference, right - kGap - kReferenceX);
    place(field_reference, kReferenceX, kTopY, referenceWidth, kLineHeight);
    place(field_annulee, kReferenceX, kSecondY, referenceWidth / 2, kSecondHeight);
    place(field_doublon, kReferenceX + referenceWidth / 2, kSecondY, referenceWidth / 2, kSecondHeight);
}

// ---- Painting ------------------------------------------------------------------------------------

bool CellTransact::paintTransReleve(QObject* controller, const RowRequest& request, const DOCUMENT& doc)
{
    const std::optional<TransLine> line = transLineForRow(request, doc);
    if (!line)
        return false;
    paintStdTransWithCumul(controller, *line, doc);
    return true;
}

void CellTransact::paintStdTransWithCumul(QObject* controller, const TransLine& line, const DOCUMENT& doc)
{
    if (fitFigureColumns(line.devise, line.devHdl, line.showUnit))
        layOutFields();
    m_controller = controller;
    m_transact = line.rec ? std::optional<TRANSACT>(*line.rec) : std::nullopt;
    applyRowContent(::paintStdTransWithCumul(line, m_extraKind, doc));
}

void CellTransact::paintBasicTrans(QObject* controller, const TransLine& line, const DOCUMENT& doc, bool* hide_solde)
{
    if (fitFigureColumns(line.devise, line.devHdl, line.showUnit))
        layOutFields();
    m_controller = controller;
    m_transact = line.rec ? std::optional<TRANSACT>(*line.rec) : std::nullopt;
    const RowContent content = ::paintBasicTrans(line, doc);
    applyRowContent(content);
    if (hide_solde)
        *hide_solde = content.hide_solde;
}

void CellTransact::applyRowContent(const RowContent& content)
{
    for (size_t i = 0; i < content.texts.size(); ++i)
        showText(textField(RowText(i)), content.texts[i]);
    for (size_t i = 0; i < content.images.size(); ++i)
        showPicture(imageView(RowImage(i)), content.images[i]);
    for (size_t i = 0; i < content.buttons.size(); ++i)
        showButton(rowButton(RowButton(i)), content.buttons[i]);
    box_left->setFillColor(QColor::fromRgbF(0.0F, 0.0F, 0.0F, static_cast<float>(content.boxLeftAlpha)));
    box_left->update();
}

void CellTransact::showText(QLabel* field, const RowTextContent& content)
{
    if (!field)
        return;
    field->setVisible(content.visible);
    field->setText(content.text);
    QFont font = field->font();
    font.setItalic(content.italic);
    field->setFont(font);
    field->setAlignment((content.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    if (content.colourBy) {
        colorizeForMontant(field, *content.colourBy);
    } else if (content.colour.isValid()) {
        QPalette colours = field->palette();
        colours.setColor(QPalette::WindowText, content.colour);
        field->setPalette(colours);
    } else {
        field->setPalette(QPalette()); // back to the cell's colours after a coloured row
    }
}

void CellTransact::showPicture(StdImageView* view, const RowImageContent& content) const
{
    if (!view)
        return;
    view->setVisible(content.visible);
    QPixmap picture
        = !content.picture.png.isEmpty() ? logoPicture(content.picture.png) : namedPicture(content.picture.name);
    if (picture.isNull() && !content.picture.isNull())
        picture = letterPicture(view->replacementString(transact()).remove(u':'));
    view->setPixmap(picture);
}

void CellTransact::showButton(StdButton* button, const RowButtonContent& content)
{
    if (!button)
        return;
    button->setVisible(content.visible);
    button->setProperty(kRowTagProperty, qlonglong(content.tag));
    StdActionDispatcher::setAction(button, content.action);
    if (button->isCheckable())
        button->setChecked(content.on);
}

// ---- Buttons -------------------------------------------------------------------------------------

bool CellTransact::clickButtonAt(const QPoint& rowPoint)
{
    if (!m_controller)
        return false;
    layOutFields(); // a template that is never shown gets its resize only when it is drawn
    for (StdButton* button : {button_multi, button_pastille}) {
        if (!button->isHidden() && button->geometry().contains(rowPoint))
            return StdActionDispatcher::send(m_controller, StdActionDispatcher::actionOf(button), button);
    }
    return false;
}

bool CellTransact::clickInTable(StdTableView* table, const QPoint& viewportPoint)
{
    const int row = table ? table->rowAt(viewportPoint.y()) : -1;
    if (row < 0 || !table->source())
        return false;
    auto* cell = qobject_cast<CellTransact*>(table->source()->cellForRow(table, row));
    if (!cell)
        return false;
    const QRect rowRect = table->visualRect(table->model()->index(row, 0));
    cell->resize(rowRect.size());
    return cell->clickButtonAt(viewportPoint - rowRect.topLeft());
}

long CellTransact::rowTagOf(const QObject* sender)
{
    const QVariant tag = sender ? sender->property(kRowTagProperty) : QVariant();
    return tag.isValid() ? long(tag.toLongLong()) : -1;
}

// ---- Fields --------------------------------------------------------------------------------------

QLabel* CellTransact::textField(RowText field) const
{
    return m_textFields[size_t(field)];
}

StdImageView* CellTransact::imageView(RowImage view) const
{
    return m_imageViews[size_t(view)];
}

StdButton* CellTransact::rowButton(RowButton control) const
{
    return control == RowButton::button_multi ? button_multi : button_pastille;
}

QRect CellTransact::textRectInRow(RowText field, const QSize& rowSize)
{
    resize(rowSize);
    layOutFields();
    const QLabel* label = textField(field);
    if (!label)
        return {};
    return QRect(label->mapTo(this, QPoint(0, 0)), label->size());
}
