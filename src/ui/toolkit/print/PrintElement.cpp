#include "toolkit/print/PrintElement.h"

#include "toolkit/tables/StdCell.h"
#include "toolkit/windows/StdView.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QResizeEvent>
#include <QStyle>

#include <cmath>

namespace {

constexpr int kTruncateLength = 20;

// Views that are never shown (row templates, the title block) have their layout applied only
// when they are drawn: apply it now, so that every frame is where a drawing would put it.
void layOutNow(QWidget* view)
{
    view->ensurePolished();
    if (view->testAttribute(Qt::WA_PendingResizeEvent)) {
        view->setAttribute(Qt::WA_PendingResizeEvent, false);
        QResizeEvent event(view->size(), QSize());
        QCoreApplication::sendEvent(view, &event);
    }
    if (QLayout* layout = view->layout())
        layout->activate();
}

// The font in pixels of the view's screen, the unit the view's frames are in.
QFont pixelFont(const QWidget* view)
{
    QFont font = view->font();
    if (font.pixelSize() <= 0) {
        const double pixels = font.pointSizeF() * view->logicalDpiY() / 72.0;
        font.setPixelSize(std::max(1, int(std::lround(pixels))));
    }
    return font;
}

int alignmentCode(Qt::Alignment alignment)
{
    const Qt::Alignment horizontal = QStyle::visualAlignment(Qt::LeftToRight, alignment) & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignRight)
        return 1;
    if (horizontal & Qt::AlignHCenter)
        return 2;
    return 0;
}

void readText(PrintElement& element, const QWidget* view, const QString& text, Qt::Alignment alignment)
{
    element.kind = PrintElement::Kind::TextField;
    element.text = text;
    element.font = pixelFont(view);
    element.textColor = view->palette().color(view->foregroundRole());
    element.alignment = alignmentCode(alignment);
    element.truncates = view->inherits("StdTextFieldTruncate");
    element.fixedPitch = QFontInfo(element.font).fixedPitch();
}

void readImage(PrintElement& element, const QLabel* label, const TRANSACT* transact)
{
    element.kind = PrintElement::Kind::ImageView;
    if (label)
        element.image = label->pixmap().toImage();
    if (auto* replacing = dynamic_cast<const PrintReplacementText*>(label))
        element.replacement = replacing->replacementString(transact);
}

void readControl(PrintElement& element, const QWidget* view, const StdControlProtocol& control)
{
    if (const auto* box = qobject_cast<const StdBox*>(view)) {
        element.kind = PrintElement::Kind::Box;
        element.fillColor = box->fillColor();
        element.printBorder = box->printBorder();
    } else if (const auto* stdView = qobject_cast<const StdView*>(view)) {
        element.kind = PrintElement::Kind::View;
        element.printBorder = stdView->printBorder();
    } else {
        element.kind = view->inherits("StdPopUp") ? PrintElement::Kind::PopUp : PrintElement::Kind::Button;
        element.image = control.printImage();
    }
}

// What the view prints of its own, by its kind.
void readKind(PrintElement& element, QWidget* view, const TRANSACT* transact)
{
    auto* label = qobject_cast<QLabel*>(view);
    const bool replaces = dynamic_cast<PrintReplacementText*>(view) != nullptr;
    if (label && !replaces && label->pixmap().isNull()) {
        readText(element, view, label->text(), label->alignment());
    } else if (auto* field = qobject_cast<QLineEdit*>(view)) {
        readText(element, view, field->text(), field->alignment());
    } else if (label || replaces) {
        readImage(element, label, transact);
    } else if (auto* control = dynamic_cast<StdControlProtocol*>(view)) {
        if (control->canPrint())
            readControl(element, view, *control);
    } else if (qobject_cast<StdCell*>(view)) {
        element.kind = PrintElement::Kind::TableCell;
    }
}

} // namespace

PrintElement PrintElement::fromView(QWidget* view, const TRANSACT* transact)
{
    PrintElement element;
    if (!view)
        return element;
    layOutNow(view);
    element.name = view->objectName();
    element.frame = QRectF(view->geometry());
    readKind(element, view, transact);
    const QObjectList& children = view->children();
    for (QObject* child : children) {
        auto* subview = qobject_cast<QWidget*>(child);
        if (subview && !subview->isHidden() && !subview->isWindow())
            element.children.push_back(fromView(subview, transact));
    }
    return element;
}

QString PrintElement::printedText() const
{
    if (truncates && text.size() > kTruncateLength)
        return text.left(kTruncateLength) + QStringLiteral("...");
    return text;
}

const PrintElement* PrintElement::find(const QString& elementName) const
{
    if (name == elementName)
        return this;
    for (const PrintElement& child : children) {
        if (const PrintElement* found = child.find(elementName))
            return found;
    }
    return nullptr;
}

QStringList PrintElement::texts() const
{
    QStringList all;
    if (kind == Kind::TextField && !text.isEmpty())
        all.append(printedText());
    for (const PrintElement& child : children)
        all.append(child.texts());
    return all;
}
