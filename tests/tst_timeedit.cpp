#include "Gui/Reelkit/TimeEdit.h"

#include <QLineEdit>
#include <QWheelEvent>
#include <QtTest>

using Tarvos::Gui::TimeEdit;

class tst_TimeEdit : public QObject
{
    Q_OBJECT

private slots:
    void formatChoice_data();
    void formatChoice();
    void focusedFieldFitsMaximum();
    void cursorKeepsDistanceFromEnd();
    void steppingNeverWraps_data();
    void steppingNeverWraps();
    void overwriteTyping_data();
    void overwriteTyping();
    void enterKey();
    void wheelOnlyWhileFocused();
    void shrinkWidth();
};

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

} // namespace

void tst_TimeEdit::formatChoice_data()
{
    QTest::addColumn<QStringList>("formats");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<bool>("forceMaximum");
    QTest::addColumn<QString>("text");
    QTest::newRow("hour lost") << ShortAndLong << QTime(1, 5, 7) << false << "01:05:07";
    // Every format loses something: the smallest loss wins, the earlier on ties.
    QTest::newRow("smallest loss")
        << QStringList({ "ss", "mm:ss" }) << QTime(1, 5, 7, 250) << false << "05:07";
    QTest::newRow("tie keeps earlier")
        << QStringList({ "m:ss", "mm:ss" }) << QTime(1, 5, 7) << false << "5:07";
    // The host may ask for the format of the maximum (02:00:00) at all times.
    QTest::newRow("forced maximum") << ShortAndLong << QTime(0, 0, 10) << true << "00:00:10";
}

void tst_TimeEdit::formatChoice()
{
    QFETCH(QStringList, formats);
    QFETCH(QTime, time);
    QFETCH(bool, forceMaximum);
    QFETCH(QString, text);
    Window w;
    w.field->setMaximumTime(QTime(2, 0));
    w.field->setProperty("forceMaxtimeFormat", forceMaximum);
    w.field->setTime(time);
    QVERIFY(w.field->setProperty("displayFormatList", formats));
    QVERIFY(w.Show());
    QCOMPARE(w.Line()->text(), text);
}

void tst_TimeEdit::focusedFieldFitsMaximum()
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
}

void tst_TimeEdit::cursorKeepsDistanceFromEnd()
{
    Window w;
    w.field->setTime(QTime(0, 5, 7));
    w.field->setDisplayFormatList(ShortAndLong);
    QVERIFY(w.Show());
    w.Line()->setCursorPosition(3);

    w.field->setTime(QTime(1, 5, 7));
    QCOMPARE(w.Line()->text(), QString("01:05:07"));
    QCOMPARE(w.Line()->cursorPosition(), 6);
    w.field->setTime(QTime(0, 5, 7));
    QCOMPARE(w.Line()->text(), QString("05:07"));
    QCOMPARE(w.Line()->cursorPosition(), 3);
}

void tst_TimeEdit::steppingNeverWraps_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<QTime>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QTime>("minimum");
    QTest::addColumn<QTime>("maximum");
    QTest::addColumn<QTime>("expected");
    const int up = Qt::Key_Up;
    const int down = Qt::Key_Down;
    const QTime midnight(0, 0);
    const QTime last(23, 59, 59, 999);
    const int hour = QDateTimeEdit::HourSection;
    const int minute = QDateTimeEdit::MinuteSection;
    const int second = QDateTimeEdit::SecondSection;
    QTest::newRow("ten minutes") << minute << QTime(1, 30) << int(Qt::Key_PageUp) << midnight
                                 << last << QTime(1, 40);
    QTest::newRow("past midnight") << hour << QTime(23, 30) << up << midnight << last << last;
    QTest::newRow("before midnight")
        << second << QTime(0, 0, 0, 500) << down << midnight << last << midnight;
    QTest::newRow("above maximum")
        << hour << QTime(4, 15) << up << QTime(0, 0, 10) << QTime(5, 0) << QTime(5, 0);
    QTest::newRow("below minimum")
        << minute << QTime(0, 0, 30) << down << QTime(0, 0, 10) << QTime(5, 0) << QTime(0, 0, 10);
}

void tst_TimeEdit::steppingNeverWraps()
{
    QFETCH(int, section);
    QFETCH(QTime, start);
    QFETCH(int, key);
    QFETCH(QTime, minimum);
    QFETCH(QTime, maximum);
    QFETCH(QTime, expected);
    Window w;
    w.field->setDisplayFormat("HH:mm:ss.zzz");
    w.field->setTimeRange(minimum, maximum);
    w.field->setTime(start);
    QVERIFY(w.Show() && w.Focus(w.field));
    w.field->setCurrentSection(static_cast<QDateTimeEdit::Section>(section));
    QTest::keyClick(w.field, static_cast<Qt::Key>(key));
    QCOMPARE(w.field->time(), expected);
}

void tst_TimeEdit::overwriteTyping_data()
{
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("newCursor");
    QTest::newRow("over a digit") << 1 << int(Qt::Key_5) << "05:12:59" << 3;
    // The hour 50 does not exist: the time stays, the cursor still moves on.
    QTest::newRow("invalid result") << 0 << int(Qt::Key_5) << "00:12:59" << 1;
    QTest::newRow("before a separator") << 2 << int(Qt::Key_5) << "00:12:59" << 3;
    QTest::newRow("at the end") << 8 << int(Qt::Key_5) << "00:12:59" << 8;
}

void tst_TimeEdit::overwriteTyping()
{
    QFETCH(int, cursor);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, newCursor);
    Window w;
    QVERIFY(w.ShowForTyping());
    w.Line()->setCursorPosition(cursor);
    QTest::keyClick(w.field, static_cast<Qt::Key>(key));
    QCOMPARE(w.Line()->text(), text);
    QCOMPARE(w.field->time(), QTime::fromString(text, "HH:mm:ss"));
    QCOMPARE(w.Line()->cursorPosition(), newCursor);
    QVERIFY(!w.Line()->hasSelectedText());
}

void tst_TimeEdit::enterKey()
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
    QVERIFY(w.Focus(w.field));
    QTest::keyClick(w.field, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(entered.count(), 2);
}

void tst_TimeEdit::wheelOnlyWhileFocused()
{
    Window w;
    QVERIFY(w.ShowForTyping() && w.Focus(w.other));
    const auto sendWheel = [&w] {
        const QPoint pos = w.field->rect().center();
        QWheelEvent event(pos, w.field->mapToGlobal(pos), QPoint(), QPoint(0, 120), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        // Delivered as the window system's wheel is (sendEvent would clear the
        // spontaneous flag), so that an ignored wheel travels on to the parent.
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(w.field, &event);
    };

    sendWheel();
    QCOMPARE(w.field->time(), QTime(0, 12, 59));
    QCOMPARE(w.window.wheels, 1);
    QVERIFY(!w.field->hasFocus());

    QVERIFY(w.Focus(w.field));
    w.field->setCurrentSection(QDateTimeEdit::MinuteSection);
    sendWheel();
    QCOMPARE(w.field->time(), QTime(0, 13, 59));
    QCOMPARE(w.window.wheels, 1);
}

void tst_TimeEdit::shrinkWidth()
{
    Window w;
    QFont font("DejaVu Sans");
    font.setPixelSize(14);
    w.field->setFont(font);
    const QFontMetrics metrics(font);
    w.field->setDisplayFormat("H:mm:ss");
    w.field->setTime(QTime(0, 5, 7));
    QVERIFY(w.Show());
    const int wide = w.field->width();

    // Other tags are for style sheets only.
    QVERIFY(w.field->setProperty("styleTag", "shrink"));
    QCOMPARE(w.field->width(), wide);
    QVERIFY(w.field->setProperty("styleTag", "shrinkWidth"));
    QCOMPARE(w.field->width(), metrics.horizontalAdvance("0:05:07") + 4);

    // Without a format list the format stays, and the width follows the text.
    w.field->setDisplayFormatList(ShortAndLong);
    w.field->setTime(QTime(0, 5, 7));
    QCOMPARE(w.field->width(), metrics.horizontalAdvance("05:07") + 4);
}

QTEST_MAIN(tst_TimeEdit)
#include "tst_timeedit.moc"
