#include "Gui/Reelkit/TimeEdit.h"

#include <QLineEdit>
#include <QWheelEvent>
#include <QtTest>

using Tarvos::Gui::TimeEdit;

namespace {

// Counts the wheel events that reach it.
class WheelCatcher : public QWidget
{
public:
    int wheels = 0;

protected:
    void wheelEvent(QWheelEvent* event) override
    {
        ++wheels;
        event->accept();
    }
};

// A window holding a time field and something else to take the focus.
struct Window
{
    Window()
    {
        field = new TimeEdit(&window);
        other = new QLineEdit(&window);
        other->move(0, 60);
        window.resize(300, 120);
        // Keep the field unfocused when the window activates.
        other->setFocus();
    }

    bool Show()
    {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window);
    }

    // Shown and focused, with the time 00:12:59 in the fixed format HH:mm:ss.
    bool ShowForTyping()
    {
        field->setDisplayFormat("HH:mm:ss");
        field->setTime(QTime(0, 12, 59));
        return Show() && Focus(field);
    }

    static bool Focus(QWidget* widget)
    {
        widget->setFocus(Qt::TabFocusReason);
        return QTest::qWaitFor([widget] { return widget->hasFocus(); });
    }

    QLineEdit* Line() const { return field->findChild<QLineEdit*>(); }

    WheelCatcher window;
    TimeEdit* field;
    QLineEdit* other;
};

const QStringList ShortAndLong = { "mm:ss", "HH:mm:ss" };

struct FormatRow
{
    QStringList formats;
    QTime time;
    bool forceMaximum;
    QString text;
};

struct StepRow
{
    QDateTimeEdit::Section section;
    Qt::Key key;
    QTime start, minimum, maximum, expected;
};

struct TypingRow
{
    int cursor, newCursor;
    QString text;
};

} // namespace

Q_DECLARE_METATYPE(FormatRow)
Q_DECLARE_METATYPE(StepRow)
Q_DECLARE_METATYPE(TypingRow)

class tst_TimeEdit : public QObject
{
    Q_OBJECT

private slots:
    void formatChoice_data()
    {
        QTest::addColumn<FormatRow>("row");
        QTest::newRow("hour lost") << FormatRow { ShortAndLong, QTime(1, 5, 7), false, "01:05:07" };
        // Every format loses something: the smallest loss wins, the earlier on ties.
        QTest::newRow("smallest loss")
            << FormatRow { { "ss", "mm:ss" }, QTime(1, 5, 7, 250), false, "05:07" };
        // The host may ask for the format of the maximum (02:00:00) at all times.
        QTest::newRow("forced maximum")
            << FormatRow { ShortAndLong, QTime(0, 0, 10), true, "00:00:10" };
    }

    void formatChoice()
    {
        QFETCH(FormatRow, row);
        Window w;
        w.field->setMaximumTime(QTime(2, 0));
        w.field->setProperty("forceMaxtimeFormat", row.forceMaximum);
        w.field->setTime(row.time);
        QVERIFY(w.field->setProperty("displayFormatList", row.formats));
        QVERIFY(w.Show());
        QCOMPARE(w.Line()->text(), row.text);
    }

    void focusedFieldFitsMaximum()
    {
        Window w;
        w.field->setMaximumTime(QTime(2, 0));
        w.field->setTime(QTime(0, 0, 10));
        w.field->setDisplayFormatList(ShortAndLong);
        QVERIFY(w.Show());
        QCOMPARE(w.Line()->text(), QString("00:10"));
        QVERIFY(w.Focus(w.field));
        QCOMPARE(w.Line()->text(), QString("00:00:10"));
        QVERIFY(w.Focus(w.other));
        QCOMPARE(w.Line()->text(), QString("00:10"));

        // A new format keeps the cursor at its distance from the end.
        w.Line()->setCursorPosition(3);
        w.field->setTime(QTime(1, 5, 7));
        QCOMPARE(w.Line()->text(), QString("01:05:07"));
        QCOMPARE(w.Line()->cursorPosition(), 6);
        w.field->setTime(QTime(0, 5, 7));
        QCOMPARE(w.Line()->text(), QString("05:07"));
        QCOMPARE(w.Line()->cursorPosition(), 3);
    }

    void steppingNeverWraps_data()
    {
        QTest::addColumn<StepRow>("row");
        const QTime midnight(0, 0);
        const QTime last(23, 59, 59, 999);
        QTest::newRow("ten minutes") << StepRow { QDateTimeEdit::MinuteSection, Qt::Key_PageUp,
            QTime(1, 30), midnight, last, QTime(1, 40) };
        QTest::newRow("past midnight") << StepRow { QDateTimeEdit::HourSection, Qt::Key_Up,
            QTime(23, 30), midnight, last, last };
        QTest::newRow("before midnight") << StepRow { QDateTimeEdit::SecondSection, Qt::Key_Down,
            QTime(0, 0, 0, 500), midnight, last, midnight };
        QTest::newRow("above maximum") << StepRow { QDateTimeEdit::HourSection, Qt::Key_Up,
            QTime(4, 15), QTime(0, 0, 10), QTime(5, 0), QTime(5, 0) };
        QTest::newRow("below minimum") << StepRow { QDateTimeEdit::MinuteSection, Qt::Key_Down,
            QTime(0, 0, 30), QTime(0, 0, 10), QTime(5, 0), QTime(0, 0, 10) };
    }

    void steppingNeverWraps()
    {
        QFETCH(StepRow, row);
        Window w;
        w.field->setDisplayFormat("HH:mm:ss.zzz");
        w.field->setTimeRange(row.minimum, row.maximum);
        w.field->setTime(row.start);
        QVERIFY(w.Show() && w.Focus(w.field));
        w.field->setCurrentSection(row.section);
        QTest::keyClick(w.field, row.key);
        QCOMPARE(w.field->time(), row.expected);
    }

    void overwriteTyping_data()
    {
        QTest::addColumn<TypingRow>("row");
        QTest::newRow("over a digit") << TypingRow { 1, 3, "05:12:59" };
        // The hour 50 does not exist: the time stays, the cursor still moves on.
        QTest::newRow("invalid result") << TypingRow { 0, 1, "00:12:59" };
        QTest::newRow("before a separator") << TypingRow { 2, 3, "00:12:59" };
    }

    void overwriteTyping()
    {
        QFETCH(TypingRow, row);
        Window w;
        QVERIFY(w.ShowForTyping());
        w.Line()->setCursorPosition(row.cursor);
        QTest::keyClick(w.field, Qt::Key_5);
        QCOMPARE(w.Line()->text(), row.text);
        QCOMPARE(w.field->time(), QTime::fromString(row.text, "HH:mm:ss"));
        QCOMPARE(w.Line()->cursorPosition(), row.newCursor);
        QVERIFY(!w.Line()->hasSelectedText());
    }

    void enterKey()
    {
        Window w;
        QVERIFY(w.ShowForTyping());
        QSignalSpy entered(w.field, SIGNAL(EnterPressed()));
        // The base completes half-typed minutes; that counts as handled.
        w.Line()->setCursorPosition(4);
        QTest::keyClick(w.field, Qt::Key_Backspace);
        QCOMPARE(w.Line()->text(), QString("00:2:59"));
        QTest::keyClick(w.field, Qt::Key_Return);
        QCOMPARE(w.Line()->text(), QString("00:02:59"));
        QCOMPARE(entered.count(), 0);
        QVERIFY(w.field->hasFocus());

        // Otherwise Enter reports and leaves the field.
        QTest::keyClick(w.field, Qt::Key_Return);
        QCOMPARE(entered.count(), 1);
        QVERIFY(!w.field->hasFocus());
        // Also handed to the field unfocused, Enter leaves nothing selected.
        QTest::keyClick(w.field, Qt::Key_Return);
        QCOMPARE(entered.count(), 2);
        QVERIFY(!w.Line()->hasSelectedText());
    }

    void wheelOnlyWhileFocused()
    {
        Window w;
        w.field->setDisplayFormat("HH:mm:ss");
        w.field->setTime(QTime(0, 12, 59));
        QVERIFY(w.Show());
        const auto sendWheel = [&w] {
            const QPoint pos = w.field->rect().center();
            QWheelEvent event(pos, w.field->mapToGlobal(pos), QPoint(), QPoint(0, 120),
                Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            // Delivered as the window system's wheel is (sendEvent would clear the
            // spontaneous flag), so that an ignored wheel travels on to the parent.
            QSpontaneKeyEvent::setSpontaneous(&event);
            qApp->notify(w.field, &event);
        };

        // Unfocused, from the start or again, the field passes the wheel on.
        sendWheel();
        QVERIFY(w.Focus(w.field));
        w.field->setCurrentSection(QDateTimeEdit::MinuteSection);
        sendWheel();
        QCOMPARE(w.field->time(), QTime(0, 13, 59));
        QVERIFY(w.Focus(w.other));
        sendWheel();
        QCOMPARE(w.field->time(), QTime(0, 13, 59));
        QCOMPARE(w.window.wheels, 2);
        QVERIFY(!w.field->hasFocus());
    }

    void shrinkWidth()
    {
        Window w;
        QFont font("DejaVu Sans");
        font.setPixelSize(14);
        w.field->setFont(font);
        const QFontMetrics metrics(font);
        w.field->setDisplayFormat("H:mm:ss");
        w.field->setTime(QTime(0, 5, 7));
        QVERIFY(w.Show());

        // Only this tag shrinks the field; the others are for style sheets.
        QVERIFY(w.field->setProperty("styleTag", "shrinkWidth"));
        QCOMPARE(w.field->width(), metrics.horizontalAdvance("0:05:07") + 4);

        // Without a format list the format stays, and the width follows the text.
        w.field->setDisplayFormatList(ShortAndLong);
        w.field->setTime(QTime(0, 5, 7));
        QCOMPARE(w.field->width(), metrics.horizontalAdvance("05:07") + 4);
    }
};

QTEST_MAIN(tst_TimeEdit)
#include "tst_timeedit.moc"
