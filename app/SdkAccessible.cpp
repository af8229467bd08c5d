#include "app/SdkAccessible.h"

#include "app/SdkTexts.h"
#include "app/WndSudoku.h"
#include "velox/VxDraw.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <array>
#include <cmath>

namespace SdkAccessible {

namespace {

const SdkText BoardName{"Spielfeld", "Board"};
const SdkText FieldNameText{"Zeile %1, Spalte %2", "Row %1, column %2"};
const SdkText GivenText{"vorgegeben", "given"};
const SdkText PlayedText{"gesetzt", "played"};
const SdkText EmptyText{"leer", "empty"};
const SdkText OwnCandidatesText{"eigene Kandidaten %1", "own candidates %1"};
const SdkText CandidatesText{"Kandidaten %1", "candidates %1"};

QString Digits(const SdkResultSet &set)
{
    QStringList digits;
    for (int i = 0; i < set.Count(); ++i)
        digits << QString::number(unsigned(set.GetValue(i)));
    return digits.join(QStringLiteral(", "));
}

bool CandidatesShown(const WndSudoku &window)
{
    const auto *box = window.findChild<QAbstractButton *>(QStringLiteral("CHK_VIEW_RS"));
    return box && box->isChecked();
}

// The field's box on the screen, from the board's current scale.
QRect FieldRect(const WndSudoku &window, unsigned row, unsigned column)
{
    VxWDraw *draw = window.DrawWindow();
    VxCntDraw *content = window.DrawContent();
    GPoint p1;
    GPoint p2;
    if (!draw || !content || !WndSudoku::GetBox(content->Scale(), p1, p2, row, column))
        return {};
    const GPoint d1 = content->Scale().LogToDc(p1);
    const GPoint d2 = content->Scale().LogToDc(p2);
    const QRect local(QPoint(int(std::lround(d1.x)), int(std::lround(d1.y))),
                      QPoint(int(std::lround(d2.x)), int(std::lround(d2.y))));
    return QRect(draw->mapToGlobal(local.normalized().topLeft()), local.normalized().size());
}

class FieldInterface : public QAccessibleInterface
{
public:
    FieldInterface(QAccessibleInterface *board, WndSudoku *window, int index)
        : board(board), window(window), index(index)
    {}

    bool isValid() const override { return !window.isNull(); }
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return board; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override { return QAccessible::Cell; }

    QString text(QAccessible::Text t) const override
    {
        if (!window)
            return {};
        const unsigned row = unsigned(index / 9);
        const unsigned column = unsigned(index % 9);
        switch (t) {
        case QAccessible::Name:
            return FieldName(row, column, window->GetLanguage());
        case QAccessible::Value: {
            const SdkDigit value = window->Game().GetField(row, column).GetValue();
            return value ? QString::number(unsigned(value)) : QString();
        }
        case QAccessible::Description:
            return FieldDescription(*window, row, column);
        default:
            return {};
        }
    }

    QRect rect() const override
    {
        return window ? FieldRect(*window, unsigned(index / 9), unsigned(index % 9)) : QRect();
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.selectable = true;
        if (!window)
            return s;
        const bool active = window->ActiveRow() * 9 + window->ActiveColumn() == unsigned(index);
        const VxWDraw *draw = window->DrawWindow();
        s.focused = active && draw && draw->hasFocus();
        s.selected = active;
        s.readOnly = window->Game().GetField(unsigned(index / 9), unsigned(index % 9)).IsFix();
        return s;
    }

private:
    QAccessibleInterface *board;
    QPointer<WndSudoku> window;
    int index;
};

class BoardInterface : public QAccessibleWidget
{
public:
    BoardInterface(QWidget *draw, WndSudoku *window)
        : QAccessibleWidget(draw, QAccessible::Table), window(window)
    {
        ids.fill(0);
    }
    ~BoardInterface() override
    {
        for (QAccessible::Id id : ids)
            if (id)
                QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return 81; }

    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= 81)
            return nullptr;
        if (!ids[size_t(index)])
            ids[size_t(index)] = QAccessible::registerAccessibleInterface(
                new FieldInterface(const_cast<BoardInterface *>(this), window, index));
        return QAccessible::accessibleInterface(ids[size_t(index)]);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (size_t i = 0; i < ids.size(); ++i)
            if (ids[i] && QAccessible::accessibleInterface(ids[i]) == child)
                return int(i);
        return -1;
    }

    QAccessibleInterface *focusChild() const override
    {
        if (!window || !widget()->hasFocus())
            return nullptr;
        return child(int(window->ActiveRow() * 9 + window->ActiveColumn()));
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        if (!window)
            return nullptr;
        for (int i = 0; i < 81; ++i)
            if (FieldRect(*window, unsigned(i / 9), unsigned(i % 9)).contains(x, y))
                return child(i);
        return nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && window)
            return Tx(BoardName, window->GetLanguage());
        return QAccessibleWidget::text(t);
    }

private:
    QPointer<WndSudoku> window;
    mutable std::array<QAccessible::Id, 81> ids;
};

QAccessibleInterface *Factory(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || widget->objectName() != QLatin1String("DRAW"))
        return nullptr;
    for (QObject *up = widget->parent(); up; up = up->parent())
        if (auto *window = dynamic_cast<WndSudoku *>(up))
            return new BoardInterface(widget, window);
    return nullptr;
}

} // namespace

void Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

QString FieldName(unsigned row, unsigned column, int language)
{
    return Tx(FieldNameText, language).arg(row + 1).arg(column + 1);
}

QString FieldDescription(const WndSudoku &window, unsigned row, unsigned column)
{
    const int language = window.GetLanguage();
    const SdkField field = window.Game().GetField(row, column);
    if (field.GetValue())
        return Tx(field.IsFix() ? GivenText : PlayedText, language);
    QStringList parts{Tx(EmptyText, language)};
    const SdkResultSet own = window.Game().GetUserCandidates(row, column);
    if (own.Count())
        parts << Tx(OwnCandidatesText, language).arg(Digits(own));
    if (CandidatesShown(window))
        parts << Tx(CandidatesText, language).arg(Digits(field.GetResultSet()));
    return parts.join(QStringLiteral("; "));
}

int Track(WndSudoku &window)
{
    VxWDraw *draw = window.DrawWindow();
    // While the engine works the game is busy; the next quiet tick reports what changed.
    if (!draw || !draw->hasFocus() || window.Game().IsThreadRunning())
        return 0;
    const unsigned row = window.ActiveRow();
    const unsigned column = window.ActiveColumn();
    if (row >= 9 || column >= 9)
        return 0;
    const QString seen = QStringLiteral("%1/%2/%3")
                             .arg(row * 9 + column)
                             .arg(window.Game().GetField(row, column).GetValue())
                             .arg(FieldDescription(window, row, column));
    const QString last = draw->property("sdkAccessibleSeen").toString();
    if (seen == last)
        return 0;
    draw->setProperty("sdkAccessibleSeen", seen);
    // A move to another field is a focus change; a change in the same field a value change.
    const int index = int(row * 9 + column);
    if (last.section(QLatin1Char('/'), 0, 0) != seen.section(QLatin1Char('/'), 0, 0)) {
        QAccessibleEvent event(draw, QAccessible::Focus);
        event.setChild(index);
        QAccessible::updateAccessibility(&event);
        return QAccessible::Focus;
    }
    QAccessibleValueChangeEvent event(draw, seen.section(QLatin1Char('/'), 1, 1));
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
    return QAccessible::ValueChanged;
}

} // namespace SdkAccessible
