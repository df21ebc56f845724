#include "Gui/Reelkit/TimeEdit.h"

#include <QLineEdit>
#include <QWheelEvent>
#include <QtTest>
#include <memory>

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

    // A window holding a time field and something else to take the focus.
    std::unique_ptr<WheelCatcher> m_window;
    TimeEdit* m_field = nullptr;
    QLineEdit* m_other = nullptr;

    bool Show()
    {
        m_window->show();
        m_window->activateWindow();
        QApplication::setActiveWindow(m_window.get());
        return QTest::qWaitForWindowActive(m_window.get());
    }

    // Shown and focused, with the time 00:12:59 in the fixed format HH:mm:ss.
    bool ShowForTyping()
    {
        m_field->setDisplayFormat("HH:mm:ss");
        m_field->setTime(QTime(0, 12, 59));
        return Show() && Focus(m_field);
    }

    static bool Focus(QWidget* widget)
    {
        widget->setFocus(Qt::TabFocusReason);
        return QTest::qWaitFor([widget] { return widget->hasFocus(); });
    }

    QLineEdit* Line() const { return m_field->findChild<QLineEdit*>(); }

private slots:
    void init()
    {
        m_window = std::make_unique<WheelCatcher>();
        m_field = new TimeEdit(m_window.get());
        m_other = new QLineEdit(m_window.get());
        m_other->move(0, 60);
        m_window->resize(300, 120);
        // Keep the field unfocused when the window activates.
        m_other->setFocus();
    }

    void cleanup() { m_window.reset(); }
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
        m_field->setMaximumTime(QTime(2, 0));
        m_field->setProperty("forceMaxtimeFormat", row.forceMaximum);
        m_field->setTime(row.time);
        QVERIFY(m_field->setProperty("displayFormatList", row.formats));
        QVERIFY(Show());
        QCOMPARE(Line()->text(), row.text);
    }

    void focusedFieldFitsMaximum()
    {
        m_field->setMaximumTime(QTime(2, 0));
        m_field->setTime(QTime(0, 0, 10));
        m_field->setDisplayFormatList(ShortAndLong);
        QVERIFY(Show());
        QCOMPARE(Line()->text(), QString("00:10"));
        QVERIFY(Focus(m_field));
        QCOMPARE(Line()->text(), QString("00:00:10"));
        QVERIFY(Focus(m_other));
        QCOMPARE(Line()->text(), QString("00:10"));
        // A new time chooses its format again.
        m_field->setTime(QTime(1, 2, 3));
        QCOMPARE(Line()->text(), QString("01:02:03"));
    }

    void steppingNeverWraps_data()
    {
        QTest::addColumn<StepRow>("row");
        QTest::newRow("ten minutes") << StepRow { QDateTimeEdit::MinuteSection, Qt::Key_PageUp,
            QTime(1, 30), QTime(0, 0), QTime(23, 59), QTime(1, 40) };
        QTest::newRow("above maximum") << StepRow { QDateTimeEdit::HourSection, Qt::Key_Up,
            QTime(4, 15), QTime(0, 0, 10), QTime(5, 0), QTime(5, 0) };
        QTest::newRow("below minimum") << StepRow { QDateTimeEdit::MinuteSection, Qt::Key_Down,
            QTime(0, 0, 30), QTime(0, 0, 10), QTime(5, 0), QTime(0, 0, 10) };
    }

    void steppingNeverWraps()
    {
        QFETCH(StepRow, row);
        m_field->setDisplayFormat("HH:mm:ss.zzz");
        m_field->setTimeRange(row.minimum, row.maximum);
        m_field->setTime(row.start);
        QVERIFY(Show() && Focus(m_field));
        m_field->setCurrentSection(row.section);
        QTest::keyClick(m_field, row.key);
        QCOMPARE(m_field->time(), row.expected);
    }

    void overwriteTyping_data()
    {
        QTest::addColumn<TypingRow>("row");
        QTest::newRow("over a digit") << TypingRow { 1, 3, "05:12:59" };
        // The hour 50 does not exist: the time stays, the cursor still moves on.
        QTest::newRow("invalid result") << TypingRow { 0, 1, "00:12:59" };
    }

    void overwriteTyping()
    {
        QFETCH(TypingRow, row);
        QVERIFY(ShowForTyping());
        Line()->setCursorPosition(row.cursor);
        QTest::keyClick(m_field, Qt::Key_5);
        QCOMPARE(Line()->text(), row.text);
        QCOMPARE(m_field->time(), QTime::fromString(row.text, "HH:mm:ss"));
        QCOMPARE(Line()->cursorPosition(), row.newCursor);
        QVERIFY(!Line()->hasSelectedText());
    }

    void enterKey()
    {
        QVERIFY(ShowForTyping());
        QSignalSpy entered(m_field, SIGNAL(EnterPressed()));
        // Enter reports and leaves the field.
        QTest::keyClick(m_field, Qt::Key_Return);
        QCOMPARE(entered.count(), 1);
        QVERIFY(!m_field->hasFocus());
        // Also handed to the field unfocused, Enter leaves nothing selected.
        QTest::keyClick(m_field, Qt::Key_Return);
        QCOMPARE(entered.count(), 2);
        QVERIFY(!Line()->hasSelectedText());
    }

    void wheelOnlyWhileFocused()
    {
        QVERIFY(ShowForTyping());
        const auto sendWheel = [this] {
            const QPoint pos = m_field->rect().center();
            QWheelEvent event(pos, m_field->mapToGlobal(pos), QPoint(), QPoint(0, 120),
                Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            // Delivered as the window system's wheel is (sendEvent would clear the
            // spontaneous flag), so that an ignored wheel travels on to the parent.
            QSpontaneKeyEvent::setSpontaneous(&event);
            qApp->notify(m_field, &event);
        };

        m_field->setCurrentSection(QDateTimeEdit::MinuteSection);
        sendWheel();
        QCOMPARE(m_field->time(), QTime(0, 13, 59));
        QVERIFY(Focus(m_other));
        sendWheel();
        QCOMPARE(m_field->time(), QTime(0, 13, 59));
        // Unfocused, the field passes the wheel on.
        QCOMPARE(m_window->wheels, 1);
    }
};

QTEST_MAIN(tst_TimeEdit)
#include "tst_timeedit.moc"
