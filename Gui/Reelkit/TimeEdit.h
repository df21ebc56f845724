#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

#include <QStringList>
#include <QTimeEdit>

namespace Tarvos::Gui {

// A time field that picks its display format from a list of candidates (the
// first that loses the least of the time), lets the user overwrite digits
// in place, steps without wrapping around midnight and takes the wheel only
// while focused, so that scrolling a panel does not seek by accident.
//
// The dynamic property "forceMaxtimeFormat", set by the host, makes the format
// always fit the maximum time.
class REELKIT_EXPORT TimeEdit : public QTimeEdit
{
    Q_OBJECT
    Q_PROPERTY(QString styleTag READ getStyleTag WRITE setStyleTag)
    Q_PROPERTY(QStringList displayFormatList READ getDisplayFormatList WRITE setDisplayFormatList)

public:
    // The style tag that fixes the width to the width of the text.
    static const QString ShrinkWidthTag;

    explicit TimeEdit(QWidget* parent = nullptr);

    void setTime(const QTime& time);
    void setMaximumTime(const QTime& time);

    QString getStyleTag() const;
    void setStyleTag(const QString& tag);

    QStringList getDisplayFormatList() const;
    void setDisplayFormatList(const QStringList& formats);

    void stepBy(int steps) override;

public slots:
    void updateStyle();

signals:
    void EnterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
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
