#include "Gui/Reelkit/TimeEdit.h"

#include "Gui/Reelkit/AccessibleFactory.h"
#include "Gui/Reelkit/TimeFormat.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>

namespace Tarvos::Gui {

const QString TimeEdit::ShrinkWidthTag = QStringLiteral("shrinkWidth");

namespace {

int NextDigitAfter(const QString& text, int position)
{
    int next = position + 1;
    while (next < text.length() && !text.at(next).isDigit())
        ++next;
    return next;
}

} // namespace

TimeEdit::TimeEdit(QWidget* parent)
    : QTimeEdit(parent)
{
    AccessibleFactory::Attach(this);
    connect(this, &QDateTimeEdit::dateTimeChanged, this, &TimeEdit::updateStyle);
    setWrapping(true);
    setFocusPolicy(Qt::StrongFocus);
    // A time of the media, not of a clock: no time zone to look up with
    // every change.
    setTimeSpec(Qt::UTC);
}

void TimeEdit::setTime(const QTime& time)
{
    // A playing position arrives many times a second and changes the text
    // about once: the field repaints only when what it shows changes (its own
    // line edit repaints itself on a new text).
    const QString shownText = lineEdit()->displayText();
    const QString shownFormat = displayFormat();
    const StepEnabled shownSteps = stepEnabled();
    const QSize shownSize = size();
    const bool holdRepaint = updatesEnabled();
    setAttribute(Qt::WA_UpdatesDisabled, holdRepaint);
    const QTime previous = this->time();
    QTimeEdit::setTime(time);
    // A change has run it through dateTimeChanged already.
    if (this->time() == previous)
        updateStyle();
    if (!holdRepaint)
        return;
    setAttribute(Qt::WA_UpdatesDisabled, false);
    if (lineEdit()->displayText() != shownText || displayFormat() != shownFormat
        || stepEnabled() != shownSteps || size() != shownSize)
        update();
}

void TimeEdit::setMaximumTime(const QTime& time)
{
    QTimeEdit::setMaximumTime(time);
}

QString TimeEdit::getStyleTag() const
{
    return m_styleTag;
}

void TimeEdit::setStyleTag(const QString& tag)
{
    m_styleTag = tag;
    updateStyle();
}

QStringList TimeEdit::getDisplayFormatList() const
{
    return m_displayFormatList;
}

void TimeEdit::setDisplayFormatList(const QStringList& formats)
{
    m_displayFormatList = formats;
    updateStyle();
}

QString TimeEdit::ChooseFormat() const
{
    // While the user edits, the format fits the largest time, so that it does
    // not change under the cursor.
    const bool fitMaximum = hasFocus() || property("forceMaxtimeFormat").toBool();
    const QTime reference = fitMaximum ? maximumTime() : time();
    return TimeFormat::BestFitting(reference, m_displayFormatList, QString());
}

void TimeEdit::updateStyle()
{
    if (!m_displayFormatList.isEmpty()) {
        const QString format = ChooseFormat();
        if (format != displayFormat()) {
            // Keep the cursor at its distance from the end: the seconds stay
            // under it when an hour section appears or goes.
            const int fromEnd = lineEdit()->text().length() - lineEdit()->cursorPosition();
            setDisplayFormat(format);
            lineEdit()->setCursorPosition(lineEdit()->text().length() - fromEnd);
        }
    }
    if (m_styleTag == ShrinkWidthTag)
        setFixedWidth(fontMetrics().horizontalAdvance(lineEdit()->text()) + WidthMargin);
}

void TimeEdit::stepBy(int steps)
{
    int unit = 0;
    switch (currentSection()) {
    case MSecSection:
        unit = 1;
        break;
    case SecondSection:
        unit = 1000;
        break;
    case MinuteSection:
        unit = 60000;
        break;
    case HourSection:
        unit = 3600000;
        break;
    default:
        break;
    }
    const QTime current = time();
    QTime next = current.addMSecs(unit * steps);
    // addMSecs wraps around midnight; a time field of a media file must not.
    if (steps < 0 && next > current)
        next = QTime(0, 0, 0, 0);
    else if (steps > 0 && next < current)
        next = QTime(23, 59, 59, 999);
    if (next > maximumTime())
        next = maximumTime();
    else if (next < minimumTime())
        next = minimumTime();
    setTime(next);
}

void TimeEdit::keyPressEvent(QKeyEvent* event)
{
    const int position = lineEdit()->cursorPosition();
    const QString text = lineEdit()->text();
    QTimeEdit::keyPressEvent(event);
    if (lineEdit()->text() != text)
        return;

    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        lineEdit()->deselect();
        clearFocus();
        emit EnterPressed();
    } else if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        OverwriteDigit(position, text, QChar('0' + (key - Qt::Key_0)));
    }
}

void TimeEdit::OverwriteDigit(int position, const QString& text, QChar digit)
{
    if (position >= text.length())
        return;
    if (text.at(position).isDigit()) {
        QString edited = text;
        edited[position] = digit;
        setTime(QTime::fromString(edited, displayFormat()));
    }
    lineEdit()->setCursorPosition(NextDigitAfter(lineEdit()->text(), position));
    lineEdit()->deselect();
}

void TimeEdit::wheelEvent(QWheelEvent* event)
{
    // Unfocused, the wheel belongs to whatever scrolls around the field.
    if (focusPolicy() == Qt::StrongFocus) {
        event->ignore();
        return;
    }
    QTimeEdit::wheelEvent(event);
}

void TimeEdit::focusInEvent(QFocusEvent* event)
{
    setFocusPolicy(Qt::WheelFocus);
    QTimeEdit::focusInEvent(event);
    updateStyle();
}

void TimeEdit::focusOutEvent(QFocusEvent* event)
{
    setFocusPolicy(Qt::StrongFocus);
    QAbstractSpinBox::focusOutEvent(event);
    updateStyle();
}

void TimeEdit::showEvent(QShowEvent* event)
{
    updateStyle();
    QAbstractSpinBox::showEvent(event);
}

} // namespace Tarvos::Gui
