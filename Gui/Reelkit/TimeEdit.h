#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

#include <QStringList>
#include <QTimeEdit>

namespace Tarvos::Gui {

/// A time field that picks its display format from a list of candidates (the
/// first that loses the least of the time), lets the user overwrite digits
/// in place, steps without wrapping around midnight and takes the wheel only
/// while focused, so that scrolling a panel does not seek by accident.
///
/// While focused, the format fits the maximum time instead of the shown one,
/// so that it does not change under the cursor. The dynamic property
/// "forceMaxtimeFormat", set by the host, makes the format always fit the
/// maximum time.
class REELKIT_EXPORT TimeEdit : public QTimeEdit
{
    Q_OBJECT
    /// A tag for the host's style sheet; ShrinkWidthTag also fixes the width
    /// to the text's. Empty at first.
    Q_PROPERTY(QString styleTag READ getStyleTag WRITE setStyleTag)
    /// Candidate QTime display formats, such as "h:mm:ss" and "m:ss"; empty
    /// keeps the current display format.
    Q_PROPERTY(QStringList displayFormatList READ getDisplayFormatList WRITE setDisplayFormatList)

public:
    /// The style tag ("shrinkWidth") that fixes the width to the width of the
    /// text, plus a few pixels for the cursor.
    static const QString ShrinkWidthTag;

    /// A field at 00:00:00 that takes the focus by tab and click.
    explicit TimeEdit(QWidget* parent = nullptr);

    /// Shows time and updates the format and width (updateStyle()).
    void setTime(const QTime& time);
    /// As QTimeEdit's; the format follows with the next update.
    void setMaximumTime(const QTime& time);

    /// The styleTag property.
    QString getStyleTag() const;
    /// Sets the tag and updates the format and width (updateStyle()).
    void setStyleTag(const QString& tag);

    /// The displayFormatList property.
    QStringList getDisplayFormatList() const;
    /// Sets the candidates and updates the format and width (updateStyle()).
    void setDisplayFormatList(const QStringList& formats);

    /// Steps the section under the cursor (hours, minutes, seconds or
    /// milliseconds) by steps units, stopping at 00:00:00.000 and
    /// 23:59:59.999 instead of wrapping, then clamping to the field's range.
    void stepBy(int steps) override;

public slots:
    /// Chooses the display format again (keeping the cursor at its distance
    /// from the end of the text) and, with ShrinkWidthTag, fixes the width.
    /// Runs on every change of the time.
    void updateStyle();

signals:
    /// Return or Enter was pressed: the field has dropped the focus and the
    /// typed time is in time().
    void EnterPressed();

protected:
    /// A digit typed where the time editor changes nothing overwrites the
    /// digit under the cursor and moves on to the next digit; Return and
    /// Enter drop the focus and emit EnterPressed().
    void keyPressEvent(QKeyEvent* event) override;
    /// Steps only while the field has the focus; otherwise the event is
    /// ignored and goes to the parent.
    void wheelEvent(QWheelEvent* event) override;
    /// Takes wheel events from now on and fits the format to the maximum time.
    void focusInEvent(QFocusEvent* event) override;
    /// Leaves wheel events to the parent again and fits the format to the time.
    void focusOutEvent(QFocusEvent* event) override;
    /// Updates the format and width before the field shows.
    void showEvent(QShowEvent* event) override;

private:
    // Room for the line edit's cursor beside the text of a shrunk field.
    static const int WidthMargin = 4;

    QString ChooseFormat() const;
    void OverwriteDigit(int position, const QString& text, QChar digit);

    QString m_styleTag;
    QStringList m_displayFormatList;
};

} // namespace Tarvos::Gui
