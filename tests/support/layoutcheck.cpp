#include "tests/support/layoutcheck.h"

#include "grid/extgrid.h"
#include "platform/control.h"
#include "platform/grids.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QToolButton>

#include <algorithm>
#include <vector>

namespace {

// The caption as drawn where "&" marks an accelerator: the mark is not
// drawn, "&&" is one "&".
QString WithoutMarks(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// The room a text takes, each line as wide as its advance and as high as
// the font's line.
QSize TextSize(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    const QStringList lines = text.split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return {widest, metrics.height() * static_cast<int>(lines.size())};
}

// Whether the user can see the control when its page is shown.
bool Shown(const QWidget* control, const QWidget* root)
{
    for (const QWidget* w = control; w && w != root; w = w->parentWidget()) {
        const bool page = qobject_cast<const QStackedWidget*>(w->parentWidget()) != nullptr;
        if (w->isHidden() && !page)
            return false;
    }
    return true;
}

QString Place(const QRect& r)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QString NameOf(const QWidget* w)
{
    if (!w->objectName().isEmpty())
        return w->objectName();
    if (auto* label = qobject_cast<const QLabel*>(w))
        return QStringLiteral("label \"%1\"").arg(label->text());
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), button->text());
    return QString::fromLatin1(w->metaObject()->className());
}

class Faults {
public:
    explicit Faults(QString window) : window_(std::move(window)) {}

    // A text that needs more room than its control gives it.
    void Check(const QWidget* w, const QString& text, QSize needs, QSize has)
    {
        if (needs.width() <= has.width() && needs.height() <= has.height())
            return;
        list_ << QStringLiteral("%1: %2 \"%3\" needs %4x%5 px, has %6x%7")
                     .arg(window_, NameOf(w), text)
                     .arg(needs.width())
                     .arg(needs.height())
                     .arg(has.width())
                     .arg(has.height());
    }
    void Overlap(const QWidget* a, const QWidget* b)
    {
        list_ << QStringLiteral("%1: %2 %3 overlaps %4 %5")
                     .arg(window_, NameOf(a), Place(a->geometry()), NameOf(b), Place(b->geometry()));
    }
    void OverCaption(const QWidget* w, const QWidget* frame, const QRect& room)
    {
        list_ << QStringLiteral("%1: %2 %3 leaves the room of %4 below its caption %5")
                     .arg(window_, NameOf(w), Place(w->geometry()), NameOf(frame), Place(room));
    }
    QStringList List() const { return list_; }

private:
    QString window_;
    QStringList list_;
};

// The room a caption has inside its control against the room it needs.
void CheckCaption(Faults& faults, QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->wordWrap() || label->text().isEmpty() || !label->pixmap().isNull())
            return;
        // A label shows its accelerator only when it has a control to focus.
        const QString text = label->buddy() ? WithoutMarks(label->text()) : label->text();
        faults.Check(w, label->text(), TextSize(label->font(), text), label->contentsRect().size());
        return;
    }
    auto* button = qobject_cast<QAbstractButton*>(w);
    if (!button || button->text().isEmpty())
        return;
    const QSize text = TextSize(w->font(), WithoutMarks(button->text()));
    QStyle* style = w->style();
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        const bool radio = qobject_cast<QRadioButton*>(w) != nullptr;
        const int indicator =
            style->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, w);
        const int spacing =
            style->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
        faults.Check(w, button->text(), {indicator + spacing + text.width(), text.height()}, w->size());
    } else if (qobject_cast<QPushButton*>(w) || qobject_cast<QToolButton*>(w)) {
        auto* tool = qobject_cast<QToolButton*>(w);
        if (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
            return;
        const int margins = 2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w);
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        faults.Check(w, button->text(), {text.width() + margins + icon, text.height()}, w->size());
    }
}

// The texts of a grid's fixed cells (its heads), each within its column and
// row.
void CheckHeads(Faults& faults, TStringGrid* grid)
{
    QFont font = grid->font();
    if (auto* ext = qobject_cast<TExtStringGrid*>(grid))
        font = ext->FixedFont().ToQFont(font);
    for (int row = 0; row < grid->RowCount(); ++row)
        for (int col = 0; col < grid->ColCount(); ++col) {
            const bool fixed = row < grid->FixedRows() || col < grid->FixedCols();
            const QString text = grid->Cells(col, row);
            if (!fixed || text.isEmpty())
                continue;
            const QSize needs = TextSize(font, text);
            faults.Check(grid, QStringLiteral("%1 (column %2, row %3)").arg(text).arg(col).arg(row),
                         {needs.width() + 4, needs.height()}, {grid->ColWidths(col), grid->RowHeights(row)});
        }
}

// The part of a frame its controls may use: below its caption.
QRect RoomOf(QGroupBox* frame)
{
    if (frame->title().isEmpty())
        return frame->rect();
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect caption = frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
    QRect room = frame->rect();
    room.setTop(caption.bottom() + 1);
    return room;
}

bool IsControl(QWidget* w)
{
    return TControl::Of(w) != nullptr || qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w);
}

void CheckChildren(Faults& faults, QWidget* parent, QWidget* root)
{
    std::vector<QWidget*> controls;
    for (QObject* object : parent->children()) {
        auto* w = qobject_cast<QWidget*>(object);
        if (w && !w->isWindow() && IsControl(w) && Shown(w, root))
            controls.push_back(w);
    }
    for (size_t i = 0; i < controls.size(); ++i)
        for (size_t k = i + 1; k < controls.size(); ++k)
            if (controls[i]->geometry().intersects(controls[k]->geometry()))
                faults.Overlap(controls[i], controls[k]);
    if (auto* frame = qobject_cast<QGroupBox*>(parent)) {
        const QRect room = RoomOf(frame);
        for (QWidget* w : controls)
            if (!room.contains(w->geometry()))
                faults.OverCaption(w, frame, room);
    }
}

} // namespace

QStringList LayoutFaults(const QString& window, QWidget* root)
{
    Faults faults(window);
    std::vector<QWidget*> all{root};
    for (QWidget* w : root->findChildren<QWidget*>())
        if (!w->isWindow() && Shown(w, root))
            all.push_back(w);
    for (QWidget* w : all) {
        CheckCaption(faults, w);
        if (auto* grid = qobject_cast<TStringGrid*>(w))
            CheckHeads(faults, grid);
        else if (IsControl(w) || w == root || qobject_cast<QStackedWidget*>(w->parentWidget()))
            CheckChildren(faults, w, root);
    }
    return faults.List();
}
